// The visit forms' rules without a window: which failure comes first in each
// form, how notice minutes read, and which moment an entry takes.

#include "visits/ValidacionVisita.h"

#include <QLocale>
#include <QTest>

class PruebaValidacionVisita : public QObject
{
    Q_OBJECT

    // Everything right: a day-first list time, so every machine reads it.
    static TextosVisita Completa()
    {
        return {"05/08/2026 02:03:09 pm", "Ana Ruiz", "2", "ABC123", "Luis Gil", ""};
    }

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QStringLiteral("es_CO"))); }

    void primerFalloDeCadaForma_data()
    {
        QTest::addColumn<QStringList>("cambios"); // field=value over the complete form
        QTest::addColumn<QString>("salida");
        QTest::addColumn<int>("entrada");    // slot, or -1 unreadable time
        QTest::addColumn<int>("correccion"); // same for the correction
        QTest::addColumn<int>("salidaForma");
        const QString bien = "05/08/2026 04:00:00 pm";
        // Two faults at once: the earlier field wins in every form.
        QTest::newRow("sin nombre y sin autoriza")
            << QStringList{"nombre=", "autoriza="} << bien << 160 << 295 << 300;
        QTest::newRow("sin entrada y mal acompañantes")
            << QStringList{"fecha=", "nacomp=x"} << bien << 161 << 296 << 301;
        QTest::newRow("entrada ilegible") << QStringList{"fecha=ayer"} << bien << -1 << -1 << -1;
        QTest::newRow("sin salida y sin autoriza")
            << QStringList{"autoriza="} << QString() << 163 << 298 << 302;
        QTest::newRow("acompañantes 100") << QStringList{"nacomp=100"} << bien << 162 << 297 << 303;
        QTest::newRow("todo bien") << QStringList{} << bien << 0 << 0 << 0;
    }
    void primerFalloDeCadaForma()
    {
        QFETCH(QStringList, cambios);
        QFETCH(QString, salida);
        QFETCH(int, entrada);
        QFETCH(int, correccion);
        QFETCH(int, salidaForma);
        TextosVisita t = Completa();
        for (const QString& c : cambios) {
            const QString campo = c.section(u'=', 0, 0), valor = c.section(u'=', 1);
            (campo == u"nombre"     ? t.nombre
             : campo == u"autoriza" ? t.autoriza
             : campo == u"fecha"    ? t.fechaEntrada
                                    : t.nAcomp) = valor;
        }
        const auto slot = [](const std::optional<FalloVisita>& f) {
            return !f ? 0 : f->clave.isEmpty() ? f->slot : -1;
        };
        QCOMPARE(slot(ValidarNuevaEntrada(t, std::nullopt).fallo), entrada);
        QCOMPARE(slot(ValidarCorreccion(t).fallo), correccion);
        QCOMPARE(slot(ValidarSalida(t, salida).fallo), salidaForma);
    }

    // What the forms hand on: the visit as typed and the moments read.
    void loQueDaCadaForma()
    {
        const Validacion<Salida> s = ValidarSalida(Completa(), "5/08/2026 4:15 pm");
        QVERIFY(s.datos);
        QCOMPARE(s.datos->visita.FechaEntrada, QDateTime(QDate(2026, 8, 5), QTime(14, 3, 9)));
        QCOMPARE(s.datos->visita.NAcomp, 2);
        QCOMPARE(s.datos->visita.PlacaVehiculo, "ABC123");
        QCOMPARE(s.datos->momento, QDateTime(QDate(2026, 8, 5), QTime(16, 15)));
        // An unreadable exit names its own field, with an example in the live form.
        const auto fallo = ValidarSalida(Completa(), "luego").fallo;
        QCOMPARE(fallo,
                 (FalloVisita{CampoVisita::FechaSalida, 0, "XFechaInvalida", FormatoFecha::Viva}));
    }

    void minutosDelAviso_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<double>("minutos"); // -1: refused
        QTest::newRow("coma") << "1,5" << 1.5;
        QTest::newRow("punto y blancos") << " 2.25 " << 2.25;
        QTest::newRow("cero") << "0" << 0.0;
        QTest::newRow("tope") << "999" << 999.0;
        QTest::newRow("pasado el tope") << "999.5" << -1.0;
        QTest::newRow("negativo") << "-1" << -1.0;
        QTest::newRow("vacío") << "" << -1.0;
        QTest::newRow("infinito") << "inf" << -1.0;
        QTest::newRow("no número") << "nan" << -1.0;
        // A point is always the decimal mark, never a thousands separator.
        QTest::newRow("punto no es de miles") << "1.000" << 1.0;
    }
    void minutosDelAviso()
    {
        QFETCH(QString, texto);
        QFETCH(double, minutos);
        const Validacion<NuevaEntrada> v = ValidarNuevaEntrada(Completa(), texto);
        if (minutos < 0) {
            QVERIFY(v.fallo);
            QCOMPARE(v.fallo->campo, CampoVisita::Aviso);
            QCOMPARE(v.fallo->clave, "XAvisoMinutos");
            return;
        }
        QVERIFY2(!v.fallo, qPrintable(v.fallo ? v.fallo->clave : QString()));
        QCOMPARE(*v.datos->minutosAviso, minutos);
        // Without the notice asked for, its field is never read.
        QVERIFY(!ValidarNuevaEntrada(Completa(), std::nullopt).datos->minutosAviso);
    }

    void momentosDeLaEntrada()
    {
        const QDateTime escrito(QDate(2026, 8, 5), QTime(14, 3, 9));
        QCOMPARE(MomentoEntrada(escrito, ""), escrito);
        QCOMPARE(MomentoEntrada(escrito, "2026-08-05 14-02-58"),
                 QDateTime(QDate(2026, 8, 5), QTime(14, 2, 58)));
        QCOMPARE(MomentoEntrada(escrito, "ayer"), escrito);
        // A fraction of a minute counts to the second.
        QCOMPARE(MomentoAviso(escrito, 1.5), escrito.addSecs(90));
        QCOMPARE(MomentoAviso(escrito, 0.01), escrito.addMSecs(600));
    }
};

QTEST_MAIN(PruebaValidacionVisita)
#include "tst_validacionvisita.moc"
