#pragma once

#include "foundation/Contexto.h"
#include "platform/Dialogos.h"

#include <QDateTime>
#include <QStringList>
#include <QTemporaryDir>

#include <deque>
#include <functional>
#include <memory>

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
    std::deque<Respuesta> respuestas; // for Yes/No boxes, in order
    Respuesta respuestaSinGuion = Respuesta::Si;
    std::function<int(QDialog&)> alModal; // drives a modal window

    Respuesta mostrar(QWidget* padre, const Mensaje& mensaje) override;
    int ejecutarModal(QDialog& ventana) override;

    QStringList textos() const;
    const Mensaje& ultimo() const { return mostrados.back(); }
};

// A fresh program folder with its own database, configuration and language
// file, and a context over it.
class CarpetaPrueba
{
public:
    CarpetaPrueba();

    QString ruta() const { return dir_.path(); }
    QString archivo(const QString& nombre) const { return dir_.filePath(nombre); }

    // punto;... as zelvora.cfg holds it.
    void escribirConfiguracion(const QString& linea);
    void escribirIdioma(const QString& codigo);
    // A database with the first user Admin / Secreto1 holding every permission.
    void crearBaseDatos();
    // A user with exactly these permissions granted; returns its id.
    int agregarUsuario(const QString& sr, const QString& dw, const QList<int>& permisos,
                       const QVariant& nombre = QStringLiteral("Nombre"),
                       const QVariant& ape1 = QStringLiteral("Apellido1"),
                       const QVariant& ape2 = QStringLiteral("Apellido2"));
    void ejecutarSql(const QString& sql, const QVariantList& valores = {});

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
};

// Reads a file whole, as bytes.
QByteArray LeerBytes(const QString& ruta);
