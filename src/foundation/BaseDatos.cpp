#include "BaseDatos.h"

#include <QAtomicInt>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QUrl>

#include <sqlite3.h>

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

void FuncionLike(sqlite3_context* contexto, int argc, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL)
        return sqlite3_result_null(contexto);
    // SQLite calls like(pattern, text[, escape]).
    const QString patron = TextoValor(argv[0]).toCaseFolded();
    const QString texto = TextoValor(argv[1]).toCaseFolded();
    char32_t escape = 0;
    if (argc == 3) {
        const QString e = TextoValor(argv[2]).toCaseFolded();
        if (e.size() != 1)
            return sqlite3_result_error(contexto, "ESCAPE expression must be a single character",
                                        -1);
        escape = e[0].unicode();
    }
    sqlite3_result_int(contexto, Coincide(texto, patron, escape) ? 1 : 0);
}

sqlite3* Manejador(QSqlDatabase& db)
{
    const QVariant v = db.driver()->handle();
    if (!v.isValid() || qstrcmp(v.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3* const*>(v.constData());
}

QString TextoError(const QSqlError& error)
{
    const QString texto = error.text().trimmed();
    return texto.isEmpty() ? QStringLiteral("error desconocido") : texto;
}

} // namespace

ErrorBD::ErrorBD(Tipo tipo, QString detalle, QString ruta)
    : tipo_(tipo), detalle_(std::move(detalle)), ruta_(std::move(ruta)), que_(detalle_.toUtf8())
{
}

BaseDatos::BaseDatos() : nombreConexion_(NuevoNombreConexion())
{
    QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), nombreConexion_);
}

BaseDatos::~BaseDatos()
{
    CerrarBD();
    QSqlDatabase::removeDatabase(nombreConexion_);
}

void BaseDatos::fijarRuta(const QString& rutaArchivo)
{
    if (rutaArchivo != ruta_)
        CerrarBD();
    ruta_ = rutaArchivo;
}

bool BaseDatos::abierta() const
{
    return QSqlDatabase::database(nombreConexion_, false).isOpen();
}

void BaseDatos::AbrirBD()
{
    QSqlDatabase db = QSqlDatabase::database(nombreConexion_, false);
    if (db.isOpen())
        return;
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
    if (!RegistrarComparacionTexto(db)) {
        db.close();
        throw ErrorBD(ErrorBD::Tipo::Apertura, QStringLiteral("no se pudo preparar la conexión"),
                      ruta_);
    }
}

void BaseDatos::CerrarBD()
{
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
    if (!db.isOpen())
        throw ErrorBD(ErrorBD::Tipo::Sentencia, QStringLiteral("la conexión no está abierta"),
                      ruta_);
    QSqlQuery consulta(db);
    consulta.setForwardOnly(true);
    if (!consulta.prepare(sql))
        throw ErrorBD(ErrorBD::Tipo::Sentencia, TextoError(consulta.lastError()), ruta_);
    for (const QVariant& valor : valores)
        consulta.addBindValue(valor);
    if (!consulta.exec())
        throw ErrorBD(ErrorBD::Tipo::Sentencia, TextoError(consulta.lastError()), ruta_);
    return consulta;
}

BaseDatos::Transaccion::Transaccion(BaseDatos& bd) : bd_(bd)
{
    bd_.ejecutar(QStringLiteral("BEGIN IMMEDIATE"));
}

BaseDatos::Transaccion::~Transaccion()
{
    if (!activa_ || !bd_.abierta())
        return;
    try {
        bd_.ejecutar(QStringLiteral("ROLLBACK"));
    } catch (const ErrorBD&) {
        // The connection is closed right after; SQLite rolls back then.
    }
}

void BaseDatos::Transaccion::confirmar()
{
    bd_.ejecutar(QStringLiteral("COMMIT"));
    activa_ = false;
}

QString TextoFechaBD(const QDateTime& momento)
{
    return momento.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QDateTime FechaDesdeBD(const QVariant& valor)
{
    // Read by hand: a list of thousands of visits reads one per row, and the
    // general format parser costs several times more.
    const QString texto = valor.toString();
    if (valor.isNull() || texto.size() != 19)
        return QDateTime();
    auto numero = [&texto](int desde, int largo) {
        int n = 0;
        for (int i = desde; i < desde + largo; ++i) {
            const int cifra = texto[i].digitValue();
            if (cifra < 0)
                return -1;
            n = n * 10 + cifra;
        }
        return n;
    };
    const QDate dia(numero(0, 4), numero(5, 2), numero(8, 2));
    const QTime hora(numero(11, 2), numero(14, 2), numero(17, 2));
    if (!dia.isValid() || !hora.isValid() || texto[4] != u'-' || texto[10] != u' ')
        return QDateTime();
    return QDateTime(dia, hora);
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
