#include "Supervision.h"

#include "foundation/ArchivosTexto.h"

#include "foundation/BaseDatos.h"
#include "foundation/Configuracion.h"
#include "notices/Avisos.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QProcess>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QThread>

#include <algorithm>
#include <sqlite3.h>
#include <unistd.h>

namespace {

constexpr int kEsperaMaximaMs = 10000;
// The rollback journal's copy holds the read lock one step at a time; other
// terminals write in the pauses. A step never holds it longer than this.
constexpr qint64 kPasoMaximoMs = 500;
constexpr int kPausaMs = 20;
constexpr int kReiniciosMaximos = 8;

QString ErrorSqlite(sqlite3* db, const char* paso)
{
    return QStringLiteral("%1: %2").arg(QLatin1String(paso),
                                        QString::fromUtf8(db ? sqlite3_errmsg(db) : "sin memoria"));
}

QString Modo(sqlite3* db)
{
    QString modo;
    sqlite3_stmt* sentencia = nullptr;
    if (sqlite3_prepare_v2(db, "PRAGMA journal_mode", -1, &sentencia, nullptr) == SQLITE_OK &&
        sqlite3_step(sentencia) == SQLITE_ROW)
        modo = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(sentencia, 0)));
    sqlite3_finalize(sentencia);
    return modo.toLower();
}

// One step of the backup, waiting while another terminal holds the lock.
int Paso(sqlite3_backup* copia, int paginas)
{
    int rc = SQLITE_OK;
    for (int esperado = 0; esperado <= kEsperaMaximaMs; esperado += 50) {
        rc = sqlite3_backup_step(copia, paginas);
        if (rc != SQLITE_BUSY && rc != SQLITE_LOCKED)
            break;
        QThread::msleep(50);
    }
    return rc;
}

// Write-ahead log: one step reads one snapshot while the others go on writing.
// Rollback journal: short steps with pauses between them, so that no writer
// waits long; a write by another terminal restarts the copy, so the steps grow
// after each restart (never past kPasoMaximoMs) and a copy that cannot finish
// among constant writes is reported instead of blocking them.
int Copiar(sqlite3_backup* copia, bool instantanea, QString* motivo)
{
    if (instantanea)
        return Paso(copia, -1);
    int paginas = 256;
    int reinicios = 0;
    int quedaban = -1;
    QElapsedTimer reloj;
    for (;;) {
        reloj.start();
        const int rc = Paso(copia, paginas);
        if (rc != SQLITE_OK)
            return rc;
        const qint64 ms = qMax<qint64>(1, reloj.elapsed());
        const int quedan = sqlite3_backup_remaining(copia);
        if (quedaban >= 0 && quedan >= quedaban && ++reinicios > kReiniciosMaximos) {
            *motivo = QStringLiteral("la base de datos cambia sin pausa; la copia no terminó");
            return SQLITE_BUSY;
        }
        if (quedaban >= 0 && quedan >= quedaban)
            paginas =
                static_cast<int>(qMin<qint64>(qint64(paginas) * 4, paginas * kPasoMaximoMs / ms));
        quedaban = quedan;
        QThread::msleep(kPausaMs);
    }
}

