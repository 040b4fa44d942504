// The main window's minute tick: notices popping up and closing, backups of
// a live database shared by several terminals, and the size warnings.

#include "ApoyoPruebas.h"
#include "foundation/ArchivosTexto.h"
#include "notices/frmAvisos.h"
#include "platform/ModeloTabla.h"
#include "startup/Supervisor.h"
#include "startup/frmPrincipal.h"

#include <QDir>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>
#include <QTreeView>

namespace {

// What the standard engine says of a copy, read only: "ok" and its number of visits.
QString Revisar(const QString& ruta)
{
    QString resultado;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "revision");
        db.setDatabaseName(ruta);
        db.setConnectOptions("QSQLITE_OPEN_READONLY");
        if (db.open()) {
            QSqlQuery q(db);
            if (q.exec("SELECT (SELECT * FROM pragma_integrity_check) || ' ' || count(*) "
                       "FROM entradas_salidas") &&
                q.next())
                resultado = q.value(0).toString();
        }
    }
    QSqlDatabase::removeDatabase("revision");
    return resultado;
}

QString Terminal(const QStringList& argumentos)
{
    QProcess proceso;
    proceso.start(qEnvironmentVariable("ZELVORA_TERMINAL"), argumentos);
    proceso.waitForFinished(120000);
    return QString::fromUtf8(proceso.readAllStandardOutput()).trimmed();
}

} // namespace

class PruebaSupervision : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<CarpetaPrueba> carpeta;
    std::unique_ptr<frmPrincipal> principal;

    QString bd() const { return carpeta->archivo("zelvora.db"); }

    // Fields 3 to 15 of the configuration line.
    frmPrincipal& abrir(const QString& opciones)
    {
        principal = carpeta->entrar(opciones);
        return *principal;
    }

    void contador(qint64 respaldo, qint64 cada)
    {
        carpeta->ejecutarSql("UPDATE contra SET respaldo = ?, respaldo_cada = ?", {respaldo, cada});
    }

    QString valorContador() { return carpeta->consultar("SELECT respaldo FROM contra").value(0); }

    QStringList respaldos() const
    {
        return QDir(carpeta->archivo("respaldos")).entryList(QDir::Files, QDir::Name);
    }

    void tick()
    {
        principal->alTemporizador();
        QVERIFY(principal->supervisor().esperarCopia(60000));
    }

