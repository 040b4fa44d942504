#include "Esquema.h"

#include "BaseDatos.h"

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
            QStringLiteral("CREATE INDEX ix_vp_entrada ON visitas_programadas (FechaEntrada)"),
            // Name completion and the open-visit check search these keys.
            QStringLiteral("CREATE INDEX ix_es_nombre ON entradas_salidas "
                           "(NombreVisitanteClave, NombreVisitante)"),
            // The open-visit check and the last visit of a frequent visitor.
            QStringLiteral("CREATE INDEX ix_es_nombre_salida ON entradas_salidas "
                           "(NombreVisitanteClave, FechaSalida)"),
            QStringLiteral("CREATE INDEX ix_es_autoriza ON entradas_salidas "
                           "(AutorizaIngresoClave, AutorizaIngreso)"),
            // The plate statistic groups every plate: read in index order
            // instead of sorting every visit (about 1 s less at 2 million).
            QStringLiteral("CREATE INDEX ix_es_placa ON entradas_salidas (PlacaVehiculo)"),
            QStringLiteral("CREATE INDEX ix_vp_nombre ON visitas_programadas "
                           "(NombreVisitanteClave, NombreVisitante)"),
            // The census query counts owners and tenants over the whole
            // census at every search: read from this index instead of every
            // dwelling (2-5 ms instead of 20-40 ms at 20 000 dwellings).
            QStringLiteral("CREATE INDEX ix_censos_tipos ON censos (tipo_usu1, tipo_usu2, "
                           "tipo_usu3, tipo_usu4, tipo_usu5)"),
            QStringLiteral("CREATE INDEX ix_avisos_es ON avisos (id_es)"),
            QStringLiteral("CREATE INDEX ix_avisos_fecha ON avisos (FechaAviso)"),
        };
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
                  {usuario.sr, usuario.dw, usuario.nombre, usuario.ape1, usuario.ape2}, error))
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
