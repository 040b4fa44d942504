// Scheduled visits in the new-entry panel: a guard schedules a visit, lists
// the scheduled visits under a filter, copies one into the entry when the
// visitor arrives, deletes one; completion and carry-over find them.

#include "ApoyoPruebas.h"
#include "platform/ModeloTabla.h"
#include "startup/frmPrincipal.h"
#include "visits/SeccionProgramadas.h"
#include "visits/frmEntrada.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>
#include <QTimeEdit>
#include <QTreeView>

namespace {

// Fields 3 to 15 of the configuration line: event log on, scheduled visits on.
const QString kConProgramadas = QStringLiteral("1;0;1;0;0;;1;;;;1;0;0");

} // namespace

class PruebaProgramadas : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<CarpetaPrueba> carpeta;
    std::unique_ptr<frmEntrada> ventana;

    SeccionProgramadas& abrir(const QString& opciones = kConProgramadas)
    {
        carpeta->usarConfiguracion(";ACCESO NORTE;" + opciones);
        ventana = std::make_unique<frmEntrada>(*carpeta->ctx);
        ventana->show();
        [&] { QVERIFY(QTest::qWaitForWindowActive(ventana.get())); }();
        return *ventana->programadas;
    }

    void llenar(const QString& nombre, const QString& acomp, const QString& placa,
                const QString& autoriza, const QString& obs)
    {
        ventana->campos.txtNombreVisitante->setText(nombre);
        ventana->campos.txtNAcomp->setText(acomp);
        ventana->campos.txtPlacaVehiculo->setText(placa);
        ventana->campos.txtAutorizaIngreso->setText(autoriza);
        ventana->campos.txtObservaciones->setText(obs);
    }

    // As the system sends it: a click, then (for a double click) the double
    // click on the same spot.
    static void pulsarFila(QTreeView* lista, int fila, bool doble = false)
    {
        const QPoint punto = lista->visualRect(lista->model()->index(fila, 2)).center();
        QTest::mouseClick(lista->viewport(), Qt::LeftButton, {}, punto);
        if (doble)
            QTest::mouseDClick(lista->viewport(), Qt::LeftButton, {}, punto);
    }

    QStringList filas(const QString& sql) { return carpeta->consultar(sql); }

    // The names the list shows, top to bottom.
    static QStringList nombres(const SeccionProgramadas& s) { return Textos(s.modelo(), 2); }

