#include "Usuarios.h"

#include "foundation/BaseDatos.h"
#include "foundation/Claves.h"
#include "foundation/Idiomas.h"

namespace {

const QString kSalto = QStringLiteral("\r\n");

QVariant Valor(const QSqlQuery& q, int columna)
{
    const QVariant v = q.value(columna);
    return v.isNull() ? QVariant() : QVariant(v.toString());
}

// The statement texts the event log keeps. They are written for the log
// alone (the statements run with bound values) and never hold a password.
QString SucesoAlta(const DatosUsuario& d)
{
    return QStringLiteral("Usuario agregado correctamente: ") + kSalto +
           QStringLiteral("INSERT INTO sr (sr,dw,nombre,ape1,ape2,nivel) VALUES ('") + d.sr +
           QStringLiteral("','','") + d.nombre + QStringLiteral("','") + d.ape1 +
           QStringLiteral("','") + d.ape2 + QStringLiteral("','1')");
}

QString SucesoModificacion(int idSr, const DatosUsuario& d)
{
    return QStringLiteral("Usuario modificado correctamente: ") + kSalto +
           QStringLiteral("UPDATE Usuarios SET usuario='") + d.sr + QStringLiteral("',nombre='") +
           d.nombre + QStringLiteral("',ape1='") + d.ape1 + QStringLiteral("',ape2='") + d.ape2 +
           QStringLiteral("' WHERE id_sr=") + QString::number(idSr);
}

QString SucesoPermiso(int idSr, int idPermiso, bool autorizado)
{
    return QStringLiteral("Usuario modificado correctamente: ") + kSalto +
           QStringLiteral("UPDATE UsuariosPermisos SET PermisoAutorizado=") +
           (autorizado ? u'1' : u'0') + QStringLiteral(" WHERE id_sr=") + QString::number(idSr) +
           QStringLiteral(" AND id_permiso=") + QString::number(idPermiso);
}

QString SucesoBaja(int idSr)
{
    return QStringLiteral("Usuario eliminado correctamente: ") + kSalto +
           QStringLiteral("DELETE FROM sr WHERE id_sr = ") + QString::number(idSr);
}

// The stored password of a user, or Null when the user is gone.
QVariant ClaveGuardada(BaseDatos& bd, int idSr)
{
    QSqlQuery q = bd.ejecutar(QStringLiteral("SELECT dw FROM sr WHERE id_sr = ?"), {idSr});
    if (!q.next())
        return QVariant();
    const QString dw = q.value(0).toString();
    return dw;
}

// Whether a user of exactly that name (letter case included, which the
// database's comparison ignores) already has that password.
bool ExisteMismaClave(BaseDatos& bd, const QString& sr, const ClaveUsuario& clave,
                      const QString& guardada)
{
    QSqlQuery q = bd.ejecutar(QStringLiteral("SELECT sr, dw FROM sr WHERE ") +
                                  bd.dialecto().igualSinMayusculas(QStringLiteral("sr")),
                              {sr});
    while (q.next()) {
        if (q.value(0).toString() != sr)
            continue;
        const QString dw = q.value(1).toString();
        if (clave.sinCambios() ? dw == guardada : ClaveCoincide(dw, clave.tecleada))
            return true;
    }
    return false;
}

bool TienePermiso(BaseDatos& bd, int idSr, int idPermiso)
{
    QSqlQuery q = bd.ejecutar(QStringLiteral("SELECT 1 FROM UsuariosPermisos WHERE id_sr = ? AND "
                                             "id_permiso = ? AND PermisoAutorizado <> 0"),
                              {idSr, idPermiso});
    return q.next();
}

// Read inside the writing transaction, so that two terminals cannot each
// take the permission from one of the last two holders at once.
bool EsUltimoAdministrador(BaseDatos& bd, int idSr)
{
    if (!TienePermiso(bd, idSr, kPermisoGestionUsuarios))
        return false;
    QSqlQuery q = bd.ejecutar(
        QStringLiteral("SELECT COUNT(*) FROM UsuariosPermisos AS up INNER JOIN sr ON sr.id_sr = "
                       "up.id_sr WHERE up.id_permiso = ? AND up.PermisoAutorizado <> 0 AND "
                       "up.id_sr <> ?"),
        {kPermisoGestionUsuarios, idSr});
    return q.next() && q.value(0).toInt() == 0;
}

bool QuitaGestionUsuarios(const QList<std::pair<int, bool>>& permisos)
{
    for (const auto& [idPermiso, autorizado] : permisos)
        if (idPermiso == kPermisoGestionUsuarios && !autorizado)
            return true;
    return false;
}

} // namespace

QList<FilaUsuario> ListarUsuarios(BaseDatos& bd)
{
    const Dialecto& d = bd.dialecto();
    QSqlQuery q = bd.ejecutar(
        QStringLiteral("SELECT id_sr, sr, nombre, ape1, ape2 FROM sr ORDER BY %1 ASC, %2 ASC, "
                       "%3 ASC, id_sr ASC")
            .arg(d.ordenSinMayusculas(QStringLiteral("nombre")),
                 d.ordenSinMayusculas(QStringLiteral("ape1")),
                 d.ordenSinMayusculas(QStringLiteral("ape2"))));
    QList<FilaUsuario> filas;
    while (q.next())
        filas.append(
            {q.value(0).toInt(), q.value(1).toString(), Valor(q, 2), Valor(q, 3), Valor(q, 4)});
    return filas;
}

