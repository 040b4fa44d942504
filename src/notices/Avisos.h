#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

class BaseDatos;

// A notice whose moment has come, with the visit it belongs to.
struct AvisoVencido
{
    int id_es = 0;
    QDateTime FechaAviso;
    QDateTime FechaEntrada;
    QString NombreVisitante;
    QString NAcomp; // as stored; empty when Null
    QString PlacaVehiculo;
    QString AutorizaIngreso;
    QString Observaciones;
};

// Due notices (moment at or before now), newest moment first. Stored moments
// are compared as they are, whatever the machine's language.
QList<AvisoVencido> AvisosVencidos(BaseDatos& bd, const QDateTime& ahora);
bool HayAvisoVencido(BaseDatos& bd, const QDateTime& ahora);

// Removes every notice of that entry.
void EliminarAvisos(BaseDatos& bd, int idEs);

// Whole minutes from the entry to now (never negative, never overflowing).
qint64 MinutosDesde(const QDateTime& entrada, const QDateTime& ahora);
