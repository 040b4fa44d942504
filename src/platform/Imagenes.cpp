#include "Imagenes.h"

#include <QFileInfo>

namespace {

QString Ubicar(const QString& carpetaPrograma, const QString& rutaRelativa)
{
    const QString propia = carpetaPrograma + u'/' + rutaRelativa;
    if (QFileInfo(propia).isFile())
        return propia;
    return QStringLiteral(":/zelvora/") + rutaRelativa;
}

} // namespace

QPixmap CargarImagen(const QString& carpetaPrograma, const QString& rutaRelativa)
{
    QPixmap imagen(Ubicar(carpetaPrograma, rutaRelativa));
    if (imagen.isNull())
        imagen.load(QStringLiteral(":/zelvora/") + rutaRelativa);
    return imagen;
}

QIcon CargarIcono(const QString& carpetaPrograma, const QString& rutaRelativa)
{
    return QIcon(CargarImagen(carpetaPrograma, rutaRelativa));
}
