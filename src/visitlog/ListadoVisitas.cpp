#include "ListadoVisitas.h"

#include "PaginaListado.h"
#include "foundation/Contexto.h"
#include "foundation/FechasTexto.h"
#include "platform/AccionBD.h"
#include "platform/Dialogos.h"
#include "platform/Impresora.h"
#include "platform/Progreso.h"
#include "visits/Visitas.h"

namespace {

const QString kCrLf2 = QStringLiteral("\r\n\r\n");
const QString kSucesoListado =
    QStringLiteral("Realiza listado en impresora del registro de entradas y salidas");

} // namespace

void ImprimirListadoVisitas(Contexto& ctx, QWidget* ventana, const QList<Visita>& visitas)
{
    ImprimirListadoVisitas(ctx, ventana, visitas, EquipoListadoSistema());
}

void ImprimirListadoVisitas(Contexto& ctx, QWidget* ventana, const QList<Visita>& lista,
                            const EquipoListado& equipo)
{
    // A copy: the progress box lets events run, and the caller's list must not
    // change under the run.
    const QList<Visita> visitas = lista;
    if (!ConfirmarListado(ctx, ventana, 254, 257))
        return;
    // The header's date and time: the start of the run, the same on every page.
    const QDateTime ahora = ctx.reloj.ahora();
    ctx.registrar(kSucesoListado);

    // From here on a failure is only remembered, and told at the next visit
    // or after the end. A database error is written to the event log.
    QString unidad;
    bool pendiente =
        !AccionBDSinAviso(ctx, [&](BaseDatos& bd) { unidad = NombreUnidadListado(bd); });
    if (visitas.isEmpty()) {
        ctx.dialogos.informar(ventana, ctx.texto(259));
        return;
    }

    auto impresora =
        equipo.abrirImpresora(PdfSinImpresora(ctx, QStringLiteral("registro_visitas"), ahora));
    PaginaListado paginas(
        *impresora, LeerTextosListado(ctx.idioma),
        {unidad, TextoFechaEncabezadoListado(ahora.date()), TextoHoraListado(ahora.time())});
    paginas.empezar();
    auto progreso = equipo.abrirProgreso(
        ventana, ctx.idioma.mensaje(QStringLiteral("XListadoImprimiendo")), visitas.size());
    for (qsizetype n = 0; n < visitas.size(); ++n) {
        if (progreso->cancelado())
            break;
        if (pendiente || impresora->fallo()) {
            // The document is dropped unsent: half a listing helps nobody.
            progreso.reset();
            AvisarFalloListado(ctx, ventana, *impresora, ctx.texto(261) + kCrLf2 + ctx.texto(262),
                               QStringLiteral("Se produjo un error durante la impresión. EOF"));
            return;
        }
        paginas.visita(visitas[n]);
        progreso->avanzar(int(n + 1));
    }
    if (progreso->cancelado()) {
        // Dropped with the printer: no job sent, no file under the chosen name.
        ctx.registrar(QStringLiteral("Cancela el listado en impresora del registro de entradas "
                                     "y salidas"));
        return;
    }
    paginas.acabar();
    const bool terminado = impresora->terminar();
    progreso.reset();
    if (!terminado || pendiente) {
        AvisarFalloListado(
            ctx, ventana, *impresora, ctx.texto(273),
            kSucesoListado +
                QStringLiteral(", pero otro proceso lo estaba realizando al mismo tiempo; "
                               "es posible que se produzcan errores de impresión"));
        return;
    }
    AvisarListadoGuardado(ctx, ventana, *impresora);
}
