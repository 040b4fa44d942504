#include "Camara.h"

#include <QImage>
#include <QSaveFile>

Camara::Resultado GuardarBmp(const QImage& imagen, const QString& ruta)
{
    QSaveFile archivo(ruta);
    if (archivo.open(QIODevice::WriteOnly) && imagen.save(&archivo, "BMP") && archivo.commit())
        return {};
    const QString motivo = archivo.error() != QFileDevice::NoError
                               ? archivo.errorString()
                               : QStringLiteral("The picture could not be encoded");
    archivo.cancelWriting();
    return {Camara::Fallo::NoGuardada, ruta + QStringLiteral(": ") + motivo};
}
