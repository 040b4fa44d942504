#include "Visitas.h"

#include "foundation/BaseDatos.h"
#include "foundation/FechasTexto.h"
#include "foundation/Normalizar.h"

#include <QCollator>
#include <QLocale>
#include <QSqlRecord>

#include <algorithm>

namespace {

constexpr int kMaximoNombres = 100;

const QString kColumnas = QStringLiteral(
    "id_es, FechaEntrada, FechaSalida, NombreVisitante, NAcomp, AutorizaIngreso, PlacaVehiculo, "
    "Observaciones");

Visita LeerFila(const QSqlQuery& q)
{
    Visita v;
    v.id_es = q.value(0).toInt();
    v.datos.FechaEntrada = FechaDesdeBD(q.value(1));
    v.FechaSalida = FechaDesdeBD(q.value(2));
    v.datos.NombreVisitante = q.value(3).toString();
    v.datos.NAcomp = q.value(4).toInt();
    v.textoNAcomp = q.value(4).isNull() ? QString() : q.value(4).toString();
    v.datos.AutorizaIngreso = q.value(5).toString();
    v.datos.PlacaVehiculo = q.value(6).toString();
    v.datos.Observaciones = q.value(7).toString();
    return v;
}

QVariantList ValoresDatos(const DatosVisita& d)
{
    return {TextoFechaBD(d.FechaEntrada),
            d.NombreVisitante,
            d.NAcomp,
            d.AutorizaIngreso,
            d.PlacaVehiculo,
            d.Observaciones,
            ClaveBusqueda(d.NombreVisitante),
            ClaveBusqueda(d.AutorizaIngreso)};
}

// A loose scan of the key index: one seek per distinct name, however many
// visits each name has. A one-letter prefix can match ten thousand names in a
// large log; the list offers the first ones and the guard types on.
QStringList DistintosPorClave(BaseDatos& bd, const QString& tabla, const QString& columna,
                              const QString& prefijo)
{
    const QString clave = columna + QStringLiteral("Clave");
    const QString sql =
        QStringLiteral(
            "WITH RECURSIVE claves(c) AS ("
            " SELECT (SELECT min(%1) FROM %3 WHERE %1 >= ?)"
            " UNION ALL"
            " SELECT (SELECT min(%1) FROM %3 WHERE %1 > claves.c) FROM claves WHERE c < ?)"
            " SELECT (SELECT %2 FROM %3 WHERE %1 = claves.c ORDER BY %2 LIMIT 1)"
            " FROM claves WHERE c IS NOT NULL AND c < ? LIMIT %4")
            .arg(clave, columna, tabla)
            .arg(kMaximoNombres);
    const QString inicio = ClaveBusqueda(prefijo);
    const QString fin = FinDePrefijo(inicio);
    QSqlQuery q = bd.ejecutar(sql, {inicio, fin, fin});
    QStringList nombres;
    while (q.next())
        nombres << q.value(0).toString();
    QCollator orden{QLocale(QLocale::Spanish)};
    orden.setCaseSensitivity(Qt::CaseInsensitive);
    std::sort(nombres.begin(), nombres.end(), orden);
    return nombres;
}

} // namespace

QString NombreTabla(TablaVisitas tabla)
{
    return tabla == TablaVisitas::Entradas ? QStringLiteral("entradas_salidas")
                                           : QStringLiteral("visitas_programadas");
}

std::optional<int> BuscarVisitaAbierta(BaseDatos& bd, const QString& nombre)
{
    QSqlQuery q = bd.ejecutar(QStringLiteral("SELECT id_es FROM entradas_salidas "
                                             "WHERE NombreVisitanteClave = ? AND FechaSalida IS "
                                             "NULL ORDER BY id_es LIMIT 1"),
                              {ClaveBusqueda(nombre)});
    if (q.next())
        return q.value(0).toInt();
    return std::nullopt;
}

