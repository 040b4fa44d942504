// The administration tool as a site engineer runs it.

#include "ApoyoPruebas.h"
#include "startup/Acceso.h"

#include <QCryptographicHash>
#include <QProcess>
#include <QTest>

namespace {

struct Salida
{
    int codigo = -1;
    QString texto;
    QString errores;
};

Salida Ejecutar(const QStringList& argumentos)
{
    QProcess proceso;
    proceso.start(qEnvironmentVariable("ZELVORA_ADMIN"), argumentos);
    proceso.waitForFinished(60000);
    return {proceso.exitCode(), QString::fromUtf8(proceso.readAllStandardOutput()),
            QString::fromUtf8(proceso.readAllStandardError())};
}

QByteArray Huella(const QString& ruta)
{
    return QCryptographicHash::hash(LeerBytes(ruta), QCryptographicHash::Sha256);
}

} // namespace

class PruebaAdmin : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(QFile::exists(qEnvironmentVariable("ZELVORA_ADMIN"))); }

    void initPreparaUnaTerminalLista()
    {
        CarpetaPrueba carpeta;
        const Salida s = Ejecutar(
            {QStringLiteral("init"), QStringLiteral("--carpeta"), carpeta.ruta(),
             QStringLiteral("--punto"), QStringLiteral("PORTERÍA SUR"), QStringLiteral("--usuario"),
             QStringLiteral("Jefe"), QStringLiteral("--clave"), QStringLiteral("Clave'9")});
        QVERIFY2(s.codigo == 0, qPrintable(s.errores));
        const QByteArray cfg = LeerBytes(carpeta.archivo(QStringLiteral("zelvora.cfg")));
        QVERIFY(cfg.endsWith("\r\n"));
        QCOMPARE(cfg.count('\n'), 1);

        // The program reads it as a valid terminal whose new database warns nobody.
        QCOMPARE(carpeta.ctx->LeerConfiguracion(), LecturaConfiguracion::Correcta);
        const Configuracion& c = carpeta.ctx->cfg;
        QCOMPARE(c.PuntoControl, QStringLiteral("PORTERÍA SUR"));
        QVERIFY(c.RutaBD.isEmpty());
        QVERIFY(c.EfectuarRespaldo && c.EfectuarRegistroDeSucesos && c.VerificarSizeBD);
        QVERIFY(!c.EfectuarAviso && !c.DuplicarEntrada && !c.TomarFotografia);
        QVERIFY(c.RangoMinSizeBD.toLongLong() > 100'000'000);
        QVERIFY(c.MaxSizeBD.toLongLong() >= c.RangoMaxSizeBD.toLongLong());

        BaseDatos& bd = carpeta.ctx->bd();
        SesionBD sesion(bd);
        QVERIFY(BuscarUsuario(bd, QStringLiteral("Jefe"), QStringLiteral("Clave'9")));
        QSqlQuery q = bd.ejecutar(QStringLiteral(
            "SELECT count(*), sum(PermisoAutorizado) FROM UsuariosPermisos WHERE id_sr = 1"));
        q.next();
        QCOMPARE(q.value(0).toInt(), 16);
        QCOMPARE(q.value(1).toInt(), 16);
        q = bd.ejecutar(QStringLiteral("SELECT count(*) FROM entradas_salidas"));
        q.next();
        QCOMPARE(q.value(0).toInt(), 0);
    }

    void initNoTocaUnaBaseExistente()
    {
        CarpetaPrueba carpeta;
        carpeta.crearBaseDatos();
        carpeta.escribirConfiguracion(QStringLiteral(";VIEJO"));
        const QString ruta = carpeta.archivo(QStringLiteral("zelvora.db"));
        const QByteArray antes = Huella(ruta);
        const Salida s =
            Ejecutar({QStringLiteral("init"), QStringLiteral("--carpeta"), carpeta.ruta(),
                      QStringLiteral("--punto"), QStringLiteral("X"), QStringLiteral("--demo")});
        QCOMPARE(s.codigo, 1);
        QVERIFY(s.errores.contains(ruta));
        QCOMPARE(Huella(ruta), antes);
        QCOMPARE(LeerBytes(carpeta.archivo(QStringLiteral("zelvora.cfg"))),
                 QByteArray(";VIEJO\r\n"));
    }

    void demoTraeVisitantesDentroYCenso()
    {
        CarpetaPrueba carpeta;
        const Salida s =
            Ejecutar({QStringLiteral("init"), QStringLiteral("--carpeta"), carpeta.ruta(),
                      QStringLiteral("--punto"), QStringLiteral("DEMO"), QStringLiteral("--demo")});
        QVERIFY2(s.codigo == 0, qPrintable(s.errores));
        carpeta.ctx->LeerConfiguracion();
        BaseDatos& bd = carpeta.ctx->bd();
        SesionBD sesion(bd);
        QVERIFY(BuscarUsuario(bd, QStringLiteral("Admin"), QStringLiteral("zelvora")));
        QVERIFY(BuscarUsuario(bd, QStringLiteral("guardia"), QStringLiteral("guardia")));
        for (const char* sql : {"SELECT count(*) FROM entradas_salidas WHERE FechaSalida IS NULL",
                                "SELECT count(*) FROM entradas_salidas WHERE FechaSalida IS NOT "
                                "NULL AND FechaSalida > FechaEntrada",
                                "SELECT count(*) FROM censos"}) {
            QSqlQuery q = bd.ejecutar(QString::fromLatin1(sql));
            q.next();
            QVERIFY2(q.value(0).toInt() > 0, sql);
        }
    }

    void textosListaCadaSlotYPermiso_data()
    {
        QTest::addColumn<QString>("codigo");
        QTest::addColumn<QString>("slot0");
        QTest::addColumn<QString>("slot27");
        QTest::addColumn<QString>("permiso16");
        QTest::newRow("es") << "es"
                            << "Control de Acceso"
                            << " horas"
                            << "Registrar Salidas";
        QTest::newRow("co") << "co"
                            << "Control de Acceso"
                            << " horas"
                            << "Registrar Salidas";
        QTest::newRow("us") << "us"
                            << "Access Control"
                            << " hours"
                            << "Make Visitor's Exit";
        QTest::newRow("en") << "en"
                            << "Access Control"
                            << " hours"
                            << "Make Visitor's Exit";
    }

    void textosListaCadaSlotYPermiso()
    {
        QFETCH(QString, codigo);
        QFETCH(QString, slot0);
        QFETCH(QString, slot27);
        QFETCH(QString, permiso16);
        const Salida s = Ejecutar({QStringLiteral("textos"), codigo});
        QCOMPARE(s.codigo, 0);
        const QStringList lineas = s.texto.split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(lineas.size(), 378 + 16);
        QCOMPARE(lineas[0], QStringLiteral("T0\t") + slot0);
        QCOMPARE(lineas[123], QStringLiteral("T123\t"));
        // Leading blanks survive the round trip.
        QCOMPARE(lineas[27], QStringLiteral("T27\t") + slot27);
        QCOMPARE(lineas.last(), QStringLiteral("P16\t") + permiso16);
        for (const QString& linea : lineas)
            QVERIFY2(!linea.contains(u'\r'), qPrintable(linea));
    }

    void ordenDesconocidaOCodigoMaloFallan()
    {
        QCOMPARE(Ejecutar({QStringLiteral("textos"), QStringLiteral("fr")}).codigo, 1);
        QCOMPARE(Ejecutar({QStringLiteral("borrar")}).codigo, 2);
        const Salida ayuda = Ejecutar({QStringLiteral("--help")});
        QCOMPARE(ayuda.codigo, 0);
        QVERIFY(ayuda.texto.contains(QStringLiteral("zelvora-admin textos CODE")));
    }
};

QTEST_MAIN(PruebaAdmin)
#include "tst_admin.moc"
