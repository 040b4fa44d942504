// The printed census on the generated census of 20 000 dwellings: reading
// the rows in the listing's order, and the whole run of ImprimirListadoCenso
// (confirmation answered, event-log lines) to a PDF file (ZELVORA_PDF).

#include "DatosCenso.h"

#include "census/ListadoCenso.h"
#include "foundation/BaseDatos.h"
#include "foundation/Configuracion.h"
#include "foundation/Contexto.h"
#include "foundation/Idiomas.h"
#include "platform/Dialogos.h"

#include "BenchSinPantalla.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
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

// The printed census, from the guard's Yes to the PDF file written. The
// census is a copy in a program folder of its own (the event log goes there).
// ZELVORA_BENCH_PDF names a file to keep the last PDF in, to look at.
void ListadoCensoPdf(benchmark::State& state)
{
    QTemporaryDir dir;
    try {
        if (!QFile::copy(ArchivoCenso(int(state.range(0))), dir.filePath("zelvora.db")))
            throw std::runtime_error("cannot copy the census");
    } catch (const std::exception& e) {
        state.SkipWithError(e.what());
        return;
    }
    RelojSistema reloj;
    DialogosSi dialogos;
    Contexto ctx(dir.path(), reloj, dialogos);
    ctx.cfg = InterpretarLineaConfiguracion(QStringLiteral(";BANCO;0;0;1;0;0;;0;;;;0;0;0"));
    CargarTablasIdioma(QStringLiteral("es"), &ctx.idioma);
    const QString pdf = dir.filePath("censo.pdf");
    qputenv("ZELVORA_PDF", pdf.toUtf8());
    for (auto _ : state)
        ImprimirListadoCenso(ctx, nullptr);
    qunsetenv("ZELVORA_PDF");
    state.counters["kB"] = double(QFileInfo(pdf).size()) / 1024;
    const QString guardar = qEnvironmentVariable("ZELVORA_BENCH_PDF");
    if (!guardar.isEmpty()) {
        QFile::remove(guardar);
        QFile::copy(pdf, guardar);
    }
}
BENCHMARK(ListadoCensoPdf)
    ->ArgName("viviendas")
    ->Arg(kViviendasCenso)
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return CorrerBenchSinPantalla(argc, argv);
}
