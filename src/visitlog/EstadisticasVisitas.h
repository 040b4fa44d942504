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

// The groups of the statistic, largest count first. Visitors and authorisers
// keep the five largest counts and every row tied with the fifth; plates are
// all listed. Empty and Null values count for nothing, and texts that differ
// only in letter case (á = Á) are one group, shown as their first spelling.
QList<FilaEstadistica> CalcularEstadistica(BaseDatos& bd, Estadistica estadistica);

// The statement behind the statistic, for the benchmarks to run it with the
// sqlite3 tool too.
QString SentenciaEstadistica(Estadistica estadistica);

// The message a guard reads: one line per row, "label value TAB TAB label
// count TAB CR LF". Empty when there are no rows.
QString TextoEstadistica(const TablasIdioma& idioma, Estadistica estadistica,
                         const QList<FilaEstadistica>& filas);
