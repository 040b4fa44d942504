#include "Avisos.h"

#include "foundation/BaseDatos.h"

QList<AvisoVencido> AvisosVencidos(BaseDatos& bd, const QDateTime& ahora)
{
    QSqlQuery q = bd.ejecutar(
        QStringLiteral("SELECT a.id_es, a.FechaAviso, e.FechaEntrada, e.NombreVisitante, "
                       "e.NAcomp, e.PlacaVehiculo, e.AutorizaIngreso, e.Observaciones "
                       "FROM avisos a INNER JOIN entradas_salidas e ON a.id_es = e.id_es "
                       "WHERE a.FechaAviso <= ? ORDER BY a.FechaAviso DESC, a.id_es DESC"),
        {TextoFechaBD(ahora)});
    QList<AvisoVencido> avisos;
    while (q.next()) {
        AvisoVencido a;
        a.id_es = q.value(0).toInt();
        a.FechaAviso = FechaDesdeBD(q.value(1));
        a.FechaEntrada = FechaDesdeBD(q.value(2));
        a.NombreVisitante = q.value(3).toString();
        a.NAcomp = q.value(4).isNull() ? QString() : q.value(4).toString();
        a.PlacaVehiculo = q.value(5).toString();
        a.AutorizaIngreso = q.value(6).toString();
        a.Observaciones = q.value(7).toString();
        avisos << a;
    }
    return avisos;
}

bool HayAvisoVencido(BaseDatos& bd, const QDateTime& ahora)
{
    return bd
        // Joined as the panel lists them: a notice of a deleted entry pops up nothing.
        .ejecutar(QStringLiteral("SELECT 1 FROM avisos a INNER JOIN entradas_salidas e "
                                 "ON a.id_es = e.id_es WHERE a.FechaAviso <= ? LIMIT 1"),
                  {TextoFechaBD(ahora)})
        .next();
}

void EliminarAvisos(BaseDatos& bd, int idEs)
{
    bd.ejecutar(QStringLiteral("DELETE FROM avisos WHERE id_es = ?"), {idEs});
}

qint64 MinutosDesde(const QDateTime& entrada, const QDateTime& ahora)
{
    if (!entrada.isValid() || !ahora.isValid())
        return 0;
    return qMax<qint64>(0, entrada.secsTo(ahora) / 60);
}
