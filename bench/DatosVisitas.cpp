#include "DatosVisitas.h"

#include "Generador.h"

#include "foundation/Esquema.h"
#include "foundation/Normalizar.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <map>
#include <mutex>
#include <stdexcept>
#include <vector>

namespace {

const char* const kObservaciones[] = {
    "Entrega de paquete", "Técnico de mantenimiento", "Mudanza", "Visita familiar",
    "Servicio doméstico", "Reparto de comida",        "Taxi",    "Obra en el piso",
};

constexpr std::int64_t kSemilla = 20260115;
constexpr int kResidentes = 500;
// Several years of log, whatever its size.
constexpr std::int64_t kDias = 6 * 365 + 1;

QString NombreCompleto(Azar& azar)
{
    return azar.elegir(NombresDePila()) + u' ' + azar.elegir(Apellidos()) + u' ' +
           azar.elegir(Apellidos());
}

QStringList NombresDistintos(Azar& azar, int cuantos)
{
    QStringList nombres;
    QSet<QString> vistos;
    while (nombres.size() < cuantos) {
        QString nombre = NombreCompleto(azar);
        if (!vistos.contains(nombre)) {
            vistos.insert(nombre);
            nombres << nombre;
        }
    }
    return nombres;
}

// Tens of thousands of people at two million visits, a few thousand at ten thousand.
int TamanoPoblacion(int visitas)
{
    return std::max(3000, visitas / 100 * 3);
}

// Zipf-Mandelbrot weights 1/(rank + 50): the regulars come thousands of times,
// most people a handful; the offset keeps the top one near a quarter percent.
std::vector<double> Acumulados(int n, double offset)
{
    std::vector<double> acumulados(n);
    double total = 0;
    for (int k = 0; k < n; ++k)
        acumulados[k] = total += 1.0 / (k + offset);
    for (double& a : acumulados)
        a /= total;
    return acumulados;
}

int Muestra(const std::vector<double>& acumulados, Azar& azar)
{
    const auto it = std::upper_bound(acumulados.begin(), acumulados.end(), azar.real());
    return int(std::min<std::ptrdiff_t>(it - acumulados.begin(), acumulados.size() - 1));
}

// Through std::chrono rather than QDateTime: four million dates take seconds
// with QDateTime::toString.
QString TextoFecha(std::int64_t segundos)
{
    using namespace std::chrono;
    const sys_seconds t{seconds{segundos}};
    const sys_days dia = floor<days>(t);
    const year_month_day f{dia};
    const hh_mm_ss h{t - dia};
    char texto[32];
    const int n = std::snprintf(texto, sizeof texto, "%04d-%02u-%02u %02d:%02d:%02d", int(f.year()),
                                unsigned(f.month()), unsigned(f.day()), int(h.hours().count()),
                                int(h.minutes().count()), int(h.seconds().count()));
    return QString::fromLatin1(texto, n);
}

QString Placa(Azar& azar)
{
    static const char consonantes[] = "BCDFGHJKLMNPRSTVWXYZ";
    char texto[9];
    std::snprintf(texto, sizeof texto, "%04d %c%c%c", int(azar.hasta(10000)),
                  consonantes[azar.hasta(20)], consonantes[azar.hasta(20)],
                  consonantes[azar.hasta(20)]);
    return QString::fromLatin1(texto);
}

// How a guard typed the name that time: mostly as given, sometimes all upper or lower case.
QString ComoEscrito(const QString& nombre, double r, double mayusculas, double minusculas)
{
    if (r < mayusculas)
        return nombre.toUpper();
    if (r < mayusculas + minusculas)
        return nombre.toLower();
    return nombre;
}

void Generar(const QString& ruta, int visitas)
{
    QString error;
    if (!CrearBaseDatos(ruta,
                        PrimerUsuario{QStringLiteral("Admin"), QStringLiteral("Secreto1"),
                                      QStringLiteral("Ana"), QStringLiteral("Pérez"),
                                      QStringLiteral("Núñez")},
                        &error))
        Fallar(error);

    const Poblacion& poblacion = PoblacionPara(visitas);
    const std::vector<double> porVisitante = Acumulados(int(poblacion.visitantes.size()), 50);
    const std::vector<double> porResidente = Acumulados(kResidentes, 5);
    Azar azar(kSemilla ^ std::uint64_t(visitas));

    std::vector<int> quien(visitas);
    for (int i = 0; i < visitas; ++i)
        quien[i] = Muestra(porVisitante, azar);
    quien[visitas - 1] = kRangoDentro;

    // The newest entries are inside; the rest of the open visits are old entries
    // whose exit was never recorded, scattered over the years.
    std::vector<bool> abierta(visitas, false);
    for (int i = visitas - kDentroRecientes; i < visitas; ++i)
        abierta[i] = quien[i] != kRangoFuera;
    std::vector<int> antiguas;
    antiguas.reserve(visitas);
    for (int i = 0; i < visitas - kDentroRecientes; ++i)
        if (quien[i] != kRangoFuera)
            antiguas.push_back(i);
    const int olvidadas = kDentroMaximo - int(std::count(abierta.begin(), abierta.end(), true));
    for (int k = 0; k < olvidadas; ++k) {
        std::swap(antiguas[k], antiguas[k + azar.hasta(std::int64_t(antiguas.size()) - k)]);
        abierta[antiguas[k]] = true;
    }

    ConexionDirecta conexion(ruta);
    QSqlDatabase db = conexion.db();
    QSqlQuery q(db);
    Ejecutar(q, QStringLiteral("BEGIN"));
    if (!q.prepare(QStringLiteral(
            "INSERT INTO entradas_salidas (FechaEntrada, FechaSalida, NombreVisitante, NAcomp, "
            "AutorizaIngreso, PlacaVehiculo, Observaciones, NombreVisitanteClave, "
            "AutorizaIngresoClave) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)")))
        Fallar(q.lastError().text());

    using namespace std::chrono;
    const std::int64_t inicio =
        duration_cast<seconds>(sys_days{2020y / January / 6}.time_since_epoch()).count();
    const double paso = double(kDias) * 86400 / visitas;
    const QVariant sinSalida{QMetaType::fromType<QString>()};
    for (int i = 0; i < visitas; ++i) {
        const std::int64_t entrada = inicio + std::int64_t(paso * (i + azar.real()));
        const QString nombre = ComoEscrito(poblacion.visitantes[quien[i]], azar.real(), 0.12, 0.08);
        const QString autoriza =
            ComoEscrito(poblacion.residentes[Muestra(porResidente, azar)], azar.real(), 0.10, 0);
        q.bindValue(0, TextoFecha(entrada));
        q.bindValue(1, abierta[i] ? sinSalida
                                  : QVariant(TextoFecha(entrada + 600 + azar.hasta(8 * 3600))));
        q.bindValue(2, nombre);
        q.bindValue(3, azar.real() < 0.7 ? 0 : int(1 + azar.hasta(4)));
        q.bindValue(4, autoriza);
        q.bindValue(5, azar.real() < 0.45 ? Placa(azar) : QStringLiteral(""));
        q.bindValue(6,
                    azar.real() < 0.15
                        ? QString::fromUtf8(kObservaciones[azar.hasta(std::size(kObservaciones))])
                        : QStringLiteral(""));
        q.bindValue(7, ClaveBusqueda(nombre));
        q.bindValue(8, ClaveBusqueda(autoriza));
        if (!q.exec())
            Fallar(q.lastError().text());
    }
    Ejecutar(q, QStringLiteral("COMMIT"));
}

// Records the exit of every open visit but the newest `dentro`.
void DejarDentro(const QString& ruta, int dentro)
{
    ConexionDirecta conexion(ruta);
    QSqlDatabase db = conexion.db();
    QSqlQuery q(db);
    Ejecutar(
        q, QStringLiteral("UPDATE entradas_salidas SET FechaSalida = strftime('%Y-%m-%d %H:%M:%S', "
                          "FechaEntrada, '+3 hours') WHERE FechaSalida IS NULL AND id_es NOT IN "
                          "(SELECT id_es FROM entradas_salidas WHERE FechaSalida IS NULL "
                          "ORDER BY FechaEntrada DESC, id_es DESC LIMIT %1)")
               .arg(dentro));
}

QString Etiqueta(int visitas)
{
    return QStringLiteral("visitas-v4-conteos-%1").arg(visitas);
}

} // namespace

