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

    int entrada(const QString& nombre, const QString& entra, const QString& sale = QString())
    {
        DatosVisita d;
        d.FechaEntrada = QDateTime::fromString(entra, Qt::ISODate);
        d.NombreVisitante = nombre;
        d.AutorizaIngreso = QStringLiteral("Autoriza ") + entra;
        SesionBD sesion(bd());
        const int id = AgregarEntrada(bd(), d, std::nullopt);
        if (!sale.isEmpty())
            bd().ejecutar(
                QStringLiteral("UPDATE entradas_salidas SET FechaSalida = ? WHERE id_es = ?"),
                {sale, id});
        return id;
    }

private slots:
    void init()
    {
        carpeta = std::make_unique<CarpetaPrueba>();
        carpeta->crearBaseDatos();
        carpeta->ctx->cfg = InterpretarLineaConfiguracion(QStringLiteral(";P"));
    }
    void cleanup() { carpeta.reset(); }

    void visitaAbiertaSinDistinguirMayusculas()
    {
        entrada(QStringLiteral("Ñandú Peña"), QStringLiteral("2026-08-01T10:00:00"),
                QStringLiteral("2026-08-01 11:00:00"));
        const int dentro =
            entrada(QStringLiteral("Ñandú Peña"), QStringLiteral("2026-08-05T10:00:00"));
        SesionBD sesion(bd());
        QCOMPARE(BuscarVisitaAbierta(bd(), QStringLiteral("ÑANDÚ PEÑA")),
                 std::optional<int>(dentro));
        QCOMPARE(BuscarVisitaAbierta(bd(), QStringLiteral("Nandu Pena")), std::nullopt);
        QCOMPARE(BuscarVisitaAbierta(bd(), QStringLiteral("Ñandú")), std::nullopt);
    }

    void ultimaVisitaPorSalidaYLasAbiertasAlFinal()
    {
        entrada(QStringLiteral("Ana"), QStringLiteral("2026-08-01T10:00:00"),
                QStringLiteral("2026-08-01 12:00:00"));
        const int ultima = entrada(QStringLiteral("ana"), QStringLiteral("2026-07-01T10:00:00"),
                                   QStringLiteral("2026-08-02 09:00:00"));
        entrada(QStringLiteral("ANA"), QStringLiteral("2026-08-05T10:00:00")); // still inside
        SesionBD sesion(bd());
        QCOMPARE(UltimaVisita(bd(), TablaVisitas::Entradas, QStringLiteral("Ana"))->id_es, ultima);
        QVERIFY(!UltimaVisita(bd(), TablaVisitas::Programadas, QStringLiteral("Ana")));

        bd().ejecutar(QStringLiteral(
            "INSERT INTO visitas_programadas (FechaEntrada, NombreVisitante, NombreVisitanteClave, "
            "AutorizaIngreso) VALUES ('2026-09-01 10:00:00', 'Ana', 'ana', 'Septiembre'), "
            "('2026-08-20 10:00:00', 'Ana', 'ana', 'Agosto')"));
        QCOMPARE(UltimaVisita(bd(), TablaVisitas::Programadas, QStringLiteral("ANA"))
                     ->datos.AutorizaIngreso,
                 QStringLiteral("Septiembre"));
    }

    void nombresDistintosEnOrdenAlfabeticoEspanol()
    {
        for (const char* nombre : {"Josue Díaz", "José Pérez", "JOSÉ PÉREZ", "Josa Ruiz", "Jo_Ma"})
            entrada(QString::fromUtf8(nombre), QStringLiteral("2026-08-01T10:00:00"));
        SesionBD sesion(bd());
        const QStringList nombres =
            NombresQueEmpiezanPor(bd(), TablaVisitas::Entradas, QStringLiteral("jos"));
        QCOMPARE(nombres.size(), 3);
        QCOMPARE(nombres[0], QStringLiteral("Josa Ruiz"));
        QCOMPARE(nombres[1].toCaseFolded(), QStringLiteral("josé pérez"));
        QCOMPARE(nombres[2], QStringLiteral("Josue Díaz"));
        // Wildcards of LIKE are plain characters here.
        QCOMPARE(NombresQueEmpiezanPor(bd(), TablaVisitas::Entradas, QStringLiteral("jo_")),
                 QStringList{QStringLiteral("Jo_Ma")});
        QCOMPARE(AutorizadoresQueEmpiezanPor(bd(), QStringLiteral("AUTORIZA 2026-08")).size(), 1);
    }

    void elAvisoVaConSuEntradaOSeQuedanAmbasFuera()
    {
        DatosVisita d;
        d.FechaEntrada = QDateTime(QDate(2026, 8, 5), QTime(10, 0));
        d.NombreVisitante = QStringLiteral("O'Brien");
        d.AutorizaIngreso = QStringLiteral("Ana");
        SesionBD sesion(bd());
        entrada(QStringLiteral("Otro"), QStringLiteral("2026-08-05T09:00:00"));
        const int id = AgregarEntrada(bd(), d, d.FechaEntrada.addSecs(600));
        QSqlQuery q = bd().ejecutar(QStringLiteral("SELECT id_es, FechaAviso FROM avisos"));
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toInt(), id);
        QCOMPARE(q.value(1).toString(), QStringLiteral("2026-08-05 10:10:00"));

        // A notice that cannot be stored takes its entry back with it.
        q.finish();
        bd().ejecutar(QStringLiteral("DROP TABLE avisos"));
        QVERIFY_THROWS_EXCEPTION(ErrorBD, AgregarEntrada(bd(), d, d.FechaEntrada));
        q = bd().ejecutar(QStringLiteral("SELECT count(*) FROM entradas_salidas"));
        q.next();
        QCOMPARE(q.value(0).toInt(), 2);
    }

    void salidaDeUnaEntradaBorradaNoGuardaNada()
    {
        const int id = entrada(QStringLiteral("Ana"), QStringLiteral("2026-08-05T09:00:00"));
        SesionBD sesion(bd());
        bd().ejecutar(QStringLiteral("DELETE FROM entradas_salidas WHERE id_es = ?"), {id});
        DatosVisita d;
        d.FechaEntrada = QDateTime(QDate(2026, 8, 5), QTime(9, 0));
        QVERIFY(!RegistrarSalida(bd(), id, d, d.FechaEntrada, true));
        QVERIFY(!ModificarEntrada(bd(), id, d));
        QCOMPARE(bd().ejecutar(QStringLiteral("SELECT count(*) FROM entradas_salidas")).next(),
                 true);
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
