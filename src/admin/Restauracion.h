#pragma once

#include <QDateTime>
#include <QString>

// Brings a site back from one of its backups after the database was lost or
// spoilt. The database in use is never deleted: it is set aside under a dated
// name, with its journal files, so a wrong choice can be undone by hand.

struct Restauracion
{
    QString apartada; // the name the previous database now has; empty if there was none
};

// The name the database in rutaBD's folder is set aside under at that moment.
QString NombreApartada(const QDateTime& momento);

// Puts the SQLite backup copia in place of the database file rutaBD. The
// backup must pass the integrity and schema checks, and no other process may
// hold a lock on the database; otherwise nothing is moved and *error says why.
bool RestaurarCopia(const QString& rutaBD, const QString& copia, const QDateTime& momento,
                    Restauracion* hecho, QString* error);
