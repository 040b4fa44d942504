#pragma once

#include "Dialecto.h"
#include "FechasTexto.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>

#include <exception>
#include <initializer_list>
#include <memory>

// A failed open or statement. The window that ran the action shows it and
// writes it to the event log; the program goes on.
class ErrorBD : public std::exception
{
public:
    enum class Tipo { NoExiste, Apertura, Sentencia };
    ErrorBD(Tipo tipo, QString detalle, QString ruta = QString(), bool ocupada = false);

    Tipo tipo() const { return tipo_; }
    // Another terminal held the database past the wait: worth trying again later.
    bool ocupada() const { return ocupada_; }
    const QString& detalle() const { return detalle_; }
    const QString& ruta() const { return ruta_; }
    const char* what() const noexcept override { return que_.constData(); }

private:
    Tipo tipo_;
    QString detalle_;
    QString ruta_;
    bool ocupada_;
    QByteArray que_;
};

// The shared connection. It is open only during an action (AbrirBD ...
// CerrarBD), so that other terminals and the backup find the file free; a
// server's connection is kept idle between actions instead.
// Opening never creates a file: a missing database is an error with its path.
class BaseDatos
{
public:
    BaseDatos();
    ~BaseDatos();
    BaseDatos(const BaseDatos&) = delete;
    BaseDatos& operator=(const BaseDatos&) = delete;

    // A file path, or a PostgreSQL URI (EsUriPostgres) that selects the server.
    void fijarRuta(const QString& rutaArchivo);
    const QString& ruta() const { return ruta_; }
    bool enServidor() const { return enServidor_; }

    void AbrirBD();  // throws ErrorBD
    void CerrarBD(); // a closed connection stays closed
    bool abierta() const;

    // The SQL text that depends on the engine.
    const Dialecto& dialecto() const { return *dialecto_; }

    // Prepares, binds the values in order and runs; throws ErrorBD.
    QSqlQuery ejecutar(const QString& sql, std::initializer_list<QVariant> valores = {});
    QSqlQuery ejecutar(const QString& sql, const QVariantList& valores);
    // The tables of the open database, asked through the driver (the driver
    // reports no error: an unreadable catalogue lists nothing). Throws ErrorBD
    // when the connection is closed.
    QStringList tablas();
    // The columns of a table in their order, as the driver reports them (the
    // server reports names in lower case). Empty for an unknown table.
    QStringList columnas(const QString& tabla);

    // Writes that touch several rows run inside one of these: it takes the
    // write lock at once (waiting for the busy timeout), and a
    // transaction not committed is rolled back, so nothing is half-written.
    class Transaccion
    {
    public:
        explicit Transaccion(BaseDatos& bd);
        ~Transaccion();
        void confirmar();

    private:
        BaseDatos& bd_;
        bool activa_ = true;
    };

    static constexpr int kEsperaBloqueoMs = 5000;

private:
    void cerrarConexion();
    void abrirArchivo(QSqlDatabase& db);
    void abrirServidor(QSqlDatabase& db);
    void revisarDiario(QSqlDatabase& db);
    ErrorBD errorSentencia(const class QSqlError& error) const;

    std::unique_ptr<const Dialecto> dialecto_;
    bool enServidor_ = false;
    bool enUso_ = false;         // between AbrirBD and CerrarBD
    bool enTransaccion_ = false; // a write transaction began and has not ended well
    QString nombreConexion_;
    QString ruta_;
    bool diarioRevisado_ = false;
};

// AbrirBD on construction and CerrarBD on leaving the scope, also when a
// statement throws. Nested inside another session it leaves the connection
// open for the outer one.
class SesionBD
{
public:
    explicit SesionBD(BaseDatos& bd) : bd_(bd), propia_(!bd.abierta()) { bd_.AbrirBD(); }
    ~SesionBD()
    {
        if (propia_)
            bd_.CerrarBD();
    }
    SesionBD(const SesionBD&) = delete;
    SesionBD& operator=(const SesionBD&) = delete;

private:
    BaseDatos& bd_;
    bool propia_;
};

// A server named by a PostgreSQL URI, as Qt's driver takes it. The password
// never comes from the URI (libpq reads ~/.pgpass or PGPASSWORD), so the
// configuration file and the event log, which show RutaBD, never hold one.
struct DestinoServidor
{
    QString servidor; // a host name, or the folder of a Unix socket
    int puerto = -1;
    QString base;
    QString usuario;
    QString opciones; // further libpq parameters, ';'-separated
};
// False, with the reason, when the URI cannot name a server or holds a password.
bool InterpretarUriPostgres(const QString& uri, DestinoServidor* destino, QString* motivo);

// Registers, on an open SQLite connection, the text comparison the program
// relies on: collation ES_CI and like() that ignore letter case beyond ASCII
// (á = Á, ñ = Ñ). They live on the connection, not in the file, so the
// standard sqlite3 tool still reads every database.
bool RegistrarComparacionTexto(QSqlDatabase& db);

// The journal follows where the file lives. On a local disk write-ahead
// logging lets readers and the backup go on while another terminal writes;
// over a network file system it cannot work (its shared memory does not cross
// hosts), so there the rollback journal is kept.
bool CarpetaEnRed(const QString& carpeta);
bool EsSistemaArchivosEnRed(qint64 tipo); // statfs f_type
// Chosen when a database is created; a terminal that finds a write-ahead
// database over the network puts it back to the rollback journal for good.
void ElegirDiario(QSqlDatabase& db, bool enRed);
QString ModoDiario(QSqlDatabase& db);
