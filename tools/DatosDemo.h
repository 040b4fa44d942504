#pragma once

#include <QDateTime>

class BaseDatos;

// Sample dwellings, a guard with a guard's permissions, and past and current
// visits around the given moment, so that a new demo folder has something to show.
void AgregarDatosDemo(BaseDatos& bd, const QDateTime& ahora);
