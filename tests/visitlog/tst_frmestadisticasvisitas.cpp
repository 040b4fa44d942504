// The statistics panel as the guard opens it from the main window: each
// button counts the visits of a real database and shows the counts in a box.

#include "ApoyoPruebas.h"
#include "startup/frmPrincipal.h"
#include "visitlog/EstadisticasVisitas.h"
#include "visitlog/frmEstadisticasVisitas.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>

class PruebaEstadisticasVisitas : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<CarpetaPrueba> carpeta;
    std::unique_ptr<frmPrincipal> ventana;
    frmEstadisticasVisitas* panel = nullptr;

    bool abrirPanel()
    {
        panel = qobject_cast<frmEstadisticasVisitas*>(carpeta->abrirPanel(
            ventana, &frmPrincipal::mnuEstadisticasVisitas, "frmEstadisticasVisitas"));
        return panel != nullptr;
    }

    // n visits of each value in that column; the others keep the test's defaults.
    void agregar(const QString& columna, const QList<std::pair<QString, int>>& valores)
    {
        for (const auto& [valor, veces] : valores)
            for (int i = 0; i < veces; ++i) {
                VisitaPrueba v{"2026-08-01 10:00:00", QStringLiteral("Ana")};
                if (columna == "nombre")
                    v.nombre = valor;
                else if (columna == "autoriza")
                    v.autoriza = valor;
                else
                    v.placa = valor;
                carpeta->agregarVisita(v);
            }
    }

    // What one button shows: the box's lines, CR LF split, or nothing.
    QStringList lineas(QPushButton* boton)
    {
        carpeta->dialogos.mostrados.clear();
        QTest::mouseClick(boton, Qt::LeftButton);
        if (carpeta->dialogos.mostrados.empty())
            return {};
        if (carpeta->dialogos.mostrados.size() != 1)
            return {QStringLiteral("more than one box")};
        QStringList partes = carpeta->dialogos.ultimo().texto.split(QStringLiteral("\r\n"));
        if (partes.last().isEmpty())
            partes.removeLast();
        return partes;
    }

    static QString linea(const QString& valor, int total)
    {
        return QStringLiteral("Visitante: %1\t\tN.Visitas Realizadas: %2\t").arg(valor).arg(total);
    }

