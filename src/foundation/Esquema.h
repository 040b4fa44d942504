#pragma once

#include <QString>

#include <functional>

class BaseDatos;

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

// What goes into a new database once its tables exist, inside the same
// transaction; it throws ErrorBD to leave nothing behind.
using ContenidoBaseDatos = std::function<void(BaseDatos&)>;
// The tables alone, then contenido: a new file (as above) or, for a server
// URI, an empty database of the server, refused when it holds the tables.
bool CrearBaseDatosCon(const QString& ruta, const ContenidoBaseDatos& contenido, QString* error);