const Poblacion& PoblacionPara(int visitas)
{
    static std::mutex cerrojo;
    static std::map<int, Poblacion> hechas;
    const std::lock_guard bloqueo(cerrojo);
    auto it = hechas.find(visitas);
    if (it == hechas.end()) {
        Azar azar(kSemilla + std::uint64_t(visitas));
        Poblacion p;
        p.visitantes = NombresDistintos(azar, TamanoPoblacion(visitas));
        p.residentes = NombresDistintos(azar, kResidentes);
        it = hechas.emplace(visitas, std::move(p)).first;
    }
    return it->second;
}

QString CarpetaDatos()
{
    const QString carpeta = qEnvironmentVariable("ZELVORA_BENCH_DIR");
    return carpeta.isEmpty() ? QStringLiteral("/tmp/zelvora-bench") : carpeta;
}

QString ArchivoGuardado(const QString& nombre, const std::function<void(const QString&)>& llenar)
{
    const QDir dir(CarpetaDatos());
    if (!dir.mkpath(QStringLiteral(".")))
        Fallar(QStringLiteral("cannot create ") + dir.path());
    const QString ruta = dir.filePath(nombre);
    if (QFile::exists(ruta))
        return ruta;
    const QString temporal = ruta + QStringLiteral(".tmp");
    QFile::remove(temporal);
    QElapsedTimer reloj;
    reloj.start();
    llenar(temporal);
    if (!QFile::rename(temporal, ruta))
        Fallar(QStringLiteral("cannot rename ") + temporal);
    std::fprintf(stderr, "%s ready in %.1f s\n", qPrintable(ruta), reloj.elapsed() / 1000.0);
    return ruta;
}

QString ArchivoVisitas(int visitas, int dentro)
{
    if (dentro == kDentroMaximo)
        return ArchivoGuardado(Etiqueta(visitas) + QStringLiteral("-dentro-%1.sqlite").arg(dentro),
                               [visitas](const QString& temporal) {
                                   std::fprintf(stderr, "Generating %d visits ...\n", visitas);
                                   Generar(temporal, visitas);
                               });
    // The others start from a copy of the one with every visitor inside.
    return ArchivoGuardado(Etiqueta(visitas) + QStringLiteral("-dentro-%1.sqlite").arg(dentro),
                           [visitas, dentro](const QString& temporal) {
                               const QString base = ArchivoVisitas(visitas, kDentroMaximo);
                               if (!QFile::copy(base, temporal))
                                   Fallar(QStringLiteral("cannot copy ") + base);
                               DejarDentro(temporal, dentro);
                           });
}
