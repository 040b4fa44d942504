#pragma once

#include <QDateTime>
#include <QString>

class BaseDatos;
struct Configuracion;

// The once-a-minute chores of the main window: the shared backup counter,
// the backup copy itself, and the database size check.

struct TurnoRespaldo
{
    bool toca = false;    // this terminal makes the copy now
    int respaldoCada = 0; // the interval, in seconds
};

// Advances the counter shared by all terminals, or claims the backup when the
// interval has passed (and sets the counter back to 0). One transaction, so two
// terminals never both claim one interval and no terminal's minute is lost.
// A terminal still busy with its previous copy only adds its minute.
TurnoRespaldo AvanzarContadorRespaldo(BaseDatos& bd, int segundos, bool puedeCopiar = true);

// After a failed copy: the counter stands at the interval, so the next tick tries again.
void DevolverTurnoRespaldo(BaseDatos& bd, int respaldoCada);

// "zelvora dd-mm-yyyy hh-mm-ss-PUNTO.db"
QString NombreRespaldo(const QDateTime& momento, const QString& punto);

// A consistent copy of the live database through SQLite's own backup, into a
// temporary name that is flushed to disk and only then renamed to the final
// one: a half-written copy never carries a backup's name. Blocking; safe to
// run off the interface thread.
bool CopiarBaseDatos(const QString& origen, const QString& destino, QString* error);

// The interval in hours as the box shows it: at most two decimals, with the
// machine's decimal separator.
QString TextoHorasIntervalo(int respaldoCada);

// The leading number of a text ("1500 bytes" is 1500, "" is 0).
double NumeroInicial(const QString& texto);

enum class AvisoTamano { Ninguno, Revisar, Urgente };
// Review range [min, max] first, then urgent from MaxSizeBD on.
AvisoTamano EvaluarTamano(qint64 bytes, const Configuracion& cfg);
