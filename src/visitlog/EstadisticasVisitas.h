#pragma once

#include <QList>
#include <QString>

class BaseDatos;
struct TablasIdioma;

// The three visit statistics: who visits most, who is visited most, which
// vehicle enters most.
enum class Estadistica { Visitantes, Autorizadores, Placas };

struct FilaEstadistica
{
    QString valor;
    qint64 total = 0;
};

// The plate statistic lists the most frequent plates, as many as a message
// box can show on a screen; a log of years holds hundreds of thousands.
constexpr int kLineasPlacas = 40;

struct ResultadoEstadistica
{
    QList<FilaEstadistica> filas;
    qint64 mas = 0; // plates beyond the lines shown
};

// The groups of the statistic, largest count first, read from the counts the
// database keeps (table conteos_visitas). Visitors and authorisers keep the
// five largest counts and every row tied with the fifth; plates come most
// frequent first, at most kLineasPlacas of them. Empty and Null values count
// for nothing, and texts that differ only in letter case (á = Á) are one
// group, shown as their first spelling (plates: upper case).
ResultadoEstadistica CalcularEstadistica(BaseDatos& bd, Estadistica estadistica);

// The statement behind the statistic, for the benchmarks to run it with the
// sqlite3 tool too.
QString SentenciaEstadistica(Estadistica estadistica);

// The message a guard reads: one line per row, "label value TAB TAB label
// count TAB CR LF", and a last line saying how many plates were left out.
// Empty when there are no rows.
QString TextoEstadistica(const TablasIdioma& idioma, Estadistica estadistica,
                         const ResultadoEstadistica& resultado);
