#include "Dialecto.h"

QStringList DialectoSqlite::inicioEscritura() const
{
    // IMMEDIATE takes the write lock at once, so a read-check-write inside
    // the transaction cannot interleave with another terminal's.
    return {QStringLiteral("BEGIN IMMEDIATE")};
}

QString DialectoSqlite::igualSinMayusculas(const QString& columna) const
{
    return columna + QStringLiteral(" = ? COLLATE ES_CI");
}

QString DialectoSqlite::contiene(const QString& columna) const
{
    return columna + QStringLiteral(" LIKE ? ESCAPE '\\'");
}

QString DialectoSqlite::ordenSinMayusculas(const QString& columna) const
{
    return columna + QStringLiteral(" COLLATE ES_CI");
}
