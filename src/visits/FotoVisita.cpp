#include "FotoVisita.h"

#include "foundation/FechasTexto.h"

#include <QDir>
#include <QFileInfo>

namespace {

bool CaracterProhibido(QChar c)
{
    static const QString kProhibidos = QStringLiteral("/\\:*?\"<>|");
    return c.category() == QChar::Other_Control || kProhibidos.contains(c);
}

QString Saneado(QString texto)
{
    for (QChar& c : texto)
        if (CaracterProhibido(c))
            c = QLatin1Char('_');
    return texto;
}

} // namespace

QString CarpetaFotos(const QString& carpetaDatos)
{
    return carpetaDatos + QStringLiteral("/imgcap");
}

QString NombreFotoVisita(const QDateTime& momento, const QString& punto, const QString& nombre)
{
    return TextoFechaFoto(momento) + QLatin1Char('-') + Saneado(punto) + QStringLiteral("- ") +
           Saneado(nombre) + QStringLiteral(".bmp");
}

QString RutaFotoLibre(const QString& carpeta, const QString& nombreArchivo)
{
    const QDir dir(carpeta);
    QString ruta = dir.filePath(nombreArchivo);
    const QString base = QFileInfo(nombreArchivo).completeBaseName();
    for (int n = 2; QFileInfo::exists(ruta); ++n)
        ruta = dir.filePath(base + QStringLiteral(" (%1).bmp").arg(n));
    return ruta;
}
