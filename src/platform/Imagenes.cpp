#include "Imagenes.h"

#include <QFileInfo>
#include <QPalette>
#include <QWidget>

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

void PonerFondo(QWidget* ventana, const QString& carpetaPrograma, const QString& rutaRelativa)
{
    const QPixmap imagen = CargarImagen(carpetaPrograma, rutaRelativa);
    if (imagen.isNull())
        return;
    QPalette paleta = ventana->palette();
    paleta.setBrush(ventana->backgroundRole(),
                    QBrush(imagen.scaled(ventana->size().expandedTo(imagen.size()),
                                         Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
    ventana->setPalette(paleta);
    ventana->setAutoFillBackground(true);
}
