#include "ListadoCenso.h"

#include "PaginaCenso.h"
#include "foundation/Contexto.h"
#include "platform/AccionBD.h"
#include "platform/Dialogos.h"
#include "platform/Impresora.h"
#include "platform/Progreso.h"

namespace {

const QString kSucesoListado = QStringLiteral("Realiza listado en impresora del censo");

void AvisarFallo(Contexto& ctx, QWidget* ventana, const Impresora* impresora)
{
    const QString suceso =
        kSucesoListado + QStringLiteral(", pero otro proceso lo estaba realizando al mismo "
                                        "tiempo; es posible que se produzcan errores de impresión");
    if (impresora) {
        AvisarFalloListado(ctx, ventana, *impresora, ctx.texto(52), suceso);
        return;
    }
    ctx.dialogos.advertir(ventana, ctx.texto(52));
    ctx.registrar(suceso);
}

} // namespace

void ImprimirListadoCenso(Contexto& ctx, QWidget* ventana)
{
    ImprimirListadoCenso(ctx, ventana, EquipoListadoSistema());
}

void ImprimirListadoCenso(Contexto& ctx, QWidget* ventana, const EquipoListado& equipo)
{
    if (!ConfirmarListado(ctx, ventana, 40, 43))
        return;
    const QDateTime ahora = ctx.reloj.ahora();
    ctx.registrar(kSucesoListado);

    // The whole census is read before printing, so that no other terminal
    // waits on the database while the printer works. A database that cannot
    // be read is in the event log, and told as the listing's failure.
    const TextosListadoCenso textos = LeerTextosListadoCenso(ctx.idioma);
    QList<ViviendaListado> viviendas;
    if (!AccionBDSinAviso(ctx, [&](BaseDatos& bd) { viviendas = LeerListadoCenso(bd, textos); })) {
        AvisarFallo(ctx, ventana, nullptr);
        return;
    }
    if (viviendas.isEmpty()) {
        ctx.dialogos.informar(ventana, ctx.texto(44));
        return;
    }

    // From here on a failure is only remembered (the printer ignores what
    // follows it), and told after the end.
    auto impresora = equipo.abrirImpresora(PdfSinImpresora(ctx, QStringLiteral("censo"), ahora));
    PaginaCenso paginas(*impresora, textos);
    auto progreso = equipo.abrirProgreso(
        ventana, ctx.idioma.mensaje(QStringLiteral("XListadoCensoImprimiendo")),
        int(viviendas.size()));
    for (qsizetype n = 0; n < viviendas.size() && !progreso->cancelado(); ++n) {
        paginas.vivienda(viviendas[n]);
        progreso->avanzar(int(n + 1));
    }
    if (progreso->cancelado()) {
        // Dropped with the printer: no job sent, no file under the chosen name.
        ctx.registrar(QStringLiteral("Cancela el listado en impresora del censo"));
        return;
    }
    paginas.acabar();
    const bool terminado = impresora->terminar();
    progreso.reset();
    if (!terminado)
        return AvisarFallo(ctx, ventana, impresora.get());
    AvisarListadoGuardado(ctx, ventana, *impresora);
}
