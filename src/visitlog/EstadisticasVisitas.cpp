#include "EstadisticasVisitas.h"

#include "foundation/BaseDatos.h"
#include "foundation/Idiomas.h"

#include <QHash>
#include <QSqlError>

#include <algorithm>

namespace {

// TOP 5 with ties kept: RANK() gives every row tied with the fifth count a
// rank of at most 5 (DENSE_RANK would let in lower counts). Grouping by the
// stored search key (case folded) joins the spellings of one name, and the
// covering index on (key, name) serves both the count and the first spelling.
QString SentenciaCincoMayores(const QString& columna)
{
    return QStringLiteral(
               "SELECT (SELECT %1 FROM entradas_salidas WHERE %2 = g.clave ORDER BY %1 LIMIT 1), "
               "g.Total FROM (SELECT %2 AS clave, count(*) AS Total, "
               "rank() OVER (ORDER BY count(*) DESC) AS puesto FROM entradas_salidas "
               "WHERE %1 <> '' AND %2 <> '' GROUP BY %2) AS g "
               "WHERE g.puesto <= 5 ORDER BY g.Total DESC, g.clave")
        .arg(columna, columna + QStringLiteral("Clave"));
}

const QString kSentenciaPlacas = QStringLiteral(
    "SELECT PlacaVehiculo, count(*) AS Total FROM entradas_salidas WHERE PlacaVehiculo <> '' "
    "GROUP BY PlacaVehiculo ORDER BY Total DESC, PlacaVehiculo");

QList<FilaEstadistica> Leer(QSqlQuery& q, const QString& ruta)
{
    QList<FilaEstadistica> filas;
    while (q.next())
        filas.append({q.value(0).toString(), q.value(1).toLongLong()});
    if (q.lastError().isValid())
        throw ErrorBD(ErrorBD::Tipo::Sentencia, q.lastError().text(), ruta);
    return filas;
}

// Plates have no stored key; the entry form writes them upper case, so a
// plate written otherwise (another program) is joined to its group here.
QList<FilaEstadistica> UnirSinMayusculas(const QList<FilaEstadistica>& filas)
{
    QList<FilaEstadistica> unidas;
    QHash<QString, qsizetype> dondeEsta;
    for (const FilaEstadistica& fila : filas) {
        const QString clave = fila.valor.toCaseFolded();
        const auto encontrada = dondeEsta.constFind(clave);
        if (encontrada == dondeEsta.cend()) {
            dondeEsta.insert(clave, unidas.size());
            unidas.append(fila);
        } else {
            unidas[*encontrada].total += fila.total;
        }
    }
    if (unidas.size() != filas.size())
        std::stable_sort(unidas.begin(), unidas.end(),
                         [](const auto& a, const auto& b) { return a.total > b.total; });
    return unidas;
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
    switch (estadistica) {
    case Estadistica::Visitantes:
        return SentenciaCincoMayores(QStringLiteral("NombreVisitante"));
    case Estadistica::Autorizadores:
        return SentenciaCincoMayores(QStringLiteral("AutorizaIngreso"));
    case Estadistica::Placas:
        break;
    }
    return kSentenciaPlacas;
}

QList<FilaEstadistica> CalcularEstadistica(BaseDatos& bd, Estadistica estadistica)
{
    QSqlQuery q = bd.ejecutar(SentenciaEstadistica(estadistica));
    QList<FilaEstadistica> filas = Leer(q, bd.ruta());
    return estadistica == Estadistica::Placas ? UnirSinMayusculas(filas) : filas;
}

QString TextoEstadistica(const TablasIdioma& idioma, Estadistica estadistica,
                         const QList<FilaEstadistica>& filas)
{
    const Rotulos rotulos = RotulosDe(estadistica);
    const QString antesValor = idioma.texto(rotulos.valor);
    const QString antesTotal = idioma.texto(rotulos.total);
    QString texto;
    for (const FilaEstadistica& fila : filas)
        texto += antesValor + fila.valor + QStringLiteral("\t\t") + antesTotal +
                 QString::number(fila.total) + QStringLiteral("\t\r\n");
    return texto;
}
