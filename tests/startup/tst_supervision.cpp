// The main window's minute tick: notices popping up and closing, backups of
// a live database shared by several terminals, and the size warnings.

#include "ApoyoPruebas.h"
#include "foundation/ArchivosTexto.h"
#include "notices/frmAvisos.h"
#include "platform/CajasUnicas.h"
#include "platform/ModeloTabla.h"
#include "startup/Supervision.h"
#include "startup/Supervisor.h"
#include "startup/frmPrincipal.h"

#include <QDir>
#include <QLocale>
#include <QProcess>
#include <QSemaphore>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>
#include <QTimer>
#include <QTreeView>

class PruebaSupervision : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<CarpetaPrueba> carpeta;
    std::unique_ptr<frmPrincipal> principal;

    QString bd() const { return carpeta->rutaBD(); }
    // A server's copies are its dumps.
    static QString ext() { return ServidorPrueba().isEmpty() ? ".db" : ".dump"; }

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

    // One minute and everything it set going: its database work, a copy, and
    // the counter put back after a failed copy.
    void tick()
    {
        principal->alTemporizador();
        esperar();
    }
    void esperar()
    {
        Supervisor& s = principal->supervisor();
        while (s.trabajando() || s.copiando()) {
            QVERIFY(s.esperarTrabajo(60000));
            QVERIFY(s.esperarCopia(60000));
        }
        QCoreApplication::processEvents(); // the queued boxes
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
        QCOMPARE(respaldos(), (QStringList{"zelvora 05-08-2026 14-03-09-ACCESO NORTE" + ext(),
                                           "zelvora 05-08-2026 14-04-09-ACCESO NORTE" + ext(),
                                           "zelvora 05-08-2026 14-05-09-ACCESO NORTE" + ext()}));
        for (const QString& copia : respaldos())
            QCOMPARE(RevisarCopia(carpeta->archivo(QStringLiteral("respaldos/") + copia)), "ok 1");
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
    }

    void copiaFallidaAvisaYDejaElContadorEnElIntervalo_data()
    {
        QTest::addColumn<int>("cada");
        QTest::addColumn<QString>("horas");
        QTest::newRow("un dia") << 86400 << "Automáticamente se realiza cada 24 horas";
        // The machine's own decimal separator: "1,5" on a Spanish machine.
        QTest::newRow("hora y media")
            << 5400
            << QStringLiteral("Automáticamente se realiza cada 1") +
                   QLocale::system().decimalPoint() + QStringLiteral("5 horas");
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
            QVERIFY(RevisarCopia(carpeta->archivo(QStringLiteral("respaldos/") + copia))
                        .startsWith("ok "));
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
        // Inside the review range and past the urgent size: the review range wins.
        QTest::newRow("revision antes que urgente") << -100LL << 100LL << -50LL << false << 30;
    }

    void tamanoSegunLosUmbrales()
    {
        QFETCH(qint64, desdeMin);
        QFETCH(qint64, desdeMax);
        QFETCH(qint64, desdeUrgente);
        QFETCH(bool, vacios);
        QFETCH(int, slot);
        // What the file or the server says, read here on its own.
        const qint64 tamano =
            ServidorPrueba().isEmpty()
                ? QFileInfo(bd()).size()
                : carpeta->consultar("SELECT pg_database_size(current_database())")
                      .value(0)
                      .toLongLong();
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
        tick();
        tick();
        QCOMPARE(carpeta->dialogos.mostrados.size(), size_t(2));
        QVERIFY(carpeta->dialogos.ultimo().texto.startsWith(
            "No se ha podido determinar el tamaño de la base de datos para avisos "
            "de soporte\r\n"));
        QCOMPARE(CarpetaPrueba::lineasArchivo(
                     carpeta->archivo("vacia/sucesos/20260805_ACCESO NORTE.hap"))
                     .size(),
                 2);
    }

    // A box of the tick waits for the guard while the minutes go on behind it:
    // the counter keeps advancing and the same warning is not stacked again.
    void lasCajasNoDetienenElMinuto()
    {
        contador(0, 1'000'000'000);
        abrir("1;0;1;0;0;;1;;;;0;0;0"); // size check with empty thresholds: a box every tick
        principal->Timer1->setInterval(20);
        size_t mostradasDentro = 0;
        int contadorDentro = 0;
        carpeta->dialogos.alMostrar = [&](const Dialogos::Mensaje&) {
            if (mostradasDentro)
                return;
            mostradasDentro = carpeta->dialogos.mostrados.size();
            (void)QTest::qWaitFor([&] { return valorContador().toInt() >= 240; }, 10000);
            contadorDentro = valorContador().toInt();
        };
        QTRY_VERIFY_WITH_TIMEOUT(mostradasDentro > 0, 10000);
        principal->Timer1->stop();
        carpeta->dialogos.alMostrar = {};
        esperar();
        QVERIFY2(contadorDentro >= 240, qPrintable(QString::number(contadorDentro)));
        QCOMPARE(mostradasDentro, size_t(1));
        QVERIFY(principal->supervisor().cajas().omitidas("tamano") >= 2);
        QCOMPARE(carpeta->dialogos.mostrados.front().icono, Dialogos::Icono::Exclamacion);
    }

    // A backup that fails minute after minute: one box while it is open, each
    // failure still logged and retried.
    void unaSolaCajaDeCopiaFallidaALaVez()
    {
        QVERIFY(EscribirLineaUnica(carpeta->archivo("respaldos"), "x", nullptr));
        contador(0, 0);
        abrir("1;0;1;0;0;;0");
        bool dentro = false;
        carpeta->dialogos.alMostrar = [&](const Dialogos::Mensaje&) {
            if (dentro)
                return;
            dentro = true;
            for (int i = 0; i < 3; ++i)
                tick();
        };
        tick();
        carpeta->dialogos.alMostrar = {};
        QCOMPARE(carpeta->dialogos.mostrados.size(), size_t(1));
        QCOMPARE(carpeta->textosSucesos().count("La copia de seguridad no se ha podido realizar"),
                 4);
        QCOMPARE(principal->supervisor().cajas().omitidas("copia"), 3);
        QCOMPARE(valorContador(), "0"); // put back to the interval: tried again next minute
    }

    // Another terminal holds the write lock past the wait: the window does not
    // wait with it, no minute is lost, no box is shown, one log line says why.
    void bdOcupadaRetrasaElMinutoSinPerderlo()
    {
        SOLO_ARCHIVO();
        contador(0, 86400);
        abrir("1;0;1;0;0;;0");
        principal->supervisor().fijarReintento(50);
        {
            QSqlDatabase otra = QSqlDatabase::addDatabase("QSQLITE", "otra");
            otra.setDatabaseName(bd());
            QVERIFY(otra.open());
            QSqlQuery q(otra);
            QVERIFY(q.exec("BEGIN IMMEDIATE"));
            QVERIFY(q.exec("UPDATE contra SET respaldo = respaldo"));
            principal->alTemporizador();
            QVERIFY(principal->supervisor().trabajando()); // waiting aside, not in the window
            QTRY_VERIFY_WITH_TIMEOUT(
                carpeta->textosSucesos().filter("Error de base de datos").size() == 1, 20000);
            principal->alTemporizador(); // a second minute while it is still busy
            QVERIFY(q.exec("COMMIT"));
        }
        QSqlDatabase::removeDatabase("otra");
        QTRY_COMPARE_WITH_TIMEOUT(valorContador(), "120", 20000);
        esperar();
        QVERIFY(carpeta->dialogos.mostrados.empty());
        QCOMPARE(carpeta->textosSucesos().filter("Error de base de datos").size(), 1);
        QCOMPARE(principal->supervisor().segundosPendientes(), 0);
    }

    // Closing the program while a copy runs waits for it: the copy is whole.
    void laVentanaEsperaLaCopiaEnCurso()
    {
        contador(0, 0);
        abrir("1;0;1;0;0;;0");
        std::atomic<bool> terminada = false;
        principal->supervisor().fijarCopia(
            [&terminada](const QString& origen, const QString& destino, QString* error) {
                QThread::msleep(300);
                const bool ok = CopiarBaseDatos(origen, destino, error);
                terminada = true;
                return ok;
            });
        principal->alTemporizador();
        QVERIFY(principal->supervisor().esperarTrabajo(20000));
        QVERIFY(principal->supervisor().copiando());
        principal.reset();
        QVERIFY(terminada);
        QCOMPARE(respaldos().size(), 1);
        QCOMPARE(RevisarCopia(carpeta->archivo("respaldos/" + respaldos().value(0))), "ok 0");
    }

    // A minute that comes while this terminal's copy still runs only counts.
    void noSeReclamaOtraCopiaMientrasCorre()
    {
        contador(0, 0);
        abrir("1;0;1;0;0;;0");
        QSemaphore puerta;
        std::atomic<int> iniciadas = 0;
        principal->supervisor().fijarCopia(
            [&](const QString& origen, const QString& destino, QString* error) {
                ++iniciadas;
                puerta.acquire();
                return CopiarBaseDatos(origen, destino, error);
            });
        principal->alTemporizador();
        QVERIFY(principal->supervisor().esperarTrabajo(20000));
        QVERIFY(principal->supervisor().copiando());
        carpeta->reloj.momento = carpeta->reloj.momento.addSecs(60);
        principal->alTemporizador();
        QVERIFY(principal->supervisor().esperarTrabajo(20000));
        QCOMPARE(valorContador(), "60");
        QCOMPARE(iniciadas.load(), 1);
        puerta.release();
        esperar();
        QCOMPARE(respaldos(), QStringList{"zelvora 05-08-2026 14-03-09-ACCESO NORTE" + ext()});
    }

    // A terminal killed in the middle of a write leaves a hot journal: the
    // copy taken straight after rolls it back and is whole.
    // A copy killed half-way leaves its temporary file: the next copy of the
    // same control point removes it, not another terminal's.
    void copiaInterrumpidaNoQuedaParaSiempre()
    {
        QDir(carpeta->ruta()).mkdir("respaldos");
        const QString propia = "respaldos/zelvora 01-08-2026 10-00-00-ACCESO NORTE.db.parcial";
        const QString ajena = "respaldos/zelvora 01-08-2026 10-00-00-ACCESO SUR.db.parcial";
        for (const QString& resto : {propia, ajena}) {
            QFile archivo(carpeta->archivo(resto));
            QVERIFY(archivo.open(QIODevice::WriteOnly));
            archivo.write("a half copy");
            archivo.flush();
            QVERIFY(archivo.setFileTime(QDateTime::currentDateTime().addSecs(-3600),
                                        QFileDevice::FileModificationTime));
        }
        contador(0, 0);
        abrir("1;0;1;0;0;;0");
        tick();
        QCOMPARE(respaldos(), (QStringList{"zelvora 01-08-2026 10-00-00-ACCESO SUR.db.parcial",
                                           "zelvora 05-08-2026 14-03-09-ACCESO NORTE" + ext()}));
        QCOMPARE(RevisarCopia(carpeta->archivo(
                     "respaldos/zelvora 05-08-2026 14-03-09-ACCESO NORTE" + ext())),
                 "ok 0");
        QVERIFY(carpeta->dialogos.mostrados.empty());
    }
};

QTEST_MAIN(PruebaSupervision)
#include "tst_supervision.moc"
