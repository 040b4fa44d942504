#include "ModificarConfiguracion.h"

#include "foundation/ArchivosTexto.h"
#include "foundation/Contexto.h"
#include "foundation/Idiomas.h"

#include <array>

namespace {

struct CampoRevisado
{
    CampoTexto campo;
    int slotRotulo;
    QString Configuracion::*valor;
};

constexpr std::array<CampoRevisado, 6> kCamposTexto{{
    {CampoTexto::RutaBD, 359, &Configuracion::RutaBD},
    {CampoTexto::PuntoControl, 360, &Configuracion::PuntoControl},
    {CampoTexto::TiempoAvisoDefecto, 366, &Configuracion::TiempoAvisoDefecto},
    {CampoTexto::RangoMinSizeBD, 368, &Configuracion::RangoMinSizeBD},
    {CampoTexto::RangoMaxSizeBD, 369, &Configuracion::RangoMaxSizeBD},
    {CampoTexto::MaxSizeBD, 370, &Configuracion::MaxSizeBD},
}};

// The reader splits the line at ";" and stops at ",": either would shift or
// cut every field after it.
std::optional<QChar> Separador(const QString& texto)
{
    for (QChar c : texto)
        if (c == u';' || c == u',')
            return c;
    return std::nullopt;
}

} // namespace

std::optional<CampoRechazado> RevisarCamposTexto(const Configuracion& cfg,
                                                 const TablasIdioma& idioma)
{
    for (const CampoRevisado& campo : kCamposTexto) {
        const QString& texto = cfg.*campo.valor;
        QString motivo;
        if (campo.campo == CampoTexto::PuntoControl) {
            // An empty or unusable name would stop the next start-up.
            if (!PuntoControlValido(texto, idioma, &motivo))
                return CampoRechazado{campo.campo, motivo};
        } else if (const std::optional<QChar> c = Separador(texto)) {
            motivo = idioma.mensaje(QStringLiteral("XConfigSeparador"))
                         .arg(idioma.texto(campo.slotRotulo), QStringLiteral("\"%1\"").arg(*c));
            return CampoRechazado{campo.campo, motivo};
        }
    }
    return std::nullopt;
}

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
