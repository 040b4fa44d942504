// The census query window's statements on the generated census of 20 000
// dwellings: the window's load (list, first detail, counts), each of the
// twelve search fields, the detail and the notes of one dwelling. Each
// iteration opens the connection, as the window does for every action.
// With --sentencias it prints the same statements, values written in, one a
// line, for the sqlite3 tool (bench/censo_sqlite3.sh).

#include "DatosCenso.h"

#include "census/Censo.h"
#include "census/ConsultaCenso.h"
#include "foundation/BaseDatos.h"
#include "foundation/Idiomas.h"
#include "platform/ModeloTabla.h"

#include "ArranqueBench.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>

#include <cstdio>
#include <cstring>
#include <stdexcept>

namespace {

// One search per field, with a text the generated census holds.
struct Busqueda
{
    const char* nombre;
    BusquedaCenso campos;
};

QList<Busqueda> Busquedas()
{
    const std::vector<ViviendaGenerada>& censo = CensoGenerado(kViviendasCenso);
    const ViviendaGenerada& v = censo[12345];
    const auto campo = [](auto miembro, const QString& texto) {
        BusquedaCenso b;
        b.*miembro = texto;
        return b;
    };
    BusquedaCenso juntos;
    juntos.torre = QString::number(v.torre);
    juntos.ape1 = v.residentes[0].ape1.toUpper();
    juntos.tipo_usu = QStringLiteral("propietario");
    return {
        {"todo", {}},
        {"nom_unidad", campo(&BusquedaCenso::nom_unidad, v.nom_unidad.left(12).toLower())},
        {"num_inmueble", campo(&BusquedaCenso::num_inmueble, v.num_inmueble)},
        {"torre", campo(&BusquedaCenso::torre, QStringLiteral("0") + QString::number(v.torre))},
        {"tfno_inmueble", campo(&BusquedaCenso::tfno_inmueble, v.tfno_inmueble.right(5))},
        {"nombre", campo(&BusquedaCenso::nombre, v.residentes[0].nombre.toUpper())},
        {"ape1", campo(&BusquedaCenso::ape1, v.residentes[0].ape1.toUpper())},
        {"ape2", campo(&BusquedaCenso::ape2, v.residentes[0].ape2.toLower())},
        {"tipo_usu", campo(&BusquedaCenso::tipo_usu, QStringLiteral("INQUILINO"))},
        {"veh_placa", campo(&BusquedaCenso::veh_placa, v.vehiculos[0].placa.left(3))},
        {"veh_descr", campo(&BusquedaCenso::veh_descr, v.vehiculos[0].descr.section(u' ', 0, 0))},
        {"veh_tipo", campo(&BusquedaCenso::veh_tipo, QStringLiteral("moto"))},
        {"notas", campo(&BusquedaCenso::notas, QStringLiteral("MASCOTA"))},
        {"juntos", juntos},
    };
}

const TablasIdioma& Espanol()
{
    static const TablasIdioma tablas = [] {
        TablasIdioma t;
        CargarTablasIdioma(QStringLiteral("es"), &t);
        return t;
    }();
    return tablas;
}

bool Abrir(benchmark::State& state, BaseDatos* bd)
{
    try {
        bd->fijarRuta(ArchivoCenso(kViviendasCenso));
        return true;
    } catch (const std::exception& e) {
        state.SkipWithError(e.what());
        return false;
    }
}

// What the window does on its load or a search: the list read and handed to
// the list view's model, the first dwelling's detail, the counts.
void ConsultaCompleta(benchmark::State& state, const BusquedaCenso& busqueda)
{
    BaseDatos bd;
    if (!Abrir(state, &bd))
        return;
    ModeloTabla modelo;
    int filas = 0;
    for (auto _ : state) {
        SesionBD sesion(bd);
        QList<FilaCenso> lista = ConsultarCenso(bd, busqueda);
        QString detalle;
        if (!lista.isEmpty())
            if (const auto primero = LeerCenso(bd, lista.constFirst().id_censo))
                detalle = TextoDetalleCenso(*primero, Espanol());
        const CuentaResidentes cuenta = ContarPropietariosInquilinos(bd, Espanol());
        QList<QStringList> textos;
        QList<int> ids;
        textos.reserve(lista.size());
        ids.reserve(lista.size());
        for (FilaCenso& fila : lista) {
            ids << fila.id_censo;
            textos << std::move(fila.columnas);
        }
        filas = int(textos.size());
        modelo.fijarFilas(std::move(textos), std::move(ids));
        benchmark::DoNotOptimize(detalle);
        benchmark::DoNotOptimize(cuenta);
    }
    state.counters["filas"] = filas;
}

// The list statement alone, read to the end.
void Lista(benchmark::State& state, const BusquedaCenso& busqueda)
{
    BaseDatos bd;
    if (!Abrir(state, &bd))
        return;
    int filas = 0;
    for (auto _ : state) {
        SesionBD sesion(bd);
        filas = int(ConsultarCenso(bd, busqueda).size());
    }
    state.counters["filas"] = filas;
}

void Cuentas(benchmark::State& state)
{
    BaseDatos bd;
    if (!Abrir(state, &bd))
        return;
    CuentaResidentes cuenta;
    for (auto _ : state) {
        SesionBD sesion(bd);
        cuenta = ContarPropietariosInquilinos(bd, Espanol());
    }
    state.counters["propietarios"] = cuenta.propietarios;
    state.counters["inquilinos"] = cuenta.inquilinos;
}

// A click on a dwelling: its detail read and written out.
void Detalle(benchmark::State& state)
{
    BaseDatos bd;
    if (!Abrir(state, &bd))
        return;
    for (auto _ : state) {
        SesionBD sesion(bd);
        const auto registro = LeerCenso(bd, 12346);
        benchmark::DoNotOptimize(TextoDetalleCenso(*registro, Espanol()));
    }
}

void Notas(benchmark::State& state)
{
    BaseDatos bd;
    if (!Abrir(state, &bd))
        return;
    for (auto _ : state) {
        SesionBD sesion(bd);
        benchmark::DoNotOptimize(LeerNotasCenso(bd, 12346));
    }
}

// A value as an SQL literal, for the sqlite3 tool.
QString Literal(const QVariant& valor)
{
    if (valor.typeId() == QMetaType::LongLong || valor.typeId() == QMetaType::Int)
        return valor.toString();
    QString texto = valor.toString();
    texto.replace(u'\'', QStringLiteral("''"));
    return u'\'' + texto + u'\'';
}

QString ConValores(QString sql, const QVariantList& valores)
{
    qsizetype desde = 0;
    for (const QVariant& valor : valores) {
        const qsizetype marca = sql.indexOf(u'?', desde);
        const QString literal = Literal(valor);
        sql.replace(marca, 1, literal);
        desde = marca + literal.size();
    }
    return sql;
}

// The window's statements, one a line: the benchmark's name, a tab, the
// statement.
void ImprimirSentencias()
{
    for (const Busqueda& b : Busquedas()) {
        QVariantList valores;
        const QString sql = SentenciaConsultaCenso(DialectoSqlite(), b.campos, &valores);
        std::printf("Lista/%s\t%s;\n", b.nombre, ConValores(sql, valores).toUtf8().constData());
    }
    std::printf("Cuentas\t%s;\n", SentenciaTiposCenso().toUtf8().constData());
    std::printf("Detalle\tSELECT %s FROM censos WHERE id_censo = 12346;\n",
                ColumnasSelectCenso().toUtf8().constData());
    std::printf("Notas\tSELECT notas FROM censos WHERE id_censo = 12346;\n");
}

void Registrar()
{
    for (const Busqueda& b : Busquedas()) {
        const QByteArray nombre(b.nombre);
        benchmark::RegisterBenchmark(("Consulta/" + nombre).constData(), ConsultaCompleta, b.campos)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("Lista/" + nombre).constData(), Lista, b.campos)
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::RegisterBenchmark("Cuentas", Cuentas)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Detalle", Detalle)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Notas", Notas)->Unit(benchmark::kMillisecond);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc > 1 && std::strcmp(argv[1], "--sentencias") == 0) {
        ImprimirSentencias();
        return 0;
    }
    Registrar();
    if (!EmpezarBench(&argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
