// The new-entry panel as a guard uses it: check-in with its checks and
// notice, name completion and carry-over, and the open-visit rule.

#include "ApoyoPruebas.h"
#include "foundation/FechasTexto.h"
#include "platform/ModeloTabla.h"
#include "startup/frmPrincipal.h"
#include "visits/frmEntrada.h"
#include "visits/frmSalida.h"
#include "visits/frmVisitasPendientes.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTest>
#include <QTreeView>

namespace {

struct PanelesPrueba : Paneles
{
    QStringList traidos;
    void traerPanel(const QString& origen, bool salida) override
    {
        traidos << origen + (salida ? QStringLiteral("+salida") : QString());
    }
};

QStringList Lista(QListView* lista)
{
    QStringList lineas;
    for (int i = 0; i < lista->model()->rowCount(); ++i)
        lineas << lista->model()->index(i, 0).data().toString();
    return lineas;
}

} // namespace

class PruebaEntrada : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<CarpetaPrueba> carpeta;
    PanelesPrueba paneles;
    std::unique_ptr<frmEntrada> ventana;

    // Fields 3 to 15 of the terminal's configuration line.
    frmEntrada& abrir(const QString& opciones = QStringLiteral("1;0;1;0;0;;1;;;;0;0;0"))
    {
        carpeta->ctx->cfg =
            InterpretarLineaConfiguracion(QStringLiteral(";ACCESO NORTE;") + opciones);
        ventana = std::make_unique<frmEntrada>(*carpeta->ctx, paneles);
        ventana->show();
        [&] { QVERIFY(QTest::qWaitForWindowActive(ventana.get())); }();
        return *ventana;
    }

    void entrada(const QString& nombre, const QString& autoriza, const QString& salida,
                 const QString& fecha = QStringLiteral("2026-08-05 09:00:00"),
                 const QString& tabla = QStringLiteral("entradas_salidas"))
    {
        carpeta->ejecutarSql(
            QStringLiteral("INSERT INTO %1 (FechaEntrada, FechaSalida, NombreVisitante, NAcomp, "
                           "AutorizaIngreso, PlacaVehiculo, Observaciones, NombreVisitanteClave, "
                           "AutorizaIngresoClave) VALUES (?, ?, ?, 1, ?, ?, ?, ?, ?)")
                .arg(tabla),
            {fecha, salida.isEmpty() ? QVariant() : QVariant(salida), nombre, autoriza,
             QStringLiteral("P") + salida.mid(5, 5), QStringLiteral("obs ") + salida,
             nombre.toCaseFolded(), autoriza.toCaseFolded()});
    }

    QStringList filas(const QString& sql)
    {
        QStringList resultado;
        BaseDatos& bd = carpeta->ctx->bd();
        SesionBD sesion(bd);
        QSqlQuery q = bd.ejecutar(sql);
        while (q.next())
            resultado << q.value(0).toString();
        return resultado;
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

private slots:
    void init()
    {
        carpeta = std::make_unique<CarpetaPrueba>();
        carpeta->crearBaseDatos();
        CargarTablasIdioma(QStringLiteral("es"), &carpeta->ctx->idioma);
        carpeta->ctx->Permiso.fill(true);
        paneles.traidos.clear();
    }
    void cleanup()
    {
        ventana.reset();
        carpeta.reset();
    }

    void entradaConAvisoPasadaLaMedianoche()
    {
        carpeta->reloj.momento = QDateTime(QDate(2026, 8, 5), QTime(23, 45, 0));
        frmEntrada& w = abrir(QStringLiteral("1;0;1;1;1;30;1;;;;0;0;0"));
        QVERIFY(w.chkAviso->isVisible() && w.chkAviso->isChecked());
        QCOMPARE(w.txtAviso->text(), QStringLiteral("30"));
        QVERIFY(!w.campos.txtFechaEntrada->isEnabled());
        QCOMPARE(w.windowTitle(), QStringLiteral("Nueva Entrada"));

        llenar(QStringLiteral("o'brien de la peña"), QStringLiteral("2"), QStringLiteral("abc12d"),
               QStringLiteral("ángela núñez"), QStringLiteral("Trae un paquete; frágil"));
        QTest::keyClick(w.campos.txtAutorizaIngreso, Qt::Key_Return);

        const Dialogos::Mensaje& pregunta = carpeta->dialogos.mostrados.at(0);
        QCOMPARE(pregunta.titulo, QStringLiteral("Confirmar Nueva Entrada"));
        QCOMPARE(pregunta.texto,
                 QStringLiteral("¿Realizar la Entrada?\r\n\r\nNombre Visitante: "
                                "O'brien De La Peña\r\nAutoriza ingreso: Ángela "
                                "Núñez\r\nNº Acompañantes: 2\r\nPlaca Vehículo: "
                                "ABC12D\r\nObservaciones: Trae un paquete; frágil"));
        QCOMPARE(carpeta->dialogos.ultimo().texto,
                 QStringLiteral("Entrada realizada correctamente"));
        QCOMPARE(filas(QStringLiteral(
                     "SELECT FechaEntrada || '|' || NombreVisitante || '|' || NAcomp || '|' || "
                     "AutorizaIngreso || '|' || PlacaVehiculo || '|' || Observaciones || '|' || "
                     "ifnull(FechaSalida, 'dentro') FROM entradas_salidas")),
                 QStringList{QStringLiteral("2026-08-05 23:45:00|O'brien De La Peña|2|Ángela "
                                            "Núñez|ABC12D|Trae un paquete; frágil|dentro")});
        // The notice belongs to the new entry and falls due after midnight.
        const QStringList aviso =
            filas(QStringLiteral("SELECT a.FechaAviso FROM avisos a JOIN entradas_salidas e "
                                 "ON e.id_es = a.id_es"));
        QCOMPARE(aviso, QStringList{QStringLiteral("2026-08-06 00:15:00")});
        QCOMPARE(TextoFechaLista(FechaDesdeBD(aviso[0])), QStringLiteral("06/08/2026 12:15:00 am"));
        QCOMPARE(carpeta->textosSucesos().last(), QStringLiteral("Agrega entrada"));

        // Ready for the next visitor: empty fields, the time back at the next tick.
        QVERIFY(w.campos.txtNombreVisitante->text().isEmpty());
        QVERIFY(w.campos.txtFechaEntrada->text().isEmpty());
        QVERIFY(w.chkAviso->isChecked());
        w.alTemporizador();
        QCOMPARE(w.campos.txtFechaEntrada->text(), TextoFechaViva(carpeta->reloj.momento));
        QVERIFY(!w.campos.txtFechaEntrada->isEnabled());
    }

    void validacionPorOrdenSinGuardarNada_data()
    {
        QTest::addColumn<QString>("nombre");
        QTest::addColumn<QString>("fecha");
        QTest::addColumn<QString>("acomp");
        QTest::addColumn<QString>("autoriza");
        QTest::addColumn<QString>("mensaje");
        const QString fecha = QStringLiteral("05/08/2026 10:00:00 am");
        QTest::newRow("todo vacio") << ""
                                    << ""
                                    << "x"
                                    << ""
                                    << "Debe indicar el Nombre del Visitante";
        QTest::newRow("sin fecha") << "Ana"
                                   << ""
                                   << "x"
                                   << ""
                                   << "Debe indicar la Fecha de Entrada";
        // The example is written the way the live field shows the time.
        QTest::newRow("fecha imposible")
            << "Ana"
            << "31/02/2026 10:00:00 am"
            << "x"
            << ""
            << "El campo \"Fecha Entrada\" no contiene una fecha y hora válidas. Escríbalas como "
               "se "
               "muestran, por ejemplo: " +
                   TextoFechaViva(QDateTime(QDate(2026, 8, 5), QTime(14, 3, 9)));
        QTest::newRow("acompanantes letra") << "Ana" << fecha << "x"
                                            << ""
                                            << "Indique correctamente el Número de Acompañantes";
        QTest::newRow("acompanantes negativo") << "Ana" << fecha << "-1"
                                               << "Luz"
                                               << "Indique correctamente el Número de Acompañantes";
        QTest::newRow("sin autoriza") << "Ana" << fecha << ""
                                      << ""
                                      << "Debe indicar quién Autoriza ingreso";
    }

    void validacionPorOrdenSinGuardarNada()
    {
        QFETCH(QString, nombre);
        QFETCH(QString, fecha);
        QFETCH(QString, acomp);
        QFETCH(QString, autoriza);
        QFETCH(QString, mensaje);
        frmEntrada& w = abrir();
        w.campos.chkFechaEntrada->setChecked(false);
        w.campos.txtFechaEntrada->setText(fecha);
        llenar(nombre, acomp, QString(), autoriza, QString());
        QTest::mouseClick(w.btnAgregarEntrada, Qt::LeftButton);
        QCOMPARE(carpeta->dialogos.mostrados.size(), size_t(1));
        QCOMPARE(carpeta->dialogos.ultimo().texto, mensaje);
        QCOMPARE(carpeta->dialogos.ultimo().titulo, QString());
        QCOMPARE(filas(QStringLiteral("SELECT count(*) FROM entradas_salidas")),
                 QStringList{QStringLiteral("0")});
    }

    void acompanantesVaciosSonCeroYNoDejaTodoComoEstaba()
    {
        frmEntrada& w = abrir();
        llenar(QStringLiteral("Ana"), QString(), QString(), QStringLiteral("Luz"), QString());
        carpeta->dialogos.respuestas = {Dialogos::Respuesta::No};
        QTest::mouseClick(w.btnAgregarEntrada, Qt::LeftButton);
        QCOMPARE(w.campos.txtNombreVisitante->text(), QStringLiteral("Ana"));
        QCOMPARE(filas(QStringLiteral("SELECT count(*) FROM entradas_salidas")),
                 QStringList{QStringLiteral("0")});

        QTest::mouseClick(w.btnAgregarEntrada, Qt::LeftButton);
        QCOMPARE(filas(QStringLiteral("SELECT NAcomp FROM entradas_salidas")),
                 QStringList{QStringLiteral("0")});
    }

    void visitanteDentroAbreLaSalidaSalvoQueSePermitaDuplicar()
    {
        entrada(QStringLiteral("Luz Ángel"), QStringLiteral("Ana"), QString());
        int abiertas = 0;
        QString mostrado;
        carpeta->dialogos.alModal = [&](QDialog& d) {
            ++abiertas;
            mostrado = static_cast<frmSalida&>(d).campos.txtNombreVisitante->text();
            return 0;
        };
        frmEntrada& w = abrir();
        w.campos.txtNombreVisitante->setText(QStringLiteral("LUZ ÁNGEL"));
        QTest::mouseClick(w.btnAgregarEntrada, Qt::LeftButton);
        QCOMPARE(abiertas, 1);
        QCOMPARE(mostrado, QStringLiteral("Luz Ángel"));
        QVERIFY(carpeta->dialogos.mostrados.empty()); // no validation message
        QCOMPARE(carpeta->ctx->traspaso.PanelOrigen, QStringLiteral("NuevaEntrada"));
        QCOMPARE(carpeta->ctx->traspaso.IdEntradaSel, 1);

        ventana.reset();
        frmEntrada& otra = abrir(QStringLiteral("1;0;1;0;0;;1;;;;0;0;1"));
        llenar(QStringLiteral("Luz Ángel"), QStringLiteral("1"), QString(), QStringLiteral("Ana"),
               QString());
        QTest::mouseClick(otra.btnAgregarEntrada, Qt::LeftButton);
        QCOMPARE(abiertas, 1);
        QCOMPARE(filas(QStringLiteral("SELECT count(*) FROM entradas_salidas WHERE FechaSalida IS "
                                      "NULL")),
                 QStringList{QStringLiteral("2")});
    }

    void sinAvisosNuncaSeGuardaAviso()
    {
        frmEntrada& w = abrir(QStringLiteral("1;0;1;0;1;15;1;;;;0;0;0"));
        QVERIFY(!w.chkAviso->isVisible() && !w.txtAviso->isVisible());
        llenar(QStringLiteral("Ana"), QString(), QString(), QStringLiteral("Luz"), QString());
        QTest::mouseClick(w.btnAgregarEntrada, Qt::LeftButton);
        QCOMPARE(filas(QStringLiteral("SELECT count(*) FROM avisos")),
                 QStringList{QStringLiteral("0")});
        QCOMPARE(filas(QStringLiteral("SELECT count(*) FROM entradas_salidas")),
                 QStringList{QStringLiteral("1")});
    }

    void minutosDeAvisoMalEscritosNoGuardanNada()
    {
        frmEntrada& w = abrir(QStringLiteral("1;0;1;1;1;x;1;;;;0;0;0"));
        llenar(QStringLiteral("Ana"), QString(), QString(), QStringLiteral("Luz"), QString());
        QTest::mouseClick(w.btnAgregarEntrada, Qt::LeftButton);
        QCOMPARE(carpeta->dialogos.ultimo().texto,
                 carpeta->ctx->idioma.mensaje(QStringLiteral("XAvisoMinutos")));
        QCOMPARE(filas(QStringLiteral("SELECT count(*) FROM entradas_salidas")),
                 QStringList{QStringLiteral("0")});
        w.txtAviso->setText(QStringLiteral("1,5"));
        QTest::mouseClick(w.btnAgregarEntrada, Qt::LeftButton);
        QCOMPARE(filas(QStringLiteral("SELECT FechaAviso FROM avisos")),
                 QStringList{QStringLiteral("2026-08-05 14:04:39")});
    }

    void baseDeDatosPerdidaNoPierdeLoEscrito()
    {
        frmEntrada& w = abrir();
        const QString ruta = carpeta->archivo(QStringLiteral("zelvora.db"));
        QVERIFY(QFile::rename(ruta, ruta + QStringLiteral(".fuera")));
        llenar(QStringLiteral("Ana"), QString(), QString(), QStringLiteral("Luz"), QString());
        QTest::mouseClick(w.btnAgregarEntrada, Qt::LeftButton);
        QVERIFY(carpeta->dialogos.ultimo().texto.contains(ruta));
        QCOMPARE(w.campos.txtNombreVisitante->text(), QStringLiteral("Ana"));
        QVERIFY(
            carpeta->textosSucesos().last().startsWith(QStringLiteral("Error de base de datos")));

        QVERIFY(QFile::rename(ruta + QStringLiteral(".fuera"), ruta));
        QTest::mouseClick(w.btnAgregarEntrada, Qt::LeftButton);
        QCOMPARE(carpeta->dialogos.ultimo().texto,
                 QStringLiteral("Entrada realizada correctamente"));
    }

    void completadoOfreceCadaNombreUnaVez()
    {
        for (const char* nombre : {"José Pérez", "JOSÉ PÉREZ", "josefa Ruiz", "Jorge Núñez",
                                   "Ñandú Peña", "Ángela Ríos", "Angela Ríos", "O'Brien"})
            entrada(QString::fromUtf8(nombre), QStringLiteral("Ana Gil"),
                    QStringLiteral("2026-08-05 10:00:00"));
        frmEntrada& w = abrir();
        QTest::keyClicks(w.campos.txtNombreVisitante, QStringLiteral("JO"));
        QVERIFY(w.lstNombreVisitante->isVisible());
        const QStringList jo = Lista(w.lstNombreVisitante);
        QCOMPARE(jo.size(), 3);
        QCOMPARE(jo[0], QStringLiteral("Jorge Núñez"));
        QCOMPARE(jo[1].toCaseFolded(), QStringLiteral("josé pérez"));
        QCOMPARE(jo[2], QStringLiteral("josefa Ruiz"));

        w.campos.txtNombreVisitante->setText(QStringLiteral("ñ"));
        QCOMPARE(Lista(w.lstNombreVisitante), QStringList{QStringLiteral("Ñandú Peña")});
        w.campos.txtNombreVisitante->setText(QStringLiteral("á"));
        QCOMPARE(Lista(w.lstNombreVisitante), QStringList{QStringLiteral("Ángela Ríos")});
        w.campos.txtNombreVisitante->setText(QStringLiteral("o'b"));
        QCOMPARE(Lista(w.lstNombreVisitante), QStringList{QStringLiteral("O'Brien")});
        w.campos.txtNombreVisitante->setText(QStringLiteral("%"));
        QVERIFY(!w.lstNombreVisitante->isVisible());
        w.campos.txtNombreVisitante->clear();
        QVERIFY(!w.lstNombreVisitante->isVisible());

        // Down moves into the list, Enter takes the line back to the field.
        w.campos.txtNombreVisitante->setFocus();
        QTest::keyClicks(w.campos.txtNombreVisitante, QStringLiteral("jor"));
        QTest::keyClick(w.campos.txtNombreVisitante, Qt::Key_Down);
        QTRY_VERIFY(w.lstNombreVisitante->hasFocus());
        QTest::keyClick(w.lstNombreVisitante, Qt::Key_Return);
        QCOMPARE(w.campos.txtNombreVisitante->text(), QStringLiteral("Jorge Núñez"));
        QVERIFY(!w.lstNombreVisitante->isVisible());
        QVERIFY(w.campos.txtNombreVisitante->hasFocus());

        QTest::keyClicks(w.campos.txtAutorizaIngreso, QStringLiteral("ana"));
        QCOMPARE(Lista(w.lstAutorizaIngreso), QStringList{QStringLiteral("Ana Gil")});

        // Without completion nothing is offered.
        w.chkAutoCompletarNV->click();
        w.campos.txtNombreVisitante->setText(QStringLiteral("j"));
        QVERIFY(!w.lstNombreVisitante->isVisible());
    }

    void programadasOfrecenSusNombresYLosAutorizadoresSiguenIgual()
    {
        entrada(QStringLiteral("Marta Programada"), QStringLiteral("Pablo Pérez"), QString(),
                QStringLiteral("2026-08-06 10:00:00"), QStringLiteral("visitas_programadas"));
        entrada(QStringLiteral("Mario Pasado"), QStringLiteral("Paula Gil"),
                QStringLiteral("2026-08-01 11:00:00"));
        frmEntrada& w = abrir(QStringLiteral("1;0;1;0;0;;1;;;;1;0;0"));
        QVERIFY(w.chkCargaVisitaProgramada->isVisible());
        QTest::mouseClick(w.lblCargaVisitaProgramada, Qt::LeftButton);
        QVERIFY(w.chkCargaVisitaProgramada->isChecked());
        QVERIFY(!w.chkCargaUltimaVisita->isChecked());
        w.campos.txtNombreVisitante->setText(QStringLiteral("ma"));
        QCOMPARE(Lista(w.lstNombreVisitante), QStringList{QStringLiteral("Marta Programada")});
        w.campos.txtAutorizaIngreso->setText(QStringLiteral("pa"));
        QCOMPARE(Lista(w.lstAutorizaIngreso), QStringList{QStringLiteral("Paula Gil")});

        // The only selected source cannot be unselected.
        w.chkCargaVisitaProgramada->click();
        QVERIFY(w.chkCargaVisitaProgramada->isChecked());
        w.chkCargaUltimaVisita->click();
        QVERIFY(w.chkCargaUltimaVisita->isChecked() && !w.chkCargaVisitaProgramada->isChecked());
    }

    void cargaLaUltimaVisitaPorSalidaMasReciente()
    {
        entrada(QStringLiteral("Luz Ángel"), QStringLiteral("Primera"),
                QStringLiteral("2026-07-01 10:00:00"));
        entrada(QStringLiteral("luz ángel"), QStringLiteral("Última"),
                QStringLiteral("2026-08-01 10:00:00"));
        entrada(QStringLiteral("Luz Ángel"), QStringLiteral("Intermedia"),
                QStringLiteral("2026-07-15 10:00:00"));
        frmEntrada& w = abrir();
        w.campos.txtNombreVisitante->setText(QStringLiteral("LUZ ÁNGEL"));
        QTest::mouseClick(w.campos.Label3, Qt::LeftButton);
        QCOMPARE(w.campos.txtAutorizaIngreso->text(), QStringLiteral("Última"));
        QCOMPARE(w.campos.txtPlacaVehiculo->text(), QStringLiteral("P08-01"));
        QCOMPARE(w.campos.txtObservaciones->text(), QStringLiteral("obs 2026-08-01 10:00:00"));
        QVERIFY(!w.lstAutorizaIngreso->isVisible());
        QVERIFY(w.campos.txtNAcomp->text().isEmpty());
        QCOMPARE(carpeta->textosSucesos().last(),
                 QStringLiteral("Nueva Entrada - Carga automáticamente los datos de visitante "
                                "(Tabla: entradas_salidas) de la última vez que ingresó <-LUZ "
                                "ÁNGEL->"));

        // Leaving the name field carries over when asked to; an unknown name changes nothing.
        QTest::mouseClick(w.Label10, Qt::LeftButton);
        QVERIFY(w.chkAutoCargarVisita->isChecked());
        w.campos.txtNombreVisitante->setFocus();
        w.campos.txtNombreVisitante->setText(QStringLiteral("nadie conocido"));
        w.campos.txtObservaciones->setFocus();
        QCOMPARE(w.campos.txtNombreVisitante->text(), QStringLiteral("Nadie Conocido"));
        QCOMPARE(w.campos.txtAutorizaIngreso->text(), QStringLiteral("Última"));
        QCOMPARE(carpeta->textosSucesos().last(),
                 QStringLiteral("Nueva Entrada - Solicita carga automática de los datos de "
                                "visitante (Tabla: entradas_salidas) de la última vez que ingresó "
                                "<-Nadie Conocido-> pero no existía ninguna visita anterior"));
    }

    void escapeCierraDesdeCualquierCampo()
    {
        frmEntrada& w = abrir();
        w.campos.txtObservaciones->setFocus();
        QTest::keyClick(w.campos.txtObservaciones, Qt::Key_Escape);
        QVERIFY(!w.isVisible());
    }

    // Check-in with notice, see the visitor inside, register the exit, and the
    // list shrinks and the notice is gone.
    void elCaminoDeUnaVisita()
    {
        carpeta->ctx->cfg =
            InterpretarLineaConfiguracion(QStringLiteral(";ACCESO NORTE;1;0;1;1;1;45;1;;;;0;0;0"));
        carpeta->ctx->usuario.UsuarioId = 1;
        frmPrincipal principal(*carpeta->ctx);
        principal.cargar();
        principal.findChild<QAction*>(QStringLiteral("mnuNuevaEntrada"))->trigger();
        auto* w = qobject_cast<frmEntrada*>(principal.panel(QStringLiteral("frmEntrada")));
        QVERIFY(w);
        QCOMPARE(carpeta->textosSucesos().last(), QStringLiteral("Abre panel de nueva entrada"));
        w->campos.txtNombreVisitante->setText(QStringLiteral("Rosa Cárdenas"));
        w->campos.txtAutorizaIngreso->setText(QStringLiteral("Tomás Luna"));
        QTest::keyClick(w->campos.txtObservaciones, Qt::Key_Return);
        QCOMPARE(filas(QStringLiteral("SELECT count(*) FROM avisos")),
                 QStringList{QStringLiteral("1")});

        principal.findChild<QAction*>(QStringLiteral("mnuVisitasPendientes"))->trigger();
        auto* actuales = qobject_cast<frmVisitasPendientes*>(
            principal.panel(QStringLiteral("frmVisitasPendientes")));
        QVERIFY(actuales);
        QCOMPARE(actuales->windowTitle(), QStringLiteral("Visitantes Actuales: 1"));

        carpeta->dialogos.alModal = [](QDialog& d) {
            QTest::mouseClick(static_cast<frmSalida&>(d).btnRegistrarSalida, Qt::LeftButton);
            return 1;
        };
        actuales->ListView1->setCurrentIndex(actuales->modelo()->index(0, 0));
        QTest::keyClick(actuales->ListView1, Qt::Key_Return);
        QCOMPARE(actuales->windowTitle(), QStringLiteral("Visitantes Actuales: 0"));
        QCOMPARE(filas(QStringLiteral("SELECT count(*) FROM avisos")),
                 QStringList{QStringLiteral("0")});
        QCOMPARE(carpeta->dialogos.ultimo().texto,
                 QStringLiteral("Salida realizada correctamente"));
        QCOMPARE(carpeta->textosSucesos().last(), QStringLiteral("Registra salida"));
        carpeta->dialogos.respuestas = {Dialogos::Respuesta::No};
        principal.close();
    }
};

QTEST_MAIN(PruebaEntrada)
#include "tst_frmentrada.moc"
