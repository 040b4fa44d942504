#include "ModificarConfiguracion.h"

#include "foundation/ArchivosTexto.h"
#include "foundation/Contexto.h"

QString SucesoModificaConfiguracion(const QString& anterior, const QString& nueva)
{
    return QStringLiteral("Modifica Configuración - Valores anteriores: <->") + anterior +
           QStringLiteral("<-> Nuevos valores: <->") + nueva + QStringLiteral("<->");
}

bool ModificarConfiguracion(Contexto& ctx, const Configuracion& nueva, QString* error)
{
    // A file removed meanwhile gives an empty old line and is written anew.
    const QString anterior = LeerLineaConfiguracion(ctx.carpetaPrograma());
    const QString linea = LineaConfiguracion(nueva);
    const QString ruta = ctx.carpetaPrograma() + u'/' + kArchivoConfiguracion;
    QString motivo;
    if (!EscribirLineaUnica(ruta, linea, &motivo)) {
        if (error)
            *error = ruta + QStringLiteral("\r\n") + motivo;
        return false;
    }
    ctx.cfg = nueva;
    ctx.registrar(SucesoModificaConfiguracion(anterior, linea));
    return true;
}
