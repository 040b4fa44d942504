#include "Principal.h"

#include "foundation/BaseDatos.h"

Permisos LeerPermisos(BaseDatos& bd, int idSr)
{
    Permisos permisos;
    QSqlQuery q = bd.ejecutar(QStringLiteral("SELECT up.PermisoAutorizado FROM Permisos p "
                                             "LEFT JOIN UsuariosPermisos up "
                                             "ON up.id_permiso = p.id_permiso AND up.id_sr = ? "
                                             "ORDER BY p.VarN ASC, p.id_permiso ASC"),
                              {idSr});
    for (int n = 1; n <= kNumeroPermisos && q.next(); ++n)
        permisos.fijar(n, q.value(0).toInt() != 0);
    return permisos;
}

bool HayVisitasActuales(BaseDatos& bd)
{
    QSqlQuery q = bd.ejecutar(
        QStringLiteral("SELECT 1 FROM entradas_salidas WHERE FechaSalida IS NULL LIMIT 1"));
    return q.next();
}

bool HayCenso(BaseDatos& bd)
{
    QSqlQuery q = bd.ejecutar(QStringLiteral("SELECT 1 FROM censos LIMIT 1"));
    return q.next();
}
