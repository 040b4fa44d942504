#include "AccionBD.h"

#include "Dialogos.h"
#include "foundation/Contexto.h"

namespace {

void RegistrarError(Contexto& ctx, const ErrorBD& error)
{
    ctx.bd().CerrarBD();
    ctx.registrar(QStringLiteral("Error de base de datos: ") +
                  (error.tipo() == ErrorBD::Tipo::NoExiste
                       ? QStringLiteral("no existe ") + error.ruta()
                       : error.detalle()));
}

} // namespace

bool AccionBDSinAviso(Contexto& ctx, const std::function<void()>& accion)
{
    try {
        accion();
        return true;
    } catch (const ErrorBD& error) {
        RegistrarError(ctx, error);
        return false;
    }
}

bool AccionBD(Contexto& ctx, QWidget* ventana, const std::function<void()>& accion)
{
    try {
        accion();
        return true;
    } catch (const ErrorBD& error) {
        RegistrarError(ctx, error);
        const bool noExiste = error.tipo() == ErrorBD::Tipo::NoExiste;
        const QString texto = noExiste ? ctx.idioma.mensaje(QStringLiteral("XBDNoExiste")) +
                                             QStringLiteral("\r\n") + error.ruta()
                                       : ctx.idioma.mensaje(QStringLiteral("XBDFallo")) +
                                             QStringLiteral("\r\n\r\n") + error.detalle() +
                                             QStringLiteral("\r\n\r\n") +
                                             ctx.idioma.mensaje(QStringLiteral("XBDSinCambios"));
        ctx.dialogos.advertir(ventana, texto, ctx.idioma.mensaje(QStringLiteral("XBDTitulo")));
        return false;
    }
}
