#include "ApoyoPruebas.h"
#include "foundation/ArchivosTexto.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <cerrno>
#include <csignal>
#include <sys/resource.h>

class PruebaSucesos : public QObject
{
    Q_OBJECT

    std::unique_ptr<CarpetaPrueba> c;

    // The log as a read configuration leaves it: on, with this control point.
    void encender(const QString& punto)
    {
        c->ctx->cfg = Configuracion::PorDefecto();
        c->ctx->cfg.PuntoControl = punto;
    }

private slots:
    void init() { c = std::make_unique<CarpetaPrueba>(); }

    // Before the configuration is read the log is off; field 5 can switch it off.
    void registroApagado()
    {
        c->ctx->cfg.PuntoControl = "P";
        c->ctx->registrar("Archivo de idioma existe");
        encender("P");
        c->ctx->cfg.EfectuarRegistroDeSucesos = false;
        c->ctx->registrar("Ingresa al programa");
        QVERIFY(!QFile::exists(c->archivo("sucesos")));
    }

    // The bytes another program reading the log sees: UTF-8, CR LF, the eight
    // fields in order, the event text untouched after the seventh ";".
    void lineasDelArchivo()
    {
        encender("ACCESO NORTE");
        c->ctx->registrar("Configuración de Inicio: ;ACCESO NORTE;1");
        c->ctx->usuario.UsuarioSr = "Admin";
        c->ctx->usuario.UsuarioNombre = "Ana";
        c->ctx->usuario.UsuarioApe1 = "Pérez";
        c->ctx->usuario.UsuarioApe2 = "Núñez";
        c->reloj.momento = QDateTime(QDate(2026, 8, 5), QTime(9, 4, 5));
        c->ctx->registrar("Ingresa al programa");
        QCOMPARE(LeerBytes(c->archivo("sucesos/20260805_ACCESO NORTE.hap")),
                 "05-08-2026;14:03:09;ACCESO NORTE;;;;;Configuraci\xC3\xB3n de Inicio: "
                 ";ACCESO NORTE;1\r\n05-08-2026;09:04:05;ACCESO NORTE;Admin;Ana;P\xC3\xA9rez;"
                 "N\xC3\xBA\xC3\xB1"
                 "ez;Ingresa al programa\r\n");
    }

    void despuesDeMedianoche()
    {
        encender("P");
        c->reloj.momento = QDateTime(QDate(2026, 12, 31), QTime(23, 59, 59));
        c->ctx->registrar("antes");
        c->reloj.momento = QDateTime(QDate(2027, 1, 1), QTime(0, 0, 0));
        c->ctx->registrar("después");
        QCOMPARE(c->lineasSucesos("P", QDate(2026, 12, 31)),
                 QStringList{"31-12-2026;23:59:59;P;;;;;antes"});
        QCOMPARE(c->lineasSucesos("P", QDate(2027, 1, 1)),
                 QStringList{"01-01-2027;00:00:00;P;;;;;después"});
    }

    // As typed, blanks and signs included; "PROBLEMACFG" only stands in for an empty one.
    void puntoDeControl_data()
    {
        QTest::addColumn<QString>("punto");
        for (const char* punto : {" PUERTA 2 ", "Portería #3 (b) & c%d", ""})
            QTest::newRow(punto) << punto;
    }

    void puntoDeControl()
    {
        QFETCH(QString, punto);
        const QString nombre = punto.isEmpty() ? "PROBLEMACFG" : punto;
        encender(punto);
        c->ctx->registrar("uno");
        c->ctx->registrar("dos");
        QCOMPARE(QDir(c->archivo("sucesos")).entryList(QDir::Files),
                 QStringList{"20260805_" + nombre + ".hap"});
        QCOMPARE(c->lineasSucesos(nombre),
                 QStringList({"05-08-2026;14:03:09;" + nombre + ";;;;;uno",
                              "05-08-2026;14:03:09;" + nombre + ";;;;;dos"}));
    }

    // A write cut short (a full disk) leaves a line without its CR LF: the next
    // event still gets a line of its own, and the file keeps every byte it had.
    void lineaAMediasNoSePega_data()
    {
        QTest::addColumn<QByteArray>("antes");
        QTest::addColumn<QByteArray>("separador");
        const QByteArray entera = "05-08-2026;14:03:00;P;;;;;uno";
        QTest::newRow("vacio") << QByteArray() << QByteArray();
        QTest::newRow("entera") << entera + "\r\n" << QByteArray();
        QTest::newRow("a medias") << entera + "\r\n05-08-2026;14:03:01;P;;;;;Agre"
                                  << QByteArray("\r\n");
        QTest::newRow("sin LF") << entera + "\r" << QByteArray("\n");
        QTest::newRow("solo LF") << entera + "\n" << QByteArray();
        QTest::newRow("un byte") << QByteArray("0") << QByteArray("\r\n");
    }

