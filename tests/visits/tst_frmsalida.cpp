// The exit panel as a guard drives it: what it shows, the exit and the
// correction as other terminals then read them, and the panel it returns to.

#include "ApoyoPruebas.h"
#include "startup/frmPrincipal.h"
#include "visits/frmEntrada.h"
#include "visits/frmSalida.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTest>

class PruebaSalida : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<CarpetaPrueba> carpeta;
    std::unique_ptr<frmPrincipal> ventana;
    int modales = 0;
    QList<bool> guardados;          // what each saved exit panel told its opener
    bool cerrarLaSiguiente = false; // the next exit panel closes at once

    Contexto& ctx() { return *carpeta->ctx; }

    int entrada(const char* hora, const QString& nombre)
    {
        return carpeta->agregarVisita({QStringLiteral("2026-08-05 ") + hora, nombre});
    }

    // The stored row as another terminal reads it.
    QString fila(int idEs)
    {
        return carpeta
            ->consultar("SELECT FechaEntrada, FechaSalida, NombreVisitante, NAcomp, "
                        "AutorizaIngreso, PlacaVehiculo, Observaciones, NombreVisitanteClave, "
                        "AutorizaIngresoClave FROM entradas_salidas WHERE id_es = ?",
                        {idEs})
            .value(0);
    }

    int contar(const QString& tabla)
    {
        return carpeta->consultar("SELECT count(*) FROM " + tabla).value(0).toInt();
    }

    // Whatever opens the exit panel next: it is shown and active, and the
    // guard's steps run while it is up.
    void alAbrir(const std::function<void(frmSalida&)>& pasos)
    {
        carpeta->dialogos.alModal = [this, pasos](QDialog& ventanaModal) {
            if (cerrarLaSiguiente) {
                cerrarLaSiguiente = false;
                return 0;
            }
            ++modales;
            auto& salida = static_cast<frmSalida&>(ventanaModal);
            salida.show();
            salida.activateWindow();
            if (QTest::qWaitForWindowActive(&salida))
                pasos(salida);
            return salida.result();
        };
    }

    // Opened from the main window itself, which hears what was saved.
    void abrir(int idEs, const std::function<void(frmSalida&)>& pasos)
    {
        alAbrir(pasos);
        frmSalida::Abrir(ctx(), ventana.get(), idEs, [this](bool salida) { guardados << salida; });
        QCOMPARE(modales, 1);
    }

    // Types over a field's text and leaves it with Tab.
    static void teclear(QLineEdit* campo, const QString& texto)
    {
        campo->setFocus();
        campo->selectAll();
        QTest::keyClick(campo, Qt::Key_Delete);
        for (const QChar letra : texto) // keyClicks knows no accented letters
            QTest::sendKeyEvent(QTest::Click, campo, Qt::Key_unknown, QString(letra), {});
        QTest::keyClick(campo, Qt::Key_Tab);
    }

    // 5 August 2026 as the live exit time shows it.
    static QString hoy(const QString& hora)
    {
        return QLocale().toString(QDate(2026, 8, 5), QLocale::ShortFormat) + u' ' + hora;
    }