private slots:
    void init()
    {
        carpeta = std::make_unique<CarpetaPrueba>();
        carpeta->crearBaseDatos();
    }
    void cleanup()
    {
        ventana.reset();
        carpeta.reset();
    }

    // The five largest counts and every row tied with the fifth, for the
    // visitors and the authorisers alike; no lower count comes in.
    void cincoMayoresConEmpates_data()
    {
        QTest::addColumn<QString>("columna");
        QTest::addColumn<QList<int>>("cuentas");
        QTest::addColumn<QList<int>>("mostradas");
        const QList<int> sinEmpateAlQuinto{9, 7, 7, 5, 3, 2};
        const QList<int> empateAlQuinto{9, 7, 5, 3, 3, 3};
        QTest::newRow("visitantes 9,7,7,5,3,2")
            << "nombre" << sinEmpateAlQuinto << QList<int>{9, 7, 7, 5, 3};
        QTest::newRow("visitantes 9,7,5,3,3,3") << "nombre" << empateAlQuinto << empateAlQuinto;
        QTest::newRow("autorizan 9,7,7,5,3,2")
            << "autoriza" << sinEmpateAlQuinto << QList<int>{9, 7, 7, 5, 3};
        QTest::newRow("autorizan 9,7,5,3,3,3") << "autoriza" << empateAlQuinto << empateAlQuinto;
    }
    void cincoMayoresConEmpates()
    {
        QFETCH(QString, columna);
        QFETCH(QList<int>, cuentas);
        QFETCH(QList<int>, mostradas);
        QList<std::pair<QString, int>> valores;
        for (int i = 0; i < cuentas.size(); ++i)
            valores.append({QStringLiteral("Persona %1").arg(QChar(u'A' + i)), cuentas[i]});
        agregar(columna, valores);
        QVERIFY(abrirPanel());

        const bool visitantes = columna == "nombre";
        const QString antes = visitantes ? "Visitante: " : "Autoriza Ingreso: ";
        const QString medio = visitantes ? "N.Visitas Realizadas: " : "N.Visitas Recibidas: ";
        QStringList esperadas;
        for (int i = 0; i < mostradas.size(); ++i)
            esperadas << antes + valores[i].first + "\t\t" + medio + QString::number(mostradas[i]) +
                             '\t';
        QCOMPARE(lineas(visitantes ? panel->btnEstadistica1 : panel->btnEstadistica2), esperadas);
    }

    // The exact box: labels, two TABs, one TAB, CR LF after every line, the
    // information icon and the program's title; in the guard's language.
    void textoExactoDelMensaje()
    {
        agregar("nombre", {{"Ñandú Peña", 2}, {"Luis", 1}});
        QVERIFY(abrirPanel());
        QTest::mouseClick(panel->btnEstadistica1, Qt::LeftButton);
        QCOMPARE(carpeta->dialogos.mostrados.size(), size_t(1));
        const Dialogos::Mensaje& mensaje = carpeta->dialogos.ultimo();
        QCOMPARE(mensaje.texto, "Visitante: Ñandú Peña\t\tN.Visitas Realizadas: 2\t\r\n"
                                "Visitante: Luis\t\tN.Visitas Realizadas: 1\t\r\n");
        QCOMPARE(mensaje.icono, Dialogos::Icono::Informacion);
        QCOMPARE(mensaje.botones, Dialogos::Botones::Aceptar);
        QVERIFY(mensaje.titulo.isEmpty()); // the program title "Zelvora"

        CargarTablasIdioma(QStringLiteral("en"), &carpeta->ctx->idioma);
        QCOMPARE(lineas(panel->btnEstadistica2),
                 QStringList{"Authorizes entry (Who): Luis Gil\t\tN.Visits Received: 3\t"});
        QCOMPARE(lineas(panel->btnEstadistica3),
                 QStringList{"N. Plate: ABC123\t\tTimes that entered: 3\t"});
    }

    // No TOP for plates: every plate that occurs, most frequent first, as
    // far as a box fits on a screen; the rest are counted in a last line.
    void cadaPlacaUnaLinea()
    {
        QList<std::pair<QString, int>> placas{{"ZZZ999", 2}};
        for (int i = 0; i < 29; ++i)
            placas.append({QStringLiteral("PLA%1").arg(i, 3, 10, QChar(u'0')), 1});
        agregar("placa", placas);
        QVERIFY(abrirPanel());
        const QStringList vistas = lineas(panel->btnEstadistica3);
        QCOMPARE(vistas.size(), 30);
        QCOMPARE(vistas.first(), "Placa Vehículo: ZZZ999\t\tVeces que ingresó: 2\t");
        QCOMPARE(vistas.last(), "Placa Vehículo: PLA028\t\tVeces que ingresó: 1\t");

        agregar("placa", {{"PLB001", 1},
                          {"PLB002", 1},
                          {"PLB003", 1},
                          {"PLB004", 1},
                          {"PLB005", 1},
                          {"PLB006", 1},
                          {"PLB007", 1},
                          {"PLB008", 1},
                          {"PLB009", 1},
                          {"PLB010", 1},
                          {"PLB011", 1},
                          {"PLB012", 1}});
        const QStringList cortadas = lineas(panel->btnEstadistica3);
        QCOMPARE(cortadas.size(), 41);
        QCOMPARE(cortadas[39], "Placa Vehículo: PLB010\t\tVeces que ingresó: 1\t");
        QCOMPARE(cortadas[40], "Y 2 placas más.");
        CargarTablasIdioma(QStringLiteral("en"), &carpeta->ctx->idioma);
        QCOMPARE(lineas(panel->btnEstadistica3).last(), "And 2 more plates.");
    }

    // Letter case does not split a group (á = Á, ñ = Ñ); any other letter does.
    void mayusculasEnUnMismoGrupo()
    {
        agregar("nombre", {{"Ñandú Peña", 1}, {"ÑANDÚ PEÑA", 2}, {"Nandu Pena", 1}});
        agregar("placa", {{"abc123", 2}});
        QVERIFY(abrirPanel());
        QCOMPARE(lineas(panel->btnEstadistica1),
                 (QStringList{linea("ÑANDÚ PEÑA", 3), linea("Ana", 2), linea("Nandu Pena", 1)}));
        QCOMPARE(lineas(panel->btnEstadistica3),
                 QStringList{"Placa Vehículo: ABC123\t\tVeces que ingresó: 6\t"});
    }

    // Nothing to count, no box: an empty table, or only empty and Null values.
    void sinVisitasNoSeMuestraNada()
    {
        QVERIFY(abrirPanel());
        const auto clicEnCadaBoton = [this] {
            for (QPushButton* boton :
                 {panel->btnEstadistica1, panel->btnEstadistica2, panel->btnEstadistica3})
                QTest::mouseClick(boton, Qt::LeftButton);
        };
        clicEnCadaBoton();
        QCOMPARE(carpeta->dialogos.mostrados.size(), size_t(0));

        carpeta->ejecutarSql("INSERT INTO entradas_salidas (FechaEntrada, NombreVisitante, "
                             "NombreVisitanteClave, AutorizaIngreso, AutorizaIngresoClave, "
                             "PlacaVehiculo) VALUES ('2026-08-01 10:00:00', '', '', '', '', ''), "
                             "('2026-08-01 11:00:00', NULL, NULL, NULL, NULL, NULL)");
        clicEnCadaBoton();
        QCOMPARE(carpeta->dialogos.mostrados.size(), size_t(0));
    }

    // The main window logs the opening; the panel itself logs nothing.
    void soloLaAperturaVaAlRegistro()
    {
        agregar("nombre", {{"Ana", 1}});
        ventana = carpeta->entrar();
        const qsizetype antes = carpeta->textosSucesos().size();
        ventana->mnuEstadisticasVisitas->trigger();
        panel = qobject_cast<frmEstadisticasVisitas*>(ventana->panel("frmEstadisticasVisitas"));
        QVERIFY(panel);
        QCOMPARE(panel->windowTitle(), "Estadísticas de Visitas");
        QCOMPARE(panel->btnEstadistica1->text(), "Quién visita más veces");
        QCOMPARE(panel->btnEstadistica2->text(), "Quién es más visitado");
        QCOMPARE(panel->btnEstadistica3->text(), "Qué vehículo visita más veces");
        for (QPushButton* boton :
             {panel->btnEstadistica1, panel->btnEstadistica2, panel->btnEstadistica3})
            QTest::mouseClick(boton, Qt::LeftButton);
        QCOMPARE(carpeta->dialogos.mostrados.size(), size_t(3));
        QCOMPARE(carpeta->textosSucesos().mid(antes),
                 QStringList{"Abre el panel de estadísticas de visitas"});

        // Chosen again: the same panel comes up, and the choice is logged again.
        ventana->mnuEstadisticasVisitas->trigger();
        QCOMPARE(ventana->areaPaneles()->subWindowList().size(), 1);
        QCOMPARE(carpeta->textosSucesos().mid(antes).size(), 2);

        // Escape closes it; the entry opens a new one.
        ventana->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(ventana.get()));
        panel->btnEstadistica2->setFocus();
        QTest::keyClick(ventana->windowHandle(), Qt::Key_Escape);
        QTRY_VERIFY(!ventana->panel("frmEstadisticasVisitas"));
        QVERIFY(ventana->mnuEstadisticasVisitas->isEnabled());
        ventana->mnuEstadisticasVisitas->trigger();
        QVERIFY(ventana->panel("frmEstadisticasVisitas"));
    }

    // The counts the statistics read follow every insert, correction and
    // deletion, whoever makes it (here: another program's plain SQL).
    void losConteosSiguenCadaCambio()
    {
        agregar("nombre", {{"Ana", 3}, {"Luis", 2}});
        agregar("placa", {{"XYZ789", 1}});
        QVERIFY(abrirPanel());
        carpeta->ejecutarSql("UPDATE entradas_salidas SET NombreVisitante = 'Luis', "
                             "NombreVisitanteClave = 'luis', PlacaVehiculo = 'xyz789' "
                             "WHERE id_es = 1");
        carpeta->ejecutarSql("DELETE FROM entradas_salidas WHERE id_es = 2");
        carpeta->ejecutarSql("UPDATE entradas_salidas SET Observaciones = 'otra' WHERE id_es = 3");
        QCOMPARE(lineas(panel->btnEstadistica1), (QStringList{linea("Luis", 3), linea("Ana", 2)}));
        QCOMPARE(lineas(panel->btnEstadistica3),
                 (QStringList{"Placa Vehículo: ABC123\t\tVeces que ingresó: 3\t",
                              "Placa Vehículo: XYZ789\t\tVeces que ingresó: 2\t"}));

        // A name emptied leaves its group; the last visit of a group removes it.
        carpeta->ejecutarSql("UPDATE entradas_salidas SET NombreVisitante = '', "
                             "NombreVisitanteClave = '' WHERE NombreVisitanteClave = 'ana'");
        QCOMPARE(lineas(panel->btnEstadistica1), QStringList{linea("Luis", 3)});
        QCOMPARE(carpeta->consultar("SELECT count(*) FROM conteos_visitas WHERE estadistica = 1"),
                 QStringList{"1"});
        carpeta->ejecutarSql("DELETE FROM entradas_salidas");
        QCOMPARE(carpeta->consultar("SELECT count(*) FROM conteos_visitas"), QStringList{"0"});
    }

    // The statistics read the kept counts, never every visit of the log.
    void noSeRecorreElRegistro_data()
    {
        QTest::addColumn<Estadistica>("estadistica");
        QTest::newRow("visitantes") << Estadistica::Visitantes;
        QTest::newRow("autorizan") << Estadistica::Autorizadores;
        QTest::newRow("placas") << Estadistica::Placas;
    }
    void noSeRecorreElRegistro()
    {
        SOLO_ARCHIVO();
        QFETCH(Estadistica, estadistica);
        const QString plan =
            carpeta->consultar("EXPLAIN QUERY PLAN " + SentenciaEstadistica(estadistica))
                .join('\n');
        QVERIFY2(!plan.contains("SCAN entradas_salidas") && !plan.contains("TEMP B-TREE"),
                 qPrintable(plan));
    }

    // Where the counts are kept, the lines come from them (here made to
    // differ from the log on purpose), not from grouping every visit.
    void conConteosSeLeenLosConteos()
    {
        agregar("placa", {{"abc123", 2}});
        carpeta->ejecutarSql("UPDATE conteos_visitas SET total = 7 WHERE estadistica = 3");
        QVERIFY(abrirPanel());
        QCOMPARE(lineas(panel->btnEstadistica3),
                 QStringList{"Placa Vehículo: ABC123\t\tVeces que ingresó: 7\t"});
    }

    // A database made before the counts were kept gives the same lines.
    void sinConteosSeAgrupaElRegistro()
    {
        agregar("nombre", {{"Ñandú Peña", 1}, {"ÑANDÚ PEÑA", 2}, {"Luis", 1}});
        agregar("placa", {{"abc123", 2}});
        carpeta->ejecutarSql("DROP TABLE conteos_visitas");
        QVERIFY(abrirPanel());
        QCOMPARE(lineas(panel->btnEstadistica1),
                 (QStringList{linea("ÑANDÚ PEÑA", 3), linea("Ana", 2), linea("Luis", 1)}));
        QCOMPARE(lineas(panel->btnEstadistica3),
                 QStringList{"Placa Vehículo: ABC123\t\tVeces que ingresó: 6\t"});
    }

    // A statement that fails is reported and the panel stays usable.
    void unFalloSeAvisaYElPanelSigue()
    {
        QVERIFY(abrirPanel());
        carpeta->ejecutarSql("ALTER TABLE entradas_salidas RENAME TO otra");
        QTest::mouseClick(panel->btnEstadistica1, Qt::LeftButton);
        QCOMPARE(carpeta->dialogos.mostrados.size(), size_t(1));
        QCOMPARE(carpeta->dialogos.ultimo().icono, Dialogos::Icono::Exclamacion);
        carpeta->ejecutarSql("ALTER TABLE otra RENAME TO entradas_salidas");
        agregar("nombre", {{"Ana", 1}});
        QCOMPARE(lineas(panel->btnEstadistica1), QStringList{linea("Ana", 1)});
    }
};

QTEST_MAIN(PruebaEstadisticasVisitas)
#include "tst_frmestadisticasvisitas.moc"
