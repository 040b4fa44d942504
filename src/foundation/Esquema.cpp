#include "Esquema.h"

#include "BaseDatos.h"
#include "Claves.h"

#include "ArchivosTexto.h"
#include "Idiomas.h"

#include <QAtomicInt>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

namespace {

// What one statistic counts: the grouped column, its grouping key as SQL over
// a row (NEW or OLD), and its number in conteos_visitas.
struct Conteo
{
    int estadistica;
    QString columna;
    QString clave; // %1 stands for NEW or OLD
};

const QList<Conteo>& Conteos()
{
    // Built-in functions only: every program that writes visits (another
    // terminal, the sqlite3 tool) runs these triggers.
    static const QList<Conteo> conteos{
        {1, QStringLiteral("NombreVisitante"), QStringLiteral("%1.NombreVisitanteClave")},
        {2, QStringLiteral("AutorizaIngreso"), QStringLiteral("%1.AutorizaIngresoClave")},
        {3, QStringLiteral("PlacaVehiculo"), QStringLiteral("upper(%1.PlacaVehiculo)")},
    };
    return conteos;
}

// A row counts when its value and its key are not empty (Null fails <> too).
QString Cuenta(const Conteo& c, const QString& fila)
{
    return QStringLiteral("%1.%2 <> '' AND %3 <> ''").arg(fila, c.columna, c.clave.arg(fila));
}

QString Sumar(const Conteo& c)
{
    return QStringLiteral("INSERT INTO conteos_visitas (estadistica, clave, total) "
                          "SELECT %1, %2, 1 WHERE %3 "
                          "ON CONFLICT (estadistica, clave) DO UPDATE SET total = total + 1; ")
        .arg(QString::number(c.estadistica), c.clave.arg(QStringLiteral("NEW")),
             Cuenta(c, QStringLiteral("NEW")));
}

QString Restar(const Conteo& c)
{
    const QString clave = c.clave.arg(QStringLiteral("OLD"));
    const QString donde =
        QStringLiteral("estadistica = %1 AND clave = %2 AND %3")
            .arg(QString::number(c.estadistica), clave, Cuenta(c, QStringLiteral("OLD")));
    return QStringLiteral("UPDATE conteos_visitas SET total = total - 1 WHERE %1; "
                          "DELETE FROM conteos_visitas WHERE %1 AND total <= 0; ")
        .arg(donde);
}

// The statistics read these counts instead of grouping a log of years on
// every click; triggers keep them exact whoever inserts, corrects or deletes
// a visit.
QStringList SentenciasConteos()
{
    QString sumar, restar, columnas;
    for (const Conteo& c : Conteos()) {
        sumar += Sumar(c);
        restar += Restar(c);
        columnas += (columnas.isEmpty() ? QString() : QStringLiteral(", ")) + c.columna +
                    (c.estadistica < 3 ? QStringLiteral(", ") + c.columna + QStringLiteral("Clave")
                                       : QString());
    }
    return {
        QStringLiteral("CREATE TABLE conteos_visitas (estadistica INTEGER NOT NULL, "
                       "clave TEXT NOT NULL, total INTEGER NOT NULL, "
                       "PRIMARY KEY (estadistica, clave))"),
        QStringLiteral("CREATE INDEX ix_conteos_total ON conteos_visitas "
                       "(estadistica, total DESC, clave)"),
        QStringLiteral("CREATE TRIGGER tr_conteos_alta AFTER INSERT ON entradas_salidas BEGIN ") +
            sumar + QStringLiteral("END"),
        QStringLiteral("CREATE TRIGGER tr_conteos_baja AFTER DELETE ON entradas_salidas BEGIN ") +
            restar + QStringLiteral("END"),
        QStringLiteral("CREATE TRIGGER tr_conteos_cambio AFTER UPDATE OF %1 ON entradas_salidas "
                       "BEGIN ")
                .arg(columnas) +
            restar + sumar + QStringLiteral("END"),
    };
}

const QStringList& Tablas()
{
    static const QStringList sentencias = [] {
        QStringList censo;
        censo << QStringLiteral("id_censo INTEGER PRIMARY KEY AUTOINCREMENT")
              << QStringLiteral("nom_unidad TEXT") << QStringLiteral("num_inmueble TEXT")
              << QStringLiteral("torre NUMERIC") << QStringLiteral("tfno_inmueble TEXT");
        for (int n = 1; n <= 5; ++n)
            censo << QStringLiteral("nombre%1 TEXT").arg(n) << QStringLiteral("ape1_%1 TEXT").arg(n)
                  << QStringLiteral("ape2_%1 TEXT").arg(n)
                  << QStringLiteral("tipo_usu%1 TEXT").arg(n);
        for (int n = 1; n <= 5; ++n)
            censo << QStringLiteral("veh_placa%1 TEXT").arg(n)
                  << QStringLiteral("veh_descr%1 TEXT").arg(n)
                  << QStringLiteral("veh_tipo%1 TEXT").arg(n);
        censo << QStringLiteral("notas TEXT");

        const QString visitas = QStringLiteral(
            "(id_es INTEGER PRIMARY KEY AUTOINCREMENT, FechaEntrada TEXT, FechaSalida TEXT, "
            "NombreVisitante TEXT, NAcomp INTEGER, AutorizaIngreso TEXT, PlacaVehiculo TEXT, "
            "Observaciones TEXT, NombreVisitanteClave TEXT, AutorizaIngresoClave TEXT)");
        return QStringList{
                   QStringLiteral("CREATE TABLE sr (id_sr INTEGER PRIMARY KEY AUTOINCREMENT, "
                                  "sr TEXT NOT NULL, dw TEXT, nombre TEXT, ape1 TEXT, ape2 TEXT, "
                                  "nivel TEXT)"),
                   QStringLiteral("CREATE TABLE Permisos (id_permiso INTEGER PRIMARY KEY, "
                                  "VarN INTEGER NOT NULL, PermisoOrden INTEGER NOT NULL, "
                                  "PermisoDescr TEXT)"),
                   QStringLiteral("CREATE TABLE UsuariosPermisos (id_sr INTEGER NOT NULL, "
                                  "id_permiso INTEGER NOT NULL, PermisoAutorizado INTEGER NOT NULL "
                                  "DEFAULT 0)"),
                   QStringLiteral("CREATE TABLE entradas_salidas ") + visitas,
                   QStringLiteral("CREATE TABLE visitas_programadas ") + visitas,
                   QStringLiteral(
                       "CREATE TABLE avisos (id_es INTEGER NOT NULL, FechaAviso TEXT NOT NULL)"),
                   QStringLiteral("CREATE TABLE censos (") + censo.join(QStringLiteral(", ")) +
                       QStringLiteral(")"),
                   QStringLiteral("CREATE TABLE contra (id_contra INTEGER PRIMARY KEY, "
                                  "respaldo INTEGER NOT NULL, respaldo_cada INTEGER NOT NULL)"),
                   QStringLiteral("CREATE INDEX ix_sr_sr ON sr (sr)"),
                   QStringLiteral("CREATE UNIQUE INDEX ix_usuariospermisos ON UsuariosPermisos "
                                  "(id_sr, id_permiso)"),
                   QStringLiteral("CREATE INDEX ix_es_salida ON entradas_salidas (FechaSalida, "
                                  "FechaEntrada)"),
                   QStringLiteral("CREATE INDEX ix_es_entrada ON entradas_salidas (FechaEntrada)"),
                   QStringLiteral(
                       "CREATE INDEX ix_vp_entrada ON visitas_programadas (FechaEntrada)"),
                   // Name completion and the open-visit check search these keys.
                   QStringLiteral("CREATE INDEX ix_es_nombre ON entradas_salidas "
                                  "(NombreVisitanteClave, NombreVisitante)"),
                   // The open-visit check and the last visit of a frequent visitor.
                   QStringLiteral("CREATE INDEX ix_es_nombre_salida ON entradas_salidas "
                                  "(NombreVisitanteClave, FechaSalida)"),
                   QStringLiteral("CREATE INDEX ix_es_autoriza ON entradas_salidas "
                                  "(AutorizaIngresoClave, AutorizaIngreso)"),
                   QStringLiteral("CREATE INDEX ix_vp_nombre ON visitas_programadas "
                                  "(NombreVisitanteClave, NombreVisitante)"),
                   // The census query counts owners and tenants over the whole
                   // census at every search: read from this index instead of every
                   // dwelling (2-5 ms instead of 20-40 ms at 20 000 dwellings).
                   QStringLiteral("CREATE INDEX ix_censos_tipos ON censos (tipo_usu1, tipo_usu2, "
                                  "tipo_usu3, tipo_usu4, tipo_usu5)"),
                   QStringLiteral("CREATE INDEX ix_avisos_es ON avisos (id_es)"),
                   QStringLiteral("CREATE INDEX ix_avisos_fecha ON avisos (FechaAviso)"),
               } +
               SentenciasConteos();
    }();
    return sentencias;
}

bool Ejecutar(QSqlQuery& q, const QString& sql, const QVariantList& valores, QString* error)
{
    q.prepare(sql);
    for (const QVariant& v : valores)
        q.addBindValue(v);
    if (q.exec())
        return true;
    *error = q.lastError().text();
    return false;
}

bool LlenarBaseDatos(QSqlDatabase& db, const PrimerUsuario& usuario, QString* error)
{
    const QString cifrada = CifrarClave(usuario.dw);
    if (cifrada.isEmpty()) {
        *error = QStringLiteral("not enough memory to hash the password");
        return false;
    }
    QSqlQuery q(db);
    if (!Ejecutar(q, QStringLiteral("BEGIN IMMEDIATE"), {}, error))
        return false;
    for (const QString& sql : Tablas())
        if (!Ejecutar(q, sql, {}, error))
            return false;
    TablasIdioma espanol;
    CargarTablasIdioma(QStringLiteral("es"), &espanol);
    for (int n = 1; n <= kSlotsPermiso; ++n)
        if (!Ejecutar(q, QStringLiteral("INSERT INTO Permisos VALUES (?, ?, ?, ?)"),
                      {n, n, n, espanol.permiso(n)}, error))
            return false;
    if (!Ejecutar(q, QStringLiteral("INSERT INTO contra VALUES (1, 0, 86400)"), {}, error))
        return false;
    if (!Ejecutar(q,
                  QStringLiteral("INSERT INTO sr (sr, dw, nombre, ape1, ape2, nivel) "
                                 "VALUES (?, ?, ?, ?, ?, '1')"),
                  {usuario.sr, cifrada, usuario.nombre, usuario.ape1, usuario.ape2}, error))
        return false;
    const QVariant idSr = q.lastInsertId();
    for (int n = 1; n <= kSlotsPermiso; ++n)
        if (!Ejecutar(q, QStringLiteral("INSERT INTO UsuariosPermisos VALUES (?, ?, 1)"), {idSr, n},
                      error))
            return false;
    return Ejecutar(q, QStringLiteral("COMMIT"), {}, error);
}

} // namespace

