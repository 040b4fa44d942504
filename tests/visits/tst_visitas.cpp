// The statements behind the visitor's road, on a real database file, and how
// moments are shown and read back.

#include "ApoyoPruebas.h"
#include "foundation/FechasTexto.h"
#include "visits/Visitas.h"

#include <QLocale>
#include <QTest>

class PruebaVisitas : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<CarpetaPrueba> carpeta;

    BaseDatos& bd() { return carpeta->ctx->bd(); }

private slots:
    void init()
    {
        carpeta = std::make_unique<CarpetaPrueba>();
        carpeta->crearBaseDatos();
        carpeta->usarConfiguracion(";P");
        QLocale::setDefault(QLocale(QStringLiteral("es_CO")));
    }

    void visitaAbiertaSinDistinguirMayusculas()
    {
        carpeta->agregarVisita({"2026-08-01 10:00:00", "Ñandú Peña", "2026-08-01 11:00:00"});
        const int dentro = carpeta->agregarVisita({"2026-08-05 10:00:00", "Ñandú Peña"});
        SesionBD sesion(bd());
        QCOMPARE(BuscarVisitaAbierta(bd(), "ÑANDÚ PEÑA"), std::optional<int>(dentro));
        QCOMPARE(BuscarVisitaAbierta(bd(), "Nandu Pena"), std::nullopt);
        QCOMPARE(BuscarVisitaAbierta(bd(), "Ñandú"), std::nullopt);
    }

    void ultimaVisitaPorSalidaYLasAbiertasAlFinal()
    {
        carpeta->agregarVisita({"2026-08-01 10:00:00", "Ana", "2026-08-01 12:00:00"});
        const int ultima =
            carpeta->agregarVisita({"2026-07-01 10:00:00", "ana", "2026-08-02 09:00:00"});
        carpeta->agregarVisita({"2026-08-05 10:00:00", "ANA"}); // still inside
        SesionBD sesion(bd());
        QCOMPARE(UltimaVisita(bd(), TablaVisitas::Entradas, "Ana")->id_es, ultima);
        QVERIFY(!UltimaVisita(bd(), TablaVisitas::Programadas, "Ana"));

        for (const char* mes : {"2026-09-01 10:00:00", "2026-08-20 10:00:00"})
            carpeta->agregarVisita({.entra = mes,
                                    .nombre = "Ana",
                                    .autoriza = QString(mes).left(7),
                                    .tabla = "visitas_programadas"});
        QCOMPARE(UltimaVisita(bd(), TablaVisitas::Programadas, "ANA")->datos.AutorizaIngreso,
                 "2026-09");
    }

    void nombresDistintosEnOrdenAlfabeticoEspanol()
    {
        for (const char* nombre : {"Josue Díaz", "José Pérez", "JOSÉ PÉREZ", "Josa Ruiz", "Jo_Ma"})
            carpeta->agregarVisita({"2026-08-01 10:00:00", nombre});
        SesionBD sesion(bd());
        const QStringList nombres = NombresQueEmpiezanPor(bd(), TablaVisitas::Entradas, "jos");
        QCOMPARE(nombres.size(), 3);
        QCOMPARE(nombres[0], "Josa Ruiz");
        QCOMPARE(nombres[1].toCaseFolded(), "josé pérez");
        QCOMPARE(nombres[2], "Josue Díaz");
        // Wildcards of LIKE are plain characters here.
        QCOMPARE(NombresQueEmpiezanPor(bd(), TablaVisitas::Entradas, "jo_"), QStringList{"Jo_Ma"});
        QCOMPARE(AutorizadoresQueEmpiezanPor(bd(), "LUIS G"), QStringList{"Luis Gil"});
    }

    // More names than are offered: the first hundred in Spanish order, whatever
    // the byte order of their keys puts first, and word that more match.
    void listaCortadaEnOrdenEspanol()
    {
        QStringList nombres;
        for (int n = 1; n <= 120; ++n)
            nombres << QStringLiteral("Marta Gil %1").arg(n, 3, 10, QChar(u'0'));
        nombres << "María José Pérez"
                << "MAR ÁVILA"
                << "Mañana Sol"
                << "Martín Úbeda"
                << "Mar'ia Paz"
                << "Ma Ñu";
        for (const QString& nombre : nombres)
            carpeta->agregarVisita({"2026-08-01 10:00:00", nombre});
        SesionBD sesion(bd());
        bool hayMas = false;
        const QStringList mar = NombresQueEmpiezanPor(bd(), TablaVisitas::Entradas, "mar", &hayMas);
        QVERIFY(hayMas);
        QCOMPARE(mar.size(), 100);
        QCOMPARE(mar.mid(0, 4),
                 (QStringList{"MAR ÁVILA", "Mar'ia Paz", "María José Pérez", "Marta Gil 001"}));
        QCOMPARE(mar.last(), "Marta Gil 097");
        const QStringList ma = NombresQueEmpiezanPor(bd(), TablaVisitas::Entradas, "MA", &hayMas);
        QCOMPARE(ma.mid(0, 5), (QStringList{"Ma Ñu", "Mañana Sol", "MAR ÁVILA", "Mar'ia Paz",
                                            "María José Pérez"}));
        QCOMPARE(ma.last(), "Marta Gil 095");
        // Few enough: all of them, and nothing more to say.
        QCOMPARE(NombresQueEmpiezanPor(bd(), TablaVisitas::Entradas, "mart", &hayMas).size(), 100);
        QVERIFY(hayMas);
        QCOMPARE(NombresQueEmpiezanPor(bd(), TablaVisitas::Entradas, "martí", &hayMas),
                 QStringList{"Martín Úbeda"});
        QVERIFY(!hayMas);
    }

    void elAvisoVaConSuEntradaOSeQuedanAmbasFuera()
    {
        DatosVisita d;
        d.FechaEntrada = QDateTime(QDate(2026, 8, 5), QTime(10, 0));
        d.NombreVisitante = QStringLiteral("O'Brien");
        d.AutorizaIngreso = QStringLiteral("Ana");
        carpeta->agregarVisita({"2026-08-05 09:00:00", "Otro"});
        SesionBD sesion(bd());
        const int id = AgregarEntrada(bd(), d, d.FechaEntrada.addSecs(600));
        QCOMPARE(Filas(bd(), "SELECT * FROM avisos"),
                 QStringList{QString::number(id) + "|2026-08-05 10:10:00"});

        // A notice that cannot be stored takes its entry back with it.
        bd().ejecutar("DROP TABLE avisos");
        QVERIFY_THROWS_EXCEPTION(ErrorBD, AgregarEntrada(bd(), d, d.FechaEntrada));
        QCOMPARE(Filas(bd(), "SELECT count(*) FROM entradas_salidas"), QStringList{"2"});
    }

    void acompanantes_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<int>("valor"); // -1: refused
        QTest::newRow("vacio") << "" << 0;
        QTest::newRow("cero") << "0" << 0;
        QTest::newRow("dos cifras") << "99" << 99;
        QTest::newRow("cien") << "100" << -1;
        QTest::newRow("negativo") << "-1" << -1;
        QTest::newRow("letra") << "x" << -1;
        QTest::newRow("decimal") << "1.5" << -1;
        QTest::newRow("blanco") << " 2" << -1;
    }

    void acompanantes()
    {
        QFETCH(QString, texto);
        QFETCH(int, valor);
        const std::optional<int> leido = LeerAcompanantes(texto);
        QCOMPARE(leido.value_or(-1), valor);
    }

    // Each row in the locale it means: the live fields follow the machine's
    // short date, which a month-first machine must never read day first.
    void momentosSeLeenComoSeMuestran_data()
    {
        QTest::addColumn<QString>("regional");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<bool>("vivo"); // read back as a live field, or as a list's
        QTest::addColumn<QDateTime>("momento");
        const QDate dia(2026, 8, 5);
        const auto fila = [](const char* caso, const char* regional, const QString& texto,
                             bool vivo, const QDateTime& momento) {
            QTest::newRow(caso) << QString(regional) << texto << vivo << momento;
        };
        for (const char* regional : {"es_CO", "en_US", "C"}) {
            const QString r(regional);
            fila(qPrintable(r + " lista tarde"), regional, "05/08/2026 03:07:09 pm", false,
                 QDateTime(dia, QTime(15, 7, 9)));
            fila(qPrintable(r + " medianoche"), regional, "06/08/2026 12:15:00 am", false,
                 QDateTime(dia.addDays(1), QTime(0, 15)));
            fila(qPrintable(r + " mediodia"), regional, "05/08/2026 12:00:00 pm", false,
                 QDateTime(dia, QTime(12, 0)));
            fila(qPrintable(r + " 24 horas tecleado"), regional, "5/8/2026 14:30", false,
                 QDateTime(dia, QTime(14, 30)));
            fila(qPrintable(r + " dia imposible"), regional, "31/02/2026 10:00:00 am", false,
                 QDateTime());
            fila(qPrintable(r + " texto"), regional, "ayer", true, QDateTime());
        }
        fila("es_CO viva", "es_CO", "5/08/26 09:01:02 am", true, QDateTime(dia, QTime(9, 1, 2)));
        fila("en_US viva", "en_US", "8/5/26 09:01:02 am", true, QDateTime(dia, QTime(9, 1, 2)));
        fila("en_US viva tecleada", "en_US", "8/5/26 9:01 pm", true, QDateTime(dia, QTime(21, 1)));
        fila("C viva", "C", "5 Aug 2026 09:01:02 am", true, QDateTime(dia, QTime(9, 1, 2)));
        // Where the machine's date is day first too, a list's date typed into a
        // live field reads the same; month first, it could be either: refused.
        fila("es_CO lista en campo vivo", "es_CO", "05/08/2026 10:00:00 am", true,
             QDateTime(dia, QTime(10, 0)));
        fila("C lista en campo vivo", "C", "05/08/2026 10:00:00 am", true,
             QDateTime(dia, QTime(10, 0)));
        fila("en_US lista en campo vivo", "en_US", "05/08/2026 10:00:00 am", true, QDateTime());
        fila("en_US viva en lista", "en_US", "8/5/26 09:01:02 am", false, QDateTime());
        fila("en_US dia primero", "en_US", "13/5/26 10:00 am", true, QDateTime());
    }

    void momentosSeLeenComoSeMuestran()
    {
        QFETCH(QString, regional);
        QFETCH(QString, texto);
        QFETCH(bool, vivo);
        QFETCH(QDateTime, momento);
        QLocale::setDefault(QLocale(regional));
        const FormatoFecha formato = vivo ? FormatoFecha::Viva : FormatoFecha::Lista;
        QCOMPARE(LeerFechaMostrada(texto, formato), momento);
        if (momento.isValid())
            QCOMPARE(LeerFechaMostrada(EjemploFecha(formato, momento), formato), momento);
    }
};

QTEST_MAIN(PruebaVisitas)
#include "tst_visitas.moc"
