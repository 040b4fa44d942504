#include "ArranqueBench.h"
#include "DatosVisitas.h"

#include "foundation/BaseDatos.h"
#include "foundation/FechasTexto.h"
#include "foundation/Normalizar.h"
#include "platform/ModeloTabla.h"
#include "visits/Visitas.h"
#include "visits/frmVisitasPendientes.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStringListModel>

#include <exception>
#include <functional>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>

namespace {

struct Tamano
{
    int visitas;
    const char* etiqueta;
};
constexpr Tamano kTamanos[] = {{10'000, "10k"}, {2'000'000, "2M"}};

// Runs the set-up of a benchmark (generating the file on first use) and
// reports a failure as a skipped benchmark instead of aborting the run.
bool Preparar(benchmark::State& state, const std::function<void()>& preparar)
{
    try {
        preparar();
        return true;
    } catch (const std::exception& e) {
        state.SkipWithError(e.what());
    }
    return false;
}

// The window's context holds one BaseDatos for the whole session and opens it
// for each action, so only the SesionBD is inside the timed loop.
void AbrirCerrar(benchmark::State& state, int visitas)
{
    BaseDatos bd;
    if (!Preparar(state, [&] { bd.fijarRuta(ArchivoVisitas(visitas, kDentroRecientes)); }))
        return;
    for (auto _ : state) {
        SesionBD sesion(bd);
        benchmark::ClobberMemory();
    }
}

// The fixed part of every action: open, and the first statement, which makes
// SQLite read the schema of the freshly opened connection.
void AbrirConsultar(benchmark::State& state, int visitas)
{
    BaseDatos bd;
    if (!Preparar(state, [&] { bd.fijarRuta(ArchivoVisitas(visitas, kDentroRecientes)); }))
        return;
    for (auto _ : state) {
        SesionBD sesion(bd);
        QSqlQuery q = bd.ejecutar(QStringLiteral("SELECT respaldo FROM contra"));
        benchmark::DoNotOptimize(q.next());
    }
}

// One keystroke in a name field: the completion query and the list shown under it.
void Completar(benchmark::State& state, int visitas, const QString& prefijo, bool autorizadores)
{
    BaseDatos bd;
    if (!Preparar(state, [&] { bd.fijarRuta(ArchivoVisitas(visitas, kDentroRecientes)); }))
        return;
    QStringListModel lista;
    qsizetype cuantos = 0;
    for (auto _ : state) {
        QStringList nombres;
        {
            SesionBD sesion(bd);
            nombres = autorizadores ? AutorizadoresQueEmpiezanPor(bd, prefijo)
                                    : NombresQueEmpiezanPor(bd, TablaVisitas::Entradas, prefijo);
        }
        lista.setStringList(nombres);
        cuantos = lista.rowCount();
    }
    state.counters["nombres"] = double(cuantos);
}

// How many visits the log holds for that name; the cost of the name-keyed
// statements grows with it.
int VisitasDe(BaseDatos& bd, const QString& nombre)
{
    QSqlQuery q = bd.ejecutar(QStringLiteral("SELECT count(*) FROM entradas_salidas "
                                             "WHERE NombreVisitanteClave = ?"),
                              {ClaveBusqueda(nombre)});
    return q.next() ? q.value(0).toInt() : 0;
}

// A visitor of the middle of the ranking: a handful of visits.
int RangoOcasional(int visitas)
{
    return int(PoblacionPara(visitas).visitantes.size() / 2);
}

// The check made before storing an entry: is this visitor already inside?
void VisitaAbierta(benchmark::State& state, int visitas, int dentro, int rango,
                   std::optional<bool> esperada)
{
    BaseDatos bd;
    const QString nombre = PoblacionPara(visitas).visitantes.value(rango);
    int suyas = 0;
    if (!Preparar(state, [&] {
            bd.fijarRuta(ArchivoVisitas(visitas, dentro));
            SesionBD sesion(bd);
            suyas = VisitasDe(bd, nombre);
            if (esperada && BuscarVisitaAbierta(bd, nombre).has_value() != *esperada)
                throw std::runtime_error("the generated file does not match the probe names");
        }))
        return;
    for (auto _ : state) {
        SesionBD sesion(bd);
        benchmark::DoNotOptimize(BuscarVisitaAbierta(bd, nombre));
    }
    state.counters["visitas_del_nombre"] = suyas;
}

// The carry-over after a name is picked: that visitor's latest visit fills the form.
void Ultima(benchmark::State& state, int visitas, int rango)
{
    BaseDatos bd;
    const QString nombre = PoblacionPara(visitas).visitantes.value(rango);
    int suyas = 0;
    if (!Preparar(state, [&] {
            bd.fijarRuta(ArchivoVisitas(visitas, kDentroRecientes));
            SesionBD sesion(bd);
            suyas = VisitasDe(bd, nombre);
        }))
        return;
    for (auto _ : state) {
        SesionBD sesion(bd);
        benchmark::DoNotOptimize(UltimaVisita(bd, TablaVisitas::Entradas, nombre));
    }
    state.counters["visitas_del_nombre"] = suyas;
}

// The current-visitors panel reloading: query, rows as the panel builds them, model reset.
void VisitasDentro(benchmark::State& state, int visitas, int dentro)
{
    BaseDatos bd;
    if (!Preparar(state, [&] { bd.fijarRuta(ArchivoVisitas(visitas, dentro)); }))
        return;
    ModeloTabla modelo;
    modelo.fijarEncabezados({QStringLiteral("Id"), QStringLiteral("Entrada"),
                             QStringLiteral("Visitante"), QStringLiteral("Acomp."),
                             QStringLiteral("Placa"), QStringLiteral("Autoriza"),
                             QStringLiteral("Observaciones")});
    for (auto _ : state) {
        QList<Visita> actuales;
        {
            SesionBD sesion(bd);
            actuales = VisitasActuales(bd);
        }
        MostrarVisitas(modelo, actuales);
    }
    state.counters["filas"] = modelo.rowCount();
}

// Copies that receive the added rows, so the cached files never grow; removed at exit.
QStringList& CopiasTrabajo()
{
    static QStringList copias;
    return copias;
}

QString CopiaTrabajo(int visitas)
{
    static std::map<int, QString> copias;
    auto it = copias.find(visitas);
    if (it != copias.end())
        return it->second;
    const QString origen = ArchivoVisitas(visitas, kDentroRecientes);
    const QString ruta = QDir(CarpetaDatos())
                             .filePath(QStringLiteral("trabajo-%1-%2.sqlite")
                                           .arg(visitas)
                                           .arg(QCoreApplication::applicationPid()));
    QFile::remove(ruta);
    if (!QFile::copy(origen, ruta))
        throw std::runtime_error("cannot copy " + origen.toStdString());
    CopiasTrabajo() << ruta;
    return copias.emplace(visitas, ruta).first->second;
}

// Storing a new entry with its notice, as the entry window's accept does.
void Agregar(benchmark::State& state, int visitas)
{
    BaseDatos bd;
    if (!Preparar(state, [&] { bd.fijarRuta(CopiaTrabajo(visitas)); }))
        return;
    const Poblacion& poblacion = PoblacionPara(visitas);
    DatosVisita datos;
    datos.FechaEntrada = QDateTime(QDate(2026, 1, 6), QTime(9, 30));
    datos.NombreVisitante = poblacion.visitantes.value(5);
    datos.NAcomp = 1;
    datos.AutorizaIngreso = poblacion.residentes.value(3);
    datos.PlacaVehiculo = QStringLiteral("4821 KLM");
    datos.Observaciones = QStringLiteral("Entrega de paquete");
    const std::optional<QDateTime> aviso = datos.FechaEntrada.addSecs(2 * 3600);
    for (auto _ : state) {
        SesionBD sesion(bd);
        benchmark::DoNotOptimize(AgregarEntrada(bd, datos, aviso));
    }
}

std::string Nombre(const char* que, const Tamano& t, const QString& resto = QString())
{
    std::string nombre = std::string(que) + '/' + t.etiqueta;
    if (!resto.isEmpty())
        nombre += '/' + resto.toStdString();
    return nombre;
}

// Wall-clock time: the user waits for the disk and the lock as much as for the CPU.
benchmark::internal::Benchmark* Registrar(const std::string& nombre,
                                          std::function<void(benchmark::State&)> cuerpo)
{
    return benchmark::RegisterBenchmark(nombre.c_str(), std::move(cuerpo))
        ->Unit(benchmark::kMicrosecond)
        ->UseRealTime();
}

void RegistrarTodo()
{
    // Typed in another letter case than stored; then an accented and an ñ start.
    const QStringList prefijos = {QStringLiteral("m"),   QStringLiteral("ma"),
                                  QStringLiteral("mar"), QStringLiteral("maría j"),
                                  QStringLiteral("ÁN"),  QStringLiteral("iñ")};
    for (const Tamano& t : kTamanos) {
        const int n = t.visitas;
        Registrar(Nombre("AbrirCerrar", t), [n](auto& s) { AbrirCerrar(s, n); });
        Registrar(Nombre("AbrirConsultar", t), [n](auto& s) { AbrirConsultar(s, n); });
        for (const QString& p : prefijos)
            Registrar(Nombre("Completar", t, QStringLiteral("prefijo:\"%1\"").arg(p)),
                      [n, p](auto& s) { Completar(s, n, p, false); });
        Registrar(Nombre("Autorizadores", t, QStringLiteral("prefijo:\"ma\"")),
                  [n](auto& s) { Completar(s, n, QStringLiteral("ma"), true); });
        const int ocasional = RangoOcasional(n);
        for (int dentro : {kDentroRecientes, kDentroMaximo}) {
            const QString abiertas = QStringLiteral("abiertas:%1").arg(dentro);
            Registrar(Nombre("VisitaAbierta", t, abiertas + QStringLiteral("/visitante:dentro")),
                      [n, dentro](auto& s) { VisitaAbierta(s, n, dentro, kRangoDentro, true); });
            Registrar(Nombre("VisitaAbierta", t, abiertas + QStringLiteral("/visitante:fuera")),
                      [n, dentro](auto& s) { VisitaAbierta(s, n, dentro, kRangoFuera, false); });
            Registrar(Nombre("VisitaAbierta", t, abiertas + QStringLiteral("/visitante:ocasional")),
                      [n, dentro, ocasional](auto& s) {
                          VisitaAbierta(s, n, dentro, ocasional, std::nullopt);
                      });
        }
        Registrar(Nombre("UltimaVisita", t, QStringLiteral("visitante:frecuente")),
                  [n](auto& s) { Ultima(s, n, kRangoFuera); });
        Registrar(Nombre("UltimaVisita", t, QStringLiteral("visitante:ocasional")),
                  [n, ocasional](auto& s) { Ultima(s, n, ocasional); });
        for (int dentro : {kDentroRecientes, kDentroMaximo})
            Registrar(Nombre("VisitasActuales", t, QStringLiteral("dentro:%1").arg(dentro)),
                      [n, dentro](auto& s) { VisitasDentro(s, n, dentro); });
        Registrar(Nombre("AgregarEntrada", t), [n](auto& s) { Agregar(s, n); });
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (!EmpezarBench(&argc, argv))
        return 1;
    // Qt SQL needs an application object; nothing here needs a screen.
    QCoreApplication app(argc, argv);
    RegistrarTodo();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    for (const QString& copia : CopiasTrabajo())
        QFile::remove(copia);
    return 0;
}
