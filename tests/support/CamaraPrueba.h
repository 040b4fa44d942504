#pragma once

#include "platform/Camara.h"

#include <QColor>
#include <QStringList>

// A camera for the panels' tests: a plain picture written as the real one
// writes it, or the failure it is told to give. Unplugging it (conectada
// false) while on fails the next picture as the real one does.
class CamaraPrueba : public Camara
{
public:
    bool conectada = true;
    bool encendida = false;
    int apagados = 0;                 // times it was released
    Fallo fallarCon = Fallo::Ninguno; // given instead of a picture
    QColor color = Qt::darkCyan;
    QStringList pedidas; // every path a picture was asked for

    bool hayCamara() override { return conectada; }
    Resultado encender() override;
    void apagar() override;
    QImage cuadro() override;
    Resultado tomarFoto(const QString& ruta, std::chrono::milliseconds espera) override;
};
