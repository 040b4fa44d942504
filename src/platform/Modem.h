#pragma once

#include <QByteArray>
#include <QString>

#include <chrono>

// What dialing needs of a Hayes (AT command) modem on a serial line. Every
// step answers with a result; a failed step leaves the caller to decide what
// to tell the guard.
class Modem
{
public:
    enum class Fallo {
        Ninguno,
        NoExiste,     // no such device
        Ocupado,      // another program (or terminal) holds it
        SinPermiso,   // this user may not open it
        SinRespuesta, // the expected reply did not come in time
        Otro,
    };

    struct Resultado
    {
        Fallo fallo = Fallo::Ninguno;
        int numero = 0; // the serial layer's error number, for the message
        QString descripcion;
        explicit operator bool() const { return fallo == Fallo::Ninguno; }
    };

    virtual ~Modem() = default;

    // 8 data bits, no parity, 1 stop bit, no flow control; whatever the line
    // held before is dropped.
    virtual Resultado abrir(const QString& dispositivo, int baudios) = 0;
    // Sends the command followed by a carriage return.
    virtual Resultado enviar(const QByteArray& orden) = 0;
    // Waits until what arrived since the last command holds esperado (it may
    // come in pieces), at most espera. The interface keeps running meanwhile,
    // so the caller must stay alive until it returns.
    virtual Resultado esperar(const QByteArray& esperado, std::chrono::milliseconds espera) = 0;
    virtual void cerrar() = 0;
};

// The line the dialing uses: 300 bit/s.
constexpr int kBaudiosModem = 300;

// "/dev/ttyS2" (the old platform's port 3) unless ZELVORA_MODEM names another
// device.
QString DispositivoModem();
