#include "Verificacion.h"

#include "foundation/BaseDatos.h"
#include "foundation/Configuracion.h"
#include "foundation/Esquema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <map>

namespace {

using Esquema = std::map<QString, QStringList>; // lower-case table -> lower-case columns

Esquema LeerEsquema(BaseDatos& bd)
{
    Esquema esquema;
    for (const QString& tabla : bd.tablas()) {
        QStringList columnas;
        for (const QString& c : bd.columnas(tabla))
            columnas << c.toLower();
        esquema[tabla.toLower()] = columnas;
    }
    return esquema;
}

// What a database made now holds: the tables alone, in a file of its own.
const Esquema& EsquemaEsperado()
{
    static const Esquema esperado = [] {
        QTemporaryDir carpeta;
        const QString ruta = carpeta.filePath(QStringLiteral("referencia.db"));
        QString error;
        Esquema esquema;
        if (!CrearBaseDatosCon(
                ruta, [](BaseDatos&) {}, &error))
            return esquema;
        BaseDatos bd;
        bd.fijarRuta(ruta);
        SesionBD sesion(bd);
        esquema = LeerEsquema(bd);
        esquema.erase(QStringLiteral("sqlite_sequence"));
        return esquema;
    }();
    return esperado;
}

// The first table or column of the program that the database lacks. A
// database may hold more (an index, a table of another tool).
QString FaltaEnEsquema(const Esquema& esquema)
{
    const Esquema& esperado = EsquemaEsperado();
    if (esperado.empty())
        return QStringLiteral("the reference schema could not be built");
    for (const auto& [tabla, columnas] : esperado) {
        const auto hay = esquema.find(tabla);
        if (hay == esquema.end())
            return QStringLiteral("no table %1: not a Zelvora database").arg(tabla);
        for (const QString& columna : columnas)
            if (!hay->second.contains(columna))
                return QStringLiteral("table %1 has no column %2").arg(tabla, columna);
    }
    return QString();
}

QString VerificarArchivo(const QString& ruta)
{
    static int contador = 0;
    const QString nombre = QStringLiteral("zelvora-verificar-%1").arg(++contador);
    QString resultado;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), nombre);
        db.setDatabaseName(ruta);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (!db.open()) {
            resultado = db.lastError().text();
        } else {
            QSqlQuery q(db);
            if (!q.exec(QStringLiteral("PRAGMA integrity_check")) || !q.next())
                resultado = QStringLiteral("not a database: ") + q.lastError().text();
            else if (q.value(0).toString() != u"ok")
                resultado = QStringLiteral("integrity_check: ") + q.value(0).toString();
            q.finish();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(nombre);
    if (!resultado.isEmpty())
        return resultado;
    try {
        BaseDatos bd;
        bd.fijarRuta(ruta);
        SesionBD sesion(bd);
        const QString falta = FaltaEnEsquema(LeerEsquema(bd));
        return falta.isEmpty() ? QStringLiteral("ok") : falta;
    } catch (const ErrorBD& e) {
        return e.detalle();
    }
}

QString VerificarVolcado(const QString& ruta)
{
    QString programa = QStandardPaths::findExecutable(QStringLiteral("pg_restore"));
    if (programa.isEmpty())
        return QStringLiteral("pg_restore is not installed: the dump was not checked");
    QProcess lista;
    lista.start(programa, {QStringLiteral("--list"), ruta});
    if (!lista.waitForFinished(120000) || lista.exitCode() != 0)
        return QStringLiteral("pg_restore: ") +
               QString::fromLocal8Bit(lista.readAllStandardError()).trimmed();
    // Each table's definition is listed as "… TABLE public <name> <owner>".
    const QString listado = QString::fromUtf8(lista.readAllStandardOutput()).toLower();
    for (const auto& [tabla, columnas] : EsquemaEsperado())
        if (!listado.contains(QStringLiteral(" table public %1 ").arg(tabla)))
            return QStringLiteral("no table %1: not a Zelvora database").arg(tabla);
    return QStringLiteral("ok");
}

QString VerificarServidor(const QString& uri)
{
    try {
        BaseDatos bd;
        bd.fijarRuta(uri);
        SesionBD sesion(bd);
        const QString falta = FaltaEnEsquema(LeerEsquema(bd));
        return falta.isEmpty() ? QStringLiteral("ok") : falta;
    } catch (const ErrorBD& e) {
        return e.detalle();
    }
}

} // namespace

namespace {

QString Verificar(const QString& ruta)
{
    if (EsUriPostgres(ruta))
        return VerificarServidor(ruta);
    QFile archivo(ruta);
    if (!archivo.open(QIODevice::ReadOnly))
        return QStringLiteral("cannot be read: ") + archivo.errorString();
    const QByteArray inicio = archivo.read(16);
    if (inicio.startsWith("PGDMP"))
        return VerificarVolcado(ruta);
    if (!inicio.startsWith("SQLite format 3"))
        return QStringLiteral("not a database: not a SQLite file");
    return VerificarArchivo(ruta);
}

} // namespace

QString VerificarBaseDatos(const QString& ruta)
{
    // integrity_check and the server's messages may take several lines.
    QStringList lineas = Verificar(ruta).split(u'\n', Qt::SkipEmptyParts);
    for (QString& linea : lineas)
        linea = linea.trimmed();
    return lineas.join(QStringLiteral("; "));
}

QStringList CopiasDeSeguridad(const QString& carpeta)
{
    QStringList copias;
    for (const QString& nombre :
         QDir(carpeta).entryList({QStringLiteral("zelvora *.db"), QStringLiteral("zelvora *.dump")},
                                 QDir::Files, QDir::Name))
        copias << QDir(carpeta).filePath(nombre);
    return copias;
}
