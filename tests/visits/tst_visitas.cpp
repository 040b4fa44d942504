// The statements behind the visitor's road, on a real database file, and how
// moments are shown and read back.

#include "ApoyoPruebas.h"
#include "foundation/FechasTexto.h"
#include "visits/Visitas.h"

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
        carpeta->ctx->cfg = InterpretarLineaConfiguracion(";P");
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

    void momentosSeLeenComoSeMuestran_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QDateTime>("momento");
        const QDate dia(2026, 8, 5);
        QTest::newRow("lista tarde") << "05/08/2026 03:07:09 pm" << QDateTime(dia, QTime(15, 7, 9));
        QTest::newRow("medianoche")
            << "06/08/2026 12:15:00 am" << QDateTime(dia.addDays(1), QTime(0, 15));
        QTest::newRow("mediodia") << "05/08/2026 12:00:00 pm" << QDateTime(dia, QTime(12, 0));
        QTest::newRow("24 horas tecleado") << "5/8/2026 14:30" << QDateTime(dia, QTime(14, 30));
        QTest::newRow("viva") << TextoFechaViva(QDateTime(dia, QTime(9, 1, 2)))
                              << QDateTime(dia, QTime(9, 1, 2));
        QTest::newRow("dia imposible") << "31/02/2026 10:00:00 am" << QDateTime();
        QTest::newRow("texto") << "ayer" << QDateTime();
    }

    void momentosSeLeenComoSeMuestran()
    {
        QFETCH(QString, texto);
        QFETCH(QDateTime, momento);
        QCOMPARE(LeerFechaMostrada(texto, FormatoFecha::Lista), momento);
        if (momento.isValid())
            QCOMPARE(LeerFechaMostrada(TextoFechaLista(momento), FormatoFecha::Lista), momento);
    }
};

QTEST_MAIN(PruebaVisitas)
#include "tst_visitas.moc"
