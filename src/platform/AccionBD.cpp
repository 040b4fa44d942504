#include "AccionBD.h"

#include "Dialogos.h"
#include "foundation/Contexto.h"

void RegistrarErrorBD(Contexto& ctx, const ErrorBD& error)
{
    ctx.bd().CerrarBD();
    ctx.registrar(QStringLiteral("Error de base de datos: ") +
                  (error.tipo() == ErrorBD::Tipo::NoExiste
                       ? QStringLiteral("no existe ") + error.ruta()
                       : error.detalle()));
}

QString TextoErrorBD(const Contexto& ctx, const ErrorBD& error)
{
    const QString salto = QStringLiteral("\r\n");
    if (error.tipo() == ErrorBD::Tipo::NoExiste)
        return ctx.idioma.mensaje(QStringLiteral("XBDNoExiste")) + salto + error.ruta();
    // The engine's own words come last, as a detail for the technician.
    const QString motivo = ctx.idioma.mensaje(error.ocupada() ? QStringLiteral("XBDOcupada")
                                                              : QStringLiteral("XBDFallo"));
    return motivo + salto + salto + error.detalle() + salto + salto +
           ctx.idioma.mensaje(QStringLiteral("XBDSinCambios"));
}

void MostrarErrorBD(Contexto& ctx, QWidget* ventana, const ErrorBD& error)
{
    ctx.dialogos.advertir(ventana, TextoErrorBD(ctx, error),
                          ctx.idioma.mensaje(QStringLiteral("XBDTitulo")));
}

namespace {

void Ejecutar(Contexto& ctx, const SentenciasBD& accion)
{
    SesionBD sesion(ctx.bd());
    accion(ctx.bd());
}

} // namespace

bool AccionBDSinAviso(Contexto& ctx, const SentenciasBD& accion)
{
    try {
        Ejecutar(ctx, accion);
        return true;
    } catch (const ErrorBD& error) {
        RegistrarErrorBD(ctx, error);
        return false;
    }
}

bool AccionBD(Contexto& ctx, QWidget* ventana, const SentenciasBD& accion)
{
    try {
        Ejecutar(ctx, accion);
        return true;
    } catch (const ErrorBD& error) {
        RegistrarErrorBD(ctx, error);
        MostrarErrorBD(ctx, ventana, error);
        return false;
    }
}
