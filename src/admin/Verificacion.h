#pragma once

#include <QString>
#include <QStringList>

// Whether a database or a backup of it can be trusted: what the engine's own
// check says, and whether it holds the program's tables and columns.

// "ok", or the first problem found, in one line. ruta is a SQLite file (the
// live database or a copy, opened read only), a server's dump (checked by
// pg_restore) or a server's URI (its schema).
QString VerificarBaseDatos(const QString& ruta);

// The backups in a folder, as the terminals name them, in name order.
QStringList CopiasDeSeguridad(const QString& carpeta);
