// Dialing a dwelling's telephone as the guard lives it: what the modem at the
// far end of a pseudo-terminal receives, the box to lift the handset, the
// bounded wait, the failures told with their number and description, the
// event-log lines, and the port always let go.

#include "ApoyoPruebas.h"
#include "ModemEmulado.h"
#include "census/MarcarTelefono.h"
#include "foundation/Idiomas.h"
#include "platform/ModemSerie.h"

#include <QSerialPort>
#include <QTest>

using namespace std::chrono_literals;

namespace {
const QString kFalloPuerto = QStringLiteral("Error en la marcación del teléfono ");
const QString kSinRespuesta = QStringLiteral("El módem no respondió al marcar el teléfono ");
} // namespace

class PruebaMarcado : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<CarpetaPrueba> carpeta;

    qsizetype sucesosPrevios = 0;

    Contexto& ctx() { return *carpeta->ctx; }
    // The event-log lines written by the dialing.
    QStringList sucesos() const { return carpeta->textosSucesos().mid(sucesosPrevios); }
    DialogosGuion& dialogos() { return carpeta->dialogos; }

    // The device is free again: nothing of this program holds it open.
    static bool libre(const QString& dispositivo)
    {
        ModemSerie otro;
        const bool abierto = bool(otro.abrir(dispositivo, kBaudiosModem));
        otro.cerrar();
        return abierto;
    }

