#include "Marcado.h"

#include "foundation/Contexto.h"

namespace {

ResultadoMarcado Fallo(Modem& modem, const Modem::Resultado& causa)
{
    // Closed here too: a port left open would keep the device locked for
    // every later call, on this terminal and on any other.
    modem.cerrar();
    const bool plazo = causa.fallo == Modem::Fallo::SinRespuesta;
    return {plazo ? ResultadoMarcado::Fin::SinRespuesta : ResultadoMarcado::Fin::Error, causa};
}

} // namespace

QByteArray OrdenMarcar(const QString& numero)
{
    return QByteArrayLiteral("ATDT") + numero.toLatin1() + ';';
}

ResultadoMarcado MarcarNumero(Modem& modem, const QString& dispositivo, const QString& numero,
                              const std::function<void()>& descolgar,
                              std::chrono::milliseconds espera)
{
    if (const auto abierto = modem.abrir(dispositivo, kBaudiosModem); !abierto)
        return Fallo(modem, abierto);
    if (const auto enviado = modem.enviar(OrdenMarcar(numero)); !enviado)
        return Fallo(modem, enviado);
    if (const auto respuesta = modem.esperar("OK", espera); !respuesta) {
        // It may have dialed all the same: the line is let go before closing.
        if (respuesta.fallo == Modem::Fallo::SinRespuesta)
            modem.enviar("ATH");
        return Fallo(modem, respuesta);
    }
    descolgar();
    if (const auto colgado = modem.enviar("ATH"); !colgado)
        return Fallo(modem, colgado);
    modem.cerrar();
    return {};
}

QString TextoFalloMarcado(const Contexto& ctx, const ResultadoMarcado& resultado,
                          const QString& dispositivo)
{
    switch (resultado.fin) {
    case ResultadoMarcado::Fin::Marcado:
        break;
    case ResultadoMarcado::Fin::SinRespuesta:
        return ctx.idioma.mensaje(QStringLiteral("XModemSinRespuesta")).arg(dispositivo);
    case ResultadoMarcado::Fin::Error:
        return ctx.texto(119) + QString::number(resultado.modem.numero) + QStringLiteral(" - ") +
               resultado.modem.descripcion;
    }
    return QString();
}

QString SucesoFalloMarcado(const ResultadoMarcado& resultado, const QString& numero)
{
    switch (resultado.fin) {
    case ResultadoMarcado::Fin::Marcado:
        break;
    case ResultadoMarcado::Fin::SinRespuesta:
        return QStringLiteral("El módem no respondió al marcar el teléfono ") + numero;
    case ResultadoMarcado::Fin::Error:
        return QStringLiteral("Error en la marcación del teléfono ") + numero +
               QStringLiteral(": ") + QString::number(resultado.modem.numero) +
               QStringLiteral(" - ") + resultado.modem.descripcion;
    }
    return QString();
}
