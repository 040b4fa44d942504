// The printed census on the generated census of 20 000 dwellings: reading
// the rows in the listing's order.

#include "DatosCenso.h"

#include "foundation/BaseDatos.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>

#include <stdexcept>

namespace {

// The listing's source statement read to the end, every column touched.
void LeerCensoOrdenado(benchmark::State& state)
{
    QString ruta;
    try {
        ruta = ArchivoCenso(int(state.range(0)));
    } catch (const std::exception& e) {
        state.SkipWithError(e.what());
        return;
    }
    BaseDatos bd;
    bd.fijarRuta(ruta);
    int filas = 0;
    for (auto _ : state) {
        SesionBD sesion(bd);
        QSqlQuery q = bd.ejecutar(QStringLiteral("SELECT * FROM censos ORDER BY num_inmueble"));
        const int columnas = q.record().count();
        filas = 0;
        while (q.next()) {
            for (int c = 0; c < columnas; ++c)
                benchmark::DoNotOptimize(q.value(c));
            ++filas;
        }
    }
    state.counters["filas"] = filas;
}
BENCHMARK(LeerCensoOrdenado)
    ->ArgName("viviendas")
    ->Arg(kViviendasCenso)
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    // Fonts and the progress box need a GUI application; no screen is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
