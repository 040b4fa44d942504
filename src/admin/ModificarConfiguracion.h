#pragma once

#include "foundation/Configuracion.h"

#include <QString>

class Contexto;

// The event-log text of a save: the line the file held and the line written.
QString SucesoModificaConfiguracion(const QString& anterior, const QString& nueva);

// Replaces zelvora.cfg whole with the line of nueva, puts the values in use
// and logs the change under them (the new control point's file of the day,
// written only when the new log switch is on). A file that cannot be written
// changes nothing, neither the file nor the values in use, and logs nothing;
// error names the file and the reason.
bool ModificarConfiguracion(Contexto& ctx, const Configuracion& nueva, QString* error);