private slots:
    void init()
    {
        carpeta = std::make_unique<CarpetaPrueba>();
        carpeta->crearBaseDatos();
        ventana = carpeta->entrar();
        modales = 0;
        guardados.clear();
        cerrarLaSiguiente = false;
        // A month-first machine: its short date and the lists' day-first one differ.
        QLocale::setDefault(QLocale(QStringLiteral("en_US")));
    }
    void cleanup()
    {
        ventana.reset();
        carpeta.reset();
    }

    void salidaConfirmadaGuardaLoCorregido()
    {
        const int id = entrada("13:40:00", "Ana Ruiz");
        const QString antes = fila(id);
        carpeta->dialogos.respuestas = {Dialogos::Respuesta::No, Dialogos::Respuesta::Si};
        abrir(id, [&](frmSalida& w) {
            teclear(w.campos.txtNombreVisitante, "josé o'brien");
            teclear(w.campos.txtNAcomp, "");
            teclear(w.campos.txtPlacaVehiculo, "xyz-98a");
            teclear(w.campos.txtAutorizaIngreso, "ñandú peña");
            teclear(w.campos.txtObservaciones, "dejó la llave");
            QCOMPARE(
                (QStringList{w.campos.txtNombreVisitante->text(), w.campos.txtPlacaVehiculo->text(),
                             w.campos.txtAutorizaIngreso->text()}),
                (QStringList{"José O'brien", "XYZ-98A", "Ñandú Peña"}));
            w.chkFechaSalida->setChecked(false);
            w.alTemporizador();
            teclear(w.txtFechaSalida, hoy("04:45:10 pm"));
            // No to the question: the panel stays with what was typed, nothing is stored.
            w.btnRegistrarSalida->click();
            QVERIFY(w.isVisible());
            QCOMPARE(fila(id), antes);
            QVERIFY(carpeta->textosSucesos().isEmpty());
            // Enter in the name normalises it and asks again; Yes.
            w.campos.txtNombreVisitante->setText("josé o'brien");
            QTest::keyClick(w.campos.txtNombreVisitante, Qt::Key_Return);
            QVERIFY(!w.isVisible());
        });
        QCOMPARE(fila(id), "2026-08-05 13:40:00|2026-08-05 16:45:10|José O'brien|0|Ñandú "
                           "Peña|XYZ-98A|dejó la llave|josé o'brien|ñandú peña");
        const auto& mostrados = carpeta->dialogos.mostrados;
        QCOMPARE(mostrados.size(), size_t(3));
        QCOMPARE(mostrados[1].texto,
                 "¿Realizar la Salida?\r\n\r\nNombre Visitante: José O'brien\r\n"
                 "Autoriza ingreso: Ñandú Peña\r\nNº Acompañantes: \r\n"
                 "Placa Vehículo: XYZ-98A\r\nObservaciones: dejó la llave");
        QCOMPARE(mostrados[1].titulo, "Confirmar Salida");
        QCOMPARE(mostrados[1].botones, Dialogos::Botones::SiNo);
        QCOMPARE(mostrados[2].texto, "Salida realizada correctamente");
        QCOMPARE(carpeta->textosSucesos(), QStringList{"Registra salida"});
        // The opener heard of the exit once, not of the question answered No.
        QCOMPARE(guardados, QList<bool>{true});
    }

    void avisosDeLaEntradaSegunLaTerminal_data()
    {
        QTest::addColumn<bool>("avisos");
        QTest::addColumn<QStringList>("quedan"); // entry and its notices
        QTest::newRow("avisos activos") << true << QStringList{"2|1"};
        QTest::newRow("avisos apagados") << false << QStringList{"1|2", "2|1"};
    }
    void avisosDeLaEntradaSegunLaTerminal()
    {
        QFETCH(bool, avisos);
        QFETCH(QStringList, quedan);
        ctx().cfg.EfectuarAviso = avisos;
        const int id = entrada("09:00:00", "Ana Ruiz");
        const int otra = entrada("09:05:00", "Beto Paz");
        for (int idEs : {id, id, otra})
            carpeta->ejecutarSql("INSERT INTO avisos VALUES (?, '2026-08-05 15:00:00')", {idEs});
        abrir(id, [&](frmSalida& w) {
            QVERIFY(!w.txtFechaSalida->isEnabled());
            QCOMPARE(w.txtFechaSalida->text(), hoy("02:03:09 pm"));
            // While on Auto every tick shows the clock, and that is the time stored.
            carpeta->reloj.momento = carpeta->reloj.momento.addSecs(61);
            w.alTemporizador();
            w.btnRegistrarSalida->click();
        });
        QCOMPARE(
            carpeta->consultar("SELECT id_es, count(*) FROM avisos GROUP BY id_es ORDER BY id_es"),
            quedan);
        QCOMPARE(fila(id).section(u'|', 1, 1), "2026-08-05 14:04:10");
    }

    // The clock goes on while the confirmation waits: the exit takes the time
    // the field shows when the guard answers, the time of its log line.
    void laSalidaEsLaHoraDeConfirmar()
    {
        const int id = entrada("09:00:00", "Ana Ruiz");
        carpeta->reloj.momento = QDateTime(QDate(2026, 8, 5), QTime(11, 6, 31));
        abrir(id, [&](frmSalida& w) {
            carpeta->dialogos.alMostrar = [&](const Dialogos::Mensaje& m) {
                if (m.botones == Dialogos::Botones::SiNo) {
                    carpeta->reloj.momento = carpeta->reloj.momento.addSecs(8);
                    w.alTemporizador();
                }
            };
            w.btnRegistrarSalida->click();
        });
        QCOMPARE(fila(id).section(u'|', 1, 1), "2026-08-05 11:06:39");
        QCOMPARE(carpeta->lineasSucesos().last().section(u';', 1, 1), "11:06:39");
    }

    void corregirNoPreguntaYConservaLaSalida()
    {
        const int id = entrada("09:00:00", "Ana Ruiz");
        carpeta->ejecutarSql("UPDATE entradas_salidas SET FechaEntrada = "
                             "'2026-03-04 21:07:05', FechaSalida = "
                             "'2026-03-04 23:10:00', PlacaVehiculo = NULL WHERE id_es = ?",
                             {id});
        abrir(id, [&](frmSalida& w) {
            // Day and month both up to 12, in the evening: a swap or a 24-hour clock shows.
            const CamposVisita& c = w.campos;
            QCOMPARE(
                (QStringList{c.txtFechaEntrada->text(), c.txtNombreVisitante->text(),
                             c.txtNAcomp->text(), c.txtPlacaVehiculo->text(),
                             c.txtAutorizaIngreso->text(), c.txtObservaciones->text()}),
                (QStringList{"04/03/2026 09:07:05 pm", "Ana Ruiz", "1", "", "Luis Gil", "Taxi"}));
            QCOMPARE(QApplication::focusWidget(), c.txtNombreVisitante);
            QVERIFY(!c.txtFechaEntrada->isEnabled());
            w.campos.chkFechaEntrada->setChecked(false);
            w.alTemporizador();
            teclear(w.campos.txtFechaEntrada, "03/04/2026 9:07 pm");
            teclear(w.campos.txtNAcomp, "12");
            teclear(w.campos.txtObservaciones, "olvidó el paraguas");
            w.btnModificarEntrada->click();
            QVERIFY(!w.isVisible());
        });
        QCOMPARE(fila(id), "2026-04-03 21:07:00|2026-03-04 23:10:00|Ana Ruiz|12|Luis Gil||"
                           "olvidó el paraguas|ana ruiz|luis gil");
        QCOMPARE(carpeta->dialogos.textos(), QStringList{"Modificación realizada correctamente"});
        QCOMPARE(carpeta->textosSucesos(), QStringList{"Modifica entrada"});
        QCOMPARE(guardados, QList<bool>{false});
    }

    void validacionEnOrden_data()
    {
        // Name, entry, exit, companions, authoriser; null: as loaded, the time on Auto.
        QTest::addColumn<bool>("salida");
        QTest::addColumn<QStringList>("textos");
        QTest::addColumn<QString>("mensaje"); // slot, or the label of an unreadable time
        QTest::addColumn<QString>("foco");
        const auto fila = [](const char* caso, bool salida, const QStringList& textos,
                             const char* mensaje, const char* foco) {
            QTest::newRow(caso) << salida << textos << QString(mensaje) << QString(foco);
        };
        const QString no;
        fila("sin nombre", true, {"", "", "", "x", ""}, "300", "txtNombreVisitante");
        fila("sin entrada", true, {no, "", "", "x", ""}, "301", "txtFechaEntrada");
        fila("sin salida", true, {no, no, "", "x", ""}, "302", "txtFechaSalida");
        fila("salida ilegible", true, {no, no, "mañana", "x", ""}, "Fecha Salida",
             "txtFechaSalida");
        fila("acompañantes", true, {no, no, no, "-1", ""}, "303", "txtNAcomp");
        fila("sin autoriza", true, {no, no, no, "", ""}, "304", "txtAutorizaIngreso");
        // A correction never reads the exit time.
        fila("corrección entrada ilegible", false, {no, "4 de marzo", "", "x", ""}, "Fecha Entrada",
             "txtFechaEntrada");
        fila("corrección acompañantes", false, {no, no, "", "7x", ""}, "297", "txtNAcomp");
        fila("corrección sin autoriza", false, {no, no, "", "", ""}, "298", "txtAutorizaIngreso");
    }
    void validacionEnOrden()
    {
        QFETCH(bool, salida);
        QFETCH(QStringList, textos);
        QFETCH(QString, mensaje);
        QFETCH(QString, foco);
        const int id = entrada("09:00:00", "Ana Ruiz");
        const QString antes = fila(id);
        QString esperado = ctx().texto(mensaje.toInt());
        if (mensaje.toInt() == 0) // an unreadable time: named, with an example of its form
            esperado = ctx()
                           .idioma.mensaje("XFechaInvalida")
                           .arg(mensaje, mensaje == u"Fecha Entrada" ? "05/08/2026 02:03:09 pm"
                                                                     : hoy("02:03:09 pm"));
        abrir(id, [&](frmSalida& w) {
            QLineEdit* campos[] = {w.campos.txtNombreVisitante, w.campos.txtFechaEntrada,
                                   w.txtFechaSalida, w.campos.txtNAcomp,
                                   w.campos.txtAutorizaIngreso};
            w.campos.chkFechaEntrada->setChecked(textos[1].isNull());
            w.chkFechaSalida->setChecked(textos[2].isNull());
            w.alTemporizador();
            for (int i = 0; i < 5; ++i)
                if (!textos[i].isNull())
                    campos[i]->setText(textos[i]);
            (salida ? w.btnRegistrarSalida : w.btnModificarEntrada)->click();
            QVERIFY(w.isVisible());
            QCOMPARE(QApplication::focusWidget(), w.findChild<QWidget*>(foco));
        });
        QCOMPARE(carpeta->dialogos.textos(), QStringList{esperado});
        QCOMPARE(fila(id), antes);
        QVERIFY(carpeta->textosSucesos().isEmpty());
    }

    void entradaBorradaConElPanelAbierto_data()
    {
        QTest::addColumn<bool>("salida");
        QTest::newRow("salida") << true;
        QTest::newRow("corrección") << false;
    }
    void entradaBorradaConElPanelAbierto()
    {
        QFETCH(bool, salida);
        ctx().cfg.EfectuarAviso = true;
        const int id = entrada("09:00:00", "Ana Ruiz");
        carpeta->ejecutarSql("INSERT INTO avisos VALUES (?, '2026-08-05 09:10:00')", {id});
        abrir(id, [&](frmSalida& w) {
            carpeta->ejecutarSql("DELETE FROM entradas_salidas WHERE id_es = ?", {id});
            (salida ? w.btnRegistrarSalida : w.btnModificarEntrada)->click();
            QVERIFY(!w.isVisible());
        });
        QCOMPARE(carpeta->dialogos.textos().last(), ctx().idioma.mensaje("XEntradaNoExiste"));
        // The exit and the notice go together: the failed exit deleted no notice.
        QCOMPARE(contar("avisos"), 1);
        QVERIFY(carpeta->textosSucesos().isEmpty());
        QVERIFY(guardados.isEmpty());
    }

    // Each exit panel keeps the entry it was opened for, whatever other exit
    // panel opens and closes while it is up.
    void cadaPanelGuardaSuPropiaEntrada()
    {
        const int ana = entrada("09:00:00", "Ana Ruiz");
        const int beto = entrada("09:05:00", "Beto Paz");
        abrir(ana, [&](frmSalida& w) {
            cerrarLaSiguiente = true;
            frmSalida::Abrir(ctx(), &w, beto, [](bool) {});
            w.btnRegistrarSalida->click();
        });
        QVERIFY(fila(ana).section(u'|', 1, 1) != "NULL");
        QCOMPARE(fila(beto).section(u'|', 1, 1), "NULL");
    }

    void desdeNuevaEntradaSoloLaSalidaVaciaSusCampos_data()
    {
        QTest::addColumn<bool>("salida");
        QTest::addColumn<QStringList>("quedan");
        QTest::newRow("salida") << true << QStringList{"", "", "", "", ""};
        QTest::newRow("corrección")
            << false << QStringList{"Ana Ruiz", "3", "Eva Mar", "QWE1", "otra vez"};
    }
    void desdeNuevaEntradaSoloLaSalidaVaciaSusCampos()
    {
        QFETCH(bool, salida);
        QFETCH(QStringList, quedan);
        const int id = entrada("09:00:00", "Ana Ruiz");
        ventana->mnuNuevaEntrada->trigger();
        auto* nueva = qobject_cast<frmEntrada*>(ventana->panel("frmEntrada"));
        QVERIFY(nueva);
        QLineEdit* campos[] = {nueva->campos.txtNombreVisitante, nueva->campos.txtNAcomp,
                               nueva->campos.txtAutorizaIngreso, nueva->campos.txtPlacaVehiculo,
                               nueva->campos.txtObservaciones};
        const QStringList tecleados{"Ana Ruiz", "3", "Eva Mar", "QWE1", "otra vez"};
        for (int i = 0; i < 5; ++i)
            campos[i]->setText(tecleados[i]);
        alAbrir([&](frmSalida& w) {
            (salida ? w.btnRegistrarSalida : w.btnModificarEntrada)->click();
        });
        nueva->btnAgregarEntrada->click();
        QCOMPARE(modales, 1);
        QStringList vistos;
        for (QLineEdit* campo : campos)
            vistos << campo->text();
        QCOMPARE(vistos, quedan);
        QCOMPARE(contar("entradas_salidas"), 1);
        QCOMPARE(fila(id).section(u'|', 1, 1) != "NULL", salida);
    }
};

QTEST_MAIN(PruebaSalida)
#include "tst_frmsalida.moc"