private slots:
    void init()
    {
        carpeta = std::make_unique<CarpetaPrueba>();
        carpeta->prepararTerminal();
        QCOMPARE(ctx().LeerConfiguracion(), LecturaConfiguracion::Correcta);
        QVERIFY(CargarTablasIdioma(QStringLiteral("es"), &ctx().idioma));
        sucesosPrevios = carpeta->textosSucesos().size();
    }

    void cleanup()
    {
        qunsetenv("ZELVORA_MODEM");
        carpeta.reset();
    }

    // The modem gets the dial command with its carriage return; while the
    // guard reads the box it has not yet hung up; after it, the hang-up
    // follows and the port is closed. The number goes as typed.
    void marcaYCuelga_data()
    {
        QTest::addColumn<QString>("numero");
        QTest::addColumn<QByteArray>("orden");
        QTest::newRow("número") << QStringLiteral("6012345") << QByteArray("ATDT6012345;\r");
        QTest::newRow("vacío") << QString() << QByteArray("ATDT;\r");
        QTest::newRow("con signos")
            << QStringLiteral("+57 1-234") << QByteArray("ATDT+57 1-234;\r");
    }
    void marcaYCuelga()
    {
        QFETCH(QString, numero);
        QFETCH(QByteArray, orden);
        ModemEmulado emulado;
        qputenv("ZELVORA_MODEM", emulado.dispositivo().toLocal8Bit());
        QByteArray alDescolgar;
        int baudios = 0;
        dialogos().alMostrar = [&](const Dialogos::Mensaje&) {
            alDescolgar = emulado.recibido;
            baudios = emulado.baudios();
        };
        ModemSerie modem;

        const auto resultado = marcarNumeroTelefono(ctx(), nullptr, modem, numero, 5s);

        QCOMPARE(resultado.fin, ResultadoMarcado::Fin::Marcado);
        QCOMPARE(alDescolgar, orden);
        QCOMPARE(dialogos().textos(), QStringList{ctx().texto(118)});
        QCOMPARE(dialogos().ultimo().icono, Dialogos::Icono::Informacion);
        QVERIFY(dialogos().ultimo().titulo.isEmpty());
        QTRY_COMPARE(emulado.recibido, orden + "ATH\r");
        QCOMPARE(baudios, 300);
        QVERIFY(libre(emulado.dispositivo()));
        QCOMPARE(sucesos(), QStringList());
    }

    // "O" and then "K" in a second read is the modem's OK.
    void okAPedazos()
    {
        ModemEmulado emulado(ModemEmulado::Modo::APedazos);
        qputenv("ZELVORA_MODEM", emulado.dispositivo().toLocal8Bit());
        ModemSerie modem;

        const auto resultado = marcarNumeroTelefono(ctx(), nullptr, modem, "6012345", 5s);

        QCOMPARE(resultado.fin, ResultadoMarcado::Fin::Marcado);
        QCOMPARE(dialogos().textos(), QStringList{ctx().texto(118)});
        QTRY_COMPARE(emulado.ordenes(), QList<QByteArray>({"ATDT6012345;", "ATH"}));
    }

    // A modem that never answers: the wait ends, the guard is told which
    // device did not answer, the line is let go, and the port is closed.
    void sinRespuesta()
    {
        ModemEmulado emulado(ModemEmulado::Modo::Calla);
        qputenv("ZELVORA_MODEM", emulado.dispositivo().toLocal8Bit());
        ModemSerie modem;

        const auto resultado = marcarNumeroTelefono(ctx(), nullptr, modem, "6012345", 200ms);

        QCOMPARE(resultado.fin, ResultadoMarcado::Fin::SinRespuesta);
        QCOMPARE(dialogos().textos(),
                 QStringList{QStringLiteral("El módem no ha respondido. Compruebe que está "
                                            "encendido y conectado a ") +
                             emulado.dispositivo() + QStringLiteral(", y vuelva a intentarlo.")});
        QCOMPARE(dialogos().ultimo().icono, Dialogos::Icono::Exclamacion);
        QTRY_COMPARE(emulado.ordenes(), QList<QByteArray>({"ATDT6012345;", "ATH"}));
        QVERIFY(libre(emulado.dispositivo()));
        QCOMPARE(sucesos(), QStringList{kSinRespuesta + "6012345"});
    }

    // A missing device and one held by another program: slot 119, the serial
    // layer's error number and its description; nothing dialed.
    void puertoQueNoAbre()
    {
        QTemporaryDir dir;
        const QString ausente = dir.filePath(QStringLiteral("ttyS2"));
        qputenv("ZELVORA_MODEM", ausente.toLocal8Bit());
        ModemSerie modem;
        auto resultado = marcarNumeroTelefono(ctx(), nullptr, modem, "6012345", 5s);

        QCOMPARE(resultado.fin, ResultadoMarcado::Fin::Error);
        QCOMPARE(resultado.modem.numero, int(QSerialPort::DeviceNotFoundError));
        QVERIFY(!resultado.modem.descripcion.isEmpty());
        const QString detalle =
            QString::number(QSerialPort::DeviceNotFoundError) + " - " + resultado.modem.descripcion;
        QCOMPARE(dialogos().textos(),
                 QStringList{QStringLiteral("Error en la marcación del número de teléfono: ") +
                             detalle});
        QCOMPARE(dialogos().ultimo().icono, Dialogos::Icono::Exclamacion);
        QVERIFY(dialogos().ultimo().titulo.isEmpty());
        QCOMPARE(sucesos(), QStringList{kFalloPuerto + "6012345: " + detalle});

        ModemEmulado emulado;
        qputenv("ZELVORA_MODEM", emulado.dispositivo().toLocal8Bit());
        ModemSerie otroPrograma;
        QVERIFY(otroPrograma.abrir(emulado.dispositivo(), kBaudiosModem));
        dialogos().mostrados.clear();
        resultado = marcarNumeroTelefono(ctx(), nullptr, modem, "6012345", 5s);
        QCOMPARE(resultado.fin, ResultadoMarcado::Fin::Error);
        QCOMPARE(dialogos().textos(),
                 QStringList{ctx().texto(119) + QString::number(resultado.modem.numero) + " - " +
                             resultado.modem.descripcion});
        QVERIFY(resultado.modem.numero != 0);
        QTest::qWait(50);
        QCOMPARE(emulado.recibido, QByteArray());
    }
};

QTEST_MAIN(PruebaMarcado)
#include "tst_marcado.moc"
