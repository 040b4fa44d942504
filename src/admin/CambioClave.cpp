#include "CambioClave.h"

#include "foundation/BaseDatos.h"
#include "foundation/Claves.h"

#include <QList>
#include <QPair>

namespace {

// Hashed before the write lock is taken: a hash costs a tenth of a second,
// and other terminals wait for the lock.
QString Cifrada(const QString& nueva)
{
    const QString cifrada = CifrarClave(nueva);
    if (cifrada.isEmpty())
        throw ErrorBD(ErrorBD::Tipo::Sentencia,
                      QStringLiteral("not enough memory to hash the password"));
    return cifrada;
}

// Rows named exactly sr, with their stored password.
QList<QPair<int, QString>> FilasLlamadas(BaseDatos& bd, const QString& sr)
{
    QSqlQuery q = bd.ejecutar(QStringLiteral("SELECT id_sr, sr, dw FROM sr WHERE %1 ORDER BY id_sr")
                                  .arg(bd.dialecto().igualSinMayusculas(QStringLiteral("sr"))),
                              {sr});
    QList<QPair<int, QString>> filas;
    while (q.next())
        if (q.value(1).toString() == sr)
            filas.append({q.value(0).toInt(), q.value(2).toString()});
    return filas;
}

} // namespace

int RevisarCambioClave(const QString& actual, const QString& nueva, const QString& confirme)
{
    if (actual.isEmpty())
        return 56;
    if (nueva.isEmpty() || nueva != confirme)
        return 57;
    return 0;
}

bool CambiarClave(BaseDatos& bd, const QString& sr, const QString& actual, const QString& nueva)
{
    QList<QPair<int, QString>> cambiar;
    for (const auto& fila : FilasLlamadas(bd, sr))
        if (ClaveCoincide(fila.second, actual))
            cambiar.append(fila);
    if (cambiar.isEmpty())
        return false;
    const QString cifrada = Cifrada(nueva);
    BaseDatos::Transaccion t(bd);
    int cambiadas = 0;
    // A row another terminal changed meanwhile keeps that change.
    for (const auto& [id, guardada] : cambiar)
        cambiadas += bd.ejecutar(QStringLiteral("UPDATE sr SET dw = ? WHERE id_sr = ? AND dw = ?"),
                                 {cifrada, id, guardada})
                         .numRowsAffected();
    t.confirmar();
    return cambiadas > 0;
}

QList<int> UsuariosLlamados(BaseDatos& bd, const QString& sr)
{
    QList<int> ids;
    for (const auto& fila : FilasLlamadas(bd, sr))
        ids.append(fila.first);
    return ids;
}

void FijarClave(BaseDatos& bd, int idSr, const QString& nueva)
{
    const QString cifrada = Cifrada(nueva);
    BaseDatos::Transaccion t(bd);
    bd.ejecutar(QStringLiteral("UPDATE sr SET dw = ? WHERE id_sr = ?"), {cifrada, idSr});
    t.confirmar();
}
