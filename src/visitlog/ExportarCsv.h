#pragma once

#include <QByteArray>
#include <QChar>
#include <QList>
#include <QString>
#include <QStringList>

// A list handed to a spreadsheet program as a CSV file.

// ';' for the Spanish interfaces, whose spreadsheets take the comma as the
// decimal separator; ',' for the English ones.
QChar SeparadorCsv(const QString& codigoIdioma);

// UTF-8 with a byte-order mark (so that a spreadsheet does not take it for the
// machine's code page), CR LF after each row. A field holding the separator,
// a quote or a line break is quoted, its quotes doubled.
QByteArray TextoCsv(const QList<QStringList>& filas, QChar separador);

// Written under a new name and renamed into place: the chosen name never
// holds half a file. The error says why it could not be written.
bool EscribirArchivoCsv(const QString& ruta, const QByteArray& contenido, QString* error);
