#pragma once

#include "visits/Visitas.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class BaseDatos;

// The visitor log: which visits a range of days and five filters select. The
// query panel, the printed listing and the export all read it through here.

enum class BusquedaRegistro {
    Entradas,        // entry time in the range
    VisitasActuales, // entry time in the range, still inside
    Salidas,         // exit time in the range
};

struct FiltroRegistro
{
    // Whole days: from the first second of `desde` to the last of `hasta`.
    QDate desde;
    QDate hasta;
    BusquedaRegistro busqueda = BusquedaRegistro::Entradas;
    // Found anywhere in the column, letter case ignored; empty filters nothing.
    QString NombreVisitante;
    QString PlacaVehiculo;
    QString AutorizaIngreso;
    QString Observaciones;
    std::optional<int> NAcomp; // exact; none filters nothing
};

// The companions filter as typed: empty filters nothing (true, *filtro none);
// otherwise only a whole number from 0 to 99 is accepted.
bool LeerFiltroAcompanantes(const QString& texto, std::optional<int>* filtro);

// The selected visits, newest first: by exit time for the exit-date search,
// by entry time otherwise. Throws ErrorBD.
QList<Visita> ConsultarRegistro(BaseDatos& bd, const FiltroRegistro& filtro);

// The columns of a visit in the log's list: id, entry, exit (empty while
// inside), visitor, companions, plate, authoriser, observations.
QStringList FilaRegistro(const Visita& visita);
