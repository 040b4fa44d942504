#include "Esquema.h"

#include "BaseDatos.h"
#include "Claves.h"

#include "ArchivosTexto.h"
#include "Configuracion.h"
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
    return QStringLiteral(
               "INSERT INTO conteos_visitas (estadistica, clave, total) "
               "SELECT %1, %2, 1 WHERE %3 "
               "ON CONFLICT (estadistica, clave) DO UPDATE SET total = conteos_visitas.total + 1; ")
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
QStringList SentenciasConteos(const Dialecto& d)
{
    QString sumar, restar, columnas;
    for (const Conteo& c : Conteos()) {
        sumar += Sumar(c);
        restar += Restar(c);
        columnas += (columnas.isEmpty() ? QString() : QStringLiteral(", ")) + c.columna +
                    (c.estadistica < 3 ? QStringLiteral(", ") + c.columna + QStringLiteral("Clave")
                                       : QString());
    }
    const QString tabla = QStringLiteral("entradas_salidas");
    return QStringList{
               QStringLiteral("CREATE TABLE conteos_visitas (estadistica INTEGER NOT NULL, "
                              "clave {texto} NOT NULL, total INTEGER NOT NULL, "
                              "PRIMARY KEY (estadistica, clave))"),
               QStringLiteral("CREATE INDEX ix_conteos_total ON conteos_visitas "
                              "(estadistica, total DESC, clave)"),
           } +
           d.disparador(QStringLiteral("tr_conteos_alta"), QStringLiteral("INSERT"), tabla, sumar) +
           d.disparador(QStringLiteral("tr_conteos_baja"), QStringLiteral("DELETE"), tabla,
                        restar) +
           d.disparador(QStringLiteral("tr_conteos_cambio"),
                        QStringLiteral("UPDATE OF ") + columnas, tabla, restar + sumar);
}

