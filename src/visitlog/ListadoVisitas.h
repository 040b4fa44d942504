#pragma once

#include "platform/ListadoImpreso.h"

#include <QList>

class Contexto;
class QWidget;
struct Visita;

// The printed visitor log of these visits, in their order, after the guard's
// confirmation. Printing failures never stop it: they are told once, either
// before the next visit (the rest is dropped) or after the end. The guard may
// cancel a long run; nothing is then printed and no file is left.
void ImprimirListadoVisitas(Contexto& ctx, QWidget* ventana, const QList<Visita>& visitas);
void ImprimirListadoVisitas(Contexto& ctx, QWidget* ventana, const QList<Visita>& visitas,
                            const EquipoListado& equipo);
