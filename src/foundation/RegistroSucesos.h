#pragma once

#include <QDateTime>
#include <QString>

// The daily event log of a terminal: folder "sucesos" beside the database,
// one file per day and control point, lines of eight ";"-separated fields.

inline const QString kPuntoProblema = QStringLiteral("PROBLEMACFG");

struct AutorSuceso
{
    QString punto;
    QString usuario;
    QString nombre;
    QString ape1;
    QString ape2;
};

QString NombreArchivoSucesos(const QDate& dia, const QString& punto);
QString LineaSuceso(const QDateTime& momento, const AutorSuceso& autor, const QString& texto);

// Appends one line to the day's file, creating the folder when missing.
// Returns false (with the reason) when the line could not be written.
bool AnexarSuceso(const QString& carpetaDatos, const QDateTime& momento, const AutorSuceso& autor,
                  const QString& texto, QString* error);