QStringList Tablas(const Dialecto& d)
{
    const QStringList sentencias = [] {
        QStringList censo;
        censo << QStringLiteral("id_censo {clave}") << QStringLiteral("nom_unidad {texto}")
              << QStringLiteral("num_inmueble {texto}") << QStringLiteral("torre {cifra}")
              << QStringLiteral("tfno_inmueble {texto}");
        for (int n = 1; n <= 5; ++n)
            censo << QStringLiteral("nombre%1 {texto}").arg(n)
                  << QStringLiteral("ape1_%1 {texto}").arg(n)
                  << QStringLiteral("ape2_%1 {texto}").arg(n)
                  << QStringLiteral("tipo_usu%1 {texto}").arg(n);
        for (int n = 1; n <= 5; ++n)
            censo << QStringLiteral("veh_placa%1 {texto}").arg(n)
                  << QStringLiteral("veh_descr%1 {texto}").arg(n)
                  << QStringLiteral("veh_tipo%1 {texto}").arg(n);
        censo << QStringLiteral("notas {texto}");

        const QString visitas = QStringLiteral(
            "(id_es {clave}, FechaEntrada {texto}, FechaSalida {texto}, "
            "NombreVisitante {texto}, NAcomp INTEGER, AutorizaIngreso {texto}, PlacaVehiculo "
            "{texto}, "
            "Observaciones {texto}, NombreVisitanteClave {texto}, AutorizaIngresoClave {texto})");
        return QStringList{
            QStringLiteral(
                "CREATE TABLE sr (id_sr {clave}, "
                "sr {texto} NOT NULL, dw {texto}, nombre {texto}, ape1 {texto}, ape2 {texto}, "
                "nivel {texto})"),
            QStringLiteral("CREATE TABLE Permisos (id_permiso INTEGER PRIMARY KEY, "
                           "VarN INTEGER NOT NULL, PermisoOrden INTEGER NOT NULL, "
                           "PermisoDescr {texto})"),
            QStringLiteral("CREATE TABLE UsuariosPermisos (id_sr INTEGER NOT NULL, "
                           "id_permiso INTEGER NOT NULL, PermisoAutorizado INTEGER NOT NULL "
                           "DEFAULT 0)"),
            QStringLiteral("CREATE TABLE entradas_salidas ") + visitas,
            QStringLiteral("CREATE TABLE visitas_programadas ") + visitas,
            QStringLiteral(
                "CREATE TABLE avisos (id_es INTEGER NOT NULL, FechaAviso {texto} NOT NULL)"),
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
    }() + SentenciasConteos(d);
    QStringList resultado = d.preparacionEsquema();
    for (QString sql : sentencias)
        resultado << sql.replace(QLatin1String("{clave}"), d.claveNumerada())
                         .replace(QLatin1String("{texto}"), d.texto())
                         .replace(QLatin1String("{cifra}"), d.cifraOTexto());
    return resultado;
}

// The whole schema and its content inside one write transaction (the server
// creates tables inside one too): all or nothing. Throws ErrorBD.
void LlenarBaseDatos(BaseDatos& bd, const ContenidoBaseDatos& contenido)
{
    BaseDatos::Transaccion transaccion(bd);
    for (const QString& sql : Tablas(bd.dialecto()))
        bd.ejecutar(sql);
    contenido(bd);
    transaccion.confirmar();
}

// The sixteen permissions, the backup counter and the first user.
void Catalogo(BaseDatos& bd, const PrimerUsuario& usuario, const QString& cifrada)
{
    TablasIdioma espanol;
    CargarTablasIdioma(QStringLiteral("es"), &espanol);
    for (int n = 1; n <= kSlotsPermiso; ++n)
        bd.ejecutar(QStringLiteral("INSERT INTO Permisos VALUES (?, ?, ?, ?)"),
                    {n, n, n, espanol.permiso(n)});
    bd.ejecutar(QStringLiteral("INSERT INTO contra VALUES (1, 0, 86400)"));
    const QVariant idSr =
        bd.ejecutar(QStringLiteral("INSERT INTO sr (sr, dw, nombre, ape1, ape2, nivel) "
                                   "VALUES (?, ?, ?, ?, ?, '1')"),
                    {usuario.sr, cifrada, usuario.nombre, usuario.ape1, usuario.ape2})
            .lastInsertId();
    for (int n = 1; n <= kSlotsPermiso; ++n)
        bd.ejecutar(QStringLiteral("INSERT INTO UsuariosPermisos VALUES (?, ?, 1)"), {idSr, n});
}

QString YaExiste(const QString& ruta)
{
    return QStringLiteral("a database already exists at %1; it was left untouched").arg(ruta);
}

bool CrearEnServidor(const QString& uri, const ContenidoBaseDatos& contenido, QString* error)
{
    try {
        BaseDatos bd;
        bd.fijarRuta(uri);
        SesionBD sesion(bd);
        // A second run at the same moment fails on the tables the first
        // created, and its transaction leaves nothing.
        if (bd.tablas().contains(QStringLiteral("sr"))) {
            *error = YaExiste(uri);
            return false;
        }
        LlenarBaseDatos(bd, contenido);
        return true;
    } catch (const ErrorBD& e) {
        *error = e.detalle();
        return false;
    }
}

bool CrearArchivo(const QString& ruta, const ContenidoBaseDatos& contenido, QString* error)
{
    if (QFile::exists(ruta)) {
        *error = YaExiste(ruta);
        return false;
    }
    // Built under a name of this run's own in the same folder and then given
    // its name without replacing anything: a second run at the same moment
    // neither opens a half-built database nor removes the one the first made.
    const ArchivoNuevo temporal(ruta, kModoCompartido);
    if (!temporal.creado()) {
        *error = temporal.error();
        return false;
    }
    try {
        BaseDatos bd;
        bd.fijarRuta(temporal.nombre());
        SesionBD sesion(bd);
        LlenarBaseDatos(bd, contenido);
        // The journal follows where the site keeps its database.
        bd.ejecutar(CarpetaEnRed(QFileInfo(ruta).absolutePath())
                        ? QStringLiteral("PRAGMA journal_mode = DELETE")
                        : QStringLiteral("PRAGMA journal_mode = WAL"));
    } catch (const ErrorBD& e) {
        *error = e.detalle();
        return false;
    }
    bool existia = false;
    if (!PublicarSinReemplazar(temporal.nombre(), ruta, &existia, error)) {
        if (existia)
            *error = YaExiste(ruta);
        return false;
    }
    // Only the temporary name is removed: it is this run's alone.
    return true;
}

} // namespace

bool CrearBaseDatos(const QString& ruta, const PrimerUsuario& usuario, QString* error)
{
    const QString cifrada = CifrarClave(usuario.dw);
    if (cifrada.isEmpty()) {
        *error = QStringLiteral("not enough memory to hash the password");
        return false;
    }
    return CrearBaseDatosCon(
        ruta, [&](BaseDatos& bd) { Catalogo(bd, usuario, cifrada); }, error);
}

bool CrearBaseDatosCon(const QString& ruta, const ContenidoBaseDatos& contenido, QString* error)
{
    return EsUriPostgres(ruta) ? CrearEnServidor(ruta, contenido, error)
                               : CrearArchivo(ruta, contenido, error);
}
