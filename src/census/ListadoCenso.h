#pragma once

#include "platform/ListadoImpreso.h"

class Contexto;
class QWidget;

// The printed census: every dwelling in order of number, after the guard's
// confirmation. Printing failures never stop it: they are told once, after
// the end. The guard may cancel a long run; nothing is then printed and no
// file is left.
void ImprimirListadoCenso(Contexto& ctx, QWidget* ventana);
void ImprimirListadoCenso(Contexto& ctx, QWidget* ventana, const EquipoListado& equipo);
