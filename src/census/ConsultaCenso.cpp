#include "ConsultaCenso.h"

#include "census/Censo.h"
#include "foundation/BaseDatos.h"
#include "foundation/Idiomas.h"
#include "foundation/Normalizar.h"

#include <QVariantList>

namespace {

// The columns of one field for the five residents or vehicles: "nombre%1".
void CondicionCinco(const Dialecto& d, const QString& forma, const QString& texto,
                    QStringList* condiciones, QVariantList* valores)
{
    if (texto.isEmpty())
        return;
    QStringList partes;
    const QString patron = PatronContiene(texto);
    for (int n = 1; n <= 5; ++n) {
        partes << d.contiene(forma.arg(n));
        *valores << patron;
    }
    *condiciones << QLatin1Char('(') + partes.join(QStringLiteral(" OR ")) + QLatin1Char(')');
}

void CondicionUna(const Dialecto& d, const char* columna, const QString& texto,
                  QStringList* condiciones, QVariantList* valores)
{
    if (texto.isEmpty())
        return;
    *condiciones << d.contiene(QLatin1String(columna));
    *valores << PatronContiene(texto);
}

const QString kColumnasLista = QStringLiteral(
    "id_censo, nom_unidad, num_inmueble, torre, tfno_inmueble, nombre1, ape1_1, ape2_1, "
    "tipo_usu1, veh_placa1, veh_descr1, veh_tipo1, notas");

} // namespace

FalloBusquedaCenso RevisarBusquedaCenso(const BusquedaCenso& b)
{
    if (!b.torre.isEmpty() && !SoloCifras(b.torre))
        return FalloBusquedaCenso::Torre;
    if (!b.tfno_inmueble.isEmpty() && !SoloCifras(b.tfno_inmueble))
        return FalloBusquedaCenso::Telefono;
    return FalloBusquedaCenso::Ninguno;
}

QString SentenciaConsultaCenso(const Dialecto& d, const BusquedaCenso& b, QVariantList* valores)
{
    QStringList condiciones;
    CondicionUna(d, "nom_unidad", b.nom_unidad, &condiciones, valores);
    CondicionUna(d, "num_inmueble", b.num_inmueble, &condiciones, valores);
    if (!b.torre.isEmpty()) {
        // A tower typed as text is stored as a number (the column is
        // NUMERIC): compared as numbers, "02" finds tower 2.
        condiciones << QStringLiteral("torre = ?");
        *valores << b.torre.toLongLong();
    }
    CondicionUna(d, "tfno_inmueble", b.tfno_inmueble, &condiciones, valores);
    CondicionUna(d, "notas", b.notas, &condiciones, valores);
    CondicionCinco(d, QStringLiteral("nombre%1"), b.nombre, &condiciones, valores);
    CondicionCinco(d, QStringLiteral("ape1_%1"), b.ape1, &condiciones, valores);
    CondicionCinco(d, QStringLiteral("ape2_%1"), b.ape2, &condiciones, valores);
    CondicionCinco(d, QStringLiteral("tipo_usu%1"), b.tipo_usu, &condiciones, valores);
    CondicionCinco(d, QStringLiteral("veh_placa%1"), b.veh_placa, &condiciones, valores);
    CondicionCinco(d, QStringLiteral("veh_descr%1"), b.veh_descr, &condiciones, valores);
    CondicionCinco(d, QStringLiteral("veh_tipo%1"), b.veh_tipo, &condiciones, valores);

    QString sql = QStringLiteral("SELECT ") + kColumnasLista + QStringLiteral(" FROM censos");
    if (!condiciones.isEmpty())
        sql += QStringLiteral(" WHERE ") + condiciones.join(QStringLiteral(" AND "));
    sql += QStringLiteral(" ORDER BY num_inmueble ASC NULLS FIRST, id_censo ASC");
    return sql;
}

QList<FilaCenso> ConsultarCenso(BaseDatos& bd, const BusquedaCenso& b)
{
    QVariantList valores;
    const QString sql = SentenciaConsultaCenso(bd.dialecto(), b, &valores);
    QSqlQuery q = bd.ejecutar(sql, valores);
    QList<FilaCenso> filas;
    while (q.next()) {
        FilaCenso fila;
        fila.id_censo = q.value(0).toInt();
        fila.columnas.reserve(13);
        for (int c = 0; c <= 12; ++c)
            fila.columnas << q.value(c).toString();
        filas << std::move(fila);
    }
    return filas;
}

QString SentenciaTiposCenso()
{
    // Households mostly give all their residents one type, so the
    // combinations are few (67 in 20 000 generated dwellings).
    return QStringLiteral("SELECT tipo_usu1, tipo_usu2, tipo_usu3, tipo_usu4, tipo_usu5, COUNT(*) "
                          "FROM censos GROUP BY 1, 2, 3, 4, 5");
}

CuentaResidentes ContarPropietariosInquilinos(BaseDatos& bd, const TablasIdioma& idioma)
{
    // The engine counts each combination of the five types; only those are
    // turned to upper case here, as the words of the language in use are.
    QSqlQuery q = bd.ejecutar(SentenciaTiposCenso());
    const QString propietario = idioma.texto(86);
    const QString inquilino = idioma.texto(87);
    CuentaResidentes cuenta;
    while (q.next()) {
        const int veces = q.value(5).toInt();
        for (int c = 0; c < 5; ++c) {
            const QString tipo = q.value(c).toString().toUpper();
            if (tipo.contains(propietario))
                cuenta.propietarios += veces;
            if (tipo.contains(inquilino))
                cuenta.inquilinos += veces;
        }
    }
    return cuenta;
}

QString TextoCuentaCenso(const TablasIdioma& idioma, int inmuebles, const CuentaResidentes& cuenta)
{
    return idioma.texto(88) + QString::number(inmuebles) + idioma.texto(89) +
           QString::number(cuenta.propietarios) + idioma.texto(90) +
           QString::number(cuenta.inquilinos);
}

QString TextoDetalleCenso(const RegistroCenso& r, const TablasIdioma& idioma)
{
    const QString fin = QStringLiteral("\r\n");
    QString texto = idioma.texto(115) + fin;
    for (const ResidenteCenso& p : r.residentes)
        if (!p.nombre.isEmpty())
            texto += p.nombre + u' ' + p.ape1 + u' ' + p.ape2 + QStringLiteral(" (#") + p.tipo_usu +
                     QStringLiteral("#)") + fin;
    texto += fin + idioma.texto(116) + fin;
    for (const VehiculoCenso& v : r.vehiculos)
        if (!v.placa.isEmpty())
            texto += v.placa + u' ' + v.descr + u' ' + v.tipo + fin;
    texto += fin + idioma.texto(117) + fin;
    if (!r.notas.isEmpty())
        texto += r.notas + fin;
    return texto;
}

std::optional<QString> LeerNotasCenso(BaseDatos& bd, int idCenso)
{
    QSqlQuery q =
        bd.ejecutar(QStringLiteral("SELECT notas FROM censos WHERE id_censo = ?"), {idCenso});
    if (!q.next())
        return std::nullopt;
    return q.value(0).toString();
}
