// The visitor-log panel as a guard uses it from the main window: the query
// on each of its triggers, the companions check, what permissions 5 and 16
// allow, and the export a spreadsheet opens.

#include "ApoyoPruebas.h"
#include "ImpresoraGrabadora.h"
#include "startup/frmPrincipal.h"
#include "visitlog/frmRegistroVisitas.h"
#include "visits/frmSalida.h"

#include <QDateEdit>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTest>
#include <QTreeView>

namespace {
const QString kConsulta = QStringLiteral("Realiza consulta del registro de entradas y salidas");
}

class PruebaFrmRegistroVisitas : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<CarpetaPrueba> carpeta;
    std::unique_ptr<frmPrincipal> ventana;
    frmRegistroVisitas* panel = nullptr;
    QStringList abiertas; // visitor of each exit panel opened

    Contexto& ctx() { return *carpeta->ctx; }

    bool abrirPanel(int idSr = 1)
    {
        panel = qobject_cast<frmRegistroVisitas*>(carpeta->abrirPanel(
            ventana, &frmPrincipal::mnuRegistroVisitas, "frmRegistroVisitas", idSr));
        return panel != nullptr;
    }

    QStringList filas(int c = -1) const { return Textos(panel->ListView1->model(), c); }
    int consultas() const { return int(carpeta->textosSucesos().count(kConsulta)); }

    void dobleClic(int n)
    {
        QWidget* area = panel->ListView1->viewport();
        const QPoint punto =
            panel->ListView1->visualRect(panel->ListView1->model()->index(n, 3)).center();
        QTest::mouseClick(area, Qt::LeftButton, {}, punto);
        QTest::mouseDClick(area, Qt::LeftButton, {}, punto);
    }

    // Python's csv module, as a spreadsheet-minded reader: each row's fields
    // "|"-joined, line breaks inside a field shown as \n.
    QStringList leerConPython(const QString& ruta, const QString& separador)
    {
        QProcess python;
        python.start(
            QStringLiteral("python3"),
            {QStringLiteral("-c"),
             QStringLiteral("import csv,sys\n"
                            "with open(sys.argv[1], newline='', encoding='utf-8-sig') as f:\n"
                            "    for fila in csv.reader(f, delimiter=sys.argv[2]):\n"
                            "        print('|'.join(c.replace('\\n', '\\\\n') for c in "
                            "fila))\n"),
             ruta, separador});
        if (!python.waitForFinished(30000) || python.exitCode() != 0)
            return {QStringLiteral("python3 failed: ") + python.readAllStandardError()};
        return QString::fromUtf8(python.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    }

private slots:
    void init()
    {
        carpeta = std::make_unique<CarpetaPrueba>();
        carpeta->crearBaseDatos();
        abiertas.clear();
        carpeta->dialogos.alModal = [this](QDialog& ventanaModal) {
            abiertas << static_cast<frmSalida&>(ventanaModal).campos.txtNombreVisitante->text();
            return 0;
        };
    }
    void cleanup()
    {
        ventana.reset();
        carpeta.reset();
    }

    void alAbrirMuestraLasEntradasDeHoy()
    {
        carpeta->agregarVisita({"2026-08-04 23:59:59", "Ana Ruiz"});
        carpeta->agregarVisita({"2026-08-05 00:00:00", "Beto Paz", "2026-08-05 13:30:00"});
        carpeta->ejecutarSql(
            "INSERT INTO entradas_salidas (FechaEntrada, NombreVisitante, NombreVisitanteClave) "
            "VALUES ('2026-08-05 23:59:59', 'Eva Mar', 'eva mar')");
        QVERIFY(abrirPanel());
        QCOMPARE(panel->calFechaInicial->date(), QDate(2026, 8, 5));
        QCOMPARE(panel->calFechaFinal->date(), QDate(2026, 8, 5));
        QVERIFY(panel->optEntradas->isChecked());
        QCOMPARE(filas(), (QStringList{"3|05/08/2026 11:59:59 pm||Eva Mar||||",
                                       "2|05/08/2026 12:00:00 am|05/08/2026 01:30:00 pm|Beto "
                                       "Paz|1|ABC123|Luis Gil|Taxi"}));
        QCOMPARE(panel->windowTitle(), "Registro de Visitas: 2");
        QStringList encabezados;
        for (int c = 0; c < 8; ++c)
            encabezados << panel->ListView1->model()->headerData(c, Qt::Horizontal).toString();
        QCOMPARE(encabezados, (QStringList{"ID", "Entrada", "Salida", "Visitante", "Acomp", "Placa",
                                           "Autoriza Ingreso", "Observaciones"}));
        QCOMPARE(carpeta->textosSucesos().mid(carpeta->textosSucesos().size() - 2),
                 (QStringList{"Abre el panel de registro de visitas", kConsulta}));
    }

    // Each trigger runs the query once, with one event-log line.
    void cadaDisparadorConsultaUnaVez()
    {
        QVERIFY(abrirPanel());
        QCOMPARE(consultas(), 1);
        carpeta->agregarVisita({"2026-08-05 10:00:00", "Ana Ruiz", "2026-08-05 11:00:00"});
        panel->btnRealizarConsulta->click();
        QCOMPARE(consultas(), 2);
        QCOMPARE(panel->windowTitle(), "Registro de Visitas: 1");

        QTest::mouseClick(panel->optSalidas, Qt::LeftButton);
        QVERIFY(panel->optSalidas->isChecked());
        QCOMPARE(consultas(), 3);
        QTest::mouseClick(panel->optVisitasActuales, Qt::LeftButton);
        QCOMPARE(consultas(), 4);
        QCOMPARE(panel->windowTitle(), "Registro de Visitas: 0");
        QTest::mouseClick(panel->optEntradas, Qt::LeftButton);
        QCOMPARE(consultas(), 5);

        int esperadas = 5;
        for (QLineEdit* campo : {panel->txtNombreVisitante, panel->txtPlacaVehiculo,
                                 panel->txtAutorizaIngreso, panel->txtObservaciones}) {
            QTest::keyClick(campo, Qt::Key_Return);
            QCOMPARE(consultas(), ++esperadas);
        }
        QTest::keyClicks(panel->txtNAcomp, "1");
        QTest::keyClick(panel->txtNAcomp, Qt::Key_Return);
        QCOMPARE(consultas(), ++esperadas);
        QCOMPARE(filas(3), QStringList{"Ana Ruiz"});

        // Brought up again after another panel: another terminal may have written.
        carpeta->agregarVisita({"2026-08-05 12:00:00", "Beto Paz"});
        ventana->mnuVisitasPendientes->trigger();
        QMdiArea* area = ventana->areaPaneles();
        QVERIFY(area->activeSubWindow()->widget() != panel);
        QCOMPARE(consultas(), esperadas);
        area->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(panel->parentWidget()));
        QCOMPARE(consultas(), ++esperadas);
        QCOMPARE(filas(3), (QStringList{"Beto Paz", "Ana Ruiz"}));

        // The panel itself gets the focus.
        panel->setFocus(Qt::OtherFocusReason);
        QCOMPARE(consultas(), ++esperadas);
    }

    void acompanantesQueNoSonUnNumeroEntero_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::newRow("letra") << "x";
        QTest::newRow("negativo") << "-1";
        QTest::newRow("signo") << "+5";
    }
    void acompanantesQueNoSonUnNumeroEntero()
    {
        QFETCH(QString, texto);
        carpeta->agregarVisita({"2026-08-05 10:00:00", "Ana Ruiz"});
        QVERIFY(abrirPanel());
        carpeta->agregarVisita({"2026-08-05 11:00:00", "Beto Paz"});
        QTest::keyClicks(panel->txtNAcomp, texto);
        panel->btnRealizarConsulta->click();
        QCOMPARE(carpeta->dialogos.textos(),
                 QStringList{"Indique correctamente el Número de Acompañantes"});
        QCOMPARE(carpeta->dialogos.ultimo().icono, Dialogos::Icono::Informacion);
        QVERIFY(carpeta->dialogos.ultimo().titulo.isEmpty());
        // The earlier result stays, and nothing was read.
        QCOMPARE(filas(3), QStringList{"Ana Ruiz"});
        QCOMPARE(panel->windowTitle(), "Registro de Visitas: 1");
        QCOMPARE(consultas(), 1);
    }

    void elPermiso5MuestraImprimirYExportar_data()
    {
        QTest::addColumn<QList<int>>("permisos");
        QTest::addColumn<bool>("visibles");
        QTest::newRow("con 5") << QList<int>{1, 4, 5} << true;
        QTest::newRow("con 6, sin 5") << QList<int>{1, 4, 6} << false;
    }
    void elPermiso5MuestraImprimirYExportar()
    {
        QFETCH(QList<int>, permisos);
        QFETCH(bool, visibles);
        QVERIFY(abrirPanel(carpeta->agregarUsuario("guardia", {}, permisos)));
        QCOMPARE(panel->btnESListadoPdf->isVisible(), visibles);
        QCOMPARE(panel->btnExportar->isVisible(), visibles);
        QVERIFY(panel->btnRealizarConsulta->isVisible());
    }

    // The print button prints the visits the list shows, nothing else.
    void imprimirSacaLaListaMostrada()
    {
        carpeta->agregarVisita({"2026-08-05 09:00:00", "Ana Ruiz"});
        carpeta->agregarVisita({"2026-08-05 10:00:00", "Beto Paz"});
        carpeta->agregarVisita({"2026-08-05 11:00:00", "Ana Gil"});
        const QString pdf = carpeta->archivo(QStringLiteral("listado.pdf"));
        qputenv("ZELVORA_PDF", pdf.toUtf8());
        QVERIFY(abrirPanel());
        QTest::keyClicks(panel->txtNombreVisitante, "ana");
        QTest::keyClick(panel->txtNombreVisitante, Qt::Key_Return);
        QTest::mouseClick(panel->btnESListadoPdf, Qt::LeftButton);
        qunsetenv("ZELVORA_PDF");

        const QList<QStringList> paginas = PaginasPdf(pdf);
        QCOMPARE(paginas.size(), 1);
        const QString hoja = paginas[0].join(u'\n');
        QVERIFY2(hoja.contains("Visitante: Ana Ruiz") && hoja.contains("Visitante: Ana Gil") &&
                     !hoja.contains("Beto Paz"),
                 qPrintable(hoja));
        QVERIFY(carpeta->textosSucesos().contains(
            "Realiza listado en impresora del registro de entradas y salidas"));
    }

    // Only a visit without exit opens the exit panel, and only with permission 16.
    void dobleClicAbreLaSalidaDeQuienSigueDentro_data()
    {
        QTest::addColumn<QList<int>>("permisos");
        QTest::addColumn<QStringList>("esperadas");
        QTest::newRow("con 16") << QList<int>{1, 4, 16} << QStringList{"Ana Ruiz"};
        QTest::newRow("sin 16") << QList<int>{1, 4} << QStringList{};
    }
    void dobleClicAbreLaSalidaDeQuienSigueDentro()
    {
        QFETCH(QList<int>, permisos);
        QFETCH(QStringList, esperadas);
        carpeta->agregarVisita({"2026-08-05 08:00:00", "Ana Ruiz"});
        carpeta->agregarVisita({"2026-08-05 09:00:00", "Beto Paz", "2026-08-05 10:00:00"});
        QVERIFY(abrirPanel(carpeta->agregarUsuario("guardia", {}, permisos)));
        QCOMPARE(filas(3), (QStringList{"Beto Paz", "Ana Ruiz"}));
        dobleClic(0);
        dobleClic(1);
        QCOMPARE(abiertas, esperadas);
        QVERIFY(carpeta->dialogos.mostrados.empty());
    }

    void laSalidaRegistradaVuelveAConsultar()
    {
        carpeta->agregarVisita({"2026-08-05 08:00:00", "Ana Ruiz"});
        carpeta->agregarVisita({"2026-08-05 09:00:00", "Beto Paz"});
        QVERIFY(abrirPanel());
        QTest::mouseClick(panel->optVisitasActuales, Qt::LeftButton);
        QCOMPARE(filas(3), (QStringList{"Beto Paz", "Ana Ruiz"}));
        carpeta->dialogos.alModal = [](QDialog& ventanaModal) {
            static_cast<frmSalida&>(ventanaModal).btnRegistrarSalida->click();
            return ventanaModal.result();
        };
        const int antes = consultas();
        dobleClic(1);
        QCOMPARE(filas(3), QStringList{"Beto Paz"});
        QCOMPARE(consultas(), antes + 1);
    }

    void escapeCierraElPanel()
    {
        QVERIFY(abrirPanel());
        QTest::keyClick(panel->txtNombreVisitante, Qt::Key_Escape);
        QTRY_VERIFY(!ventana->panel("frmRegistroVisitas"));
    }

    // What the list shows goes to the file, and a spreadsheet reads it back unchanged.
    void exportaLaListaComoLaMuestra_data()
    {
        QTest::addColumn<QString>("codigo");
        QTest::addColumn<QString>("separador");
        QTest::newRow("es") << "es"
                            << ";";
        QTest::newRow("co") << "co"
                            << ";";
        QTest::newRow("en") << "en"
                            << ",";
    }
    void exportaLaListaComoLaMuestra()
    {
        QFETCH(QString, codigo);
        QFETCH(QString, separador);
        if (QStandardPaths::findExecutable(QStringLiteral("python3")).isEmpty())
            QSKIP("python3 is not installed");
        VisitaPrueba rara{"2026-08-05 08:00:00", "José \"Pepe\" Núñez; hijo"};
        rara.obs = QStringLiteral("Trae \"paquete\"; frágil,\nsegunda línea\r\ntercera");
        rara.autoriza = QStringLiteral("Ñusta, Peña");
        carpeta->agregarVisita(rara);
        carpeta->agregarVisita({"2026-08-05 09:00:00", "Ana Ruiz", "2026-08-05 10:00:00"});
        QVERIFY(abrirPanel());
        ctx().codigoIdioma = codigo;
        const QString ruta = carpeta->archivo(QStringLiteral("lista.csv"));
        carpeta->dialogos.archivos = {ruta};
        panel->btnExportar->click();

        QStringList esperadas{"ID|Entrada|Salida|Visitante|Acomp|Placa|Autoriza Ingreso|"
                              "Observaciones"};
        for (QString fila : filas())
            esperadas << fila.replace(QStringLiteral("\n"), QStringLiteral("\\n"));
        QCOMPARE(leerConPython(ruta, separador), esperadas);
        QVERIFY(LeerBytes(ruta).startsWith("\xEF\xBB\xBF"));
        QCOMPARE(carpeta->textosSucesos().last(),
                 "Exporta el registro de entradas y salidas a " + ruta);
        QCOMPARE(carpeta->dialogos.ultimo().texto,
                 ctx().idioma.mensaje("XExportarHecho").arg(2).arg(ruta));
    }

    void exportarSinListaOCancelado()
    {
        QVERIFY(abrirPanel());
        carpeta->dialogos.archivos = {carpeta->archivo(QStringLiteral("vacia.csv"))};
        panel->btnExportar->click();
        QCOMPARE(carpeta->dialogos.textos(), QStringList{ctx().idioma.mensaje("XExportarVacio")});
        QVERIFY(!QFile::exists(carpeta->archivo(QStringLiteral("vacia.csv"))));

        carpeta->agregarVisita({"2026-08-05 09:00:00", "Ana Ruiz"});
        panel->btnRealizarConsulta->click();
        carpeta->dialogos.archivos.clear(); // the guard cancels the file question
        const int lineas = int(carpeta->textosSucesos().size());
        panel->btnExportar->click();
        QCOMPARE(carpeta->textosSucesos().size(), lineas);
        QCOMPARE(carpeta->dialogos.mostrados.size(), size_t(1));

        // A folder that does not exist: the guard is told, nothing is written.
        const QString ruta = carpeta->archivo(QStringLiteral("no/existe.csv"));
        carpeta->dialogos.archivos = {ruta};
        panel->btnExportar->click();
        QCOMPARE(carpeta->dialogos.ultimo().icono, Dialogos::Icono::Exclamacion);
        QVERIFY(carpeta->dialogos.ultimo().texto.contains(ruta));
        QVERIFY(carpeta->textosSucesos().last().startsWith(
            "No se pudo exportar el registro de entradas y salidas a " + ruta));
    }
};

QTEST_MAIN(PruebaFrmRegistroVisitas)
#include "tst_frmregistrovisitas.moc"
