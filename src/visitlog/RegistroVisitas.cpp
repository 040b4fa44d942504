#include "RegistroVisitas.h"

#include "foundation/BaseDatos.h"
#include "foundation/FechasTexto.h"
#include "foundation/Normalizar.h"

bool LeerFiltroAcompanantes(const QString& texto, std::optional<int>* filtro)
{
    filtro->reset();
    if (texto.isEmpty())
        return true;
    // Digits only: no sign, blank, decimal point or exponent.
    if (!SoloCifras(texto) || texto.size() > 2)
        return false;
    const int numero = texto.toInt();
    *filtro = numero;
    return true;
}

QList<Visita> ConsultarRegistro(BaseDatos& bd, const FiltroRegistro& filtro)
{
    const bool porSalida = filtro.busqueda == BusquedaRegistro::Salidas;
    const QString fecha =
        porSalida ? QStringLiteral("FechaSalida") : QStringLiteral("FechaEntrada");
    QString sql = QStringLiteral("SELECT %1 FROM entradas_salidas WHERE %2 >= ? AND %2 <= ?")
                      .arg(ColumnasVisita(), fecha);
    QVariantList valores{TextoInicioDiaBD(filtro.desde), TextoFinDiaBD(filtro.hasta)};
    if (filtro.busqueda == BusquedaRegistro::VisitasActuales)
        sql += QStringLiteral(" AND FechaSalida IS NULL");
    const std::pair<const char*, const QString*> textos[] = {
        {"NombreVisitante", &filtro.NombreVisitante},
        {"PlacaVehiculo", &filtro.PlacaVehiculo},
        {"AutorizaIngreso", &filtro.AutorizaIngreso},
        {"Observaciones", &filtro.Observaciones},
    };
    for (const auto& [columna, texto] : textos) {
        if (texto->isEmpty())
            continue;
        sql += QStringLiteral(" AND ") + bd.dialecto().contiene(QLatin1String(columna));
        valores << PatronContiene(*texto);
    }
    if (filtro.NAcomp) {
        sql += QStringLiteral(" AND NAcomp = ?");
        valores << *filtro.NAcomp;
    }
    sql += QStringLiteral(" ORDER BY %1 DESC NULLS LAST, id_es DESC").arg(fecha);

    QSqlQuery q = bd.ejecutar(sql, valores);
    QList<Visita> visitas;
    while (q.next())
        visitas << VisitaDeFila(q);
    return visitas;
}

QStringList FilaRegistro(const Visita& v)
{
    return {QString::number(v.id_es),
            TextoFechaLista(v.datos.FechaEntrada),
            v.FechaSalida.isValid() ? TextoFechaLista(v.FechaSalida) : QString(),
            v.datos.NombreVisitante,
            v.textoNAcomp,
            v.datos.PlacaVehiculo,
            v.datos.AutorizaIngreso,
            v.datos.Observaciones};
}
