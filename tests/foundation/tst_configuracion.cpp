#include "ApoyoPruebas.h"

#include "foundation/Configuracion.h"

#include <QDir>
#include <QFile>
#include <QTest>

namespace {

// The fifteen values in file order, "|"-joined, so that a failing row shows
// which field went wrong.
QString Describir(const Configuracion& c)
{
    const auto b = [](bool v) { return v ? QStringLiteral("1") : QStringLiteral("0"); };
    return QStringList{c.RutaBD,
                       c.PuntoControl,
                       b(c.EfectuarRespaldo),
                       b(c.EfectuarMarcadoAuto),
                       b(c.EfectuarRegistroDeSucesos),
                       b(c.EfectuarAviso),
                       b(c.AvisoDefecto),
                       c.TiempoAvisoDefecto,
                       b(c.VerificarSizeBD),
                       c.RangoMinSizeBD,
                       c.RangoMaxSizeBD,
                       c.MaxSizeBD,
                       b(c.VisitasProgramadas),
                       b(c.TomarFotografia),
                       b(c.DuplicarEntrada)}
        .join(u'|');
}

void EscribirBytes(const QString& ruta, const QByteArray& bytes)
{
    QFile f(ruta);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

} // namespace

class PruebaConfiguracion : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // A folder field that the code takes as relative must not litter the source tree.
        QVERIFY(trabajo_.isValid());
        QDir::setCurrent(trabajo_.path());
    }

    void interpretarLinea_data()
    {
        QTest::addColumn<QString>("linea");
        QTest::addColumn<QString>("esperado");
        QTest::newRow("ejemplo completo") << "C:\\datos;ACCESO NORTE;1;0;1;1;0;15;1;a;b;c;1;0;0"
                                          << "C:\\datos|ACCESO NORTE|1|0|1|1|0|15|1|a|b|c|1|0|0";
        QTest::newRow("todo invertido") << "d;P;0;1;0;0;1;5;0;1;2;3;0;1;1"
                                        << "d|P|0|1|0|0|1|5|0|1|2|3|0|1|1";
        QTest::newRow("14 campos") << "d;P;1;1;1;1;1;9;1;1;2;3;1;1"
                                   << "d|P|1|1|1|1|1|9|1|1|2|3|1|1|0";
        QTest::newRow("16 campos o mas") << "d;P;1;0;1;0;0;;1;;;;0;0;1;0;x;;0"
                                         << "d|P|1|0|1|0|0||1||||0|0|1";
        QTest::newRow("solo carpeta y punto") << "d;P" << "d|P|1|0|1|0|0||1||||0|0|0";
        QTest::newRow("linea vacia") << "" << "||1|0|1|0|0||1||||0|0|0";
        QTest::newRow("10 es falso, 01 verdadero") << "d;P;10;01;10;01;;;10;;;;01;01;01"
                                                   << "d|P|0|1|0|1|0||0||||1|1|1";
        QTest::newRow("campos vacios guardan el defecto") << "d;P;;;;;;;;;;;;;"
                                                          << "d|P|1|0|1|0|0||1||||0|0|0";
        QTest::newRow("no digito guarda el valor") << "d;P;x;s; ;n;-;;V;;;;+;a;!"
                                                   << "d|P|1|0|1|0|0||1||||0|0|0";
        QTest::newRow("no digito tras digito") << "d;P;0x;1 ;0?;1.;;;0a;;;;1b;1 ;1z"
                                               << "d|P|0|1|0|1|0||0||||1|1|1";
        QTest::newRow("greyed 2 es verdadero") << "d;P;2;2;2;2;2;;2;;;;2;2;2"
                                               << "d|P|1|1|1|1|1||1||||1|1|1";
        QTest::newRow("blancos de los textos se guardan") << " d ; P 1 ;1;0;1;0;0; 15 ;1; a;b ;c"
                                                          << " d | P 1 |1|0|1|0|0| 15 |1| a|b |c|0|0|0";
        QTest::newRow("punto vacio") << "d;;1;" << "d||1|0|1|0|0||1||||0|0|0";
    }

    void interpretarLinea()
    {
        QFETCH(QString, linea);
        QFETCH(QString, esperado);
        QCOMPARE(Describir(InterpretarLineaConfiguracion(linea)), esperado);
    }

    void lineaYLecturaSonSimetricas_data()
    {
        QTest::addColumn<QString>("linea");
        QTest::newRow("ejemplo") << "C:\\datos;ACCESO NORTE;1;0;1;1;0;15;1;100;200;300;1;0;0";
        QTest::newRow("invertido") << "/srv/zelvora;Portería Sur;0;1;0;0;1;;0;;;;0;1;1";
        QTest::newRow("vacios") << ";P;0;0;0;0;0;;0;;;;0;0;0";
    }

    void lineaYLecturaSonSimetricas()
    {
        QFETCH(QString, linea);
        const Configuracion cfg = InterpretarLineaConfiguracion(linea);
        // Exactly the fifteen fields, no ";" after the last.
        QCOMPARE(LineaConfiguracion(cfg), linea);
        QCOMPARE(Describir(InterpretarLineaConfiguracion(LineaConfiguracion(cfg))), Describir(cfg));
    }

    void leerArchivo_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("resultado");
        QTest::addColumn<QString>("valor");
        QTest::addColumn<QString>("punto");
        const int bien = int(LecturaConfiguracion::Correcta);
        const int sinPunto = int(LecturaConfiguracion::SinPuntoControl);
        const int noExiste = int(LecturaConfiguracion::NoExiste);
        QTest::newRow("utf-8") << QByteArray(";PORTER\xC3\x8D"
                                             "A;1;0;1\r\n")
                               << bien << ";PORTERÍA;1;0;1" << "PORTERÍA";
        QTest::newRow("windows-1252") << QByteArray(";PORTER\xCD"
                                                    "A;1;0;1\r\n")
                                      << bien << ";PORTERÍA;1;0;1" << "PORTERÍA";
        QTest::newRow("windows-1252 al final") << QByteArray(";PORTER\xCD") << bien << ";PORTERÍ"
                                               << "PORTERÍ";
        QTest::newRow("bom utf-8") << QByteArray("\xEF\xBB\xBF;P;1") << bien << ";P;1" << "P";
        QTest::newRow("sin fin de linea") << QByteArray(";P") << bien << ";P" << "P";
        QTest::newRow("solo LF, segunda linea ignorada")
            << QByteArray(";P\n;OTRO\r\n") << bien << ";P" << "P";
        QTest::newRow("blancos iniciales") << QByteArray(" \t ;P ;1\r\n") << bien << ";P ;1"
                                           << "P ";
        QTest::newRow("coma corta el valor") << QByteArray(";P,Q;1\r\n") << bien << ";P" << "P";
        QTest::newRow("coma en la carpeta") << QByteArray("da,tos;P;1\r\n") << sinPunto << "da"
                                            << "";
        QTest::newRow("valor entre comillas") << QByteArray("  \";P,Q;1\",x\r\n") << bien
                                              << ";P,Q;1" << "P,Q";
        QTest::newRow("vacio") << QByteArray() << noExiste << "" << "";
        QTest::newRow("solo blancos") << QByteArray("   \r\n") << noExiste << "" << "";
        QTest::newRow("empieza con coma") << QByteArray(",;P\r\n") << noExiste << "" << "";
    }

    // What a terminal reads from zelvora.cfg as it lies on disk, and what the
    // first log line says it read.
    void leerArchivo()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, resultado);
        QFETCH(QString, valor);
        QFETCH(QString, punto);
        CarpetaPrueba c;
        // Relative folders are taken as under the program folder for this check.
        QDir::setCurrent(c.ruta());
        EscribirBytes(c.archivo(kArchivoConfiguracion), bytes);
        QCOMPARE(int(c.ctx->LeerConfiguracion()), resultado);
        QDir::setCurrent(trabajo_.path());
        QCOMPARE(c.ctx->cfg.PuntoControl, punto);
        const QString carpeta = c.ctx->cfg.RutaBD.isEmpty() ? c.ruta() : c.archivo(valor);
        QFile log(carpeta + "/sucesos/" +
                  NombreArchivoSucesos(QDate(2026, 8, 5), punto.isEmpty() ? "PROBLEMACFG" : punto));
        QVERIFY2(log.open(QIODevice::ReadOnly), qPrintable(log.fileName()));
        const QString primera = QString::fromUtf8(log.readLine()).chopped(2);
        QCOMPARE(primera.section(u';', 7), "Configuración de Inicio: " + valor);
    }

    void sinArchivo()
    {
        CarpetaPrueba c;
        c.ctx->cfg.PuntoControl = "ANTERIOR";
        c.ctx->cfg.DuplicarEntrada = true;
        QCOMPARE(c.ctx->LeerConfiguracion(), LecturaConfiguracion::NoExiste);
        QCOMPARE(Describir(c.ctx->cfg), "||1|0|1|0|0||1||||0|0|0");
        QCOMPARE(c.lineasSucesos("PROBLEMACFG"),
                 QStringList({"05-08-2026;14:03:09;PROBLEMACFG;;;;;Configuración de Inicio: ",
                              "05-08-2026;14:03:09;PROBLEMACFG;;;;;El archivo de configuración no "
                              "existe - Error de configuración"}));
        QCOMPARE(QDir(c.archivo("sucesos")).entryList(QDir::Files),
                 QStringList{"20260805_PROBLEMACFG.hap"});
    }

    void sinPuntoDeControlEscribeEnLaCarpetaDeDatos()
    {
        CarpetaPrueba c;
        const QString datos = c.archivo("datos");
        QVERIFY(QDir().mkpath(datos));
        c.escribirConfiguracion(datos + ";;1;");
        QCOMPARE(c.ctx->LeerConfiguracion(), LecturaConfiguracion::SinPuntoControl);
        QCOMPARE(c.ctx->cfg.PuntoControl, QString());
        const QByteArray esperado =
            ("05-08-2026;14:03:09;PROBLEMACFG;;;;;Configuración de Inicio: " + datos +
             ";;1;\r\n05-08-2026;14:03:09;PROBLEMACFG;;;;;El archivo de configuración es "
             "incorrecto - El punto de control no está asignado\r\n")
                .toUtf8();
        QCOMPARE(LeerBytes(datos + "/sucesos/20260805_PROBLEMACFG.hap"), esperado);
        QVERIFY(!QFile::exists(c.archivo("sucesos")));
    }

    void archivoCorrecto()
    {
        CarpetaPrueba c;
        const QString datos = c.archivo("compartida");
        QVERIFY(QDir().mkpath(datos));
        const QString linea = datos + ";ACCESO NORTE;1;0;1;1;0;15;1;10;20;30;1;0;1";
        c.escribirConfiguracion(linea);
        c.ctx->cfg.TomarFotografia = true; // a re-read starts from the defaults
        QCOMPARE(c.ctx->LeerConfiguracion(), LecturaConfiguracion::Correcta);
        QCOMPARE(Describir(c.ctx->cfg), datos + "|ACCESO NORTE|1|0|1|1|0|15|1|10|20|30|1|0|1");
        QCOMPARE(LeerBytes(datos + "/sucesos/20260805_ACCESO NORTE.hap"),
                 ("05-08-2026;14:03:09;ACCESO NORTE;;;;;Configuración de Inicio: " + linea + "\r\n")
                     .toUtf8());
        QVERIFY(!QFile::exists(c.archivo("sucesos")));
    }

    void registroApagadoPorElArchivo()
    {
        CarpetaPrueba c;
        c.escribirConfiguracion(";P;1;0;0");
        QCOMPARE(c.ctx->LeerConfiguracion(), LecturaConfiguracion::Correcta);
        c.escribirConfiguracion(";;1;0;0");
        QCOMPARE(c.ctx->LeerConfiguracion(), LecturaConfiguracion::SinPuntoControl);
        QVERIFY(!QFile::exists(c.archivo("sucesos")));
    }

    void rutaBaseDatos()
    {
        Configuracion cfg;
        QCOMPARE(RutaBaseDatos(cfg, "/opt/zelvora"), "/opt/zelvora/zelvora.db");
        QCOMPARE(CarpetaDatos(cfg, "/opt/zelvora"), "/opt/zelvora");
        cfg.RutaBD = "/srv/datos";
        QCOMPARE(RutaBaseDatos(cfg, "/opt/zelvora"), "/srv/datos/zelvora.db");
        QCOMPARE(CarpetaDatos(cfg, "/opt/zelvora"), "/srv/datos");
        cfg.RutaBD = "/srv/datos/";
        QCOMPARE(RutaBaseDatos(cfg, "/opt/zelvora"), "/srv/datos//zelvora.db");
    }

    void conexionSigueLaCarpetaConfigurada()
    {
        CarpetaPrueba c;
        QCOMPARE(c.ctx->bd().ruta(), c.archivo("zelvora.db"));
        c.ctx->cfg.RutaBD = c.ruta() + "/otra/";
        QCOMPARE(c.ctx->bd().ruta(), c.ruta() + "/otra//zelvora.db");
    }

private:
    QTemporaryDir trabajo_;
};

QTEST_MAIN(PruebaConfiguracion)
#include "tst_configuracion.moc"
