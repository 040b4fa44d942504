#include "Censo.h"

#include "foundation/Normalizar.h"

#include "foundation/BaseDatos.h"

#include <QSqlQuery>
#include <QVariant>

namespace {

QStringList Columnas()
{
    QStringList c{QStringLiteral("nom_unidad"), QStringLiteral("num_inmueble"),
                  QStringLiteral("torre"), QStringLiteral("tfno_inmueble")};
    for (int n = 1; n <= RegistroCenso::kResidentes; ++n)
        c << QStringLiteral("nombre%1").arg(n) << QStringLiteral("ape1_%1").arg(n)
          << QStringLiteral("ape2_%1").arg(n) << QStringLiteral("tipo_usu%1").arg(n);
    for (int n = 1; n <= RegistroCenso::kVehiculos; ++n)
        c << QStringLiteral("veh_placa%1").arg(n) << QStringLiteral("veh_descr%1").arg(n)
          << QStringLiteral("veh_tipo%1").arg(n);
    c << QStringLiteral("notas");
    return c;
}

// The forty members in column order, so that reading, writing and the
// window's fields all follow one list.
template <typename Registro, typename Funcion> void RecorrerCampos(Registro& r, Funcion&& f)
{
    f(r.nom_unidad);
    f(r.num_inmueble);
    f(r.torre);
    f(r.tfno_inmueble);
    for (auto& residente : r.residentes) {
        f(residente.nombre);
        f(residente.ape1);
        f(residente.ape2);
        f(residente.tipo_usu);
    }
    for (auto& vehiculo : r.vehiculos) {
        f(vehiculo.placa);
        f(vehiculo.descr);
        f(vehiculo.tipo);
    }
    f(r.notas);
}

QString TextoColumna(const QVariant& valor)
{
    return valor.isNull() ? QString() : valor.toString();
}

// The tower column holds numbers, so that "02" and "2" are one tower; an
// empty tower is no number at all. Any other text is kept as typed.
QVariantList Valores(const RegistroCenso& registro)
{
    QVariantList valores;
    for (const QString& texto : TextosCenso(registro))
        valores << QVariant(texto.isNull() ? QStringLiteral("") : texto);
    if (registro.torre.isEmpty())
        valores[2] = QVariant();
    // Bound as a number, "02" is stored as 2 whether the column converts
    // what it is given (a file) or keeps it as given (a server).
    bool numero = false;
    const qlonglong torre = registro.torre.toLongLong(&numero);
    if (numero && SoloCifras(registro.torre))
        valores[2] = torre;
    return valores;
}

std::optional<RegistroCenso> PrimeraFila(QSqlQuery q)
{
    std::optional<RegistroCenso> registro;
    if (q.next())
        registro = CensoDeFila(q);
    q.finish();
    return registro;
}

} // namespace

const QStringList& ColumnasCenso()
{
    static const QStringList columnas = Columnas();
    return columnas;
}

QStringList TextosCenso(const RegistroCenso& registro)
{
    QStringList textos;
    RecorrerCampos(registro, [&](const QString& campo) { textos << campo; });
    return textos;
}

RegistroCenso CensoDeTextos(const QStringList& textos, int idCenso)
{
    RegistroCenso registro;
    registro.id_censo = idCenso;
    int i = 0;
    RecorrerCampos(registro, [&](QString& campo) {
        if (i < textos.size())
            campo = textos.at(i);
        ++i;
    });
    return registro;
}

QString ColumnasSelectCenso()
{
    static const QString columnas =
        QStringLiteral("id_censo, ") + ColumnasCenso().join(QStringLiteral(", "));
    return columnas;
}

RegistroCenso CensoDeFila(const QSqlQuery& q, int desde)
{
    RegistroCenso registro;
    registro.id_censo = q.value(desde).toInt();
    int i = desde + 1;
    RecorrerCampos(registro, [&](QString& campo) { campo = TextoColumna(q.value(i++)); });
    return registro;
}

std::optional<RegistroCenso> LeerCenso(BaseDatos& bd, int idCenso)
{
    return PrimeraFila(bd.ejecutar(
        QStringLiteral("SELECT %1 FROM censos WHERE id_censo = ?").arg(ColumnasSelectCenso()),
        {idCenso}));
}

std::optional<RegistroCenso> UltimoCenso(BaseDatos& bd)
{
    return PrimeraFila(
        bd.ejecutar(QStringLiteral("SELECT %1 FROM censos ORDER BY id_censo DESC LIMIT 1")
                        .arg(ColumnasSelectCenso())));
}

int ContarCensos(BaseDatos& bd)
{
    QSqlQuery q = bd.ejecutar(QStringLiteral("SELECT count(*) FROM censos"));
    const int cuantos = q.next() ? q.value(0).toInt() : 0;
    q.finish();
    return cuantos;
}

int AgregarCenso(BaseDatos& bd, const RegistroCenso& registro)
{
    QStringList marcas;
    for (qsizetype i = 0; i < ColumnasCenso().size(); ++i)
        marcas << QStringLiteral("?");
    const QSqlQuery q = bd.ejecutar(QStringLiteral("INSERT INTO censos (%1) VALUES (%2)")
                                        .arg(ColumnasCenso().join(u','), marcas.join(u',')),
                                    Valores(registro));
    return q.lastInsertId().toInt();
}

bool ModificarCenso(BaseDatos& bd, int idCenso, const RegistroCenso& registro)
{
    static const QString sql = [] {
        QStringList asignaciones;
        for (const QString& columna : ColumnasCenso())
            asignaciones << columna + QStringLiteral(" = ?");
        return QStringLiteral("UPDATE censos SET %1 WHERE id_censo = ?")
            .arg(asignaciones.join(QStringLiteral(", ")));
    }();
    QVariantList valores = Valores(registro);
    valores << idCenso;
    return bd.ejecutar(sql, valores).numRowsAffected() > 0;
}

bool EliminarCenso(BaseDatos& bd, int idCenso)
{
    return bd.ejecutar(QStringLiteral("DELETE FROM censos WHERE id_censo = ?"), {idCenso})
               .numRowsAffected() > 0;
}

ResultadoGuardar ModificarCensoLeido(BaseDatos& bd, const RegistroCenso& leido,
                                     const RegistroCenso& nuevo, RegistroCenso* actual)
{
    // The write lock is taken before reading, so nobody slips in between.
    BaseDatos::Transaccion transaccion(bd);
    const std::optional<RegistroCenso> ahora = LeerCenso(bd, leido.id_censo);
    if (!ahora)
        return ResultadoGuardar::NoExiste;
    if (*ahora != leido) {
        if (actual)
            *actual = *ahora;
        return ResultadoGuardar::Cambiado;
    }
    ModificarCenso(bd, leido.id_censo, nuevo);
    transaccion.confirmar();
    return ResultadoGuardar::Guardado;
}
