// The new-entry panel as a guard uses it: check-in with its checks and
// notice, name completion and carry-over, and the open-visit rule.

#include "ApoyoPruebas.h"
#include "foundation/FechasTexto.h"
#include "startup/frmPrincipal.h"
#include "visits/frmEntrada.h"
#include "visits/frmSalida.h"
#include "visits/frmVisitasPendientes.h"

#include <QCheckBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QLocale>
#include <QPushButton>
#include <QTest>

class PruebaEntrada : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<CarpetaPrueba> carpeta;
    std::unique_ptr<frmEntrada> ventana;
    std::unique_ptr<frmPrincipal> principal;

    // Fields 3 to 15 of the terminal's configuration line.
    frmEntrada& abrir(const QString& opciones = "1;0;1;0;0;;1;;;;0;0;0")
    {
        carpeta->usarConfiguracion(";ACCESO NORTE;" + opciones);
        ventana = std::make_unique<frmEntrada>(*carpeta->ctx);
        ventana->show();
        [&] { QVERIFY(QTest::qWaitForWindowActive(ventana.get())); }();
        return *ventana;
    }

    // As the guard has it: inside the main window's frame, opened with its
    // menu entry (F5), the main window active.
    frmEntrada* abrirEnPrincipal()
    {
        principal = carpeta->entrar();
        principal->activateWindow();
        if (!QTest::qWaitForWindowActive(principal.get()))
            return nullptr;
        principal->mnuNuevaEntrada->trigger();
        return qobject_cast<frmEntrada*>(principal->panel("frmEntrada"));
    }

    QStringList filas(const QString& sql) { return carpeta->consultar(sql); }

    void llenar(const QString& nombre, const QString& acomp, const QString& placa,
                const QString& autoriza, const QString& obs)
    {
        ventana->campos.txtNombreVisitante->setText(nombre);
        ventana->campos.txtNAcomp->setText(acomp);
        ventana->campos.txtPlacaVehiculo->setText(placa);
        ventana->campos.txtAutorizaIngreso->setText(autoriza);
        ventana->campos.txtObservaciones->setText(obs);
    }

