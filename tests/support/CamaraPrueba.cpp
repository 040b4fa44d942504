#include "CamaraPrueba.h"

#include <QImage>

Camara::Resultado CamaraPrueba::encender()
{
    if (!conectada)
        return {Fallo::SinCamara, QStringLiteral("There is no camera (test)")};
    encendida = true;
    return {};
}

void CamaraPrueba::apagar()
{
    if (encendida)
        ++apagados;
    encendida = false;
}

QImage CamaraPrueba::cuadro()
{
    if (!encendida || !conectada)
        return {};
    QImage imagen(kTamanoFoto, QImage::Format_RGB32);
    imagen.fill(color);
    return imagen;
}

Camara::Resultado CamaraPrueba::tomarFoto(const QString& ruta, std::chrono::milliseconds)
{
    pedidas << ruta;
    if (!conectada)
        return {Fallo::SinCamara, QStringLiteral("There is no camera (test)")};
    if (fallarCon != Fallo::Ninguno)
        return {fallarCon, QStringLiteral("The camera failed (test)")};
    QImage imagen(kTamanoFoto, QImage::Format_RGB32);
    imagen.fill(color);
    return GuardarBmp(imagen, ruta);
}
