#include "EstadisticasVisitas.h"

#include "foundation/BaseDatos.h"
#include "foundation/Idiomas.h"

#include <QSqlError>

namespace {

int Numero(Estadistica estadistica)
{
    return int(estadistica) + 1; // as conteos_visitas numbers them
}

QString Columna(Estadistica estadistica)
{
    switch (estadistica) {
    case Estadistica::Visitantes:
        return QStringLiteral("NombreVisitante");
    case Estadistica::Autorizadores:
        return QStringLiteral("AutorizaIngreso");
    case Estadistica::Placas:
        break;
    }
    return QStringLiteral("PlacaVehiculo");
}

// TOP 5 with ties kept: every count at least the fifth largest. The name is
// shown as the first spelling of its case-folded key, found through the
// (key, name) index.
QString SentenciaCincoMayores(Estadistica estadistica)
{
    return QStringLiteral(
               "SELECT (SELECT %1 FROM entradas_salidas WHERE %1Clave = c.clave AND %1 <> '' "
               "ORDER BY %1 LIMIT 1), c.total FROM conteos_visitas AS c "
               "WHERE c.estadistica = %2 AND c.total >= coalesce((SELECT total FROM "
               "conteos_visitas WHERE estadistica = %2 ORDER BY total DESC LIMIT 1 OFFSET 4), 0) "
               "ORDER BY c.total DESC, c.clave")
        .arg(Columna(estadistica), QString::number(Numero(estadistica)));
}

// The same groups counted from the visits themselves, for a database made
// before the counts were kept: seconds on a log of years, but right.
QString SentenciaAgrupando(Estadistica estadistica)
{
    const QString columna = Columna(estadistica);
    if (estadistica == Estadistica::Placas)
        return QStringLiteral("SELECT upper(PlacaVehiculo) AS clave, count(*) AS total "
                              "FROM entradas_salidas WHERE PlacaVehiculo <> '' GROUP BY clave "
                              "ORDER BY total DESC, clave LIMIT %1")
            .arg(kLineasPlacas);
    return QStringLiteral("SELECT (SELECT %1 FROM entradas_salidas WHERE %1Clave = g.clave AND "
                          "%1 <> '' ORDER BY %1 LIMIT 1), g.total FROM (SELECT %1Clave AS clave, "
                          "count(*) AS total, rank() OVER (ORDER BY count(*) DESC) AS puesto "
                          "FROM entradas_salidas WHERE %1 <> '' AND %1Clave <> '' GROUP BY "
                          "%1Clave) AS g WHERE g.puesto <= 5 ORDER BY g.total DESC, g.clave")
        .arg(columna);
}

bool HayConteos(BaseDatos& bd)
{
    return bd.tablas().contains(QStringLiteral("conteos_visitas"));
}

QString SentenciaPlacas()
{
    return QStringLiteral("SELECT clave, total FROM conteos_visitas WHERE estadistica = 3 "
                          "ORDER BY total DESC, clave LIMIT %1")
        .arg(kLineasPlacas);
}

QList<FilaEstadistica> Leer(QSqlQuery& q, const QString& ruta)
{
    QList<FilaEstadistica> filas;
    while (q.next())
        filas.append({q.value(0).toString(), q.value(1).toLongLong()});
    if (q.lastError().isValid())
        throw ErrorBD(ErrorBD::Tipo::Sentencia, q.lastError().text(), ruta);
    return filas;
}

qint64 ContarPlacas(BaseDatos& bd, bool conConteos)
{
    QSqlQuery q = bd.ejecutar(
        conConteos ? QStringLiteral("SELECT count(*) FROM conteos_visitas WHERE estadistica = 3")
                   : QStringLiteral("SELECT count(DISTINCT upper(PlacaVehiculo)) FROM "
                                    "entradas_salidas WHERE PlacaVehiculo <> ''"));
    return q.next() ? q.value(0).toLongLong() : 0;
}

struct Rotulos
{
    int valor;
    int total;
};

Rotulos RotulosDe(Estadistica estadistica)
{
    switch (estadistica) {
    case Estadistica::Visitantes:
        return {191, 192};
    case Estadistica::Autorizadores:
        return {193, 194};
    case Estadistica::Placas:
        break;
    }
    return {195, 196};
}

} // namespace

QString SentenciaEstadistica(Estadistica estadistica)
{
    return estadistica == Estadistica::Placas ? SentenciaPlacas()
                                              : SentenciaCincoMayores(estadistica);
}

ResultadoEstadistica CalcularEstadistica(BaseDatos& bd, Estadistica estadistica)
{
    const bool conConteos = HayConteos(bd);
    QSqlQuery q = bd.ejecutar(conConteos ? SentenciaEstadistica(estadistica)
                                         : SentenciaAgrupando(estadistica));
    ResultadoEstadistica resultado{Leer(q, bd.ruta()), 0};
    if (estadistica == Estadistica::Placas && resultado.filas.size() == kLineasPlacas)
        resultado.mas = ContarPlacas(bd, conConteos) - kLineasPlacas;
    return resultado;
}

QString TextoEstadistica(const TablasIdioma& idioma, Estadistica estadistica,
                         const ResultadoEstadistica& resultado)
{
    const QList<FilaEstadistica>& filas = resultado.filas;
    const Rotulos rotulos = RotulosDe(estadistica);
    const QString antesValor = idioma.texto(rotulos.valor);
    const QString antesTotal = idioma.texto(rotulos.total);
    QString texto;
    for (const FilaEstadistica& fila : filas)
        texto += antesValor + fila.valor + QStringLiteral("\t\t") + antesTotal +
                 QString::number(fila.total) + QStringLiteral("\t\r\n");
    if (resultado.mas > 0)
        texto += idioma.mensaje(QStringLiteral("XEstadisticaPlacasMas"))
                     .arg(QString::number(resultado.mas)) +
                 QStringLiteral("\r\n");
    return texto;
}
