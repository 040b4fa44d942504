// Dialing through a modem: the commands and line settings that reach it, the
// bounded wait for its reply, and the failures the guard must be told about.
// The modem is emulated at the far end of a pseudo-terminal.

#include "ModemEmulado.h"
#include "platform/ModemSerie.h"

#include <QTemporaryDir>
#include <QTest>

using namespace std::chrono_literals;

class PruebaModem : public QObject
{
    Q_OBJECT

private slots:
    // A dial and a hang-up, each ended by a carriage return, on a line of
    // 300 bit/s with one stop bit; the modem's OK is seen.
    void marcaYCuelga()
    {
        ModemEmulado emulado;
        ModemSerie modem;
        QVERIFY(modem.abrir(emulado.dispositivo(), kBaudiosModem));
        QCOMPARE(emulado.baudios(), 300);
        QCOMPARE(emulado.bitsDeParada(), 1);
        QVERIFY(modem.enviar("ATDT6012345;"));
        QVERIFY(modem.esperar("OK", 5s));
        QVERIFY(modem.enviar("ATH"));
        modem.cerrar();
        QTRY_COMPARE(emulado.recibido, QByteArray("ATDT6012345;\rATH\r"));
    }

    // "O" and "K" in two pieces are still an OK.
    void respuestaAPedazos()
    {
        ModemEmulado emulado(ModemEmulado::Modo::APedazos);
        ModemSerie modem;
        QVERIFY(modem.abrir(emulado.dispositivo(), kBaudiosModem));
        QVERIFY(modem.enviar("ATDT;"));
        QVERIFY(modem.esperar("OK", 5s));
    }

    // A modem that stops answering ends the wait with a result to show: an
    // OK left on the line before the port opened, or one that answered an
    // earlier command, is not taken for its answer.
    void sinRespuesta()
    {
        ModemEmulado emulado(ModemEmulado::Modo::Calla);
        emulado.escribir("OK\r\n");
        ModemSerie modem;
        QVERIFY(modem.abrir(emulado.dispositivo(), kBaudiosModem));
        QVERIFY(modem.enviar("ATDT6012345;"));
        const auto resultado = modem.esperar("OK", 200ms);
        QCOMPARE(resultado.fallo, Modem::Fallo::SinRespuesta);
        QVERIFY(!resultado.descripcion.isEmpty());

        emulado.modo = ModemEmulado::Modo::Responde;
        QVERIFY(modem.enviar("ATDT6012345;"));
        QVERIFY(modem.esperar("OK", 5s));
        emulado.modo = ModemEmulado::Modo::Calla;
        QVERIFY(modem.enviar("ATH"));
        QCOMPARE(modem.esperar("OK", 200ms).fallo, Modem::Fallo::SinRespuesta);
        QCOMPARE(emulado.ordenes(), QList<QByteArray>({"ATDT6012345;", "ATDT6012345;", "ATH"}));
    }

    // A missing device and one another program holds fail apart, with a
    // description; the device is free again once closed.
    void dispositivoAusenteUOcupado()
    {
        QTemporaryDir dir;
        ModemSerie modem;
        const auto ausente = modem.abrir(dir.filePath(QStringLiteral("ttyS2")), kBaudiosModem);
        QCOMPARE(ausente.fallo, Modem::Fallo::NoExiste);
        QVERIFY(!ausente.descripcion.isEmpty());

        ModemEmulado emulado;
        ModemSerie otro;
        QVERIFY(otro.abrir(emulado.dispositivo(), kBaudiosModem));
        const auto ocupado = modem.abrir(emulado.dispositivo(), kBaudiosModem);
        QCOMPARE(ocupado.fallo, Modem::Fallo::Ocupado);
        QVERIFY(!ocupado.descripcion.isEmpty());
        otro.cerrar();
        QVERIFY(modem.abrir(emulado.dispositivo(), kBaudiosModem));
    }

    void dispositivoPorDefectoOElegido()
    {
        qunsetenv("ZELVORA_MODEM");
        QCOMPARE(DispositivoModem(), QStringLiteral("/dev/ttyS2"));
        qputenv("ZELVORA_MODEM", "/dev/ttyUSB0");
        QCOMPARE(DispositivoModem(), QStringLiteral("/dev/ttyUSB0"));
        qunsetenv("ZELVORA_MODEM");
    }
};

QTEST_MAIN(PruebaModem)
#include "tst_modem.moc"
