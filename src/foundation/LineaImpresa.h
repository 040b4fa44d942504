#pragma once

#include <QString>

class Impresora;

// Pieces of a printed line the listings share.

// A stored text on one printed row: a line break or TAB inside it would move
// the rest of the row off its place.
QString EnUnaLinea(QString texto);

// The page's number after its last line: label + the printer's page number.
void EscribirNumeroPagina(Impresora& impresora, int fila, const QString& etiqueta);