private slots:
    void init()
    {
        carpeta = std::make_unique<CarpetaPrueba>();
        carpeta->crearBaseDatos();
        CargarTablasIdioma("es", &carpeta->ctx->idioma);
        QLocale::setDefault(QLocale(QStringLiteral("es_CO")));
    }
    void cleanup()
    {
        ventana.reset();
        carpeta.reset();
    }

    void sinVisitasProgramadasNoSeVeNada()
    {
        SeccionProgramadas& s = abrir("1;0;1;0;0;;1;;;;0;0;0");
        for (QWidget* control :
             {static_cast<QWidget*>(s.btnProgramarVisita), static_cast<QWidget*>(s.ListView1),
              static_cast<QWidget*>(s.calFechaVisitaProgramada),
              static_cast<QWidget*>(s.chkVerVisitasHoy), static_cast<QWidget*>(s.lblTotalVP)})
            QVERIFY2(!control->isVisible(), qPrintable(control->objectName()));
    }

    // Opening: the pickers on now and now plus one hour, the list closed.
    // Then the checks in order, nothing stored until all pass.
    void programaUnaVisitaTrasSusComprobaciones()
    {
        SeccionProgramadas& s = abrir();
        QVERIFY(s.btnProgramarVisita->isVisible());
        QVERIFY(!s.ListView1->isVisible());
        QCOMPARE(s.btnVerVisitasProgramadas->text(), "&Ver Visitas Programadas");
        QCOMPARE(s.calFechaVisitaProgramada->date(), QDate(2026, 8, 5));
        QCOMPARE(s.calHoraVisitaProgramada->time(), QTime(15, 3, 9));
        QVERIFY(s.chkVerVisitasHoy->isChecked() && !s.chkVerVisitasUltimoMes->isChecked() &&
                !s.chkVerVisitasTodas->isChecked() && s.chkCargaVPFormulario->isChecked());

        auto programar = [&] { QTest::mouseClick(s.btnProgramarVisita, Qt::LeftButton); };
        programar();
        ventana->campos.chkFechaEntrada->setChecked(false);
        ventana->campos.txtFechaEntrada->clear();
        llenar("Ana", "x", QString(), QString(), QString());
        programar();
        ventana->campos.txtFechaEntrada->setText("no es una fecha");
        programar();
        ventana->campos.txtNAcomp->setText("2");
        programar();
        QCOMPARE(
            carpeta->dialogos.textos(),
            (QStringList{"Debe indicar el Nombre del Visitante", "Debe indicar la Fecha de Entrada",
                         "Indique correctamente el Número de Acompañantes",
                         "Debe indicar quién Autoriza ingreso"}));
        QCOMPARE(ventana->focusWidget(), ventana->campos.txtAutorizaIngreso);

        // One minute back is refused; now itself and later are taken.
        llenar("Ana Núñez", "2", "ABC1", "Luz Ángel", "Plomero");
        s.calHoraVisitaProgramada->setTime(QTime(14, 2, 9));
        programar();
        QCOMPARE(carpeta->dialogos.ultimo().texto,
                 "La Fecha y Hora de la visita no puede ser menor que la Fecha Actual");
        QCOMPARE(filas("SELECT count(*) FROM visitas_programadas"), QStringList{"0"});
        QCOMPARE(ventana->campos.txtNombreVisitante->text(), "Ana Núñez");

        s.calHoraVisitaProgramada->setTime(QTime(14, 3, 9));
        programar();
        QCOMPARE(carpeta->dialogos.ultimo().texto, "Visita programada correctamente");
        QCOMPARE(carpeta->dialogos.ultimo().titulo, QString());
        QCOMPARE(filas("SELECT FechaEntrada, NombreVisitante, NAcomp, AutorizaIngreso, "
                       "PlacaVehiculo, Observaciones, FechaSalida FROM visitas_programadas"),
                 QStringList{"2026-08-05 14:03:09|Ana Núñez|2|Luz Ángel|ABC1|Plomero|NULL"});
        QCOMPARE(carpeta->textosSucesos(), QStringList{"Agrega visita programada"});
        for (QLineEdit* campo :
             {ventana->campos.txtFechaEntrada, ventana->campos.txtNombreVisitante,
              ventana->campos.txtAutorizaIngreso})
            QVERIFY(campo->text().isEmpty());
        // The pickers keep their values for the next one.
        QCOMPARE(s.calHoraVisitaProgramada->time(), QTime(14, 3, 9));
    }

    // The button opens the list (read under the filter) and closes it; the
    // panel grows and shrinks back; each click is logged.
    void verYOcultarLaLista()
    {
        carpeta->agregarVisita({.entra = "2026-08-05 18:00:00",
                                .nombre = "Hoy Más Tarde",
                                .tabla = "visitas_programadas"});
        SeccionProgramadas& s = abrir();
        const int altoCerrado = ventana->height();
        QTest::mouseClick(s.btnVerVisitasProgramadas, Qt::LeftButton);
        QVERIFY(s.ListView1->isVisible() && s.chkVerVisitasHoy->isVisible());
        QCOMPARE(s.btnVerVisitasProgramadas->text(), "&Ocultar Visitas Programadas");
        QCOMPARE(Textos(s.modelo()),
                 QStringList{"1|05/08/2026 06:00:00 pm|Hoy Más Tarde|1|ABC123|Luis Gil|Taxi"});
        QCOMPARE(s.lblTotalVP->text(), "Total Visitas Programadas: 1");
        QVERIFY(ventana->height() > altoCerrado);

        QTest::mouseClick(s.btnVerVisitasProgramadas, Qt::LeftButton);
        QVERIFY(!s.ListView1->isVisible() && !s.lblTotalVP->isVisible());
        QCOMPARE(s.btnVerVisitasProgramadas->text(), "&Ver Visitas Programadas");
        QCOMPARE(ventana->height(), altoCerrado);
        const QString consulta = "Realiza consulta de visitas programadas haciendo click en el "
                                 "botón Ver Visitas Programadas";
        QCOMPARE(carpeta->textosSucesos(), (QStringList{consulta, consulta}));
    }

    // In the main window's frame, the panel's window grows and shrinks back.
    void enElMarcoLaVentanaCreceYVuelve()
    {
        std::unique_ptr<frmPrincipal> principal;
        auto* panel = qobject_cast<frmEntrada*>(carpeta->abrirPanel(
            principal, &frmPrincipal::mnuNuevaEntrada, "frmEntrada", 1, kConProgramadas));
        QVERIFY(panel);
        auto* marco = qobject_cast<QMdiSubWindow*>(panel->parentWidget());
        QVERIFY(marco);
        const int alto = marco->height();
        QPushButton* boton = panel->programadas->btnVerVisitasProgramadas;
        QTest::mouseClick(boton, Qt::LeftButton);
        QVERIFY(panel->programadas->ListView1->isVisible());
        QVERIFY(marco->height() > alto);
        QTest::mouseClick(boton, Qt::LeftButton);
        QCOMPARE(marco->height(), alto);
    }

    void filtrosEnLosBordesDelDiaYDelMes_data()
    {
        QTest::addColumn<QTime>("hora");
        QTest::addColumn<QString>("idioma");
        for (const char* idioma : {"es_CO", "en_US", "C"}) {
            QTest::addRow("medianoche %s", idioma) << QTime(0, 0, 0) << QString(idioma);
            QTest::addRow("ultimo segundo %s", idioma) << QTime(23, 59, 59) << QString(idioma);
        }
    }

    // Today is 31 March: "last month" starts on the last of February.
    void filtrosEnLosBordesDelDiaYDelMes()
    {
        QFETCH(QTime, hora);
        QFETCH(QString, idioma);
        QLocale::setDefault(QLocale(idioma));
        const QDate hoy(2026, 3, 31);
        carpeta->reloj.momento = QDateTime(hoy, hora);
        for (const char* entra :
             {"2026-02-27 23:59:59", "2026-02-28 00:00:00", "2026-03-30 23:59:59",
              "2026-03-31 00:00:00", "2026-03-31 23:59:59", "2026-04-01 00:00:00"})
            carpeta->agregarVisita(
                {.entra = entra, .nombre = entra, .tabla = "visitas_programadas"});
        SeccionProgramadas& s = abrir();
        QTest::mouseClick(s.btnVerVisitasProgramadas, Qt::LeftButton);
        QCOMPARE(nombres(s), (QStringList{"2026-03-31 23:59:59", "2026-03-31 00:00:00"}));
        QCOMPARE(Textos(s.modelo(), 1),
                 (QStringList{"31/03/2026 11:59:59 pm", "31/03/2026 12:00:00 am"}));

        QTest::mouseClick(s.lblVerVisitasUltimoMes, Qt::LeftButton);
        QVERIFY(!s.chkVerVisitasHoy->isChecked() && s.chkVerVisitasUltimoMes->isChecked());
        QCOMPARE(nombres(s), (QStringList{"2026-03-31 23:59:59", "2026-03-31 00:00:00",
                                          "2026-03-30 23:59:59", "2026-02-28 00:00:00"}));
        QCOMPARE(s.lblTotalVP->text(), "Total Visitas Programadas: 4");

        s.chkVerVisitasTodas->click();
        QVERIFY(!s.chkVerVisitasUltimoMes->isChecked() && s.chkVerVisitasTodas->isChecked());
        QCOMPARE(nombres(s).size(), 6);
        QCOMPARE(nombres(s).first(), "2026-04-01 00:00:00");

        // The only checked filter stays checked; a filter opens a closed list.
        QTest::mouseClick(s.btnVerVisitasProgramadas, Qt::LeftButton);
        carpeta->ejecutarSql("DELETE FROM visitas_programadas WHERE id_es = 6");
        s.chkVerVisitasTodas->click();
        QVERIFY(s.chkVerVisitasTodas->isChecked() && s.ListView1->isVisible());
        QCOMPARE(s.lblTotalVP->text(), "Total Visitas Programadas: 5");
        QCOMPARE(carpeta->textosSucesos("ACCESO NORTE", hoy).size(), 5);
    }

    // A click copies the visit into the entry fields (empty where Null), not
    // its time; with the copy box off it only selects.
    void pulsarUnaVisitaLaCopiaALaEntrada()
    {
        carpeta->agregarVisita({.entra = "2026-08-05 16:00:00",
                                .nombre = "Rosa Díaz",
                                .autoriza = "Eva Ruiz",
                                .acomp = QVariant(),
                                .placa = QVariant(),
                                .obs = QVariant(),
                                .tabla = "visitas_programadas"});
        carpeta->agregarVisita({.entra = "2026-08-05 17:00:00",
                                .nombre = "Pedro Gómez",
                                .autoriza = "Luz Ángel",
                                .acomp = 3,
                                .placa = "XYZ987",
                                .obs = "Plomero",
                                .tabla = "visitas_programadas"});
        // A past visitor of that name: setting the name would offer it.
        carpeta->agregarVisita({"2026-08-01 10:00:00", "Pedro Gómez", "2026-08-01 11:00:00"});
        SeccionProgramadas& s = abrir();
        QTest::mouseClick(s.btnVerVisitasProgramadas, Qt::LeftButton);
        const QString hora = ventana->campos.txtFechaEntrada->text();
        llenar("Otro", "9", "OTRA", "Otra", "Otras");
        pulsarFila(s.ListView1, 0);
        QCOMPARE(s.IdVisitaProgramadaSel, 2);
        QCOMPARE(ventana->campos.textos().nombre, "Pedro Gómez");
        QCOMPARE(ventana->campos.textos().nAcomp, "3");
        QCOMPARE(ventana->campos.textos().placa, "XYZ987");
        QCOMPARE(ventana->campos.textos().autoriza, "Luz Ángel");
        QCOMPARE(ventana->campos.textos().observaciones, "Plomero");
        QCOMPARE(ventana->campos.txtFechaEntrada->text(), hora);
        QVERIFY(!ventana->lstNombreVisitante->isVisible());

        pulsarFila(s.ListView1, 1);
        QCOMPARE(ventana->campos.textos().nombre, "Rosa Díaz");
        QCOMPARE(ventana->campos.textos().nAcomp, QString());
        QCOMPARE(ventana->campos.textos().placa, QString());
        QCOMPARE(ventana->campos.textos().observaciones, QString());
        QCOMPARE(ventana->campos.textos().autoriza, "Eva Ruiz");

        QTest::mouseClick(s.lblCargaVPFormulario, Qt::LeftButton);
        QVERIFY(!s.chkCargaVPFormulario->isChecked());
        pulsarFila(s.ListView1, 0);
        QCOMPARE(s.IdVisitaProgramadaSel, 2);
        QCOMPARE(ventana->campos.textos().nombre, "Rosa Díaz");

        // The entry is stored; the scheduled visit stays.
        QTest::mouseClick(ventana->btnAgregarEntrada, Qt::LeftButton);
        QCOMPARE(filas("SELECT NombreVisitante, AutorizaIngreso FROM entradas_salidas WHERE "
                       "FechaSalida IS NULL"),
                 QStringList{"Rosa Díaz|Eva Ruiz"});
        QCOMPARE(filas("SELECT count(*) FROM visitas_programadas"), QStringList{"2"});
    }

    // A double click asks; No keeps the visit; Yes deletes it, logs both
    // lines and reads the list again under the same filter.
    void dobleClicEliminaTrasPreguntar()
    {
        for (const char* nombre : {"Ana Paz", "Beto Ruiz"})
            carpeta->agregarVisita(
                {.entra = "2026-08-05 20:00:00", .nombre = nombre, .tabla = "visitas_programadas"});
        SeccionProgramadas& s = abrir();
        QTest::mouseClick(s.btnVerVisitasProgramadas, Qt::LeftButton);
        QCOMPARE(nombres(s), (QStringList{"Beto Ruiz", "Ana Paz"}));
        const QString consulta = "Realiza consulta de visitas programadas haciendo click en el "
                                 "botón Ver Visitas Programadas";
        const QString pregunta =
            "Se pregunta si desea eliminar el aviso ID: 2, realizando doble click en el listado";

        carpeta->dialogos.respuestas = {Dialogos::Respuesta::No};
        pulsarFila(s.ListView1, 0, true);
        QCOMPARE(carpeta->dialogos.textos(),
                 QStringList{"¿Desea eliminar la visita programada seleccionada? ID: 2"});
        QCOMPARE(carpeta->dialogos.ultimo().titulo, "Eliminar Visita Programada");
        QCOMPARE(filas("SELECT count(*) FROM visitas_programadas"), QStringList{"2"});
        QCOMPARE(carpeta->textosSucesos(), (QStringList{consulta, pregunta}));

        carpeta->dialogos.mostrados.clear();
        pulsarFila(s.ListView1, 0, true);
        QCOMPARE(carpeta->dialogos.textos(),
                 (QStringList{"¿Desea eliminar la visita programada seleccionada? ID: 2",
                              "La visita programada se eliminó correctamente"}));
        QCOMPARE(filas("SELECT NombreVisitante FROM visitas_programadas"), QStringList{"Ana Paz"});
        QCOMPARE(carpeta->textosSucesos(),
                 (QStringList{consulta, pregunta, pregunta,
                              "Se eliminó la visita programada ID: 2, realizando doble click en "
                              "el listado",
                              consulta, consulta}));
        QCOMPARE(nombres(s), QStringList{"Ana Paz"});
        QCOMPARE(s.lblTotalVP->text(), "Total Visitas Programadas: 1");
        QVERIFY(s.ListView1->isVisible());
        QCOMPARE(s.IdVisitaProgramadaSel, 0);
    }

    // Scheduled through the panel, the visit is found by completion and
    // carry-over whatever the letter case of its accented letters.
    void completarYCargarDesdeLoProgramado()
    {
        SeccionProgramadas& s = abrir();
        llenar("Ñusta Álvarez", "1", "QWE12", "Íngrid Peña", "Trae herramientas");
        QTest::mouseClick(s.btnProgramarVisita, Qt::LeftButton);
        QCOMPARE(carpeta->dialogos.ultimo().texto, "Visita programada correctamente");

        QTest::mouseClick(ventana->lblCargaVisitaProgramada, Qt::LeftButton);
        QVERIFY(ventana->chkCargaVisitaProgramada->isChecked());
        ventana->campos.txtNombreVisitante->setText("ÑUSTA á");
        QCOMPARE(Textos(ventana->lstNombreVisitante->model()), QStringList{"Ñusta Álvarez"});

        ventana->campos.txtNombreVisitante->setText("ñusta ÁLVAREZ");
        QTest::mouseClick(ventana->campos.Label3, Qt::LeftButton);
        QCOMPARE(ventana->campos.textos().autoriza, "Íngrid Peña");
        QCOMPARE(ventana->campos.textos().placa, "QWE12");
        QCOMPARE(ventana->campos.textos().observaciones, "Trae herramientas");
        QCOMPARE(carpeta->textosSucesos().last(),
                 "Nueva Entrada - Carga automáticamente los datos de visitante (Tabla: "
                 "visitas_programadas) de la última vez que ingresó <-ñusta ÁLVAREZ->");
    }
};

QTEST_MAIN(PruebaProgramadas)
#include "tst_programadas.moc"
