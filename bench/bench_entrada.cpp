// Opening the new-entry panel on a terminal that takes pictures, with no
// camera on the machine: built, shown and its first events handled, as the
// guard waits for it. The camera is never probed while the panel opens.

#include "foundation/Configuracion.h"
#include "foundation/Contexto.h"
#include "foundation/Esquema.h"
#include "foundation/Idiomas.h"
#include "visits/frmEntrada.h"

#include "BenchSinPantalla.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>

namespace {

void AbrirEntrada(benchmark::State& state)
{
    QTemporaryDir dir;
    QString error;
    if (!CrearBaseDatos(dir.filePath("zelvora.db"), {"Admin", "zelvora", "A", "B", "C"}, &error)) {
        state.SkipWithError(qPrintable(error));
        return;
    }
    RelojSistema reloj;
    DialogosSi dialogos;
    Contexto ctx(dir.path(), reloj, dialogos);
    const bool fotos = state.range(0) != 0;
    ctx.cfg = InterpretarLineaConfiguracion(
        QStringLiteral(";BANCO;0;0;1;0;0;;1;;;;0;%1;0").arg(fotos ? 1 : 0));
    CargarTablasIdioma(QStringLiteral("es"), &ctx.idioma);
    for (auto _ : state) {
        frmEntrada panel(ctx);
        panel.show();
        QApplication::processEvents();
    }
}
BENCHMARK(AbrirEntrada)->ArgName("fotos")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return CorrerBenchSinPantalla(argc, argv);
}
