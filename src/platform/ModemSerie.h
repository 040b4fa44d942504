#pragma once

#include "platform/Modem.h"

#include <QDeadlineTimer>
#include <QSerialPort>

#include <functional>

// The modem on a serial device, through QSerialPort.
class ModemSerie : public Modem
{
public:
    Resultado abrir(const QString& dispositivo, int baudios) override;
    Resultado enviar(const QByteArray& orden) override;
    Resultado esperar(const QByteArray& esperado, std::chrono::milliseconds espera) override;
    void cerrar() override;

private:
    // Runs the event loop until listo() holds, the port fails or the time is
    // up; false unless listo() held.
    bool esperarHasta(const std::function<bool()>& listo, QDeadlineTimer plazo);
    Resultado errorDelPuerto(Fallo fallo);

    QSerialPort puerto_;
    QByteArray recibido_;
};
