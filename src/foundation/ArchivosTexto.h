#pragma once

#include <QByteArray>
#include <QString>

// Small text-file helpers shared by the configuration, language and event-log
// files. Files are written in UTF-8 with CR LF; a file carried over from the
// old platform (Windows-1252) is still read correctly.

QString DecodificarTexto(const QByteArray& bytes);

// The first comma- or line-delimited field, the way the old platform's field
// input read it: leading blanks skipped, a quoted value runs to the next quote
// on the same line. A value never spans lines.
QString PrimerCampo(const QString& contenido);

bool LeerArchivo(const QString& ruta, QByteArray* contenido);

// Replaces the file with one line ended by CR LF; a new name is written and
// renamed into place, so a failure never leaves half a file.
bool EscribirLineaUnica(const QString& ruta, const QString& linea, QString* error);

// Appends one line ended by CR LF in a single write, so that terminals sharing
// a folder never interleave parts of their lines. A file left ending in a
// partial line gets the line on a line of its own. The error names the file.
bool AnexarLinea(const QString& ruta, const QString& linea, QString* error);