private slots:
    void init()
    {
        carpeta = std::make_unique<CarpetaPrueba>();
        carpeta->crearBaseDatos();
        CargarTablasIdioma("es", &carpeta->ctx->idioma);
        for (int n = 1; n <= kNumeroPermisos; ++n)
            carpeta->ctx->permisos.fijar(n, true);
        // A day-first machine, as the dates typed below are written.
        QLocale::setDefault(QLocale(QStringLiteral("es_CO")));
    }
    void cleanup()
    {
        principal.reset();
        ventana.reset();
        carpeta.reset();
    }

    void entradaConAvisoPasadaLaMedianoche()
    {
        carpeta->reloj.momento = QDateTime(QDate(2026, 8, 5), QTime(23, 45, 0));
        frmEntrada& w = abrir("1;0;1;1;1;30;1;;;;0;0;0");
        QVERIFY(w.chkAviso->isVisible() && w.chkAviso->isChecked());
        QCOMPARE(w.txtAviso->text(), "30");
        QVERIFY(!w.campos.txtFechaEntrada->isEnabled());
        QCOMPARE(w.windowTitle(), "Nueva Entrada");

        llenar("o'brien de la peña", "2", "abc12d", "ángela núñez", "Trae un paquete; frágil");
        QTest::keyClick(w.campos.txtAutorizaIngreso, Qt::Key_Return);

        const Dialogos::Mensaje& pregunta = carpeta->dialogos.mostrados.at(0);
        QCOMPARE(pregunta.titulo, "Confirmar Nueva Entrada");
        QCOMPARE(pregunta.texto, "¿Realizar la Entrada?\r\n\r\nNombre Visitante: O'brien De La "
                                 "Peña\r\nAutoriza ingreso: Ángela Núñez\r\nNº Acompañantes: "
                                 "2\r\nPlaca Vehículo: ABC12D\r\nObservaciones: Trae un paquete; "
                                 "frágil");
        QCOMPARE(carpeta->dialogos.ultimo().texto, "Entrada realizada correctamente");
        QCOMPARE(filas("SELECT FechaEntrada, NombreVisitante, NAcomp, AutorizaIngreso, "
                       "PlacaVehiculo, Observaciones, FechaSalida FROM entradas_salidas"),
                 QStringList{"2026-08-05 23:45:00|O'brien De La Peña|2|Ángela Núñez|ABC12D|Trae "
                             "un paquete; frágil|NULL"});
        // Due after midnight.
        QCOMPARE(filas("SELECT FechaAviso FROM avisos"), QStringList{"2026-08-06 00:15:00"});
        QCOMPARE(carpeta->textosSucesos().last(), "Agrega entrada");

        // Ready for the next visitor: empty fields, the time back at the next tick.
        QVERIFY(w.campos.txtNombreVisitante->text().isEmpty());
        QVERIFY(w.campos.txtFechaEntrada->text().isEmpty());
        QVERIFY(w.chkAviso->isChecked());
        w.alTemporizador();
        QCOMPARE(w.campos.txtFechaEntrada->text(), TextoFechaViva(carpeta->reloj.momento));
    }

    void validacionPorOrdenSinGuardarNada_data()
    {
        QTest::addColumn<QString>("nombre");
        QTest::addColumn<QString>("fecha");
        QTest::addColumn<QString>("acomp");
        QTest::addColumn<QString>("mensaje");
        const auto fila = [](const char* caso, const char* nombre, const char* fecha,
                             const char* acomp, const QString& mensaje) {
            QTest::newRow(caso) << QString(nombre) << QString(fecha) << QString(acomp) << mensaje;
        };
        const char* dia = "05/08/2026 10:00:00 am";
        fila("todo vacio", "", "", "x", "Debe indicar el Nombre del Visitante");
        fila("sin fecha", "Ana", "", "x", "Debe indicar la Fecha de Entrada");
        // The example is written the way the live field shows the time.
        fila("fecha imposible", "Ana", "31/02/2026 10:00:00 am", "x",
             "El campo \"Fecha Entrada\" no contiene una fecha y hora válidas. Escríbalas como se "
             "muestran, por ejemplo: " +
                 TextoFechaViva(QDateTime(QDate(2026, 8, 5), QTime(14, 3, 9))));
        fila("acompanantes", "Ana", dia, "x", "Indique correctamente el Número de Acompañantes");
        fila("sin autoriza", "Ana", dia, "", "Debe indicar quién Autoriza ingreso");
    }

    void validacionPorOrdenSinGuardarNada()
    {
        QFETCH(QString, nombre);
        QFETCH(QString, fecha);
        QFETCH(QString, acomp);
        QFETCH(QString, mensaje);
        frmEntrada& w = abrir();
        w.campos.chkFechaEntrada->setChecked(false);
        w.campos.txtFechaEntrada->setText(fecha);
        llenar(nombre, acomp, QString(), QString(), QString());
        QTest::mouseClick(w.btnAgregarEntrada, Qt::LeftButton);
        QCOMPARE(carpeta->dialogos.textos(), QStringList{mensaje});
        QCOMPARE(carpeta->dialogos.ultimo().titulo, QString());
        QCOMPARE(filas("SELECT count(*) FROM entradas_salidas"), QStringList{"0"});
    }

    // A month-first machine: the entry takes the time as its field shows it; a
    // day-first date typed there could be either, so it is refused, not swapped.
    void maquinaConElMesPrimero()
    {
        QLocale::setDefault(QLocale(QStringLiteral("en_US")));
        frmEntrada& w = abrir();
        QCOMPARE(w.campos.txtFechaEntrada->text(), "8/5/26 02:03:09 pm");
        w.campos.chkFechaEntrada->setChecked(false);
        w.alTemporizador();
        llenar("Ana", QString(), QString(), "Luz", QString());
        w.campos.txtFechaEntrada->setText("05/08/2026 10:00:00 am");
        QTest::mouseClick(w.btnAgregarEntrada, Qt::LeftButton);
        QCOMPARE(carpeta->dialogos.textos(),
                 QStringList{"El campo \"Fecha Entrada\" no contiene una fecha y hora válidas. "
                             "Escríbalas como se muestran, por ejemplo: 8/5/26 02:03:09 pm"});
        QCOMPARE(filas("SELECT count(*) FROM entradas_salidas"), QStringList{"0"});

        w.campos.txtFechaEntrada->setText("8/5/26 9:30 pm");
        QTest::mouseClick(w.btnAgregarEntrada, Qt::LeftButton);
        w.campos.chkFechaEntrada->setChecked(true);
        w.alTemporizador();
        llenar("Beto", QString(), QString(), "Luz", QString());
        QTest::mouseClick(w.btnAgregarEntrada, Qt::LeftButton);
        QCOMPARE(filas("SELECT FechaEntrada, NombreVisitante FROM entradas_salidas"),
                 (QStringList{"2026-08-05 21:30:00|Ana", "2026-08-05 14:03:09|Beto"}));
    }

    void acompanantesVaciosSonCeroYNoDejaTodoComoEstaba()
    {
        frmEntrada& w = abrir();
        llenar("Ana", QString(), QString(), "Luz", QString());
        carpeta->dialogos.respuestas = {Dialogos::Respuesta::No};
        QTest::mouseClick(w.btnAgregarEntrada, Qt::LeftButton);
        QCOMPARE(w.campos.txtNombreVisitante->text(), "Ana");
        QCOMPARE(filas("SELECT count(*) FROM entradas_salidas"), QStringList{"0"});

        QTest::mouseClick(w.btnAgregarEntrada, Qt::LeftButton);
        QCOMPARE(filas("SELECT NAcomp FROM entradas_salidas"), QStringList{"0"});
    }

    // The check comes before any other, whatever else is typed.
    void visitanteDentroAbreLaSalidaSalvoQueSePermitaDuplicar()
    {
        carpeta->agregarVisita({"2026-08-05 09:00:00", "Luz Ángel"});
        QStringList mostrados;
        carpeta->dialogos.alModal = [&](QDialog& d) {
            mostrados << static_cast<frmSalida&>(d).campos.txtNombreVisitante->text();
            return 0;
        };
        frmEntrada& w = abrir();
        w.campos.txtNombreVisitante->setText("LUZ ÁNGEL");
        QTest::mouseClick(w.btnAgregarEntrada, Qt::LeftButton);
        QCOMPARE(mostrados, QStringList{"Luz Ángel"});
        QVERIFY(carpeta->dialogos.mostrados.empty());

        ventana.reset();
        frmEntrada& otra = abrir("1;0;1;0;0;;1;;;;0;0;1");
        llenar("Luz Ángel", "1", QString(), "Ana", QString());
        QTest::mouseClick(otra.btnAgregarEntrada, Qt::LeftButton);
        QCOMPARE(mostrados.size(), 1);
        QCOMPARE(filas("SELECT count(*) FROM entradas_salidas WHERE FechaSalida IS NULL"),
                 QStringList{"2"});
    }

    void sinAvisosNuncaSeGuardaAviso()
    {
        frmEntrada& w = abrir("1;0;1;0;1;15;1;;;;0;0;0");
        QVERIFY(!w.chkAviso->isVisible() && !w.txtAviso->isVisible());
        llenar("Ana", QString(), QString(), "Luz", QString());
        QTest::keyClick(w.campos.txtObservaciones, Qt::Key_Return); // Enter there stores too
        QCOMPARE(filas("SELECT count(*) FROM avisos"), QStringList{"0"});
        QCOMPARE(filas("SELECT count(*) FROM entradas_salidas"), QStringList{"1"});
    }

    void minutosDeAvisoMalEscritosNoGuardanNada()
    {
        frmEntrada& w = abrir("1;0;1;1;1;x;1;;;;0;0;0");
        llenar("Ana", QString(), QString(), "Luz", QString());
        QTest::mouseClick(w.btnAgregarEntrada, Qt::LeftButton);
        QCOMPARE(carpeta->dialogos.ultimo().texto,
                 carpeta->ctx->idioma.mensaje(QStringLiteral("XAvisoMinutos")));
        QCOMPARE(filas("SELECT count(*) FROM entradas_salidas"), QStringList{"0"});
        w.txtAviso->setText("inf");
        QTest::mouseClick(w.btnAgregarEntrada, Qt::LeftButton);
        QCOMPARE(filas("SELECT count(*) FROM entradas_salidas"), QStringList{"0"});
        w.txtAviso->setText("1,5");
        QTest::mouseClick(w.btnAgregarEntrada, Qt::LeftButton);
        QCOMPARE(filas("SELECT FechaAviso FROM avisos"), QStringList{"2026-08-05 14:04:39"});
    }

    void baseDeDatosPerdidaNoPierdeLoEscrito()
    {
        SOLO_ARCHIVO();
        frmEntrada& w = abrir();
        const QString ruta = carpeta->archivo("zelvora.db");
        QVERIFY(QFile::rename(ruta, ruta + ".fuera"));
        llenar("Ana", QString(), QString(), "Luz", QString());
        QTest::mouseClick(w.btnAgregarEntrada, Qt::LeftButton);
        QVERIFY(carpeta->dialogos.ultimo().texto.contains(ruta));
        QCOMPARE(w.campos.txtNombreVisitante->text(), "Ana");

        QVERIFY(QFile::rename(ruta + ".fuera", ruta));
        QTest::mouseClick(w.btnAgregarEntrada, Qt::LeftButton);
        QCOMPARE(carpeta->dialogos.ultimo().texto, "Entrada realizada correctamente");
    }

    // The order of the names is the statement's, checked with it.
    void completadoOfreceCadaNombreUnaVez()
    {
        for (const char* nombre : {"José Pérez", "JOSÉ PÉREZ", "josefa Ruiz", "Jorge Núñez",
                                   "Ñandú Peña", "Ángela Ríos", "Angela Ríos", "O'Brien"})
            carpeta->agregarVisita({"2026-08-05 09:00:00", nombre, {}, "Ana Gil"});
        frmEntrada& w = abrir();
        QTest::keyClicks(w.campos.txtNombreVisitante, "JO");
        QVERIFY(w.lstNombreVisitante->isVisible());
        QCOMPARE(Textos(w.lstNombreVisitante->model()).size(), 3);
        w.campos.txtNombreVisitante->setText("ñ");
        QCOMPARE(Textos(w.lstNombreVisitante->model()), QStringList{"Ñandú Peña"});
        w.campos.txtNombreVisitante->setText("á");
        QCOMPARE(Textos(w.lstNombreVisitante->model()), QStringList{"Ángela Ríos"});
        w.campos.txtNombreVisitante->setText("o'b");
        QCOMPARE(Textos(w.lstNombreVisitante->model()), QStringList{"O'Brien"});
        w.campos.txtNombreVisitante->setText("%");
        QVERIFY(!w.lstNombreVisitante->isVisible());
        w.campos.txtNombreVisitante->setText("jo");
        w.campos.txtNombreVisitante->clear();
        QVERIFY(!w.lstNombreVisitante->isVisible());

        // Down moves into the list, Enter takes the line back to the field.
        w.campos.txtNombreVisitante->setFocus();
        QTest::keyClicks(w.campos.txtNombreVisitante, "jor");
        QTest::keyClick(w.campos.txtNombreVisitante, Qt::Key_Down);
        QTRY_VERIFY(w.lstNombreVisitante->hasFocus());
        QTest::keyClick(w.lstNombreVisitante, Qt::Key_Return);
        QCOMPARE(w.campos.txtNombreVisitante->text(), "Jorge Núñez");
        QVERIFY(!w.lstNombreVisitante->isVisible());
        QVERIFY(w.campos.txtNombreVisitante->hasFocus());

        QTest::keyClicks(w.campos.txtAutorizaIngreso, "ana");
        QCOMPARE(Textos(w.lstAutorizaIngreso->model()), QStringList{"Ana Gil"});

        // Without completion nothing is offered.
        w.chkAutoCompletarNV->click();
        w.campos.txtNombreVisitante->setText("j");
        QVERIFY(!w.lstNombreVisitante->isVisible());
    }

    // A cut list says so on its last line, which is never copied into the field.
    void listaCortadaLoDiceSinDejarElegirlo()
    {
        for (int n = 1; n <= 101; ++n)
            carpeta->agregarVisita(
                {"2026-08-05 09:00:00", QStringLiteral("Marta Gil %1").arg(n, 3, 10, QChar(u'0'))});
        frmEntrada& w = abrir();
        QListView* lista = w.lstNombreVisitante;
        w.campos.txtNombreVisitante->setFocus();
        QTest::keyClicks(w.campos.txtNombreVisitante, "mar");
        const QStringList lineas = Textos(lista->model());
        QCOMPARE(lineas.size(), 101);
        QCOMPARE(lineas.first(), "Marta Gil 001");
        QCOMPARE(lineas.last(), "Hay más nombres que empiezan así: siga escribiendo");
        const QModelIndex mas = lista->model()->index(100, 0);
        QCOMPARE(lista->model()->flags(mas), Qt::NoItemFlags);

        lista->scrollToBottom();
        QTest::mouseDClick(lista->viewport(), Qt::LeftButton, {}, lista->visualRect(mas).center());
        QCOMPARE(w.campos.txtNombreVisitante->text(), "mar");
        lista->setFocus();
        lista->setCurrentIndex(mas);
        QTest::keyClick(lista, Qt::Key_Return);
        QCOMPARE(w.campos.txtNombreVisitante->text(), "mar");

        // One more letter and all of them fit: no such line.
        w.campos.txtNombreVisitante->setText("marta gil 1");
        QCOMPARE(Textos(lista->model()).size(), 2);
    }

    // Each refill shows the list from its first name; a chosen name leaves the
    // cursor after it, and the focus comes straight back to its own field.
    void listaDesdeArribaYCursorTrasElNombre()
    {
        for (int n = 1; n <= 30; ++n)
            carpeta->agregarVisita({"2026-08-05 09:00:00",
                                    QStringLiteral("Marta Gil %1").arg(n, 3, 10, QChar(u'0')),
                                    {},
                                    QStringLiteral("Luis Paz %1").arg(n)});
        frmEntrada& w = abrir();
        QLineEdit* nombre = w.campos.txtNombreVisitante;
        QListView* lista = w.lstNombreVisitante;
        nombre->setFocus();
        QTest::keyClicks(nombre, "mar");
        lista->scrollToBottom();
        QVERIFY(lista->indexAt(QPoint(1, 1)).row() > 0);
        QTest::keyClicks(nombre, "t");
        QTRY_COMPARE(lista->indexAt(QPoint(1, 1)).row(), 0);

        QTest::keyClick(nombre, Qt::Key_Down);
        QTest::keyClick(lista, Qt::Key_Down);
        QTest::keyClick(lista, Qt::Key_Return);
        QCOMPARE(nombre->text(), "Marta Gil 002");
        QCOMPARE(nombre->selectedText(), QString());
        QCOMPARE(nombre->cursorPosition(), 13);

        // Choosing an authoriser is not leaving the visitor's name.
        QLineEdit* autoriza = w.campos.txtAutorizaIngreso;
        autoriza->setFocus();
        nombre->setText("ana ruiz");
        QTest::keyClicks(autoriza, "luis paz 3");
        QTest::keyClick(autoriza, Qt::Key_Down);
        QTest::keyClick(w.lstAutorizaIngreso, Qt::Key_Return);
        QCOMPARE(autoriza->text(), "Luis Paz 3");
        QCOMPARE(autoriza->selectedText(), QString());
        QCOMPARE(nombre->text(), "ana ruiz");
    }

    void programadasOfrecenSusNombresYLosAutorizadoresSiguenIgual()
    {
        carpeta->agregarVisita({.entra = "2026-08-06 10:00:00",
                                .nombre = "Marta Programada",
                                .autoriza = "Pablo Pérez",
                                .tabla = "visitas_programadas"});
        carpeta->agregarVisita(
            {"2026-08-01 10:00:00", "Mario Pasado", "2026-08-01 11:00:00", "Paula Gil"});
        frmEntrada& w = abrir("1;0;1;0;0;;1;;;;1;0;0");
        QVERIFY(w.chkCargaVisitaProgramada->isVisible());
        QTest::mouseClick(w.lblCargaVisitaProgramada, Qt::LeftButton);
        QVERIFY(w.chkCargaVisitaProgramada->isChecked());
        QVERIFY(!w.chkCargaUltimaVisita->isChecked());
        w.campos.txtNombreVisitante->setText("ma");
        QCOMPARE(Textos(w.lstNombreVisitante->model()), QStringList{"Marta Programada"});
        w.campos.txtAutorizaIngreso->setText("pa");
        QCOMPARE(Textos(w.lstAutorizaIngreso->model()), QStringList{"Paula Gil"});

        // The only selected source cannot be unselected.
        w.chkCargaVisitaProgramada->click();
        QVERIFY(w.chkCargaVisitaProgramada->isChecked());
        w.chkCargaUltimaVisita->click();
        QVERIFY(w.chkCargaUltimaVisita->isChecked() && !w.chkCargaVisitaProgramada->isChecked());
    }

    // The choice of the visit is the statement's, checked with it.
    void cargaLaUltimaVisitaPorSalidaMasReciente()
    {
        carpeta->agregarVisita({"2026-08-05 09:00:00", "luz ángel", "2026-08-01 10:00:00", "Última",
                                1, "XYZ1", "Bolso"});
        carpeta->agregarVisita(
            {"2026-08-05 09:00:00", "Luz Ángel", "2026-07-15 10:00:00", "Intermedia"});
        frmEntrada& w = abrir();
        w.campos.txtNombreVisitante->setText("LUZ ÁNGEL");
        QTest::mouseClick(w.campos.Label3, Qt::LeftButton);
        QCOMPARE(w.campos.txtAutorizaIngreso->text(), "Última");
        QCOMPARE(w.campos.txtPlacaVehiculo->text(), "XYZ1");
        QCOMPARE(w.campos.txtObservaciones->text(), "Bolso");
        QVERIFY(!w.lstAutorizaIngreso->isVisible());
        QVERIFY(w.campos.txtNAcomp->text().isEmpty());
        QCOMPARE(carpeta->textosSucesos().last(),
                 "Nueva Entrada - Carga automáticamente los datos de visitante (Tabla: "
                 "entradas_salidas) de la última vez que ingresó <-LUZ ÁNGEL->");

        // Leaving the name field carries over when asked to; an unknown name changes nothing.
        QTest::mouseClick(w.Label10, Qt::LeftButton);
        QVERIFY(w.chkAutoCargarVisita->isChecked());
        w.campos.txtNombreVisitante->setFocus();
        w.campos.txtNombreVisitante->setText("nadie conocido");
        w.campos.txtObservaciones->setFocus();
        QCOMPARE(w.campos.txtNombreVisitante->text(), "Nadie Conocido");
        QCOMPARE(w.campos.txtAutorizaIngreso->text(), "Última");
        QCOMPARE(carpeta->textosSucesos().last(),
                 "Nueva Entrada - Solicita carga automática de los datos de visitante (Tabla: "
                 "entradas_salidas) de la última vez que ingresó <-Nadie Conocido-> pero no "
                 "existía ninguna visita anterior");
    }

    // A box or another window taking the focus is not the guard leaving the
    // name: nothing is carried over behind the box.
    void focoPerdidoPorOtraVentanaNoCargaNada()
    {
        carpeta->agregarVisita(
            {"2026-08-05 09:00:00", "Luz Ángel", "2026-08-01 10:00:00", "Vieja"});
        frmEntrada& w = abrir();
        w.chkAutoCargarVisita->click();
        w.campos.txtNombreVisitante->setText("luz ángel");
        w.campos.txtAutorizaIngreso->setText("Nuevo");
        QFocusEvent aOtraVentana(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
        QApplication::sendEvent(w.campos.txtNombreVisitante, &aOtraVentana);
        QCOMPARE(w.campos.txtNombreVisitante->text(), "luz ángel");
        QCOMPARE(w.campos.txtAutorizaIngreso->text(), "Nuevo");
        QFocusEvent conTab(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(w.campos.txtNombreVisitante, &conTab);
        QCOMPARE(w.campos.txtNombreVisitante->text(), "Luz Ángel");
        QCOMPARE(w.campos.txtAutorizaIngreso->text(), "Vieja");
    }

    // Leaving any field the guard types names or a plate into tidies what was typed.
    void salirDeUnCampoTecleadoNormaliza()
    {
        frmEntrada& w = abrir();
        for (QLineEdit* campo : {w.campos.txtNombreVisitante, w.campos.txtAutorizaIngreso,
                                 w.campos.txtPlacaVehiculo}) {
            campo->setFocus();
            QTRY_COMPARE(QApplication::focusWidget(), campo);
            w.campos.txtPlacaVehiculo->setText("abc12d");
            QTest::keyClick(campo, Qt::Key_Tab);
            QCOMPARE(w.campos.txtPlacaVehiculo->text(), "ABC12D");
        }
    }

    // Whenever the panel comes up again, the guard types the visitor's name at once.
    void cadaActivacionLlevaAlNombre()
    {
        carpeta->agregarVisita({"2026-08-05 09:00:00", "Ana Ruiz"});
        frmEntrada* w = abrirEnPrincipal();
        QVERIFY(w);
        QLineEdit* nombre = w->campos.txtNombreVisitante;
        QTRY_COMPARE(QApplication::focusWidget(), nombre);
        w->campos.txtObservaciones->setFocus();
        principal->mnuVisitasPendientes->trigger(); // F6
        QTRY_VERIFY(
            principal->panel("frmVisitasPendientes")->isAncestorOf(QApplication::focusWidget()));
        principal->mnuNuevaEntrada->trigger(); // F5
        QTRY_COMPARE(QApplication::focusWidget(), nombre);

        // Back from the exit panel, opened for a visitor still inside.
        w->campos.txtObservaciones->setFocus();
        nombre->setText("Ana Ruiz");
        carpeta->dialogos.alModal = [](QDialog& d) {
            d.show();
            d.activateWindow();
            if (QTest::qWaitForWindowActive(&d))
                static_cast<frmSalida&>(d).btnRegistrarSalida->click();
            return d.result();
        };
        w->btnAgregarEntrada->click();
        QCOMPARE(carpeta->dialogos.ultimo().texto, "Salida realizada correctamente");
        principal->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(principal.get()));
        QTRY_COMPARE(QApplication::focusWidget(), nombre);
    }

    // A click on a box's caption toggles the box; the guard has not left the
    // name field, so nothing is normalised or carried over over the typing.
    void clicEnEtiquetaNoEsSalirDelNombre()
    {
        carpeta->agregarVisita(
            {"2026-08-05 09:00:00", "Luz Ángel", "2026-08-01 10:00:00", "Vieja"});
        frmEntrada* w = abrirEnPrincipal();
        QVERIFY(w);
        w->chkAutoCargarVisita->setChecked(true);
        QLineEdit* nombre = w->campos.txtNombreVisitante;
        nombre->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), nombre);
        nombre->setText("luz ángel");
        w->campos.txtAutorizaIngreso->setText("Nuevo");
        for (QLabel* etiqueta : {w->Label8, w->Label9}) {
            QTest::mouseClick(etiqueta, Qt::LeftButton);
            QCOMPARE(nombre->text(), "luz ángel");
            QCOMPARE(w->campos.txtAutorizaIngreso->text(), "Nuevo");
            QCOMPARE(QApplication::focusWidget(), nombre);
        }
        QVERIFY(!w->chkAutoCompletarNV->isChecked() && !w->chkAutoCompletarAI->isChecked());
    }

    // The clock goes on while the confirmation waits: the entry takes the time
    // the field shows when the guard answers.
    void laHoraEsLaDelMomentoDeConfirmar()
    {
        frmEntrada& w = abrir();
        llenar("Ana", QString(), QString(), "Luz", QString());
        carpeta->dialogos.alMostrar = [&](const Dialogos::Mensaje& m) {
            if (m.botones == Dialogos::Botones::SiNo) {
                carpeta->reloj.momento = carpeta->reloj.momento.addSecs(90);
                w.alTemporizador();
            }
        };
        QTest::mouseClick(w.btnAgregarEntrada, Qt::LeftButton);
        QCOMPARE(filas("SELECT FechaEntrada FROM entradas_salidas"),
                 QStringList{"2026-08-05 14:04:39"});
    }

    void escapeCierraDesdeCualquierCampo()
    {
        frmEntrada& w = abrir();
        w.campos.txtObservaciones->setFocus();
        QTest::keyClick(w.campos.txtObservaciones, Qt::Key_Escape);
        QVERIFY(!w.isVisible());
    }
};

QTEST_MAIN(PruebaEntrada)
#include "tst_frmentrada.moc"
