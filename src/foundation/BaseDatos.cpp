#include "BaseDatos.h"

#include "Configuracion.h"

#include <QAtomicInt>
#include <QFile>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlRecord>
#include <QUrl>
#include <QUrlQuery>

#include <memory>
#include <sqlite3.h>
#include <sys/vfs.h>

namespace {

QString NuevoNombreConexion()
{
    static QAtomicInt contador;
    return QStringLiteral("zelvora-%1").arg(contador.fetchAndAddRelaxed(1));
}

QStringView Vista(const void* datos, int bytes)
{
    return QStringView(static_cast<const char16_t*>(datos), bytes / 2);
}

int CompararSinMayusculas(void*, int n1, const void* s1, int n2, const void* s2)
{
    return Vista(s1, n1).compare(Vista(s2, n2), Qt::CaseInsensitive);
}

// LIKE with % and _ over case-folded text, with an optional escape character.
bool Coincide(QStringView texto, QStringView patron, char32_t escape)
{
    qsizetype t = 0, p = 0, marcaT = -1, marcaP = -1;
    while (t < texto.size()) {
        if (p < patron.size()) {
            const QChar c = patron[p];
            if (escape && c.unicode() == escape && p + 1 < patron.size()) {
                if (patron[p + 1] == texto[t]) {
                    p += 2;
                    ++t;
                    continue;
                }
            } else if (c == u'%') {
                marcaP = ++p;
                marcaT = t;
                continue;
            } else if (c == u'_' || c == texto[t]) {
                ++p;
                ++t;
                continue;
            }
        }
        if (marcaP < 0)
            return false;
        p = marcaP;
        t = ++marcaT;
    }
    while (p < patron.size() && patron[p] == u'%')
        ++p;
    return p == patron.size();
}

QString TextoValor(sqlite3_value* valor)
{
    const void* datos = sqlite3_value_text16(valor);
    return datos ? Vista(datos, sqlite3_value_bytes16(valor)).toString() : QString();
}

// Case folding as QString::toCaseFolded does it, into a buffer kept between
// rows: a search over a whole table folds one text a row, and allocating two
// strings for each was most of its cost.
void Plegar(QStringView texto, QString* destino)
{
    destino->resize(texto.size());
    char16_t* d = reinterpret_cast<char16_t*>(destino->data());
    for (qsizetype i = 0; i < texto.size(); ++i) {
        const char16_t c = texto[i].unicode();
        if (c < 0x80) {
            d[i] = c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c;
        } else if (QChar::isHighSurrogate(c) && i + 1 < texto.size() &&
                   QChar::isLowSurrogate(texto[i + 1].unicode())) {
            const char32_t plegado =
                QChar::toCaseFolded(QChar::surrogateToUcs4(c, texto[i + 1].unicode()));
            d[i] = QChar::highSurrogate(plegado);
            d[++i] = QChar::lowSurrogate(plegado);
        } else {
            d[i] = char16_t(QChar::toCaseFolded(char32_t(c)));
        }
    }
}

// What stays the same for every row of one statement: the folded pattern
// and escape character, and the buffer the rows' texts are folded into.
struct PatronLike
{
    QString patron;
    char32_t escape = 0;
    QString texto;
};

void FuncionLike(sqlite3_context* contexto, int argc, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL)
        return sqlite3_result_null(contexto);
    // SQLite calls like(pattern, text[, escape]), and keeps what is attached
    // to a constant pattern (a literal or a bound value) for the whole run.
    auto* guardado = static_cast<PatronLike*>(sqlite3_get_auxdata(contexto, 0));
    std::unique_ptr<PatronLike> nuevo;
    if (!guardado) {
        nuevo = std::make_unique<PatronLike>();
        nuevo->patron = TextoValor(argv[0]).toCaseFolded();
        if (argc == 3) {
            const QString e = TextoValor(argv[2]).toCaseFolded();
            if (e.size() != 1)
                return sqlite3_result_error(contexto,
                                            "ESCAPE expression must be a single character", -1);
            nuevo->escape = e[0].unicode();
        }
        guardado = nuevo.get();
    }
    const void* datos = sqlite3_value_text16(argv[1]);
    Plegar(Vista(datos, sqlite3_value_bytes16(argv[1])), &guardado->texto);
    sqlite3_result_int(contexto,
                       Coincide(guardado->texto, guardado->patron, guardado->escape) ? 1 : 0);
    // Last: SQLite may free it at once when the pattern is not constant.
    if (nuevo)
        sqlite3_set_auxdata(contexto, 0, nuevo.release(),
                            [](void* p) { delete static_cast<PatronLike*>(p); });
}

