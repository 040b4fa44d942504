#pragma once

#include "platform/Modem.h"

#include <QByteArray>
#include <QString>

#include <chrono>
#include <functional>

class Contexto;

// How long the modem may take to say "OK" after the dial command. A modem
// switched off or unplugged never answers; the guard must not wait for ever.
constexpr std::chrono::milliseconds kEsperaMarcado{std::chrono::seconds(30)};

// How a dialing ended.
struct ResultadoMarcado
{
    enum class Fin {
        Marcado,      // dialed and hung up: the handset holds the call
        SinRespuesta, // no "OK" within the wait
        Error,        // the port could not be opened or written
    };
    Fin fin = Fin::Marcado;
    Modem::Resultado modem; // what the serial layer said, when it failed
};

// "ATDT" + number + ";": tone dialing, back to command mode afterwards. The
// number goes as typed, blanks and signs included.
QByteArray OrdenMarcar(const QString& numero);

// Dials numero through the modem on dispositivo at 300 bit/s. Once the modem
// has dialed, descolgar() runs (the guard lifts the handset meanwhile); then
// the modem hangs up so that the handset keeps the line. The wait for the
// modem's "OK" is bounded by espera and keeps the interface running. The port
// is closed at the end whatever happened.
ResultadoMarcado MarcarNumero(Modem& modem, const QString& dispositivo, const QString& numero,
                              const std::function<void()>& descolgar,
                              std::chrono::milliseconds espera = kEsperaMarcado);

// What the guard reads when dialing failed (empty when it dialed): the
// serial layer's error number and description, or the wait that ran out.
QString TextoFalloMarcado(const Contexto& ctx, const ResultadoMarcado& resultado,
                          const QString& dispositivo);

// The event-log line of a failed dialing (empty when it dialed).
QString SucesoFalloMarcado(const ResultadoMarcado& resultado, const QString& numero);
