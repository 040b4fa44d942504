// The printed visitor log: the whole run of ImprimirListadoVisitas, the
// confirmation answered, to a PDF file (ZELVORA_PDF), as the guard would
// print the visits a query listed.

#include "foundation/Configuracion.h"
#include "foundation/Contexto.h"
#include "foundation/Esquema.h"
#include "foundation/Idiomas.h"
#include "platform/Dialogos.h"
#include "visitlog/ListadoVisitas.h"
#include "visits/Visitas.h"

#include "BenchSinPantalla.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFileInfo>
#include <QTemporaryDir>

namespace {

// Visits as a busy gate stores them: names, plates, authorisers and notes of
// ordinary lengths, one in ten still inside, some columns left empty.
QList<Visita> Visitas(int cuantas)
{
    const QStringList nombres{"María José Núñez Peña", "Óscar Ibáñez", "Ángela Muñoz Ruiz",
                              "Iñaki Gil", "Juan Carlos Pérez Gómez"};
    QList<Visita> visitas;
    const QDateTime inicio(QDate(2026, 3, 1), QTime(6, 0));
    for (int n = 0; n < cuantas; ++n) {
        Visita v;
        v.id_es = n + 1;
        v.datos.FechaEntrada = inicio.addSecs(97 * n);
        if (n % 10 != 0)
            v.FechaSalida = v.datos.FechaEntrada.addSecs(3600);
        v.datos.NombreVisitante = nombres[n % nombres.size()];
        v.textoNAcomp = QString::number(n % 4);
        v.datos.PlacaVehiculo =
            n % 3 ? QStringLiteral("KZT%1").arg(n % 1000, 3, 10, QLatin1Char('0')) : QString();
        v.datos.AutorizaIngreso = QStringLiteral("Residente torre %1").arg(n % 12 + 1);
        v.datos.Observaciones =
            n % 5 ? QStringLiteral("Entrega de paquete en portería") : QString();
        visitas << v;
    }
    return visitas;
}

void ListadoPdf(benchmark::State& state)
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
    ctx.cfg = InterpretarLineaConfiguracion(QStringLiteral(";BANCO;0;0;1;0;0;;0;;;;0;0;0"));
    CargarTablasIdioma(QStringLiteral("es"), &ctx.idioma);
    {
        SesionBD sesion(ctx.bd());
        ctx.bd().ejecutar(QStringLiteral("INSERT INTO censos (nom_unidad) VALUES (?)"),
                          {QStringLiteral("Conjunto Residencial Los Pinos")});
    }
    const QString pdf = dir.filePath("listado.pdf");
    qputenv("ZELVORA_PDF", pdf.toUtf8());
    const QList<Visita> visitas = Visitas(int(state.range(0)));
    for (auto _ : state)
        ImprimirListadoVisitas(ctx, nullptr, visitas);
    state.counters["kB"] = double(QFileInfo(pdf).size()) / 1024;
    qunsetenv("ZELVORA_PDF");
}
BENCHMARK(ListadoPdf)->ArgName("visitas")->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return CorrerBenchSinPantalla(argc, argv);
}
