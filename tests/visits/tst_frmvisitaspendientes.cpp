// The current-visitors panel as the guard opens it from the main window: who
// is inside, newest first, and the way from a row to the exit panel.

#include "ApoyoPruebas.h"
#include "startup/frmPrincipal.h"
#include "visits/frmSalida.h"
#include "visits/frmVisitasPendientes.h"

#include <QAbstractItemModelTester>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QTest>
#include <QTreeView>

class PruebaVisitasPendientes : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<CarpetaPrueba> carpeta;
    std::unique_ptr<frmPrincipal> ventana;
    frmVisitasPendientes* panel = nullptr;
    QStringList abiertas; // opener and visitor of each exit panel opened

    Contexto& ctx() { return *carpeta->ctx; }

    bool abrirPanel(int idSr = 1)
    {
        panel = qobject_cast<frmVisitasPendientes*>(carpeta->abrirPanel(
            ventana, &frmPrincipal::mnuVisitasPendientes, "frmVisitasPendientes", idSr));
        return panel != nullptr;
    }

    QStringList filas(int c = -1) const { return Textos(panel->ListView1->model(), c); }

    void elegir(int n)
    {
        panel->ListView1->setCurrentIndex(panel->ListView1->model()->index(n, 0));
    }

    // The list gets the focus back, as when the guard returns to it.
    void enfocar()
    {
        panel->ListView1->clearFocus();
        panel->ListView1->setFocus(Qt::MouseFocusReason);
    }

    // As the system sends it: a click, then the double click on the same spot.
    void dobleClic(int n)
    {
        QWidget* area = panel->ListView1->viewport();
        const QPoint punto =
            panel->ListView1->visualRect(panel->ListView1->model()->index(n, 2)).center();
        QTest::mouseClick(area, Qt::LeftButton, {}, punto);
        QTest::mouseDClick(area, Qt::LeftButton, {}, punto);
    }

