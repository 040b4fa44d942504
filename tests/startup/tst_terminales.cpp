// Several terminals, each a process of its own, on one database: no minute
// lost, no copy taken twice, no action failing, every copy whole.

#include "ApoyoPruebas.h"
#include "startup/Supervision.h"

#include <QDir>
#include <QProcess>
#include <QTest>

namespace {

QString Terminal(const QStringList& argumentos)
{
    QProcess proceso;
    proceso.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    proceso.start(qEnvironmentVariable("ZELVORA_TERMINAL"), argumentos);
    proceso.waitForFinished(120000);
    return QString::fromUtf8(proceso.readAllStandardOutput()).trimmed();
}

} // namespace

class PruebaTerminales : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<CarpetaPrueba> carpeta;

    QString bd() const { return carpeta->rutaBD(); }

    void contador(qint64 respaldo, qint64 cada)
    {
        carpeta->ejecutarSql("UPDATE contra SET respaldo = ?, respaldo_cada = ?", {respaldo, cada});
    }

    QString valorContador() { return carpeta->consultar("SELECT respaldo FROM contra").value(0); }

private slots:
    void initTestCase() { QVERIFY(QFile::exists(qEnvironmentVariable("ZELVORA_TERMINAL"))); }
    void init()
    {
        carpeta = std::make_unique<CarpetaPrueba>();
        carpeta->crearBaseDatos();
    }
    void cleanup() { carpeta.reset(); }

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

    void copiaTrasUnaTerminalCortada()
    {
        SOLO_ARCHIVO();
        carpeta->ejecutarSql("PRAGMA journal_mode = DELETE"); // as over a network share
        QProcess cortada;
        cortada.start(qEnvironmentVariable("ZELVORA_TERMINAL"), {"cortar", bd()});
        QVERIFY(cortada.waitForFinished(60000));
        QCOMPARE(cortada.exitStatus(), QProcess::CrashExit);
        QVERIFY(QFile::exists(bd() + "-journal"));
        QString error;
        const QString copia = carpeta->archivo("copia.db");
        QVERIFY2(CopiarBaseDatos(bd(), copia, &error), qPrintable(error));
        QCOMPARE(RevisarCopia(copia), "ok 0");
        QCOMPARE(carpeta->consultar("SELECT count(*) FROM avisos"), QStringList{"0"});
    }

    // Four terminals registering visitors at once while copies are taken
    // without pause: no action fails, nothing is lost, every copy is whole.
    void cuatroTerminalesYCopiasSinFallos_data()
    {
        QTest::addColumn<QString>("diario");
        QTest::newRow("disco local") << "WAL";
        QTest::newRow("carpeta de red") << "DELETE";
    }

    void cuatroTerminalesYCopiasSinFallos()
    {
        QFETCH(QString, diario);
        if (!ServidorPrueba().isEmpty() && diario != "WAL")
            QSKIP("one run is enough on a server");
        if (ServidorPrueba().isEmpty())
            carpeta->ejecutarSql("PRAGMA journal_mode = " + diario);
        QDir(carpeta->ruta()).mkdir("respaldos");
        const QString copias = carpeta->archivo("respaldos");
        QProcess copiador;
        copiador.start(qEnvironmentVariable("ZELVORA_TERMINAL"), {"respaldar", bd(), copias, "50"});
        std::vector<std::unique_ptr<QProcess>> terminales;
        for (int i = 0; i < 4; ++i) {
            terminales.push_back(std::make_unique<QProcess>());
            terminales.back()->setProcessChannelMode(QProcess::ForwardedErrorChannel);
            terminales.back()->start(qEnvironmentVariable("ZELVORA_TERMINAL"),
                                     {"registrar", bd(), "100"});
        }
        for (auto& t : terminales) {
            QVERIFY(t->waitForFinished(120000));
            QCOMPARE(QString::fromUtf8(t->readAllStandardOutput()).split(' ').value(0), "0");
        }
        QFile(copias + "/fin").open(QIODevice::WriteOnly);
        QVERIFY(copiador.waitForFinished(60000));
        QCOMPARE(QString::fromUtf8(copiador.readAllStandardOutput()).trimmed().split(' ').value(1),
                 "0");
        QCOMPARE(carpeta->consultar("SELECT count(*), count(FechaSalida) FROM entradas_salidas"),
                 QStringList{"400|400"});
        QCOMPARE(carpeta->consultar("SELECT count(*) FROM avisos"), QStringList{"0"});
        const QStringList hechas = QDir(copias).entryList({"*.db"}, QDir::Files);
        QVERIFY(!hechas.isEmpty());
        for (const QString& copia : hechas)
            QVERIFY(RevisarCopia(copias + u'/' + copia).startsWith("ok "));
    }
};

QTEST_MAIN(PruebaTerminales)
#include "tst_terminales.moc"