    void lineaAMediasNoSePega()
    {
        QFETCH(QByteArray, antes);
        QFETCH(QByteArray, separador);
        encender("P");
        QVERIFY(QDir().mkpath(c->archivo("sucesos")));
        const QString ruta = c->archivo("sucesos/20260805_P.hap");
        QFile f(ruta);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(antes) == antes.size());
        f.close();
        c->ctx->registrar("dos");
        c->ctx->registrar("tres");
        QCOMPARE(LeerBytes(ruta), antes + separador +
                                      "05-08-2026;14:03:09;P;;;;;dos\r\n"
                                      "05-08-2026;14:03:09;P;;;;;tres\r\n");
        QVERIFY(c->ctx->ultimoErrorSucesos().isEmpty());
    }

    // The same with a real short write: the file may not grow past a limit
    // (as a full disk), so only the start of the line gets written.
    void escrituraCortadaNoPegaLaSiguiente()
    {
        encender("P");
        c->ctx->registrar("uno");
        const QString ruta = c->archivo("sucesos/20260805_P.hap");
        const QByteArray antes = LeerBytes(ruta);
        QCOMPARE(antes, "05-08-2026;14:03:09;P;;;;;uno\r\n");
        struct rlimit limite;
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &limite), 0);
        const auto senal = signal(SIGXFSZ, SIG_IGN);
        struct rlimit corto = limite;
        corto.rlim_cur = antes.size() + 10;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &corto), 0);
        c->ctx->registrar("dos");
        setrlimit(RLIMIT_FSIZE, &limite);
        signal(SIGXFSZ, senal);
        QVERIFY2(c->ctx->ultimoErrorSucesos().contains(ruta),
                 qPrintable(c->ctx->ultimoErrorSucesos()));
        QCOMPARE(LeerBytes(ruta), antes + "05-08-2026");

        c->ctx->registrar("tres");
        QVERIFY(c->ctx->ultimoErrorSucesos().isEmpty());
        QCOMPARE(c->lineasSucesos("P"), QStringList({"05-08-2026;14:03:09;P;;;;;uno", "05-08-2026",
                                                     "05-08-2026;14:03:09;P;;;;;tres"}));
    }

    // The windows' side hears of a change of state, not of every lost line.
    void cambioDeEstadoSeAvisaUnaVez()
    {
        QStringList avisos;
        c->ctx->alCambiarRegistroSucesos = [&](bool escribe, const QString& motivo) {
            avisos << QString(escribe ? "escribe" : "falla: ") + motivo;
        };
        encender("P");
        const QString datos = c->archivo("datos");
        c->ctx->cfg.RutaBD = datos;
        for (const char* texto : {"uno", "dos", "tres"})
            c->ctx->registrar(texto);
        const QString archivo = datos + "/sucesos/20260805_P.hap";
        QCOMPARE(avisos, QStringList{"falla: " + archivo + ": " + qt_error_string(ENOENT)});
        QVERIFY(QDir().mkpath(datos));
        c->ctx->registrar("cuatro");
        c->ctx->registrar("cinco");
        QCOMPARE(avisos.size(), 2);
        QCOMPARE(avisos.last(), "escribe");
        QCOMPARE(CarpetaPrueba::lineasArchivo(archivo).size(), 2);
        // Switched off, the log is neither failing nor writing.
        c->ctx->cfg.EfectuarRegistroDeSucesos = false;
        c->ctx->cfg.RutaBD = c->archivo("otra");
        c->ctx->registrar("seis");
        QCOMPARE(avisos.size(), 2);
    }

    // A lost network folder must not quietly grow a local copy of the log:
    // only "sucesos" itself is created, never the folder it belongs in.
    void carpetaDeDatosPerdidaNoSeCreaNiSeEscribe()
    {
        encender("P");
        const QString ruta = c->archivo("no_montada");
        c->ctx->cfg.RutaBD = ruta;
        c->ctx->registrar("x");
        QVERIFY(!QFile::exists(ruta));
        // A file where the folder should be stays as it was.
        QVERIFY(EscribirLineaUnica(ruta, "x", nullptr));
        c->ctx->registrar("Guarda entrada");
        QVERIFY(!c->ctx->ultimoErrorSucesos().isEmpty());
        QCOMPARE(LeerBytes(ruta), "x\r\n");
    }
};

QTEST_MAIN(PruebaSucesos)
#include "tst_sucesos.moc"
