#pragma once

#include "foundation/Permisos.h"

class BaseDatos;

// The user's sixteen grants: permission n is the n-th permission of the
// catalogue in VarN order. A grant row that is missing counts as not granted.
Permisos LeerPermisos(BaseDatos& bd, int idSr);

// Whether anybody is inside (a visit without exit), and whether the census has
// any dwelling: the main menu shows a message instead of an empty panel.
bool HayVisitasActuales(BaseDatos& bd);
bool HayCenso(BaseDatos& bd);
