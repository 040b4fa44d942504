// A second terminal for tests that need two processes on one database:
//   terminal_prueba ticks DB N SECONDS   advances the backup counter N times;
//                                        prints how many backups it claimed
//   terminal_prueba insertar DB MS       inserts visits as fast as it can for MS ms;
//                                        prints how many it stored

#include "foundation/BaseDatos.h"
#include "startup/Supervision.h"
#include "visits/Visitas.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>

namespace {

int Ticks(BaseDatos& bd, int veces, int segundos)
{
    int reclamados = 0;
    for (int i = 0; i < veces; ++i) {
        SesionBD sesion(bd);
        if (AvanzarContadorRespaldo(bd, segundos).toca)
            ++reclamados;
    }
    return reclamados;
}

int Insertar(BaseDatos& bd, int milisegundos)
{
    QElapsedTimer reloj;
    reloj.start();
    int guardadas = 0;
    DatosVisita d;
    d.FechaEntrada = QDateTime(QDate(2026, 8, 5), QTime(10, 0));
    d.AutorizaIngreso = QStringLiteral("Ana Gil");
    SesionBD sesion(bd);
    while (reloj.elapsed() < milisegundos) {
        d.NombreVisitante = QStringLiteral("Visitante %1").arg(guardadas);
        try {
            AgregarEntrada(bd, d, d.FechaEntrada.addSecs(60));
            ++guardadas;
        } catch (const ErrorBD&) {
            // Busy past the timeout: a real terminal would show it and go on.
        }
    }
    return guardadas;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 5 && !(args.size() == 4 && args[1] == u"insertar"))
        return 2;
    BaseDatos bd;
    bd.fijarRuta(args[2]);
    try {
        const int resultado = args[1] == u"ticks" ? Ticks(bd, args[3].toInt(), args[4].toInt())
                                                  : Insertar(bd, args[3].toInt());
        QTextStream(stdout) << resultado << Qt::endl;
        return 0;
    } catch (const ErrorBD& e) {
        QTextStream(stderr) << e.what() << Qt::endl;
        return 1;
    }
}
