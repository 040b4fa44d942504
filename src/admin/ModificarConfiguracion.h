#pragma once

#include "foundation/Configuracion.h"

#include <QString>

#include <optional>

class Contexto;
struct TablasIdioma;

// The text fields of the configuration panel, in file order.
enum class CampoTexto {
    RutaBD,
    PuntoControl,
    TiempoAvisoDefecto,
    RangoMinSizeBD,
    RangoMaxSizeBD,
    MaxSizeBD
};

struct CampoRechazado
{
    CampoTexto campo;
    QString motivo; // in the language of the tables, naming the field
};

// The first text field that zelvora.cfg could not give back as typed: ";"
// separates its fields and "," ends the value when the file is read. The
// control point must also make a file name (PuntoControlValido). Nothing when
// every field can be written.
std::optional<CampoRechazado> RevisarCamposTexto(const Configuracion& cfg,
                                                 const TablasIdioma& idioma);

// The event-log text of a save: the line the file held and the line written.
QString SucesoModificaConfiguracion(const QString& anterior, const QString& nueva);

// Replaces zelvora.cfg whole with the line of nueva, puts the values in use
// and logs the change under them (the new control point's file of the day,
// written only when the new log switch is on). A file that cannot be written
// changes nothing, neither the file nor the values in use, and logs nothing;
// error names the file and the reason.
bool ModificarConfiguracion(Contexto& ctx, const Configuracion& nueva, QString* error);
