#include "AccionBD.h"

#include "Dialogos.h"
#include "foundation/Contexto.h"

bool AccionBD(Contexto& ctx, QWidget* ventana, const std::function<void()>& accion)
{
    try {
        accion();
        return true;
    } catch (const ErrorBD& error) {
        ctx.bd().CerrarBD();
        const bool noExiste = error.tipo() == ErrorBD::Tipo::NoExiste;
        ctx.registrar(QStringLiteral("Error de base de datos: ") +
                      (noExiste ? QStringLiteral("no existe ") + error.ruta() : error.detalle()));
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
