#pragma once

#include <QString>

// Creating a site's database is the administration tool's job; the program
// itself never creates tables.

struct PrimerUsuario
{
    QString sr;
    QString dw;
    QString nombre;
    QString ape1;
    QString ape2;
};

// Creates a new database file with the nine tables (the visit counts kept by triggers among them),
// the sixteen permissions, the backup counter and a first user holding every permission, its
// password stored as a hash. Refuses to
// touch an existing file, also one that another process creates meanwhile; the
// database appears complete or not at all.
bool CrearBaseDatos(const QString& ruta, const PrimerUsuario& usuario, QString* error);
