// A site moved to a PostgreSQL server: the generated log of 100 000 visits
// copied with CopiarSitio, then the same counts, visitor-log results and
// statistics read from both. A plain program: it prints its figures and ends
// with 1 when anything differs.
//   zelvora_migracion URI      (an empty database of the server)

#include "DatosVisitas.h"
#include "admin/CopiaSitio.h"
#include "foundation/BaseDatos.h"
#include "visitlog/EstadisticasVisitas.h"
#include "visitlog/RegistroVisitas.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>

namespace {

QTextStream& Salida()
{
    static QTextStream salida(stdout);
    return salida;
}

QStringList Registro(BaseDatos& bd, const FiltroRegistro& filtro)
{
    SesionBD sesion(bd);
    QStringList filas;
    for (const Visita& v : ConsultarRegistro(bd, filtro))
        filas << FilaRegistro(v).join(u'|');
    return filas;
}

QStringList Estadisticas(BaseDatos& bd, Estadistica estadistica)
{
    SesionBD sesion(bd);
    const ResultadoEstadistica r = CalcularEstadistica(bd, estadistica);
    QStringList filas{QString::number(r.mas)};
    for (const FilaEstadistica& f : r.filas)
        filas << f.valor + u'|' + QString::number(f.total);
    return filas;
}

struct Comparacion
{
    const char* que;
    std::function<QStringList(BaseDatos&)> leer;
};

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        QTextStream(stderr) << "usage: zelvora_migracion postgresql://...\n";
        return 2;
    }
    const QString uri = QString::fromLocal8Bit(argv[1]);
    const QString archivo = ArchivoVisitas(100000, kDentroRecientes);
    QElapsedTimer reloj;
    reloj.start();
    QList<FilasTabla> conteos;
    QString error;
    if (!CopiarSitio(archivo, uri, &conteos, &error)) {
        Salida() << "not copied: " << error << Qt::endl;
        return 1;
    }
    Salida() << "copied in " << reloj.elapsed() / 1000.0 << " s" << Qt::endl;
    for (const FilasTabla& t : conteos)
        Salida() << "  " << t.tabla << ": " << t.filas << " rows" << Qt::endl;

    auto filtro = [](auto cambiar) {
        FiltroRegistro f;
        f.desde = QDate(2000, 1, 1);
        f.hasta = QDate(2100, 12, 31);
        cambiar(f);
        return f;
    };
    const QList<Comparacion> comparaciones{
        {"log, every entry", [&](BaseDatos& bd) { return Registro(bd, filtro([](auto&) {})); }},
        {"log, visitors inside",
         [&](BaseDatos& bd) {
             return Registro(
                 bd, filtro([](auto& f) { f.busqueda = BusquedaRegistro::VisitasActuales; }));
         }},
        {"log, by exit",
         [&](BaseDatos& bd) {
             return Registro(bd, filtro([](auto& f) { f.busqueda = BusquedaRegistro::Salidas; }));
         }},
        {"log, name contains \"MAR\"",
         [&](BaseDatos& bd) {
             return Registro(bd,
                             filtro([](auto& f) { f.NombreVisitante = QStringLiteral("MAR"); }));
         }},
        {"log, plate contains \"1\" and 2 companions",
         [&](BaseDatos& bd) {
             return Registro(bd, filtro([](auto& f) {
                                 f.PlacaVehiculo = QStringLiteral("1");
                                 f.NAcomp = 2;
                             }));
         }},
        {"statistic, visitors",
         [](BaseDatos& bd) { return Estadisticas(bd, Estadistica::Visitantes); }},
        {"statistic, authorisers",
         [](BaseDatos& bd) { return Estadisticas(bd, Estadistica::Autorizadores); }},
        {"statistic, plates", [](BaseDatos& bd) { return Estadisticas(bd, Estadistica::Placas); }},
    };
    BaseDatos archivoBd, servidorBd;
    archivoBd.fijarRuta(archivo);
    servidorBd.fijarRuta(uri);
    int distintas = 0;
    try {
        for (const Comparacion& c : comparaciones) {
            reloj.restart();
            const QStringList enArchivo = c.leer(archivoBd);
            const qint64 msArchivo = reloj.restart();
            const QStringList enServidor = c.leer(servidorBd);
            const qint64 msServidor = reloj.elapsed();
            const bool igual = enArchivo == enServidor;
            distintas += igual ? 0 : 1;
            Salida() << c.que << ": " << enArchivo.size() << " rows, "
                     << (igual ? "the same" : "DIFFERENT") << " (SQLite " << msArchivo
                     << " ms, PostgreSQL " << msServidor << " ms)" << Qt::endl;
        }
    } catch (const ErrorBD& e) {
        Salida() << "failed: " << e.detalle() << Qt::endl;
        return 1;
    }
    return distintas == 0 ? 0 : 1;
}