bool CopiarConexiones(sqlite3* origen, sqlite3* destino, QString* error)
{
    const bool instantanea = Modo(origen) == u"wal";
    sqlite3_backup* copia = sqlite3_backup_init(destino, "main", origen, "main");
    if (!copia) {
        *error = ErrorSqlite(destino, "backup_init");
        return false;
    }
    QString motivo;
    const int rc = Copiar(copia, instantanea, &motivo);
    sqlite3_backup_finish(copia);
    if (rc != SQLITE_DONE) {
        *error = motivo.isEmpty()
                     ? QStringLiteral("backup_step: %1").arg(QString::fromUtf8(sqlite3_errstr(rc)))
                     : motivo;
        return false;
    }
    // A backup is one self-contained file, whatever journal the live one uses.
    if (sqlite3_exec(destino, "PRAGMA journal_mode = DELETE", nullptr, nullptr, nullptr) !=
        SQLITE_OK) {
        *error = ErrorSqlite(destino, "journal_mode");
        return false;
    }
    return true;
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

ResultadoTick TrabajoTick(const PedidoTick& pedido)
{
    ResultadoTick resultado;
    BaseDatos bd;
    bd.fijarRuta(pedido.rutaBD);
    auto anotar = [&resultado](const ErrorBD& error) {
        if (!resultado.error)
            resultado.error = error;
    };
    if (pedido.devolverTurno) {
        try {
            SesionBD sesion(bd);
            DevolverTurnoRespaldo(bd, *pedido.devolverTurno);
            resultado.turnoDevuelto = true;
        } catch (const ErrorBD& error) {
            anotar(error);
        }
    }
    if (pedido.respaldo && (resultado.turnoDevuelto || !pedido.devolverTurno)) {
        try {
            SesionBD sesion(bd);
            resultado.turno = AvanzarContadorRespaldo(bd, pedido.segundos, pedido.puedeCopiar);
            resultado.contadorHecho = true;
        } catch (const ErrorBD& error) {
            anotar(error);
        }
    }
    if (pedido.avisos) {
        try {
            SesionBD sesion(bd);
            resultado.hayVencidos = HayAvisoVencido(bd, pedido.ahora);
            resultado.avisosLeidos = true;
        } catch (const ErrorBD& error) {
            anotar(error);
        }
    }
    return resultado;
}

QString NombreRespaldo(const QDateTime& momento, const QString& punto, bool servidor)
{
    return QStringLiteral("zelvora ") + TextoFechaRespaldo(momento) + u'-' + punto +
           (servidor ? QStringLiteral(".dump") : QStringLiteral(".db"));
}

QString ProgramaVolcado()
{
    const QString enRuta = QStandardPaths::findExecutable(QStringLiteral("pg_dump"));
    if (!enRuta.isEmpty())
        return enRuta;
    // The server package alone installs it only under its version's folder.
    QStringList versiones =
        QDir(QStringLiteral("/usr/lib/postgresql")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    std::sort(versiones.begin(), versiones.end(),
              [](const QString& a, const QString& b) { return a.toInt() > b.toInt(); });
    for (const QString& version : versiones) {
        const QString programa = QStringLiteral("/usr/lib/postgresql/%1/bin/pg_dump").arg(version);
        if (QFileInfo(programa).isExecutable())
            return programa;
    }
    return QString();
}

qint64 TamanoBaseDatos(BaseDatos& bd)
{
    if (!bd.enServidor()) {
        const QFileInfo archivo(bd.ruta());
        if (!archivo.isFile())
            throw ErrorBD(ErrorBD::Tipo::NoExiste, QStringLiteral("no existe el archivo"),
                          bd.ruta());
        return archivo.size();
    }
    SesionBD sesion(bd);
    QSqlQuery q = bd.ejecutar(QStringLiteral("SELECT pg_database_size(current_database())"));
    if (!q.next())
        throw ErrorBD(ErrorBD::Tipo::Sentencia, QStringLiteral("sin tamaño"), bd.ruta());
    return q.value(0).toLongLong();
}

namespace {

// pg_dump writes the whole database as one consistent snapshot; the other
// terminals go on writing meanwhile.
bool VolcarServidor(const QString& uri, const QString& parcial, QString* error)
{
    const QString programa = ProgramaVolcado();
    if (programa.isEmpty()) {
        *error = QStringLiteral("pg_dump no está instalado");
        return false;
    }
    QProcess volcado;
    volcado.setProcessChannelMode(QProcess::SeparateChannels);
    volcado.start(programa, {QStringLiteral("--format=custom"), QStringLiteral("--file=") + parcial,
                             QStringLiteral("--dbname=") + uri});
    constexpr int kVolcadoMaximoMs = 30 * 60 * 1000;
    if (!volcado.waitForFinished(kVolcadoMaximoMs)) {
        volcado.kill();
        volcado.waitForFinished();
        *error = QStringLiteral("pg_dump: ") + volcado.errorString();
        return false;
    }
    if (volcado.exitStatus() != QProcess::NormalExit || volcado.exitCode() != 0) {
        *error = QStringLiteral("pg_dump: ") +
                 QString::fromLocal8Bit(volcado.readAllStandardError()).trimmed();
        return false;
    }
    return true;
}

} // namespace

bool CopiarBaseDatos(const QString& origen, const QString& destino, QString* error)
{
    if (EsUriPostgres(origen)) {
        if (QFile::exists(destino)) {
            *error = QStringLiteral("ya existe ") + destino;
            return false;
        }
        const QString parcial = destino + QStringLiteral(".parcial");
        QFile::remove(parcial);
        bool ok = CrearArchivoConModo(parcial, kModoPrivado, error) &&
                  VolcarServidor(origen, parcial, error) && Sincronizar(parcial, error);
        if (ok && !QFile::rename(parcial, destino)) {
            *error = QStringLiteral("no se pudo renombrar a ") + destino;
            ok = false;
        }
        if (!ok)
            QFile::remove(parcial);
        return ok;
    }
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
    // Read-write, never created: a terminal killed in the middle of a write
    // leaves a journal that only a writer may roll back before reading.
    // The copy is made empty first, so it is never readable by other accounts.
    if (!CrearArchivoConModo(parcial, kModoPrivado, error))
        return false;
    bool ok = sqlite3_open_v2(QFile::encodeName(origen).constData(), &fuente, SQLITE_OPEN_READWRITE,
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
        ok = CopiarConexiones(fuente, copia, error);
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

int BorrarCopiasInterrumpidas(const QString& carpeta, const QString& punto,
                              const QDateTime& antesDe)
{
    // Only this control point's: another terminal may be writing its own
    // copy right now. A copy in progress writes at every step; one left
    // alone since before antesDe was cut off by the end of its program.
    QDir dir(carpeta);
    int borradas = 0;
    const QString final = u'-' + punto + QStringLiteral(".db.parcial");
    const QString volcado = u'-' + punto + QStringLiteral(".dump.parcial");
    for (const QFileInfo& archivo : dir.entryInfoList({QStringLiteral("*.parcial")}, QDir::Files))
        if (archivo.fileName().startsWith(QStringLiteral("zelvora ")) &&
            (archivo.fileName().endsWith(final) || archivo.fileName().endsWith(volcado)) &&
            archivo.lastModified() < antesDe && QFile::remove(archivo.filePath()))
            ++borradas;
    return borradas;
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
