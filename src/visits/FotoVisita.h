#pragma once

#include <QDateTime>
#include <QString>

// The pictures folder under the database folder.
QString CarpetaFotos(const QString& carpetaDatos);

// "yyyy-mm-dd hh-mm-ss-POINT- NAME.bmp": the moment, the terminal and the
// visitor as typed, so that a picture and its entry can be matched. Characters
// a file name cannot hold (separators, control characters, and those a
// Windows share refuses) become "_", so that no name makes the save fail.
QString NombreFotoVisita(const QDateTime& momento, const QString& punto, const QString& nombre);

// The path in carpeta for that name, or, when a picture already holds it (two
// in the same second), the same name with " (2)", " (3)"... before ".bmp".
QString RutaFotoLibre(const QString& carpeta, const QString& nombreArchivo);