int AgregarEntrada(BaseDatos& bd, const DatosVisita& datos, const std::optional<QDateTime>& avisoEn)
{
    BaseDatos::Transaccion transaccion(bd);
    const int idEs =
        bd.ejecutar(QStringLiteral("INSERT INTO entradas_salidas (FechaEntrada, NombreVisitante, "
                                   "NAcomp, AutorizaIngreso, PlacaVehiculo, Observaciones, "
                                   "NombreVisitanteClave, AutorizaIngresoClave) "
                                   "VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
                    ValoresDatos(datos))
            .lastInsertId()
            .toInt();
    // The notice belongs to this very row, whatever other terminals inserted meanwhile.
    if (avisoEn)
        bd.ejecutar(QStringLiteral("INSERT INTO avisos (id_es, FechaAviso) VALUES (?, ?)"),
                    {idEs, TextoFechaBD(*avisoEn)});
    transaccion.confirmar();
    return idEs;
}

QStringList NombresQueEmpiezanPor(BaseDatos& bd, TablaVisitas tabla, const QString& prefijo)
{
    return DistintosPorClave(bd, NombreTabla(tabla), QStringLiteral("NombreVisitante"), prefijo);
}

QStringList AutorizadoresQueEmpiezanPor(BaseDatos& bd, const QString& prefijo)
{
    return DistintosPorClave(bd, QStringLiteral("entradas_salidas"),
                             QStringLiteral("AutorizaIngreso"), prefijo);
}

std::optional<Visita> UltimaVisita(BaseDatos& bd, TablaVisitas tabla, const QString& nombre)
{
    const QString orden = tabla == TablaVisitas::Entradas ? QStringLiteral("FechaSalida")
                                                          : QStringLiteral("FechaEntrada");
    QSqlQuery q = bd.ejecutar(QStringLiteral("SELECT %1 FROM %2 WHERE NombreVisitanteClave = ? "
                                             "ORDER BY %3 DESC, id_es DESC LIMIT 1")
                                  .arg(kColumnas, NombreTabla(tabla), orden),
                              {ClaveBusqueda(nombre)});
    if (q.next())
        return LeerFila(q);
    return std::nullopt;
}

QList<Visita> VisitasActuales(BaseDatos& bd)
{
    QSqlQuery q = bd.ejecutar(QStringLiteral("SELECT %1 FROM entradas_salidas WHERE FechaSalida "
                                             "IS NULL ORDER BY FechaEntrada DESC, id_es DESC")
                                  .arg(kColumnas));
    QList<Visita> visitas;
    while (q.next())
        visitas << LeerFila(q);
    return visitas;
}

QStringList FilaVisita(const Visita& v)
{
    return {QString::number(v.id_es), TextoFechaLista(v.datos.FechaEntrada),
            v.datos.NombreVisitante,  v.textoNAcomp,
            v.datos.PlacaVehiculo,    v.datos.AutorizaIngreso,
            v.datos.Observaciones};
}

std::optional<Visita> LeerVisita(BaseDatos& bd, int idEs)
{
    QSqlQuery q = bd.ejecutar(
        QStringLiteral("SELECT %1 FROM entradas_salidas WHERE id_es = ?").arg(kColumnas), {idEs});
    if (q.next())
        return LeerFila(q);
    return std::nullopt;
}

bool ModificarEntrada(BaseDatos& bd, int idEs, const DatosVisita& datos)
{
    QVariantList valores = ValoresDatos(datos);
    valores << idEs;
    return bd.ejecutar(QStringLiteral("UPDATE entradas_salidas SET FechaEntrada = ?, "
                                      "NombreVisitante = ?, NAcomp = ?, AutorizaIngreso = ?, "
                                      "PlacaVehiculo = ?, Observaciones = ?, "
                                      "NombreVisitanteClave = ?, AutorizaIngresoClave = ? "
                                      "WHERE id_es = ?"),
                       valores)
               .numRowsAffected() > 0;
}

bool RegistrarSalida(BaseDatos& bd, int idEs, const DatosVisita& datos, const QDateTime& salida,
                     bool borrarAvisos)
{
    BaseDatos::Transaccion transaccion(bd);
    QVariantList valores = ValoresDatos(datos);
    valores << TextoFechaBD(salida) << idEs;
    const bool existe =
        bd.ejecutar(QStringLiteral("UPDATE entradas_salidas SET FechaEntrada = ?, "
                                   "NombreVisitante = ?, NAcomp = ?, AutorizaIngreso = ?, "
                                   "PlacaVehiculo = ?, Observaciones = ?, "
                                   "NombreVisitanteClave = ?, AutorizaIngresoClave = ?, "
                                   "FechaSalida = ? WHERE id_es = ?"),
                    valores)
            .numRowsAffected() > 0;
    if (!existe)
        return false;
    if (borrarAvisos)
        bd.ejecutar(QStringLiteral("DELETE FROM avisos WHERE id_es = ?"), {idEs});
    transaccion.confirmar();
    return true;
}

std::optional<int> LeerAcompanantes(const QString& texto)
{
    if (texto.isEmpty())
        return 0;
    bool ok = false;
    const int numero = texto.toInt(&ok);
    if (!ok || numero < 0 || numero > 99 || texto.trimmed() != texto)
        return std::nullopt;
    return numero;
}