private slots:
    void init()
    {
        carpeta = std::make_unique<CarpetaPrueba>();
        carpeta->crearBaseDatos();
        abiertas.clear();
        carpeta->dialogos.alModal = [this](QDialog& ventanaModal) {
            auto& salida = static_cast<frmSalida&>(ventanaModal);
            abiertas << salida.parentWidget()->objectName() + u'/' +
                            salida.campos.txtNombreVisitante->text();
            return 0;
        };
    }
    void cleanup()
    {
        ventana.reset();
        carpeta.reset();
    }

    void listaSoloLosDeAdentroDelMasRecienteAlMasAntiguo()
    {
        carpeta->agregarVisita({"2026-08-04 09:05:07", "Ana Ruiz"});
        carpeta->agregarVisita({"2026-08-05 00:30:00", "Beto Paz"});
        carpeta->agregarVisita({"2026-08-05 13:00:00", "Ciro", "2026-08-05 13:30:00"});
        carpeta->agregarVisita({"2026-08-05 12:05:00", "Dora Luz"});
        // Written by another program: every optional column Null.
        carpeta->ejecutarSql(
            "INSERT INTO entradas_salidas (FechaEntrada, NombreVisitante, NombreVisitanteClave) "
            "VALUES ('2026-08-03 18:00:00', 'Eva Mar', 'eva mar')");
        QVERIFY(abrirPanel());

        QCOMPARE(filas(), (QStringList{"4|05/08/2026 12:05:00 pm|Dora Luz|1|ABC123|Luis Gil|Taxi",
                                       "2|05/08/2026 12:30:00 am|Beto Paz|1|ABC123|Luis Gil|Taxi",
                                       "1|04/08/2026 09:05:07 am|Ana Ruiz|1|ABC123|Luis Gil|Taxi",
                                       "5|03/08/2026 06:00:00 pm|Eva Mar||||"}));
        QStringList encabezados;
        for (int c = 0; c < 7; ++c)
            encabezados << panel->ListView1->model()->headerData(c, Qt::Horizontal).toString();
        QCOMPARE(encabezados, (QStringList{"ID", "Entrada", "Visitante", "Acomp", "Placa",
                                           "Autoriza Ingreso", "Observaciones"}));
    }

    // Another terminal checks someone in: the guard's chosen visitor stays chosen.
    void laSeleccionSigueAlVisitante()
    {
        carpeta->agregarVisita({"2026-08-05 10:00:00", "Ana"});
        carpeta->agregarVisita({"2026-08-05 09:00:00", "Beto"});
        QVERIFY(abrirPanel());
        QCOMPARE(panel->ListView1->currentIndex().row(), 0); // the newest at first
        elegir(1);
        carpeta->agregarVisita({"2026-08-05 11:00:00", "Ciro"});
        enfocar();
        QCOMPARE(panel->ListView1->currentIndex().row(), 2);
        QCOMPARE(filas(2).value(2), "Beto");
        carpeta->ejecutarSql("DELETE FROM entradas_salidas WHERE NombreVisitante = 'Beto'");
        enfocar();
        QVERIFY(!panel->ListView1->currentIndex().isValid());
    }

    void elFocoReleeLoQueCambiaronOtrasTerminales()
    {
        const int primera = carpeta->agregarVisita({"2026-08-05 10:00:00", "Ana"});
        QVERIFY(abrirPanel());
        QAbstractItemModelTester tester(panel->ListView1->model(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        const int beto = carpeta->agregarVisita({"2026-08-05 11:00:00", "Beto"});
        carpeta->agregarVisita({"2026-08-05 09:00:00", "Ciro"});
        const QString borrar = QStringLiteral("DELETE FROM entradas_salidas WHERE id_es = ?");
        carpeta->ejecutarSql(borrar, {primera});
        enfocar();
        QCOMPARE(filas(2), (QStringList{"Beto", "Ciro"}));
        QCOMPARE(panel->windowTitle(), "Visitantes Actuales: 2");

        // A row another terminal deleted since the last reading: a message, no exit panel.
        carpeta->ejecutarSql(borrar, {beto});
        elegir(0);
        QTest::keyClick(panel->ListView1, Qt::Key_Return);
        QVERIFY(abiertas.isEmpty());
        QCOMPARE(carpeta->dialogos.textos(), QStringList{ctx().idioma.mensaje("XEntradaNoExiste")});

        // Everybody left: an empty list, where Enter or a double click does nothing.
        carpeta->ejecutarSql("UPDATE entradas_salidas SET FechaSalida = "
                             "'2026-08-05 14:00:00'");
        enfocar();
        QCOMPARE(panel->ListView1->model()->rowCount(), 0);
        QCOMPARE(panel->windowTitle(), "Visitantes Actuales: 0");
        QTest::keyClick(panel->ListView1, Qt::Key_Return);
        dobleClic(0);
        QVERIFY(abiertas.isEmpty());
        QCOMPARE(carpeta->dialogos.mostrados.size(), size_t(1));
    }

    void sinPermiso16NoSeAbreLaSalida_data()
    {
        QTest::addColumn<QList<int>>("permisos");
        QTest::addColumn<QStringList>("esperadas");
        QTest::newRow("con 16") << QList<int>{1, 3, 16}
                                << QStringList{"frmVisitasPendientes/Ana Ruiz",
                                               "frmVisitasPendientes/Ana Ruiz"};
        QTest::newRow("sin 16") << QList<int>{1, 3} << QStringList{};
    }
    void sinPermiso16NoSeAbreLaSalida()
    {
        QFETCH(QList<int>, permisos);
        QFETCH(QStringList, esperadas);
        carpeta->agregarVisita({"2026-08-05 08:00:00", "Ana Ruiz"});
        carpeta->agregarVisita({"2026-08-05 09:00:00", "Beto Paz"});
        QVERIFY(abrirPanel(carpeta->agregarUsuario("guardia", {}, permisos)));
        // The second row: the entry opened follows the row, not the first id.
        elegir(1);
        QTest::keyClick(panel->ListView1, Qt::Key_Return);
        dobleClic(1);
        QCOMPARE(abiertas, esperadas);
    }

    // The list shows its picture behind the rows, not a flat colour.
    void laListaMuestraSuFondo()
    {
        carpeta->agregarVisita({"2026-08-05 08:00:00", "Ana Ruiz"});
        QVERIFY(abrirPanel());
        const QImage imagen = panel->ListView1->viewport()->grab().toImage();
        // Below the only row: what shows there is the background.
        QSet<QRgb> colores;
        const int desde =
            panel->ListView1->visualRect(panel->ListView1->model()->index(0, 0)).bottom() + 5;
        for (int y = desde; y < imagen.height(); y += 7)
            for (int x = 0; x < imagen.width(); x += 11)
                colores.insert(imagen.pixel(x, y));
        QVERIFY2(colores.size() > 20, qPrintable(QString::number(colores.size())));
    }

    void laSalidaRegistradaQuitaLaFila()
    {
        carpeta->agregarVisita({"2026-08-05 08:00:00", "Ana Ruiz"});
        carpeta->agregarVisita({"2026-08-05 09:00:00", "Beto Paz"});
        carpeta->agregarVisita({"2026-08-05 10:00:00", "Ciro Sol"});
        QVERIFY(abrirPanel());
        carpeta->dialogos.alModal = [](QDialog& ventanaModal) {
            static_cast<frmSalida&>(ventanaModal).btnRegistrarSalida->click();
            return ventanaModal.result();
        };
        elegir(1);
        QTest::keyClick(panel->ListView1, Qt::Key_Return);

        // Current at once, with no focus change: the exit panel brought the list up again.
        QCOMPARE(filas(2), (QStringList{"Ciro Sol", "Ana Ruiz"}));
    }
};

QTEST_MAIN(PruebaVisitasPendientes)
#include "tst_frmvisitaspendientes.moc"
