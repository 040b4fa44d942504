// The visitor-log rule without a screen: which visits a range of days and the
// filters select, in which order, and the CSV a spreadsheet receives.

#include "ApoyoPruebas.h"
#include "visitlog/ExportarCsv.h"
#include "visitlog/RegistroVisitas.h"

#include <QTest>

Q_DECLARE_METATYPE(BusquedaRegistro)

class PruebaRegistroVisitas : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<CarpetaPrueba> carpeta;

    QStringList nombres(const FiltroRegistro& filtro)
    {
        BaseDatos bd;
        bd.fijarRuta(carpeta->rutaBD());
        SesionBD sesion(bd);
        QStringList lista;
        for (const Visita& v : ConsultarRegistro(bd, filtro))
            lista << v.datos.NombreVisitante;
        return lista;
    }

    static FiltroRegistro Dias(const QDate& desde, const QDate& hasta,
                               BusquedaRegistro busqueda = BusquedaRegistro::Entradas)
    {
        FiltroRegistro filtro;
        filtro.desde = desde;
        filtro.hasta = hasta;
        filtro.busqueda = busqueda;
        return filtro;
    }

private slots:
    void init()
    {
        carpeta = std::make_unique<CarpetaPrueba>();
        carpeta->crearBaseDatos();
    }
    void cleanup() { carpeta.reset(); }

    // The first and the last second of each day belong to it.
    void cadaBusquedaSobreLosLimitesDelDia_data()
    {
        QTest::addColumn<BusquedaRegistro>("busqueda");
        QTest::addColumn<QDate>("desde");
        QTest::addColumn<QDate>("hasta");
        QTest::addColumn<QStringList>("esperados");
        const QDate d4(2026, 8, 4), d5(2026, 8, 5);
        QTest::newRow("entradas") << BusquedaRegistro::Entradas << d4 << d5
                                  << QStringList{"Ciro", "Beto"};
        QTest::newRow("entradas de un día")
            << BusquedaRegistro::Entradas << d4 << d4 << QStringList{"Beto"};
        // Fito is inside since before the first day: not listed.
        QTest::newRow("actuales") << BusquedaRegistro::VisitasActuales << d4 << d5
                                  << QStringList{"Beto"};
        // By exit time, newest exit first; never a visit without exit.
        QTest::newRow("salidas") << BusquedaRegistro::Salidas << d4 << d5
                                 << QStringList{"Eva", "Ana"};
        QTest::newRow("inicio tras fin") << BusquedaRegistro::Entradas << d5 << d4 << QStringList{};
    }
    void cadaBusquedaSobreLosLimitesDelDia()
    {
        QFETCH(BusquedaRegistro, busqueda);
        QFETCH(QDate, desde);
        QFETCH(QDate, hasta);
        QFETCH(QStringList, esperados);
        carpeta->agregarVisita({"2026-08-03 23:59:59", "Ana", "2026-08-04 00:00:00"});
        carpeta->agregarVisita({"2026-08-04 00:00:00", "Beto"});
        carpeta->agregarVisita({"2026-08-05 23:59:59", "Ciro", "2026-08-06 00:00:00"});
        carpeta->agregarVisita({"2026-08-06 00:00:00", "Dora"});
        carpeta->agregarVisita({"2026-08-02 10:00:00", "Eva", "2026-08-05 23:59:59"});
        carpeta->agregarVisita({"2026-08-01 10:00:00", "Fito"});
        carpeta->agregarVisita({"2026-08-03 23:59:58", "Gil", "2026-08-06 00:00:01"});
        QCOMPARE(nombres(Dias(desde, hasta, busqueda)), esperados);
    }

    // Typed texts are found anywhere in the column, letter case ignored
    // beyond ASCII; quotes, % and _ are ordinary characters.
    void cadaFiltroSoloYLosCincoJuntos_data()
    {
        QTest::addColumn<QString>("nombre");
        QTest::addColumn<QString>("placa");
        QTest::addColumn<QString>("autoriza");
        QTest::addColumn<QString>("obs");
        QTest::addColumn<QString>("acomp");
        QTest::addColumn<QStringList>("esperados");
        QTest::newRow("nombre en otra caja") << "ÁNGEL"
                                             << ""
                                             << ""
                                             << ""
                                             << "" << QStringList{"María Ángela", "Ángel Peña"};
        QTest::newRow("nombre ñ") << "PEÑA"
                                  << ""
                                  << ""
                                  << ""
                                  << "" << QStringList{"Ángel Peña"};
        QTest::newRow("comilla") << "o'ne"
                                 << ""
                                 << ""
                                 << ""
                                 << "" << QStringList{"Rosa O'Neil"};
        QTest::newRow("porcentaje") << "10%"
                                    << ""
                                    << ""
                                    << ""
                                    << "" << QStringList{"Lote 10%"};
        QTest::newRow("subrayado") << "a_b"
                                   << ""
                                   << ""
                                   << ""
                                   << "" << QStringList{"a_b"};
        QTest::newRow("barra") << "\\"
                               << ""
                               << ""
                               << ""
                               << "" << QStringList{"C\\D"};
        QTest::newRow("placa dentro") << ""
                                      << "12"
                                      << ""
                                      << ""
                                      << "" << QStringList{"María Ángela", "Ángel Peña"};
        QTest::newRow("autoriza") << ""
                                  << ""
                                  << "SOFÍA"
                                  << ""
                                  << "" << QStringList{"Rosa O'Neil"};
        QTest::newRow("observaciones") << ""
                                       << ""
                                       << ""
                                       << "ÉXITO"
                                       << "" << QStringList{"Ángel Peña"};
        QTest::newRow("sin acompañantes") << ""
                                          << ""
                                          << ""
                                          << ""
                                          << "0" << QStringList{"Lote 10%"};
        QTest::newRow("dos acompañantes") << ""
                                          << ""
                                          << ""
                                          << ""
                                          << "2" << QStringList{"María Ángela", "Ángel Peña"};
        QTest::newRow("los cinco") << "ángel"
                                   << "123"
                                   << "luis"
                                   << "éxito"
                                   << "2" << QStringList{"Ángel Peña"};
        QTest::newRow("los cinco, uno falla") << "ángel"
                                              << "123"
                                              << "luis"
                                              << "éxito"
                                              << "3" << QStringList{};
    }
    void cadaFiltroSoloYLosCincoJuntos()
    {
        QFETCH(QString, nombre);
        QFETCH(QString, placa);
        QFETCH(QString, autoriza);
        QFETCH(QString, obs);
        QFETCH(QString, acomp);
        QFETCH(QStringList, esperados);
        auto visita = [this](const char* entra, const QString& nombre, QVariant acomp,
                             QVariant placa, const QString& autoriza, QVariant obs) {
            VisitaPrueba v{entra, nombre};
            v.acomp = acomp;
            v.placa = placa;
            v.autoriza = autoriza;
            v.obs = obs;
            carpeta->agregarVisita(v);
        };
        visita("2026-08-05 08:00:00", "Ángel Peña", 2, "ABC123", "Luis Gil", "Éxito total");
        visita("2026-08-05 09:00:00", "María Ángela", 2, "XY12", "Ana Paz", "Taxi");
        visita("2026-08-05 07:00:00", "Rosa O'Neil", 1, "ZZZ999", "Sofía Luna", QVariant());
        visita("2026-08-05 06:00:00", "Lote 10%", 0, QVariant(), "Luis Gil", "exitoso");
        visita("2026-08-05 05:00:00", "a_b", QVariant(), "QQ", "Luis Gil", "x");
        visita("2026-08-05 04:00:00", "axb", 1, "QQ", "Luis Gil", "x");
        visita("2026-08-05 03:00:00", "C\\D", 1, "QQ", "Luis Gil", "x");
        visita("2026-08-05 02:00:00", "Lote 100", 1, "QQ", "Luis Gil", "x");

        FiltroRegistro filtro = Dias(QDate(2026, 8, 5), QDate(2026, 8, 5));
        filtro.NombreVisitante = nombre;
        filtro.PlacaVehiculo = placa;
        filtro.AutorizaIngreso = autoriza;
        filtro.Observaciones = obs;
        QVERIFY(LeerFiltroAcompanantes(acomp, &filtro.NAcomp));
        QCOMPARE(nombres(filtro), esperados);
    }

    void filtroDeAcompanantes_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<bool>("valido");
        QTest::addColumn<int>("numero"); // -1: no filter
        QTest::newRow("vacío") << "" << true << -1;
        QTest::newRow("0") << "0" << true << 0;
        QTest::newRow("07") << "07" << true << 7;
        QTest::newRow("99") << "99" << true << 99;
        for (const char* malo : {"x", "-1", "1e3", "2.5", "100", " 5", "5 ", "+5", "1,5", "٣"})
            QTest::newRow(malo) << QString::fromUtf8(malo) << false << -1;
    }
    void filtroDeAcompanantes()
    {
        QFETCH(QString, texto);
        QFETCH(bool, valido);
        QFETCH(int, numero);
        std::optional<int> filtro = 5;
        QCOMPARE(LeerFiltroAcompanantes(texto, &filtro), valido);
        if (valido)
            QCOMPARE(filtro.value_or(-1), numero);
    }

    void csvConComillasYSaltos_data()
    {
        QTest::addColumn<QString>("codigo");
        QTest::addColumn<QByteArray>("esperado");
        const QByteArray bom = "\xEF\xBB\xBF";
        QTest::newRow("es") << "es"
                            << bom + "ID;Observaciones\r\n7;\"a;b\"\r\n8;\"di \"\"hola\"\"\"\r\n"
                                     "9;\"dos\nlíneas\"\r\n10;a,b\r\n";
        QTest::newRow("co") << "co"
                            << bom + "ID;Observaciones\r\n7;\"a;b\"\r\n8;\"di \"\"hola\"\"\"\r\n"
                                     "9;\"dos\nlíneas\"\r\n10;a,b\r\n";
        QTest::newRow("en") << "en"
                            << bom + "ID,Observaciones\r\n7,a;b\r\n8,\"di \"\"hola\"\"\"\r\n"
                                     "9,\"dos\nlíneas\"\r\n10,\"a,b\"\r\n";
        QTest::newRow("us") << "us"
                            << bom + "ID,Observaciones\r\n7,a;b\r\n8,\"di \"\"hola\"\"\"\r\n"
                                     "9,\"dos\nlíneas\"\r\n10,\"a,b\"\r\n";
    }
    void csvConComillasYSaltos()
    {
        QFETCH(QString, codigo);
        QFETCH(QByteArray, esperado);
        const QList<QStringList> filas{{"ID", "Observaciones"},
                                       {"7", "a;b"},
                                       {"8", "di \"hola\""},
                                       {"9", "dos\nlíneas"},
                                       {"10", "a,b"}};
        QCOMPARE(TextoCsv(filas, SeparadorCsv(codigo)), esperado);
    }
};

QTEST_MAIN(PruebaRegistroVisitas)
#include "tst_registrovisitas.moc"
