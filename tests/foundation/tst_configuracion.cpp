#include "ApoyoPruebas.h"

#include "foundation/Configuracion.h"
#include "foundation/Idiomas.h"

#include <QDir>
#include <QFile>
#include <QTest>

namespace {

// The fifteen values in file order, "|"-joined, so that a failing row shows
// which field went wrong.
QString Describir(const Configuracion& c)
{
    const auto b = [](bool v) { return QString(v ? "1" : "0"); };
    QStringList s;
    s << c.RutaBD << c.PuntoControl << b(c.EfectuarRespaldo) << b(c.EfectuarMarcadoAuto)
      << b(c.EfectuarRegistroDeSucesos) << b(c.EfectuarAviso) << b(c.AvisoDefecto)
      << c.TiempoAvisoDefecto << b(c.VerificarSizeBD) << c.RangoMinSizeBD << c.RangoMaxSizeBD
      << c.MaxSizeBD << b(c.VisitasProgramadas) << b(c.TomarFotografia) << b(c.DuplicarEntrada);
    return s.join(u'|');
}

} // namespace

class PruebaConfiguracion : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { QDir::setCurrent(QDir::tempPath()); }

    void interpretarLinea_data()
    {
        QTest::addColumn<QString>("linea");
        QTest::addColumn<QString>("esperado");
        const auto fila = [](const char* nombre, const char* linea, const char* esperado) {
            QTest::newRow(nombre) << QString(linea) << QString(esperado);
        };
        fila("ejemplo", "C:\\d;ACCESO NORTE;1;0;1;1;0;15;1;a;b;c;1;0;0",
             "C:\\d|ACCESO NORTE|1|0|1|1|0|15|1|a|b|c|1|0|0");
        fila("14 campos", "d;P;1;1;1;1;1;9;1;1;2;3;1;1", "d|P|1|1|1|1|1|9|1|1|2|3|1|1|0");
        fila("16 o mas campos", "d;P;1;0;1;0;0;;1;;;;0;0;1;0;x;;0", "d|P|1|0|1|0|0||1||||0|0|1");
        fila("vacia", "", "||1|0|1|0|0||1||||0|0|0");
        fila("10 falso, 01 verdadero", "d;P;10;01;10;01;;;10;;;;01;01;01",
             "d|P|0|1|0|1|0||0||||1|1|1");
        fila("vacios dan el defecto", "d;P;;;;;;;;;;;;;", "d|P|1|0|1|0|0||1||||0|0|0");
        fila("no digito no cambia", "d;P;x;s; ;n;-;;V;;;;+;a;!", "d|P|1|0|1|0|0||1||||0|0|0");
        fila("no digito tras digito", "d;P;0x;1 ;0?;1.;;;0a;;;;1b;1 ;1z",
             "d|P|0|1|0|1|0||0||||1|1|1");
        fila("gris es verdadero", "d;P;2;2;2;2;2;;2;;;;2;2;2", "d|P|1|1|1|1|1||1||||1|1|1");
        fila("blancos de los textos", " d ; P 1 ;1;0;1;0;0; 15 ;1; a;b ;c",
             " d | P 1 |1|0|1|0|0| 15 |1| a|b |c|0|0|0");
    }

    // Also: what the configuration panel writes reads back the same.
    void interpretarLinea()
    {
        QFETCH(QString, linea);
        QFETCH(QString, esperado);
        const Configuracion cfg = InterpretarLineaConfiguracion(linea);
        QCOMPARE(Describir(cfg), esperado);
        QCOMPARE(Describir(InterpretarLineaConfiguracion(LineaConfiguracion(cfg))), esperado);
    }

    void leerArchivo_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("valor"); // the value the first log line shows
        QTest::addColumn<QString>("punto");
        const auto fila = [](const char* nombre, QByteArray bytes, const char* valor,
                             const char* punto) {
            QTest::newRow(nombre) << bytes << QString(valor) << QString(punto);
        };
        fila("windows-1252", ";PORTER\315A;1\r\n", ";PORTERÍA;1", "PORTERÍA");
        fila("windows-1252 al final", ";PORTER\xCD", ";PORTERÍ", "PORTERÍ");
        fila("bom", "\xEF\xBB\xBF;P;1", ";P;1", "P");
        fila("solo LF, otra linea", ";P\n;OTRO\r\n", ";P", "P");
        fila("blancos iniciales", " \t ;P ;1\r\n", ";P ;1", "P ");
        fila("coma corta", ";P,Q;1\r\n", ";P", "P");
        fila("coma en la carpeta", "da,tos;P;1\r\n", "da", "");
        fila("comillas", "  \";P,Q;1\",x\r\n", ";P,Q;1", "P,Q");
        // A value never runs across a line break, whatever line closes the quote.
        fila("comillas cerradas en otra linea", "\";P;1\r\n;Q\"\r\n", ";P;1", "P");
        fila("comillas cerradas tras LF", "\";P;1\n;Q\",x\n", ";P;1", "P");
        fila("comillas cerradas tras CR", "\";P;1\r;Q\"", ";P;1", "P");
        fila("comillas sin cerrar", "\";P,Q;1\r\n;R\r\n", ";P,Q;1", "P,Q");
        fila("comillas vacias", "\"\"\r\n;P\"\r\n", "", "");
        fila("vacio", "", "", "");
        fila("empieza con coma", ",;P\r\n", "", "");
    }

    void leerArchivo()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, valor);
        QFETCH(QString, punto);
        CarpetaPrueba c;
        QFile f(c.archivo("zelvora.cfg"));
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
        f.close();
        QDir::setCurrent(c.ruta()); // "da" above is a relative folder, there already
        QDir(c.ruta()).mkdir("da");
        QCOMPARE(c.ctx->LeerConfiguracion(), valor.isEmpty() ? LecturaConfiguracion::NoExiste
                                             : punto.isEmpty()
                                                 ? LecturaConfiguracion::SinPuntoControl
                                                 : LecturaConfiguracion::Correcta);
        QCOMPARE(c.ctx->cfg.PuntoControl, punto);
        // The whole log, byte for byte: the value read, then the reason of a refusal.
        const QString nombre = punto.isEmpty() ? "PROBLEMACFG" : punto;
        const QString log = c.ctx->carpetaDatos() + "/sucesos/20260805_" + nombre + ".hap";
        const QString inicio = "05-08-2026;14:03:09;" + nombre + ";;;;;";
        QString esperado = inicio + "Configuración de Inicio: " + valor + "\r\n";
        if (valor.isEmpty())
            esperado += inicio + "El archivo de configuración no existe - Error de "
                                 "configuración\r\n";
        else if (punto.isEmpty())
            esperado += inicio + "El archivo de configuración es incorrecto - El punto de "
                                 "control no está asignado\r\n";
        QCOMPARE(LeerBytes(log), esperado.toUtf8());
    }

    // Why a terminal refused to start is on record: without a configuration in
    // the program folder, without a control point beside the shared database.
    void lecturaFallida()
    {
        CarpetaPrueba c;
        QCOMPARE(c.ctx->LeerConfiguracion(), LecturaConfiguracion::NoExiste);
        QCOMPARE(c.textosSucesos("PROBLEMACFG"),
                 QStringList({"Configuración de Inicio: ",
                              "El archivo de configuración no existe - Error de configuración"}));
        const QString datos = c.archivo("datos");
        QVERIFY(QDir().mkpath(datos));
        c.escribirConfiguracion(datos + ";;1;");
        QCOMPARE(c.ctx->LeerConfiguracion(), LecturaConfiguracion::SinPuntoControl);
        QCOMPARE(LeerBytes(datos + "/sucesos/20260805_PROBLEMACFG.hap"),
                 ("05-08-2026;14:03:09;PROBLEMACFG;;;;;Configuración de Inicio: " + datos +
                  ";;1;\r\n05-08-2026;14:03:09;PROBLEMACFG;;;;;El archivo de configuración es "
                  "incorrecto - El punto de control no está asignado\r\n")
                     .toUtf8());
        QCOMPARE(c.lineasSucesos("PROBLEMACFG").size(), 2);
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
        // The log switched off by the file: not even the failure reaches a file.
        c.escribirConfiguracion(";;1;0;0");
        QCOMPARE(c.ctx->LeerConfiguracion(), LecturaConfiguracion::SinPuntoControl);
        QVERIFY(!QFile::exists(c.archivo("sucesos")));
    }

    // The name becomes part of file names and a field of the configuration line.
    void puntoControlValido_data()
    {
        QTest::addColumn<QString>("punto");
        QTest::addColumn<QString>("motivo"); // English; empty: accepted
        const QString caracter = "The control point cannot contain the character %1: its name "
                                 "is part of the event-log file names and a field of the "
                                 "configuration file.";
        QTest::newRow("blancos") << "PORTERIA NORTE"
                                 << "";
        QTest::newRow("acentos") << "ACCESO Ñ"
                                 << "";
        QTest::newRow("comillas") << "PUERTA \"B\" O'HIGGINS #2"
                                  << "";
        QTest::newRow("blancos alrededor") << " P "
                                           << "";
        QTest::newRow("200 bytes") << QString(100, QChar(0xF1)) << "";
        QTest::newRow("vacio") << ""
                               << "Please, enter the name of the control point.";
        QTest::newRow("punto") << "."
                               << "The control point cannot be named \".\".";
        QTest::newRow("dos puntos") << ".."
                                    << "The control point cannot be named \"..\".";
        QTest::newRow("barra") << "NORTE/SUR" << caracter.arg("\"/\"");
        QTest::newRow("barra invertida") << "NORTE\\SUR" << caracter.arg("\"\\\"");
        QTest::newRow("punto y coma") << "A;B" << caracter.arg("\";\"");
        QTest::newRow("coma") << "A,B" << caracter.arg("\",\"");
        QTest::newRow("tabulador") << "A\tB" << caracter.arg("U+0009");
        QTest::newRow("salto de linea") << "A\r\nB" << caracter.arg("U+000D");
        QTest::newRow("suprimir") << "A\x7F" << caracter.arg("U+007F");
        QTest::newRow("201 bytes") << "x" + QString(100, QChar(0xF1))
                                   << "The control point name is too long (200 bytes at most).";
    }

    void puntoControlValido()
    {
        QFETCH(QString, punto);
        QFETCH(QString, motivo);
        TablasIdioma ingles, espanol;
        CargarTablasIdioma("en", &ingles);
        CargarTablasIdioma("es", &espanol);
        QString leido = "sin tocar";
        QCOMPARE(PuntoControlValido(punto, ingles, &leido), motivo.isEmpty());
        if (motivo.isEmpty()) {
            QCOMPARE(leido, "sin tocar");
            return;
        }
        QCOMPARE(leido, motivo);
        // The guard reads it in the terminal's language.
        QVERIFY(!PuntoControlValido(punto, espanol, &leido));
        QVERIFY2(leido.contains("punto de control"), qPrintable(leido));
    }

    void rutaBaseDatos()
    {
        CarpetaPrueba c;
        QCOMPARE(c.ctx->bd().ruta(), c.ruta() + "/zelvora.db");
        // Joined as configured: Linux takes the doubled separator as one.
        c.ctx->cfg.RutaBD = "/srv/datos/";
        QCOMPARE(c.ctx->bd().ruta(), "/srv/datos//zelvora.db");
    }
};

QTEST_MAIN(PruebaConfiguracion)
#include "tst_configuracion.moc"
