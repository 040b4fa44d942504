#pragma once

#include <QList>
#include <QString>

// Moving a site's whole data between engines: from its SQLite file to the
// PostgreSQL database of a site with several PCs, or back.

struct FilasTabla
{
    QString tabla;
    qint64 filas = 0;
};

// Copies every row of the database at desde (a file path or a server URI)
// into a new database at hacia, which gets the same schema; keys, password
// hashes and dates are copied as stored, and the visit counts are rebuilt by
// the new database's own triggers. desde is read as one moment, so the
// terminals may keep working, though what they write meanwhile is not
// copied. The new database is kept only when every table, the counts
// included, holds as many rows as the original: otherwise nothing is left
// at hacia. hacia must not hold the tables yet (a new file, or an empty
// server database). Fills conteos, table by table, on success.
bool CopiarSitio(const QString& desde, const QString& hacia, QList<FilasTabla>* conteos,
                 QString* error);