bool CrearBaseDatos(const QString& ruta, const PrimerUsuario& usuario, QString* error)
{
    const QString yaExiste =
        QStringLiteral("a database already exists at %1; it was left untouched").arg(ruta);
    if (QFile::exists(ruta)) {
        *error = yaExiste;
        return false;
    }
    // Built under a name of this run's own in the same folder and then given
    // its name without replacing anything: a second run at the same moment
    // neither opens a half-built database nor removes the one the first made.
    const ArchivoNuevo temporal(ruta);
    if (!temporal.creado()) {
        *error = temporal.error();
        return false;
    }
    static QAtomicInt contador;
    const QString nombre = QStringLiteral("zelvora-crear-%1").arg(contador.fetchAndAddRelaxed(1));
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), nombre);
        db.setDatabaseName(temporal.nombre());
        if (!db.open())
            *error = db.lastError().text();
        else
            ok = LlenarBaseDatos(db, usuario, error);
        // The journal follows where the site keeps its database.
        if (ok)
            ElegirDiario(db, CarpetaEnRed(QFileInfo(ruta).absolutePath()));
        db.close();
    }
    QSqlDatabase::removeDatabase(nombre);
    bool existia = false;
    if (ok && !PublicarSinReemplazar(temporal.nombre(), ruta, &existia, error)) {
        if (existia)
            *error = yaExiste;
        ok = false;
    }
    // Only the temporary name is removed: it is this run's alone.
    return ok;
}
