#include "CopiaSitio.h"

#include "foundation/BaseDatos.h"
#include "foundation/Esquema.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>

namespace {

struct TablaCopiada
{
    QString nombre;
    QString claveNumerada; // empty: the table's keys are not numbered by the engine
};

// In an order that never writes a row before the one it names. The visit
// counts are not copied: the triggers build them while the visits go in.
const QList<TablaCopiada>& TablasCopiadas()
{
    static const QList<TablaCopiada> tablas{
        {QStringLiteral("Permisos"), {}},
        {QStringLiteral("sr"), QStringLiteral("id_sr")},
        {QStringLiteral("UsuariosPermisos"), {}},
        {QStringLiteral("contra"), {}},
        {QStringLiteral("censos"), QStringLiteral("id_censo")},
        {QStringLiteral("entradas_salidas"), QStringLiteral("id_es")},
        {QStringLiteral("visitas_programadas"), QStringLiteral("id_es")},
        {QStringLiteral("avisos"), {}},
    };
    return tablas;
}

const QString kConteos = QStringLiteral("conteos_visitas");

qint64 ContarFilas(BaseDatos& bd, const QString& tabla)
{
    QSqlQuery q = bd.ejecutar(QStringLiteral("SELECT count(*) FROM %1").arg(tabla));
    return q.next() ? q.value(0).toLongLong() : -1;
}

// Rows go in by the hundred: one statement per row would make a site of
// years take minutes over the network.
constexpr int kFilasPorSentencia = 100;

void InsertarLote(BaseDatos& destino, const QString& tabla, const QStringList& columnas, int filas,
                  const QVariantList& valores)
{
    const QString fila =
        u'(' + QStringList(columnas.size(), QStringLiteral("?")).join(QStringLiteral(", ")) + u')';
    destino.ejecutar(QStringLiteral("INSERT INTO %1 (%2) VALUES %3")
                         .arg(tabla, columnas.join(QStringLiteral(", ")),
                              QStringList(filas, fila).join(QStringLiteral(", "))),
                     valores);
}

qint64 CopiarTabla(BaseDatos& origen, BaseDatos& destino, const TablaCopiada& tabla)
{
    const QStringList columnas = origen.columnas(tabla.nombre);
    QSqlQuery q = origen.ejecutar(
        QStringLiteral("SELECT %1 FROM %2 ORDER BY %3")
            .arg(columnas.join(QStringLiteral(", ")), tabla.nombre, columnas.value(0)));
    QVariantList valores;
    int enLote = 0;
    qint64 copiadas = 0;
    while (q.next()) {
        for (int i = 0; i < columnas.size(); ++i)
            valores << q.value(i);
        ++copiadas;
        if (++enLote == kFilasPorSentencia) {
            InsertarLote(destino, tabla.nombre, columnas, enLote, valores);
            valores.clear();
            enLote = 0;
        }
    }
    if (enLote > 0)
        InsertarLote(destino, tabla.nombre, columnas, enLote, valores);
    if (!tabla.claveNumerada.isEmpty()) {
        // A deleted last row's key is never given again, in the copy either.
        QSqlQuery ultima =
            origen.ejecutar(origen.dialecto().ultimaClave(tabla.nombre, tabla.claveNumerada));
        const qint64 dada = ultima.next() ? ultima.value(0).toLongLong() : 0;
        for (const QString& sql :
             destino.dialecto().fijarUltimaClave(tabla.nombre, tabla.claveNumerada, dada))
            destino.ejecutar(sql);
    }
    return copiadas;
}

void RevisarFilas(BaseDatos& origen, BaseDatos& destino, const QString& tabla,
                  QList<FilasTabla>* conteos)
{
    const qint64 antes = ContarFilas(origen, tabla);
    const qint64 despues = ContarFilas(destino, tabla);
    if (antes != despues)
        throw ErrorBD(ErrorBD::Tipo::Sentencia,
                      QStringLiteral("%1: %2 rows in the original, %3 in the copy")
                          .arg(tabla)
                          .arg(antes)
                          .arg(despues),
                      destino.ruta());
    conteos->append({tabla, despues});
}

} // namespace

bool CopiarSitio(const QString& desde, const QString& hacia, QList<FilasTabla>* conteos,
                 QString* error)
{
    QList<FilasTabla> hechos;
    try {
        BaseDatos origen;
        origen.fijarRuta(desde);
        SesionBD sesion(origen);
        for (const QString& sql : origen.dialecto().inicioLecturaFija())
            origen.ejecutar(sql);
        // Checked inside the new database's transaction: a mismatch leaves nothing.
        const bool ok = CrearBaseDatosCon(
            hacia,
            [&](BaseDatos& destino) {
                for (const TablaCopiada& tabla : TablasCopiadas())
                    CopiarTabla(origen, destino, tabla);
                for (const TablaCopiada& tabla : TablasCopiadas())
                    RevisarFilas(origen, destino, tabla.nombre, &hechos);
                // A database older than the kept counts has none to compare.
                if (origen.tablas().contains(kConteos, Qt::CaseInsensitive))
                    RevisarFilas(origen, destino, kConteos, &hechos);
            },
            error);
        origen.ejecutar(QStringLiteral("ROLLBACK"));
        if (!ok)
            return false;
    } catch (const ErrorBD& e) {
        *error = e.detalle();
        return false;
    }
    *conteos = hechos;
    return true;
}
