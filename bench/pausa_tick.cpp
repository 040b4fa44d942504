// How long the guard's window stops at each minute tick while another
// terminal inserts visits at full speed. The tick runs every second here, with
// a backup at every tick, notices and the size check on; a 5 ms heartbeat on
// the interface thread measures the longest gap, and the tick handler itself
// is timed.
//   zelvora_pausa_tick TERMINAL_PRUEBA [TICKS] [wal|delete] [sin-tareas]
// "sin-tareas" switches the chores off: the stall the machine itself causes.

#include "foundation/Contexto.h"
#include "foundation/Esquema.h"
#include "platform/Dialogos.h"
#include "startup/Supervisor.h"
#include "startup/frmPrincipal.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

namespace {

class DialogosMudos : public Dialogos
{
public:
    int mostrados = 0;
    Respuesta mostrar(QWidget*, const Mensaje&) override
    {
        ++mostrados;
        return Respuesta::Si;
    }
    int ejecutarModal(QDialog&) override { return 0; }
    QString elegirArchivoGuardar(QWidget*, const QString&, const QString&, const QString&) override
    {
        return QString();
    }
};

void Sql(const QString& ruta, const QString& sql)
{
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("p"));
        db.setDatabaseName(ruta);
        db.open();
        QSqlQuery(db).exec(sql);
    }
    QSqlDatabase::removeDatabase(QStringLiteral("p"));
}

// Minutes pass at every tick, and before the writer's notices fall due: the
// stall measured is the tick's, not a panel listing thousands of notices.
class RelojMinutos : public Reloj
{
public:
    QDateTime momento = QDateTime(QDate(2026, 1, 1), QTime(0, 0));
    QDateTime ahora() const override { return momento; }
};

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2)
        return 2;
    const int ticks = args.value(2, QStringLiteral("30")).toInt();
    const QString diario = args.value(3, QStringLiteral("wal"));
    QTemporaryDir carpeta;
    const QString bd = carpeta.filePath(QStringLiteral("zelvora.db"));
    QString error;
    if (!CrearBaseDatos(bd,
                        {QStringLiteral("Admin"), QStringLiteral("x"), QStringLiteral("A"),
                         QStringLiteral("B"), QStringLiteral("C")},
                        &error))
        return 1;
    Sql(bd, QStringLiteral("PRAGMA journal_mode = ") + diario);
    Sql(bd, QStringLiteral("UPDATE contra SET respaldo = 0, respaldo_cada = 0"));

    RelojMinutos reloj;
    DialogosMudos dialogos;
    Contexto ctx(carpeta.path(), reloj, dialogos);
    ctx.cfg = InterpretarLineaConfiguracion(
        args.value(4) == u"sin-tareas"
            ? QStringLiteral(";PAUSA;0;0;0;0;0;;0;;;;0;0;0")
            : QStringLiteral(
                  ";PAUSA;1;0;0;1;0;;1;9000000000000;9000000000000;9000000000000;0;0;0"));
    CargarTablasIdioma(QStringLiteral("es"), &ctx.idioma);
    ctx.usuario.UsuarioId = 1;
    frmPrincipal ventana(ctx);
    ventana.cargar();
    ventana.Timer1->stop();

    QProcess escritor;
    escritor.start(args[1], {QStringLiteral("insertar"), bd, QString::number(ticks * 1000 + 3000)});
    escritor.waitForStarted();

    QElapsedTimer latido;
    qint64 huecoMaximo = 0;
    latido.start();
    QTimer pulso;
    QObject::connect(&pulso, &QTimer::timeout,
                     [&] { huecoMaximo = qMax(huecoMaximo, latido.restart()); });
    pulso.start(5);

    qint64 tickMaximo = 0;
    int hechos = 0, copias = 0, fallidas = 0;
    QObject::connect(&ventana.supervisor(), &Supervisor::copiaTerminada,
                     [&](bool ok) { ok ? ++copias : ++fallidas; });
    QTimer minuto;
    QObject::connect(&minuto, &QTimer::timeout, [&] {
        QElapsedTimer t;
        t.start();
        reloj.momento = reloj.momento.addSecs(60);
        ventana.alTemporizador();
        tickMaximo = qMax(tickMaximo, t.elapsed());
        if (++hechos == ticks)
            QTimer::singleShot(2000, &app, &QCoreApplication::quit);
    });
    QTimer::singleShot(500, [&] {
        huecoMaximo = 0;
        minuto.start(1000);
    });
    app.exec();
    ventana.supervisor().esperarCopia(60000);
    escritor.waitForFinished(60000);

    int buenas = 0;
    for (const QString& copia :
         QDir(carpeta.filePath(QStringLiteral("respaldos"))).entryList({QStringLiteral("*.db")})) {
        const QString ruta = carpeta.filePath(QStringLiteral("respaldos/") + copia);
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("r"));
        db.setDatabaseName(ruta);
        db.open();
        QSqlQuery q(db);
        if (q.exec(QStringLiteral("PRAGMA integrity_check")) && q.next() &&
            q.value(0).toString() == u"ok")
            ++buenas;
        q.finish();
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("r"));
    }
    QTextStream(stdout) << "journal " << diario << ": " << hechos << " ticks, longest tick handler "
                        << tickMaximo << " ms, longest interface stall " << huecoMaximo
                        << " ms; copies " << copias << " made (" << buenas
                        << " pass integrity_check), " << fallidas << " failed; writer stored "
                        << QString::fromUtf8(escritor.readAllStandardOutput()).trimmed()
                        << " visits; boxes " << dialogos.mostrados << Qt::endl;
    return 0;
}