QList<PermisoUsuario> LeerPermisosUsuario(BaseDatos& bd, int idSr)
{
    QSqlQuery q = bd.ejecutar(
        QStringLiteral("SELECT p.id_permiso, up.PermisoAutorizado FROM Permisos AS p INNER JOIN "
                       "(sr INNER JOIN UsuariosPermisos AS up ON sr.id_sr = up.id_sr) ON "
                       "p.id_permiso = up.id_permiso WHERE sr.id_sr = ? "
                       "ORDER BY p.PermisoOrden ASC, p.id_permiso ASC"),
        {idSr});
    QList<PermisoUsuario> permisos;
    while (q.next())
        permisos.append({q.value(0).toInt(), q.value(1)});
    return permisos;
}

QString TextoPermisoAutorizado(const TablasIdioma& idioma, const QVariant& autorizado)
{
    if (autorizado.isNull())
        return QString();
    return idioma.texto(autorizado.toInt() != 0 ? 326 : 327);
}

ResultadoUsuario AgregarUsuario(BaseDatos& bd, const DatosUsuario& datos, const ClaveUsuario& clave,
                                int* idNuevo, QStringList* sucesos)
{
    // Hashing is slow: done before the write lock is taken.
    QString guardar;
    if (!clave.sinCambios()) {
        guardar = CifrarClave(clave.tecleada);
        if (guardar.isEmpty())
            return ResultadoUsuario::SinMemoria;
    }
    BaseDatos::Transaccion t(bd);
    if (clave.sinCambios()) {
        const QVariant copiada = ClaveGuardada(bd, clave.copiarDe);
        if (copiada.isNull())
            return ResultadoUsuario::NoExiste;
        guardar = copiada.toString();
    }
    if (ExisteMismaClave(bd, datos.sr, clave, guardar))
        return ResultadoUsuario::Duplicado;
    // The new number comes from this insert, not from the highest number,
    // which another terminal may have just taken.
    const int id = bd.ejecutar(QStringLiteral("INSERT INTO sr (sr, dw, nombre, ape1, ape2, nivel) "
                                              "VALUES (?, ?, ?, ?, ?, '1')"),
                               {datos.sr, guardar, datos.nombre, datos.ape1, datos.ape2})
                       .lastInsertId()
                       .toInt();
    bd.ejecutar(
        QStringLiteral("INSERT INTO UsuariosPermisos (id_sr, id_permiso, PermisoAutorizado) "
                       "SELECT ?, id_permiso, 0 FROM Permisos ORDER BY id_permiso ASC"),
        {id});
    t.confirmar();
    *idNuevo = id;
    *sucesos = {SucesoAlta(datos)};
    return ResultadoUsuario::Hecho;
}

ResultadoUsuario ModificarUsuario(BaseDatos& bd, int idSr, const DatosUsuario& datos,
                                  const ClaveUsuario& clave,
                                  const QList<std::pair<int, bool>>& permisos, QStringList* sucesos)
{
    // A password left as shown keeps the stored hash; a typed one is hashed.
    QString cifrada;
    if (!clave.sinCambios()) {
        cifrada = CifrarClave(clave.tecleada);
        if (cifrada.isEmpty())
            return ResultadoUsuario::SinMemoria;
    }
    BaseDatos::Transaccion t(bd);
    if (QuitaGestionUsuarios(permisos) && EsUltimoAdministrador(bd, idSr))
        return ResultadoUsuario::UltimoAdministrador;
    QVariantList valores = {datos.sr, datos.nombre, datos.ape1, datos.ape2};
    QString sql = QStringLiteral("UPDATE sr SET sr = ?, nombre = ?, ape1 = ?, ape2 = ?");
    if (!clave.sinCambios()) {
        sql += QStringLiteral(", dw = ?");
        valores << cifrada;
    }
    valores << idSr;
    if (bd.ejecutar(sql + QStringLiteral(" WHERE id_sr = ?"), valores).numRowsAffected() == 0)
        return ResultadoUsuario::NoExiste;
    QStringList textos = {SucesoModificacion(idSr, datos)};
    for (const auto& [idPermiso, autorizado] : permisos) {
        bd.ejecutar(QStringLiteral("UPDATE UsuariosPermisos SET PermisoAutorizado = ? "
                                   "WHERE id_sr = ? AND id_permiso = ?"),
                    {autorizado ? 1 : 0, idSr, idPermiso});
        textos << SucesoPermiso(idSr, idPermiso, autorizado);
    }
    t.confirmar();
    *sucesos = textos;
    return ResultadoUsuario::Hecho;
}

ResultadoUsuario EliminarUsuario(BaseDatos& bd, int idSr, QStringList* sucesos)
{
    BaseDatos::Transaccion t(bd);
    if (EsUltimoAdministrador(bd, idSr))
        return ResultadoUsuario::UltimoAdministrador;
    bd.ejecutar(QStringLiteral("DELETE FROM sr WHERE id_sr = ?"), {idSr});
    bd.ejecutar(QStringLiteral("DELETE FROM UsuariosPermisos WHERE id_sr = ?"), {idSr});
    t.confirmar();
    *sucesos = {SucesoBaja(idSr)};
    return ResultadoUsuario::Hecho;
}
