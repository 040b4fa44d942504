#include "Acceso.h"

#include "foundation/BaseDatos.h"
#include "foundation/Claves.h"

#include <QSqlRecord>

namespace {

void AsignarSiNoNulo(QString& destino, const QVariant& valor)
{
    if (!valor.isNull())
        destino = valor.toString();
}

// A row from before hashes were used is rewritten at its first login, unless
// another terminal changed it meanwhile.
void CifrarClaveGuardada(BaseDatos& bd, int idSr, const QString& guardada, const QString& dw)
{
    const QString cifrada = CifrarClave(dw);
    if (cifrada.isEmpty())
        return;
    BaseDatos::Transaccion t(bd);
    bd.ejecutar(QStringLiteral("UPDATE sr SET dw = ? WHERE id_sr = ? AND dw = ?"),
                {cifrada, idSr, guardada});
    t.confirmar();
}

} // namespace

std::optional<UsuarioActual> BuscarUsuario(BaseDatos& bd, const QString& sr, const QString& dw)
{
    QSqlQuery q = bd.ejecutar(QStringLiteral("SELECT id_sr, sr, dw, nivel, nombre, ape1, ape2 "
                                             "FROM sr WHERE %1 ORDER BY id_sr")
                                  .arg(bd.dialecto().igualSinMayusculas(QStringLiteral("sr"))),
                              {sr});
    while (q.next()) {
        const QString guardada = q.value(2).toString();
        if (q.value(1).toString() != sr || !ClaveCoincide(guardada, dw))
            continue;
        UsuarioActual usuario;
        usuario.UsuarioId = q.value(0).toInt();
        usuario.UsuarioSr = q.value(1).toString();
        AsignarSiNoNulo(usuario.UsuarioNivel, q.value(3));
        AsignarSiNoNulo(usuario.UsuarioNombre, q.value(4));
        AsignarSiNoNulo(usuario.UsuarioApe1, q.value(5));
        AsignarSiNoNulo(usuario.UsuarioApe2, q.value(6));
        q.finish();
        if (!EsClaveCifrada(guardada))
            CifrarClaveGuardada(bd, usuario.UsuarioId, guardada, dw);
        return usuario;
    }
    return std::nullopt;
}

QString TextoIntentoFallido(int intento, const QString& sr)
{
    static const char* const kInicio[] = {
        "Primer intento fallido de ingresar al programa. Intenta utilizar como usr <-",
        "Segundo intento fallido de ingresar al programa. Intenta utilizar como usr <-",
        "Tercer intento fallido de ingresar al programa, se le niega el acceso. Intenta "
        "utilizar como usr <-"};
    if (intento < 1 || intento > kIntentosMaximos)
        return QString();
    return QString::fromUtf8(kInicio[intento - 1]) + sr + QStringLiteral("-> y pwd <-") +
           QStringLiteral("********") + QStringLiteral("->");
}
