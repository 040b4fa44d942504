// The three visit statistics on the generated logs: the statement, the rows
// read and the message text built, as one click of the panel does (the box
// itself is not shown). With --sentencias it prints the statements, one a
// line, for the sqlite3 tool (bench/estadisticas_sqlite3.sh).

#include "ArranqueBench.h"
#include "DatosVisitas.h"

#include "foundation/BaseDatos.h"
#include "foundation/Idiomas.h"
#include "visitlog/EstadisticasVisitas.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>

#include <cstdio>
#include <cstring>
#include <exception>

namespace {

constexpr Estadistica kEstadisticas[] = {Estadistica::Visitantes, Estadistica::Autorizadores,
                                         Estadistica::Placas};
constexpr const char* kNombres[] = {"Visitantes", "Autorizadores", "Placas"};

void Contar(benchmark::State& state, int visitas, Estadistica estadistica)
{
    BaseDatos bd;
    TablasIdioma idioma;
    try {
        bd.fijarRuta(ArchivoVisitas(visitas, kDentroRecientes));
        CargarTablasIdioma(QStringLiteral("es"), &idioma);
    } catch (const std::exception& e) {
        state.SkipWithError(e.what());
        return;
    }
    qsizetype filas = 0;
    qsizetype caracteres = 0;
    for (auto _ : state) {
        SesionBD sesion(bd);
        const ResultadoEstadistica resultado = CalcularEstadistica(bd, estadistica);
        const QString texto = TextoEstadistica(idioma, estadistica, resultado);
        filas = resultado.filas.size();
        caracteres = texto.size();
        benchmark::DoNotOptimize(texto.constData());
    }
    state.counters["filas"] = double(filas);
    state.counters["caracteres"] = double(caracteres);
}

void Registrar()
{
    for (const auto& [visitas, etiqueta] : {std::pair{10'000, "10k"}, {2'000'000, "2M"}})
        for (int i = 0; i < 3; ++i) {
            const std::string nombre = std::string("Estadistica/") + etiqueta + "/" + kNombres[i];
            const Estadistica estadistica = kEstadisticas[i];
            const int n = visitas;
            benchmark::RegisterBenchmark(nombre.c_str(),
                                         [n, estadistica](auto& s) { Contar(s, n, estadistica); })
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime();
        }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && std::strcmp(argv[1], "--sentencias") == 0) {
        for (Estadistica estadistica : kEstadisticas)
            std::printf("%s;\n", SentenciaEstadistica(estadistica).toUtf8().constData());
        return 0;
    }
    if (!EmpezarBench(&argc, argv))
        return 1;
    QCoreApplication app(argc, argv);
    Registrar();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
