// The visitor-log query at 2 000 000 visits: one month by entry date with a
// name filter, the same for the visitors still inside, and a range of about
// 100 000 rows; each with the list filled as the panel fills it.

#include "ArranqueBench.h"
#include "DatosVisitas.h"

#include "foundation/BaseDatos.h"
#include "platform/ModeloTabla.h"
#include "visitlog/RegistroVisitas.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>

namespace {

void Consultar(benchmark::State& state, int dentro, FiltroRegistro filtro, bool llenar)
{
    BaseDatos bd;
    try {
        bd.fijarRuta(ArchivoVisitas(2'000'000, dentro));
    } catch (const std::exception& e) {
        return state.SkipWithError(e.what());
    }
    ModeloTabla modelo;
    qsizetype filas = 0;
    for (auto _ : state) {
        QList<Visita> visitas;
        {
            SesionBD sesion(bd);
            visitas = ConsultarRegistro(bd, filtro);
        }
        if (!llenar) {
            filas = visitas.size();
            continue;
        }
        QList<QStringList> textos;
        QList<int> ids;
        textos.reserve(visitas.size());
        ids.reserve(visitas.size());
        for (const Visita& v : visitas) {
            textos.append(FilaRegistro(v));
            ids.append(v.id_es);
        }
        modelo.fijarFilas(std::move(textos), std::move(ids));
        filas = modelo.rowCount();
    }
    state.counters["filas"] = double(filas);
}

FiltroRegistro Filtro(QDate desde, QDate hasta, BusquedaRegistro busqueda, const QString& nombre)
{
    FiltroRegistro filtro;
    filtro.desde = desde;
    filtro.hasta = hasta;
    filtro.busqueda = busqueda;
    filtro.NombreVisitante = nombre;
    return filtro;
}

} // namespace

int main(int argc, char** argv)
{
    if (!EmpezarBench(&argc, argv))
        return 1;
    QCoreApplication app(argc, argv);
    const QDate junio(2025, 6, 1), finJunio(2025, 6, 30);
    benchmark::RegisterBenchmark(
        "Registro/2M/mes_entradas_nombre", Consultar, kDentroRecientes,
        Filtro(junio, finJunio, BusquedaRegistro::Entradas, QStringLiteral("MARÍA")), true)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(
        "Registro/2M/mes_actuales_nombre", Consultar, kDentroMaximo,
        Filtro(junio, finJunio, BusquedaRegistro::VisitasActuales, QStringLiteral("MARÍA")), true)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Registro/2M/mes_entradas_sin_filtro", Consultar, kDentroRecientes,
                                 Filtro(junio, finJunio, BusquedaRegistro::Entradas, {}), true)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(
        "Registro/2M/110_dias_sin_filtro", Consultar, kDentroRecientes,
        Filtro(QDate(2025, 1, 1), QDate(2025, 4, 20), BusquedaRegistro::Entradas, {}), true)
        ->Unit(benchmark::kMillisecond);
    // The same rows read without building the list's texts.
    benchmark::RegisterBenchmark(
        "Registro/2M/110_dias_sin_filtro_sin_lista", Consultar, kDentroRecientes,
        Filtro(QDate(2025, 1, 1), QDate(2025, 4, 20), BusquedaRegistro::Entradas, {}), false)
        ->Unit(benchmark::kMillisecond);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