// Waiting for another terminal's lock. SQLite's own handler sleeps up to
// 100 ms between tries, so among several busy writers one that keeps losing
// the race can wait seconds while the lock is free most of the time; short,
// even sleeps keep the waits fair. The total stays bounded by the timeout.
int EsperarBloqueo(void*, int intentos)
{
    constexpr int kCortos = 200; // 1 ms each, then 5 ms each
    const qint64 esperado = intentos < kCortos ? intentos : kCortos + 5LL * (intentos - kCortos);
    if (esperado >= BaseDatos::kEsperaBloqueoMs)
        return 0;
    sqlite3_sleep(intentos < kCortos ? 1 : 5);
    return 1;
}

sqlite3* Manejador(QSqlDatabase& db)
{
    const QVariant v = db.driver()->handle();
    if (!v.isValid() || qstrcmp(v.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3* const*>(v.constData());
}

bool EsperarConReparto(QSqlDatabase& db)
{
    sqlite3* manejador = Manejador(db);
    return manejador && sqlite3_busy_handler(manejador, EsperarBloqueo, nullptr) == SQLITE_OK;
}

QString TextoError(const QSqlError& error)
{
    const QString texto = error.text().trimmed();
    return texto.isEmpty() ? QStringLiteral("error desconocido") : texto;
}

QString Controlador(bool servidor)
{
    return servidor ? QStringLiteral("QPSQL") : QStringLiteral("QSQLITE");
}

// A libpq parameter value, quoted as its connection strings quote.
QString ValorLibpq(const QString& valor)
{
    QString v = valor;
    v.replace(u'\\', QLatin1String("\\\\")).replace(u'\'', QLatin1String("\\'"));
    return u'\'' + v + u'\'';
}

} // namespace

bool InterpretarUriPostgres(const QString& uri, DestinoServidor* destino, QString* motivo)
{
    const QUrl url(uri, QUrl::StrictMode);
    if (!url.isValid() || !EsUriPostgres(uri)) {
        *motivo = QStringLiteral("la URI del servidor no es válida");
        return false;
    }
    if (!url.password().isEmpty()) {
        *motivo = QStringLiteral("la URI del servidor no debe llevar la clave (va en ~/.pgpass o "
                                 "PGPASSWORD)");
        return false;
    }
    DestinoServidor d;
    d.servidor = url.host(QUrl::FullyDecoded);
    d.puerto = url.port(-1);
    d.base = url.path(QUrl::FullyDecoded).mid(1);
    d.usuario = url.userName(QUrl::FullyDecoded);
    QStringList opciones;
    const QUrlQuery consulta(url);
    for (const auto& [clave, valor] : consulta.queryItems(QUrl::FullyDecoded)) {
        if (clave == u"host") {
            d.servidor = valor;
        } else if (clave == u"port") {
            bool numero = false;
            d.puerto = valor.toInt(&numero);
            if (!numero) {
                *motivo = QStringLiteral("la URI del servidor no es válida");
                return false;
            }
        } else if (clave == u"password") {
            *motivo = QStringLiteral("la URI del servidor no debe llevar la clave (va en "
                                     "~/.pgpass o PGPASSWORD)");
            return false;
        } else if (clave == u"dbname") {
            d.base = valor;
        } else if (clave == u"user") {
            d.usuario = valor;
        } else {
            opciones << clave + u'=' + ValorLibpq(valor);
        }
    }
    d.opciones = opciones.join(u';');
    *destino = d;
    return true;
}

ErrorBD::ErrorBD(Tipo tipo, QString detalle, QString ruta, bool ocupada)
    : tipo_(tipo), detalle_(std::move(detalle)), ruta_(std::move(ruta)), ocupada_(ocupada),
      que_(detalle_.toUtf8())
{
}

BaseDatos::BaseDatos()
    : dialecto_(std::make_unique<DialectoSqlite>()), nombreConexion_(NuevoNombreConexion())
{
    QSqlDatabase::addDatabase(Controlador(false), nombreConexion_);
}

BaseDatos::~BaseDatos()
{
    cerrarConexion();
    QSqlDatabase::removeDatabase(nombreConexion_);
}

void BaseDatos::fijarRuta(const QString& rutaArchivo)
{
    if (rutaArchivo == ruta_)
        return;
    cerrarConexion();
    diarioRevisado_ = false;
    ruta_ = rutaArchivo;
    const bool servidor = EsUriPostgres(rutaArchivo);
    if (servidor == enServidor_)
        return;
    enServidor_ = servidor;
    QSqlDatabase::removeDatabase(nombreConexion_);
    QSqlDatabase::addDatabase(Controlador(servidor), nombreConexion_);
    if (servidor)
        dialecto_ = std::make_unique<DialectoPostgres>();
    else
        dialecto_ = std::make_unique<DialectoSqlite>();
}

bool BaseDatos::abierta() const
{
    return enUso_;
}

void BaseDatos::AbrirBD()
{
    if (enUso_)
        return;
    QSqlDatabase db = QSqlDatabase::database(nombreConexion_, false);
    // A server's connection kept from the last action is used again while it
    // answers; one the server or the network dropped is opened anew.
    if (db.isOpen() && !QSqlQuery(db).exec(QStringLiteral("SELECT 1")))
        db.close();
    if (!db.isOpen()) {
        if (enServidor_)
            abrirServidor(db);
        else
            abrirArchivo(db);
    }
    enUso_ = true;
}

void BaseDatos::abrirServidor(QSqlDatabase& db)
{
    DestinoServidor destino;
    QString motivo;
    if (!InterpretarUriPostgres(ruta_, &destino, &motivo))
        throw ErrorBD(ErrorBD::Tipo::Apertura, motivo, ruta_);
    db.setHostName(destino.servidor);
    db.setPort(destino.puerto);
    db.setDatabaseName(destino.base);
    db.setUserName(destino.usuario);
    // A lock another terminal holds is waited for as long as on a file.
    QStringList opciones{QStringLiteral("connect_timeout=10"),
                         QStringLiteral("options='-c lock_timeout=%1'").arg(kEsperaBloqueoMs)};
    if (!destino.opciones.isEmpty())
        opciones << destino.opciones;
    db.setConnectOptions(opciones.join(u';'));
    if (!db.open())
        throw ErrorBD(ErrorBD::Tipo::Apertura, TextoError(db.lastError()), ruta_);
}

void BaseDatos::abrirArchivo(QSqlDatabase& db)
{
    if (!QFileInfo(ruta_).isFile())
        throw ErrorBD(ErrorBD::Tipo::NoExiste, QStringLiteral("no existe el archivo"), ruta_);
    // A URI with mode=rw never creates the file; building it with QUrl keeps a
    // path holding '#', '?' or '%' from naming another file.
    QUrl url = QUrl::fromLocalFile(ruta_);
    url.setQuery(QStringLiteral("mode=rw"));
    db.setDatabaseName(url.toString(QUrl::FullyEncoded));
    db.setConnectOptions(
        QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=%1").arg(kEsperaBloqueoMs));
    if (!db.open())
        throw ErrorBD(ErrorBD::Tipo::Apertura, TextoError(db.lastError()), ruta_);
    if (!RegistrarComparacionTexto(db) || !EsperarConReparto(db)) {
        db.close();
        throw ErrorBD(ErrorBD::Tipo::Apertura, QStringLiteral("no se pudo preparar la conexión"),
                      ruta_);
    }
    if (!diarioRevisado_)
        revisarDiario(db);
}

void BaseDatos::revisarDiario(QSqlDatabase& db)
{
    // Once per run and file: the folder does not move between two actions. A
    // switch refused while another terminal works is tried again at the next open.
    const bool enRed = CarpetaEnRed(QFileInfo(ruta_).absolutePath());
    if (enRed && ModoDiario(db) == u"wal")
        ElegirDiario(db, true);
    diarioRevisado_ = !enRed || ModoDiario(db) != u"wal";
}

void BaseDatos::CerrarBD()
{
    enUso_ = false;
    // A file is let go, for other terminals and the backup. A server's
    // connection holds no lock between actions and costs milliseconds to
    // open, so it is kept, unless a transaction was left open on it
    // (closing rolls it back).
    if (!enServidor_ || enTransaccion_)
        cerrarConexion();
}

void BaseDatos::cerrarConexion()
{
    enUso_ = false;
    enTransaccion_ = false;
    QSqlDatabase db = QSqlDatabase::database(nombreConexion_, false);
    if (db.isOpen())
        db.close();
}

QSqlQuery BaseDatos::ejecutar(const QString& sql, std::initializer_list<QVariant> valores)
{
    return ejecutar(sql, QVariantList(valores));
}

QSqlQuery BaseDatos::ejecutar(const QString& sql, const QVariantList& valores)
{
    QSqlDatabase db = QSqlDatabase::database(nombreConexion_, false);
    if (!enUso_ || !db.isOpen())
        throw ErrorBD(ErrorBD::Tipo::Sentencia, QStringLiteral("la conexión no está abierta"),
                      ruta_);
    QSqlQuery consulta(db);
    // The server's driver, reading forward only, drops the rows of a result
    // not read to the end when the next statement runs; read whole, nothing is lost.
    consulta.setForwardOnly(!enServidor_);
    // The server prepares only queries and data changes: a statement without
    // values (BEGIN, CREATE ...) runs as it stands.
    if (enServidor_ && valores.isEmpty()) {
        if (!consulta.exec(sql))
            throw errorSentencia(consulta.lastError());
        return consulta;
    }
    if (!consulta.prepare(sql))
        throw errorSentencia(consulta.lastError());
    for (const QVariant& valor : valores)
        consulta.addBindValue(valor);
    if (!consulta.exec())
        throw errorSentencia(consulta.lastError());
    return consulta;
}

ErrorBD BaseDatos::errorSentencia(const QSqlError& error) const
{
    return ErrorBD(ErrorBD::Tipo::Sentencia, TextoError(error), ruta_,
                   dialecto_->ocupada(error.nativeErrorCode()));
}

QStringList BaseDatos::tablas()
{
    QSqlDatabase db = QSqlDatabase::database(nombreConexion_, false);
    if (!enUso_ || !db.isOpen())
        throw ErrorBD(ErrorBD::Tipo::Sentencia, QStringLiteral("la conexión no está abierta"),
                      ruta_);
    return db.tables();
}

QStringList BaseDatos::columnas(const QString& tabla)
{
    QSqlDatabase db = QSqlDatabase::database(nombreConexion_, false);
    if (!enUso_ || !db.isOpen())
        throw ErrorBD(ErrorBD::Tipo::Sentencia, QStringLiteral("la conexión no está abierta"),
                      ruta_);
    const QSqlRecord registro = db.record(enServidor_ ? tabla.toLower() : tabla);
    QStringList nombres;
    for (int i = 0; i < registro.count(); ++i)
        nombres << registro.fieldName(i);
    return nombres;
}

BaseDatos::Transaccion::Transaccion(BaseDatos& bd) : bd_(bd)
{
    // Nothing is written yet, so a wait that ran out is simply waited again
    // once: among several busy terminals (worst on a shared folder) the guard
    // would rather wait a little longer than lose the action.
    const QStringList inicio = bd_.dialecto().inicioEscritura();
    // Until it ends well, the connection is not kept for another action.
    bd_.enTransaccion_ = true;
    try {
        for (const QString& sentencia : inicio)
            bd_.ejecutar(sentencia);
    } catch (const ErrorBD& error) {
        if (!error.ocupada())
            throw;
        // A server keeps the failed transaction open until it is rolled back.
        try {
            bd_.ejecutar(QStringLiteral("ROLLBACK"));
        } catch (const ErrorBD&) {
            // A file has no transaction to roll back here.
        }
        for (const QString& sentencia : inicio)
            bd_.ejecutar(sentencia);
    }
}

BaseDatos::Transaccion::~Transaccion()
{
    if (!activa_ || !bd_.abierta())
        return;
    try {
        bd_.ejecutar(QStringLiteral("ROLLBACK"));
        bd_.enTransaccion_ = false;
    } catch (const ErrorBD&) {
        // The connection is closed right after, which rolls back.
    }
}

void BaseDatos::Transaccion::confirmar()
{
    bd_.ejecutar(QStringLiteral("COMMIT"));
    activa_ = false;
    bd_.enTransaccion_ = false;
}

bool RegistrarComparacionTexto(QSqlDatabase& db)
{
    sqlite3* manejador = Manejador(db);
    if (!manejador)
        return false;
    const int texto = SQLITE_UTF16 | SQLITE_DETERMINISTIC;
    return sqlite3_create_collation_v2(manejador, "ES_CI", SQLITE_UTF16, nullptr,
                                       CompararSinMayusculas, nullptr) == SQLITE_OK &&
           sqlite3_create_function(manejador, "like", 2, texto, nullptr, FuncionLike, nullptr,
                                   nullptr) == SQLITE_OK &&
           sqlite3_create_function(manejador, "like", 3, texto, nullptr, FuncionLike, nullptr,
                                   nullptr) == SQLITE_OK;
}

bool EsSistemaArchivosEnRed(qint64 tipo)
{
    // linux/magic.h: NFS, SMB, CIFS, SMB2, 9P, Ceph, AFS, kAFS, Coda, NCP,
    // GFS2, OCFS2, Lustre, and FUSE (sshfs and the like; a local FUSE disk
    // only loses the faster journal).
    static const qint64 kEnRed[] = {0x6969,     0x517B,     0xFF534D42, 0xFE534D42, 0x01021997,
                                    0x00C36400, 0x5346414F, 0x6B414653, 0x73757245, 0x564C,
                                    0x01161970, 0x7461636F, 0x0BD00BD0, 0x65735546};
    for (const qint64 enRed : kEnRed)
        if ((tipo & 0xFFFFFFFF) == enRed)
            return true;
    return false;
}

bool CarpetaEnRed(const QString& carpeta)
{
    struct statfs datos = {};
    if (::statfs(QFile::encodeName(carpeta).constData(), &datos) != 0)
        return true; // unknown: the journal that is safe everywhere
    return EsSistemaArchivosEnRed(static_cast<qint64>(datos.f_type));
}

QString ModoDiario(QSqlDatabase& db)
{
    QSqlQuery q(db);
    return q.exec(QStringLiteral("PRAGMA journal_mode")) && q.next() ? q.value(0).toString()
                                                                     : QString();
}

void ElegirDiario(QSqlDatabase& db, bool enRed)
{
    QSqlQuery q(db);
    q.exec(enRed ? QStringLiteral("PRAGMA journal_mode = DELETE")
                 : QStringLiteral("PRAGMA journal_mode = WAL"));
    q.finish();
}
