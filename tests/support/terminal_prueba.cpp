// Another terminal for tests that need several processes on one database:
//   terminal_prueba ticks DB N SECONDS   advances the backup counter N times;
//                                        prints how many backups it claimed
//   terminal_prueba insertar DB MS       inserts visits as fast as it can for MS ms;
//                                        prints how many it stored
//   terminal_prueba registrar DB N       N visitors come in (with a notice) and leave,
//                                        each action on its own connection as a
//                                        guard's, the notice checked to be the
//                                        entry's own; prints the failed actions
//                                        and the slowest action in ms
//   terminal_prueba respaldar DB DIR MS  copies the database into DIR every MS ms until
//                                        DIR/fin exists; prints copies and failures
//   terminal_prueba cortar DB            dies in the middle of a large write

#include "foundation/BaseDatos.h"
#include "startup/Supervision.h"
#include "visits/Visitas.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlQuery>
#include <QTextStream>
#include <QThread>

#include <csignal>
#include <functional>

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

DatosVisita Visitante(int n)
{
    DatosVisita d;
    d.FechaEntrada = QDateTime(QDate(2026, 8, 5), QTime(10, 0));
    d.AutorizaIngreso = QStringLiteral("Ana Gil");
    d.NombreVisitante =
        QStringLiteral("Visitante %1 %2").arg(QCoreApplication::applicationPid()).arg(n);
    return d;
}

int Insertar(BaseDatos& bd, int milisegundos)
{
    QElapsedTimer reloj;
    reloj.start();
    int guardadas = 0;
    SesionBD sesion(bd);
    while (reloj.elapsed() < milisegundos) {
        const DatosVisita d = Visitante(guardadas);
        try {
            AgregarEntrada(bd, d, d.FechaEntrada.addSecs(60));
            ++guardadas;
        } catch (const ErrorBD&) {
            // Busy past the timeout: a real terminal would show it and go on.
        }
    }
    return guardadas;
}

struct Medida
{
    int fallos = 0;
    qint64 maximoMs = 0;
};

// One action as a window runs it: its own session, a failure counted.
void Accion(BaseDatos& bd, Medida& medida, const std::function<void()>& cuerpo)
{
    QElapsedTimer reloj;
    reloj.start();
    try {
        SesionBD sesion(bd);
        cuerpo();
    } catch (const ErrorBD& error) {
        ++medida.fallos;
        QTextStream(stderr) << error.what() << Qt::endl;
    }
    medida.maximoMs = qMax(medida.maximoMs, reloj.elapsed());
}

Medida Registrar(BaseDatos& bd, int visitas)
{
    Medida medida;
    for (int i = 0; i < visitas; ++i) {
        const DatosVisita d = Visitante(i);
        int id = 0;
        Accion(bd, medida, [&] {
            if (!BuscarVisitaAbierta(bd, d.NombreVisitante))
                id = AgregarEntrada(bd, d, d.FechaEntrada.addSecs(600));
        });
        if (id == 0)
            continue;
        // The notice just stored belongs to this visitor's own entry.
        Accion(bd, medida, [&] {
            QSqlQuery q = bd.ejecutar(QStringLiteral("SELECT e.NombreVisitante FROM avisos AS a "
                                                     "JOIN entradas_salidas AS e ON a.id_es = "
                                                     "e.id_es WHERE a.id_es = ?"),
                                      {id});
            if (!q.next() || q.value(0).toString() != d.NombreVisitante)
                throw ErrorBD(ErrorBD::Tipo::Sentencia, QStringLiteral("aviso ajeno o perdido"));
        });
        Accion(bd, medida, [&] {
            if (!RegistrarSalida(bd, id, d, d.FechaEntrada.addSecs(900), true))
                throw ErrorBD(ErrorBD::Tipo::Sentencia, QStringLiteral("entrada perdida"));
        });
    }
    return medida;
}

QString Respaldar(const QString& ruta, const QString& carpeta, int milisegundos)
{
    int copias = 0, fallos = 0;
    while (!QFile::exists(carpeta + QStringLiteral("/fin"))) {
        QThread::msleep(milisegundos);
        QString error;
        const QString destino = QStringLiteral("%1/copia-%2-%3.db")
                                    .arg(carpeta)
                                    .arg(QCoreApplication::applicationPid())
                                    .arg(copias + fallos);
        if (CopiarBaseDatos(ruta, destino, &error)) {
            ++copias;
        } else {
            ++fallos;
            QTextStream(stderr) << error << Qt::endl;
        }
    }
    return QStringLiteral("%1 %2").arg(copias).arg(fallos);
}

// Pages reach the file before the commit (a tiny cache spills them), and the
// process dies there: the journal left beside the file is hot.
void Cortar(BaseDatos& bd)
{
    SesionBD sesion(bd);
    bd.ejecutar(QStringLiteral("PRAGMA cache_size = 1"));
    BaseDatos::Transaccion transaccion(bd);
    for (int i = 0; i < 20000; ++i)
        bd.ejecutar(QStringLiteral("INSERT INTO avisos VALUES (?, '2026-08-05 10:00:00')"), {i});
    std::raise(SIGKILL);
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3)
        return 2;
    const QString modo = args[1];
    BaseDatos bd;
    bd.fijarRuta(args[2]);
    QTextStream salida(stdout);
    try {
        if (modo == u"ticks" && args.size() == 5)
            salida << Ticks(bd, args[3].toInt(), args[4].toInt()) << Qt::endl;
        else if (modo == u"insertar" && args.size() == 4)
            salida << Insertar(bd, args[3].toInt()) << Qt::endl;
        else if (modo == u"registrar" && args.size() == 4) {
            const Medida m = Registrar(bd, args[3].toInt());
            salida << m.fallos << ' ' << m.maximoMs << Qt::endl;
        } else if (modo == u"respaldar" && args.size() == 5)
            salida << Respaldar(args[2], args[3], args[4].toInt()) << Qt::endl;
        else if (modo == u"cortar" && args.size() == 3)
            Cortar(bd);
        else
            return 2;
        return 0;
    } catch (const ErrorBD& e) {
        QTextStream(stderr) << e.what() << Qt::endl;
        return 1;
    }
}
