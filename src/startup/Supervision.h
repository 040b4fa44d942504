#pragma once

#include "foundation/BaseDatos.h"

#include <QDateTime>
#include <QString>

#include <optional>

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

// What one minute asks of the database. It runs off the interface thread, on
// a connection of its own, so a terminal writing without pause never freezes
// the guard's window.
struct PedidoTick
{
    QString rutaBD;
    bool respaldo = false;            // the backup chore is on
    int segundos = 0;                 // to add to the shared counter
    bool puedeCopiar = true;          // false while this terminal's previous copy runs
    std::optional<int> devolverTurno; // a failed copy's interval not yet put back
    bool avisos = false;              // the notices chore is on
    QDateTime ahora;
};

struct ResultadoTick
{
    bool contadorHecho = false; // the counter took the seconds (or the claim)
    TurnoRespaldo turno;
    bool turnoDevuelto = false;
    bool avisosLeidos = false;
    bool hayVencidos = false;
    std::optional<ErrorBD> error; // the first failure; the chores after it still ran
};

ResultadoTick TrabajoTick(const PedidoTick& pedido);

// "zelvora dd-mm-yyyy hh-mm-ss-PUNTO.db"; a server's dump ends in ".dump".
QString NombreRespaldo(const QDateTime& momento, const QString& punto, bool servidor = false);

// A consistent copy of the live database through SQLite's own backup, into a
// temporary name that is flushed to disk and only then renamed to the final
// one: a half-written copy never carries a backup's name. Blocking; safe to
// run off the interface thread.
// A server's database (origen a URI) is dumped by pg_dump in its custom
// format instead, through the same temporary name.
bool CopiarBaseDatos(const QString& origen, const QString& destino, QString* error);

// This machine's pg_dump, or empty when it is not installed (then the
// server's own backups are the site's backups).
QString ProgramaVolcado();

// The database's size in bytes: its file's, or what the server reports for
// it. Throws ErrorBD when it cannot be known.
qint64 TamanoBaseDatos(BaseDatos& bd);

// Removes the temporary files of this control point's copies that were cut
// off (untouched since antesDe); returns how many.
int BorrarCopiasInterrumpidas(const QString& carpeta, const QString& punto,
                              const QDateTime& antesDe);

// The interval in hours as the box shows it: at most two decimals, with the
// machine's decimal separator.
QString TextoHorasIntervalo(int respaldoCada);

// The leading number of a text ("1500 bytes" is 1500, "" is 0).
double NumeroInicial(const QString& texto);

enum class AvisoTamano { Ninguno, Revisar, Urgente };
// Review range [min, max] first, then urgent from MaxSizeBD on.
AvisoTamano EvaluarTamano(qint64 bytes, const Configuracion& cfg);