private slots:
    void init()
    {
        carpeta = std::make_unique<CarpetaPrueba>();
        carpeta->crearBaseDatos();
    }
    void cleanup()
    {
        principal.reset();
        carpeta.reset();
    }

    void avisoVencidoAbreElPanelYSinAvisosSeCierra()
    {
        carpeta->agregarVisita({"2026-08-05 09:00:00", "Ana"});
        carpeta->ejecutarSql("INSERT INTO avisos VALUES (1, '2026-08-05 10:00:00')");
        frmPrincipal& w = abrir("0;0;1;1;0;;0");
        w.resize(1600, 1000); // room for the remembered place
        carpeta->reloj.momento = QDateTime(QDate(2026, 8, 5), QTime(9, 59, 59));
        tick();
        QVERIFY(!w.panel("frmAvisos"));

        carpeta->reloj.momento = QDateTime(QDate(2026, 8, 5), QTime(10, 0, 0));
        tick();
        auto* avisos = qobject_cast<frmAvisos*>(w.panel("frmAvisos"));
        QVERIFY(avisos && avisos->isVisible());
        QCOMPARE(avisos->parentWidget()->pos(), QPoint(11000 / 15, 0));

        // Gone elsewhere (an exit at another terminal): the next tick closes the panel.
        carpeta->ejecutarSql("DELETE FROM avisos");
        tick();
        QTRY_VERIFY(!w.panel("frmAvisos"));
    }

    // The last notice deleted, its message still open when the minute ticks:
    // the panel waits for the guard instead of vanishing under the box.
    void elPanelNoSeCierraBajoSuPropiaCaja()
    {
        carpeta->agregarVisita({"2026-08-05 09:00:00", "Ana"});
        carpeta->ejecutarSql("INSERT INTO avisos VALUES (1, '2026-08-05 10:00:00')");
        frmPrincipal& w = abrir("0;0;1;1;0;;0");
        tick();
        auto* avisos = qobject_cast<frmAvisos*>(w.panel("frmAvisos"));
        QVERIFY(avisos);
        avisos->ListView1->setCurrentIndex(avisos->modelo()->index(0, 0));
        carpeta->dialogos.alMostrar = [&](const Dialogos::Mensaje&) {
            w.alTemporizador();
            avisos->alTemporizador();
        };
        avisos->eliminarSeleccionado();
        carpeta->dialogos.alMostrar = {};
        QVERIFY(avisos->isVisible());
        QCOMPARE(carpeta->dialogos.textos().last(), "Aviso eliminado correctamente");
        tick();
        QTRY_VERIFY(!w.panel("frmAvisos"));
    }

    void cadaTickUnaCopiaIntegraConCeroSegundos()
    {
        contador(0, 0);
        abrir("1;0;1;0;0;;0");
        carpeta->agregarVisita({"2026-08-05 09:00:00", "Ana"});
        for (int i = 0; i < 3; ++i) {
            tick();
            carpeta->reloj.momento = carpeta->reloj.momento.addSecs(60);
        }
        QCOMPARE(respaldos(), (QStringList{"zelvora 05-08-2026 14-03-09-ACCESO NORTE.db",
                                           "zelvora 05-08-2026 14-04-09-ACCESO NORTE.db",
                                           "zelvora 05-08-2026 14-05-09-ACCESO NORTE.db"}));
        for (const QString& copia : respaldos())
            QCOMPARE(Revisar(carpeta->archivo(QStringLiteral("respaldos/") + copia)), "ok 1");
        QCOMPARE(
            carpeta->textosSucesos().count("Se ha realizado la copia de seguridad correctamente"),
            3);
        QVERIFY(carpeta->dialogos.mostrados.empty());
    }

    void contadorSumaUnMinutoPorTick()
    {
        contador(0, 86400);
        abrir("1;0;1;0;0;;0");
        tick();
        tick();
        QCOMPARE(valorContador(), "120");
        QVERIFY(respaldos().isEmpty());
        QCOMPARE(carpeta->ctx->traspaso.SegundosCiclo, 0);
    }

    void copiaFallidaAvisaYDejaElContadorEnElIntervalo_data()
    {
        QTest::addColumn<int>("cada");
        QTest::addColumn<QString>("horas");
        QTest::newRow("un dia") << 86400 << "Automáticamente se realiza cada 24 horas";
        QTest::newRow("hora y media") << 5400 << "Automáticamente se realiza cada 1.5 horas";
    }

    void copiaFallidaAvisaYDejaElContadorEnElIntervalo()
    {
        QFETCH(int, cada);
        QFETCH(QString, horas);
        // A file where the folder should be: no backup can be written there.
        QVERIFY(EscribirLineaUnica(carpeta->archivo("respaldos"), "x", nullptr));
        contador(cada, cada);
        abrir("1;0;1;0;0;;0");
        tick();
        QCOMPARE(carpeta->dialogos.mostrados.size(), size_t(1));
        const Dialogos::Mensaje& caja = carpeta->dialogos.ultimo();
        QCOMPARE(caja.titulo, QString()); // the program title
        QCOMPARE(caja.icono, Dialogos::Icono::Informacion);
        const QStringList lineas = caja.texto.split("\r\n");
        QCOMPARE(lineas.value(0), "La copia de seguridad no se ha podido realizar");
        QCOMPARE(lineas.value(4), horas);
        QCOMPARE(lineas.value(8), "Si este mensaje persiste, contacte al soporte técnico");
        QCOMPARE(carpeta->textosSucesos().last(), "La copia de seguridad no se ha podido realizar");
        QCOMPARE(valorContador(), QString::number(cada));
    }

    void dosTerminalesNoPierdenMinutosNiCopianDosVeces()
    {
        contador(0, 1'000'000'000);
        const QStringList args = {"ticks", bd(), "100", "60"};
        QProcess otra;
        otra.start(qEnvironmentVariable("ZELVORA_TERMINAL"), args);
        QCOMPARE(Terminal(args), "0");
        QVERIFY(otra.waitForFinished(120000));
        QCOMPARE(valorContador(), "12000");

        // Every eleventh tick overall claims a copy (ten add up to 600, the next claims).
        contador(0, 600);
        otra.start(qEnvironmentVariable("ZELVORA_TERMINAL"), args);
        const int propias = Terminal(args).toInt();
        QVERIFY(otra.waitForFinished(120000));
        const int ajenas = QString::fromUtf8(otra.readAllStandardOutput()).trimmed().toInt();
        QCOMPARE(propias + ajenas, 18);
        QCOMPARE(valorContador(), "120");
    }

    void copiaIntegraMientrasOtraTerminalInserta()
    {
        contador(0, 0);
        abrir("1;0;1;0;0;;0");
        QProcess otra;
        otra.start(qEnvironmentVariable("ZELVORA_TERMINAL"), {"insertar", bd(), "3000"});
        QVERIFY(otra.waitForStarted());
        QTest::qWait(300);
        for (int i = 0; i < 4; ++i) {
            tick();
            carpeta->reloj.momento = carpeta->reloj.momento.addSecs(60);
            QTest::qWait(200);
        }
        QVERIFY(otra.state() == QProcess::NotRunning || otra.waitForFinished(60000));
        QCOMPARE(otra.exitCode(), 0);
        QVERIFY(QString::fromUtf8(otra.readAllStandardOutput()).trimmed().toInt() > 0);
        QCOMPARE(respaldos().size(), 4);
        for (const QString& copia : respaldos())
            QVERIFY(
                Revisar(carpeta->archivo(QStringLiteral("respaldos/") + copia)).startsWith("ok "));
    }

    void tamanoSegunLosUmbrales_data()
    {
        QTest::addColumn<qint64>("desdeMin");
        QTest::addColumn<qint64>("desdeMax");
        QTest::addColumn<qint64>("desdeUrgente");
        QTest::addColumn<bool>("vacios");
        QTest::addColumn<int>("slot"); // 0: no box
        QTest::newRow("igual al minimo") << 0LL << 100LL << 200LL << false << 30;
        QTest::newRow("igual al maximo") << -100LL << 0LL << 200LL << false << 30;
        QTest::newRow("entre revision y urgente") << -200LL << -1LL << 1LL << false << 0;
        QTest::newRow("desde el urgente") << 1LL << 2LL << 0LL << false << 31;
        QTest::newRow("umbrales vacios") << 0LL << 0LL << 0LL << true << 31;
    }

    void tamanoSegunLosUmbrales()
    {
        QFETCH(qint64, desdeMin);
        QFETCH(qint64, desdeMax);
        QFETCH(qint64, desdeUrgente);
        QFETCH(bool, vacios);
        QFETCH(int, slot);
        const qint64 tamano = QFileInfo(bd()).size();
        auto umbral = [&](qint64 desde) {
            return vacios ? QString() : QString::number(tamano + desde);
        };
        abrir(QStringLiteral("0;0;1;0;0;;1;%1;%2;%3;0;0;0")
                  .arg(umbral(desdeMin), umbral(desdeMax), umbral(desdeUrgente)));
        tick();
        if (slot == 0) {
            QVERIFY(carpeta->dialogos.mostrados.empty());
            return;
        }
        QCOMPARE(carpeta->dialogos.mostrados.size(), size_t(1));
        QCOMPARE(carpeta->dialogos.ultimo().texto, carpeta->ctx->texto(slot));
        QCOMPARE(carpeta->dialogos.ultimo().icono,
                 slot == 30 ? Dialogos::Icono::Informacion : Dialogos::Icono::Exclamacion);
        QCOMPARE(carpeta->textosSucesos().last(),
                 QStringLiteral("Tamaño de la base de datos: %1 bytes").arg(tamano));
    }

    void tamanoIlegibleAvisaEnCadaTick()
    {
        QDir(carpeta->ruta()).mkdir("vacia");
        abrir("0;0;1;0;0;;1;;;;0;0;0");
        carpeta->ctx->cfg.RutaBD = carpeta->archivo("vacia");
        principal->alTemporizador();
        principal->alTemporizador();
        QCOMPARE(carpeta->dialogos.mostrados.size(), size_t(2));
        QVERIFY(carpeta->dialogos.ultimo().texto.startsWith(
            "No se ha podido determinar el tamaño de la base de datos para avisos "
            "de soporte\r\n"));
        QCOMPARE(CarpetaPrueba::lineasArchivo(
                     carpeta->archivo("vacia/sucesos/20260805_ACCESO NORTE.hap"))
                     .size(),
                 2);
    }
};

QTEST_MAIN(PruebaSupervision)
#include "tst_supervision.moc"
