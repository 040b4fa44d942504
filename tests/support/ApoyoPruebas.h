#pragma once

#include "foundation/Contexto.h"
#include "platform/Dialogos.h"

#include <QDateTime>
#include <QStringList>
#include <QTemporaryDir>

#include <deque>
#include <functional>
#include <memory>

class QAbstractItemModel;
class QAction;
class QWidget;
class frmPrincipal;

// A clock the test sets.
class RelojPrueba : public Reloj
{
public:
    QDateTime momento = QDateTime(QDate(2026, 8, 5), QTime(14, 3, 9));
    QDateTime ahora() const override { return momento; }
};

// Answers message boxes from a script and keeps every message shown.
class DialogosGuion : public Dialogos
{
public:
    std::vector<Mensaje> mostrados;
    std::deque<Respuesta> respuestas;     // for Yes/No boxes, in order; then Yes
    std::function<int(QDialog&)> alModal; // drives a modal window
    std::deque<QString> archivos;         // files chosen to write, in order; then cancel
    // Runs while a box is "open": what timers may do before the guard answers.
    std::function<void(const Mensaje&)> alMostrar;

    Respuesta mostrar(QWidget* padre, const Mensaje& mensaje) override;
    int ejecutarModal(QDialog& ventana) override;
    QString elegirArchivoGuardar(QWidget* padre, const QString& titulo, const QString& propuesto,
                                 const QString& filtro) override;

    QStringList textos() const;
    const Mensaje& ultimo() const { return mostrados.back(); }
};

// What a list shows: each row's texts "|"-joined, or only those of one column.
QStringList Textos(const QAbstractItemModel* modelo, int columna = -1);

// Every row, its values "|"-joined, Null shown as NULL.
QStringList Filas(BaseDatos& bd, const QString& sql, const QVariantList& valores = {});

// A visit as any terminal may have stored it, search keys included.
struct VisitaPrueba
{
    QString entra; // as stored: yyyy-MM-dd HH:mm:ss
    QString nombre;
    QVariant sale = {};
    QString autoriza = QStringLiteral("Luis Gil");
    QVariant acomp = 1;
    QVariant placa = QStringLiteral("ABC123");
    QVariant obs = QStringLiteral("Taxi");
    QString tabla = QStringLiteral("entradas_salidas");
};

// The PostgreSQL server the suite runs against (ZELVORA_PG_URI), or empty
// when it runs on SQLite files.
QString ServidorPrueba();
// For a test that is about the database file itself.
#define SOLO_ARCHIVO()                                                                             \
    do {                                                                                           \
        if (!ServidorPrueba().isEmpty())                                                           \
            QSKIP("about the SQLite file");                                                        \
    } while (false)

// A fresh program folder with its own database, configuration and language
// file, and a context over it. On a server, the database is one of its own
// there, dropped with the folder.
class CarpetaPrueba
{
public:
    CarpetaPrueba();
    ~CarpetaPrueba();
    CarpetaPrueba(const CarpetaPrueba&) = delete;
    CarpetaPrueba& operator=(const CarpetaPrueba&) = delete;

    QString ruta() const { return dir_.path(); }
    QString archivo(const QString& nombre) const { return dir_.filePath(nombre); }

    // punto;... as zelvora.cfg holds it.
    void escribirConfiguracion(const QString& linea);
    // The context's configuration from such a line; an empty RutaBD stands
    // for this folder's database (on a server, its URI).
    void usarConfiguracion(const QString& linea);
    void escribirIdioma(const QString& codigo);
    // A database with the first user Admin / Secreto1 holding every permission.
    void crearBaseDatos();
    // On a server, an empty database of this folder's name, as a site's
    // administrator creates it for init; nothing for a file.
    void crearBaseVacia();
    // Where this folder's database is: the file, or its server URI. As
    // RutaBD (empty for the file in the program folder).
    QString rutaBD() const;
    QString campoRutaBD() const;
    // The database gone, as after a lost disk or a dropped database.
    void borrarBaseDatos();
    // A user with exactly these permissions granted; returns its id.
    int agregarUsuario(const QString& sr, const QString& dw, const QList<int>& permisos);
    void ejecutarSql(const QString& sql, const QVariantList& valores = {});
    // From now on every evento ("INSERT", "UPDATE" or "DELETE") on tabla
    // fails, or only those of rows meeting condicion (over NEW or OLD).
    void hacerFallar(const QString& evento, const QString& tabla, const QString& condicion = {});
    // Filas() of this folder's database, read through a connection of its own.
    QStringList consultar(const QString& sql, const QVariantList& valores = {});
    // Returns the new row's id.
    int agregarVisita(const VisitaPrueba& visita);

    // The main window as a login leaves it for that user, in Spanish, the
    // greeting answered; opciones: fields 3 to 15 of the configuration line.
    std::unique_ptr<frmPrincipal> entrar(const QString& opciones = {}, int idSr = 1);
    // Logged in as that user into ventana, made the active window (panels
    // react to focus, as on the guard's screen), the menu entry chosen: the
    // panel of that class it opened, or null.
    QWidget* abrirPanel(std::unique_ptr<frmPrincipal>& ventana, QAction* frmPrincipal::*entrada,
                        const char* clase, int idSr = 1, const QString& opciones = {});

    // A ready terminal: configuration ACCESO NORTE, language, database.
    void prepararTerminal(const QString& idioma = QStringLiteral("es"));

    // The event-log lines of the day for that control point, CR LF stripped.
    QStringList lineasSucesos(const QString& punto = QStringLiteral("ACCESO NORTE"),
                              const QDate& dia = QDate(2026, 8, 5)) const;
    static QStringList lineasArchivo(const QString& ruta);
    // Only the eighth field (the event text) of each line.
    QStringList textosSucesos(const QString& punto = QStringLiteral("ACCESO NORTE"),
                              const QDate& dia = QDate(2026, 8, 5)) const;

    RelojPrueba reloj;
    DialogosGuion dialogos;
    std::unique_ptr<Contexto> ctx;

private:
    QTemporaryDir dir_;
    mutable QString baseServidor_; // its name on the server, chosen when first asked
    bool creadaEnServidor_ = false;
};

// The user goes to another window and comes back to ventana, as after a box
// or another program: whether ventana is active again.
bool VolverAVentana(QWidget& ventana);

// What the standard engine says of a database copy, read only: "ok" and its
// number of visits.
QString RevisarCopia(const QString& ruta);

// Reads a file whole, as bytes.
QByteArray LeerBytes(const QString& ruta);
