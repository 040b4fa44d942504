#pragma once

#include "ValidacionVisita.h"
#include "Visitas.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QTime>

#include <optional>

class BaseDatos;

// Visits a resident announces ahead: the guard schedules them and, when the
// visitor arrives, copies one into the new entry.

// Which scheduled visits the list shows.
enum class FiltroProgramadas { Hoy, UltimoMes, Todas };

// The stored moments a filter lists, both ends included.
struct RangoMomentos
{
    QString desde;
    QString hasta;
};
// Today: the whole day. Last month: from the start of the same day a calendar
// month back (31 March goes back to the last of February) to the end of
// today. All: no range.
std::optional<RangoMomentos> RangoFiltro(FiltroProgramadas filtro, const QDate& hoy);

// The expected moment: the day of the date picker and the time of day of the
// time picker, to the second.
QDateTime MomentoProgramado(const QDate& dia, const QTime& hora);

// Name, entry time (only that it is typed: the expected moment is the
// pickers'), companions and authoriser, first failure wins; else the visit
// expected at that moment.
Validacion<DatosVisita> ValidarProgramacion(const TextosVisita& textos, const QDateTime& prevista);

// A visit may be expected now or later, never before now (to the second).
bool MomentoProgramadoAdmitido(const QDateTime& prevista, const QDateTime& ahora);

// Stores the visit with the same name keys as an entry, so that completion
// and carry-over find it. Returns its id_es.
int AgregarVisitaProgramada(BaseDatos& bd, const DatosVisita& datos);

// The visits the filter lists, latest expected first.
QList<Visita> LeerVisitasProgramadas(BaseDatos& bd, FiltroProgramadas filtro, const QDate& hoy);

// False when no such visit was left (deleted elsewhere).
bool EliminarVisitaProgramada(BaseDatos& bd, int idEs);
