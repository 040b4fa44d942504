#include "Acceso.h"

#include "foundation/BaseDatos.h"

#include <QSqlRecord>

namespace {

void AsignarSiNoNulo(QString& destino, const QVariant& valor)
{
    if (!valor.isNull())
        destino = valor.toString();
}

} // namespace

std::optional<UsuarioActual> BuscarUsuario(BaseDatos& bd, const QString& sr, const QString& dw)
{
    QSqlQuery q = bd.ejecutar(QStringLiteral("SELECT id_sr, sr, dw, nivel, nombre, ape1, ape2 "
                                             "FROM sr WHERE sr = ? COLLATE ES_CI "
                                             "AND dw = ? COLLATE ES_CI ORDER BY id_sr"),
                              {sr, dw});
    while (q.next()) {
        if (q.value(1).toString() != sr || q.value(2).toString() != dw)
            continue;
        UsuarioActual usuario;
        usuario.UsuarioId = q.value(0).toInt();
        usuario.UsuarioSr = q.value(1).toString();
        AsignarSiNoNulo(usuario.UsuarioNivel, q.value(3));
        AsignarSiNoNulo(usuario.UsuarioNombre, q.value(4));
        AsignarSiNoNulo(usuario.UsuarioApe1, q.value(5));
        AsignarSiNoNulo(usuario.UsuarioApe2, q.value(6));
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
