#include "Supervision.h"

#include "foundation/BaseDatos.h"
#include "foundation/Configuracion.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>
#include <QThread>

#include <sqlite3.h>
#include <unistd.h>

namespace {

constexpr int kEsperaMaximaMs = 10000;

QString ErrorSqlite(sqlite3* db, const char* paso)
{
    return QStringLiteral("%1: %2").arg(QLatin1String(paso),
                                        QString::fromUtf8(db ? sqlite3_errmsg(db) : "sin memoria"));
}

// The whole copy in one step: it reads one consistent state, however busy
// the other terminals are.
bool Copiar(sqlite3* origen, sqlite3* destino, QString* error)
{
    sqlite3_backup* copia = sqlite3_backup_init(destino, "main", origen, "main");
    if (!copia) {
        *error = ErrorSqlite(destino, "backup_init");
        return false;
    }
    int rc = SQLITE_OK;
    for (int esperado = 0; esperado <= kEsperaMaximaMs; esperado += 50) {
        rc = sqlite3_backup_step(copia, -1);
        if (rc != SQLITE_BUSY && rc != SQLITE_LOCKED)
            break;
        QThread::msleep(50);
    }
    sqlite3_backup_finish(copia);
    if (rc == SQLITE_DONE)
        return true;
    *error = QStringLiteral("backup_step: %1").arg(QString::fromUtf8(sqlite3_errstr(rc)));
    return false;
}

bool Sincronizar(const QString& ruta, QString* error)
{
    QFile archivo(ruta);
    if (archivo.open(QIODevice::ReadWrite) && ::fsync(archivo.handle()) == 0)
        return true;
    *error = QStringLiteral("fsync: ") + archivo.errorString();
    return false;
}

} // namespace

TurnoRespaldo AvanzarContadorRespaldo(BaseDatos& bd, int segundos, bool puedeCopiar)
{
    BaseDatos::Transaccion transaccion(bd);
    QSqlQuery q = bd.ejecutar(
        QStringLiteral("SELECT respaldo, respaldo_cada FROM contra WHERE id_contra = 1"));
    TurnoRespaldo turno;
    if (!q.next())
        throw ErrorBD(ErrorBD::Tipo::Sentencia, QStringLiteral("falta la fila 1 de contra"),
                      bd.ruta());
    const qint64 respaldo = q.value(0).toLongLong();
    turno.respaldoCada = q.value(1).toInt();
    q.finish();
    turno.toca = puedeCopiar && respaldo >= turno.respaldoCada;
    if (turno.toca)
        bd.ejecutar(QStringLiteral("UPDATE contra SET respaldo = 0 WHERE id_contra = 1"));
    else
        bd.ejecutar(QStringLiteral("UPDATE contra SET respaldo = respaldo + ? WHERE id_contra = 1"),
                    {segundos});
    transaccion.confirmar();
    return turno;
}

void DevolverTurnoRespaldo(BaseDatos& bd, int respaldoCada)
{
    bd.ejecutar(QStringLiteral("UPDATE contra SET respaldo = ? WHERE id_contra = 1"),
                {respaldoCada});
}

QString NombreRespaldo(const QDateTime& momento, const QString& punto)
{
    return QStringLiteral("zelvora ") + momento.toString(QStringLiteral("dd-MM-yyyy HH-mm-ss")) +
           u'-' + punto + QStringLiteral(".db");
}

bool CopiarBaseDatos(const QString& origen, const QString& destino, QString* error)
{
    if (!QFileInfo(origen).isFile()) {
        *error = QStringLiteral("no existe ") + origen;
        return false;
    }
    if (QFile::exists(destino)) {
        *error = QStringLiteral("ya existe ") + destino;
        return false;
    }
    const QString parcial = destino + QStringLiteral(".parcial");
    QFile::remove(parcial);
    sqlite3* fuente = nullptr;
    sqlite3* copia = nullptr;
    bool ok = sqlite3_open_v2(QFile::encodeName(origen).constData(), &fuente, SQLITE_OPEN_READONLY,
                              nullptr) == SQLITE_OK;
    if (!ok)
        *error = ErrorSqlite(fuente, "abrir origen");
    if (ok) {
        sqlite3_busy_timeout(fuente, kEsperaMaximaMs);
        ok = sqlite3_open_v2(QFile::encodeName(parcial).constData(), &copia,
                             SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) == SQLITE_OK;
        if (!ok)
            *error = ErrorSqlite(copia, "abrir copia");
    }
    if (ok)
        ok = Copiar(fuente, copia, error);
    sqlite3_close(copia);
    sqlite3_close(fuente);
    ok = ok && Sincronizar(parcial, error);
    if (ok && !QFile::rename(parcial, destino)) {
        *error = QStringLiteral("no se pudo renombrar a ") + destino;
        ok = false;
    }
    if (!ok)
        QFile::remove(parcial);
    return ok;
}

QString TextoHorasIntervalo(int respaldoCada)
{
    const double horas = static_cast<float>(respaldoCada) / 60.0f / 60.0f;
    QString texto = QLocale::system().toString(horas, 'f', 2);
    // "24,00" reads "24", "1,50" reads "1,5": at most two decimals, no trailing zeros.
    const QChar coma = QLocale::system().decimalPoint().at(0);
    if (texto.contains(coma)) {
        while (texto.endsWith(u'0'))
            texto.chop(1);
        if (texto.endsWith(coma))
            texto.chop(1);
    }
    return texto;
}

double NumeroInicial(const QString& texto)
{
    static const QRegularExpression numero(QStringLiteral("^\\s*[-+]?\\d*(\\.\\d*)?"));
    const QString parte = numero.match(texto).captured(0).trimmed();
    return parte.toDouble();
}

AvisoTamano EvaluarTamano(qint64 bytes, const Configuracion& cfg)
{
    const double tamano = static_cast<double>(bytes);
    if (tamano >= NumeroInicial(cfg.RangoMinSizeBD) && tamano <= NumeroInicial(cfg.RangoMaxSizeBD))
        return AvisoTamano::Revisar;
    if (tamano >= NumeroInicial(cfg.MaxSizeBD))
        return AvisoTamano::Urgente;
    return AvisoTamano::Ninguno;
}
