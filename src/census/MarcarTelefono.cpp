#include "MarcarTelefono.h"

#include "foundation/Contexto.h"
#include "platform/Dialogos.h"

#include <QPointer>
#include <QWidget>

ResultadoMarcado marcarNumeroTelefono(Contexto& ctx, QWidget* ventana, Modem& modem,
                                      const QString& numero, std::chrono::milliseconds espera)
{
    // The boxes after the wait must not hang on a window closed meanwhile.
    const QPointer<QWidget> padre(ventana);
    const QString dispositivo = DispositivoModem();
    const ResultadoMarcado resultado = MarcarNumero(
        modem, dispositivo, numero, [&] { ctx.dialogos.informar(padre, ctx.texto(118)); }, espera);
    if (resultado.fin == ResultadoMarcado::Fin::Marcado)
        return resultado;
    ctx.registrar(SucesoFalloMarcado(resultado, numero));
    ctx.dialogos.advertir(padre, TextoFalloMarcado(ctx, resultado, dispositivo));
    return resultado;
}
