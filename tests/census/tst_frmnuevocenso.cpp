// The census record window as a guard drives it, against a real database:
// adding unit after unit, modifying, deleting, its checks and permissions,
// and records that another terminal changes while the window is open.

#include "ApoyoPruebas.h"
#include "census/Censo.h"
#include "census/frmNuevoCenso.h"
#include "startup/frmPrincipal.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextCursor>

#include <deque>

using Pasos = std::function<void(frmNuevoCenso&)>;

class PruebaNuevoCenso : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<CarpetaPrueba> carpeta;
    std::unique_ptr<frmPrincipal> ventana;
    std::deque<Pasos> pasos; // one per opening of the window; then it is closed
    int modales = 0;
    QList<int> guardados;
    QList<bool> eliminados;

    Contexto& ctx() { return *carpeta->ctx; }
    QAction* mnuNuevoCenso() { return ventana->mnuNuevoCenso; }

    void iniciar(int idSr = 1)
    {
        ventana = carpeta->entrar({}, idSr);
        carpeta->dialogos.alModal = [this](QDialog& modal) {
            ++modales;
            auto& w = static_cast<frmNuevoCenso&>(modal);
            if (pasos.empty())
                return 0;
            const Pasos siguientes = pasos.front();
            pasos.pop_front();
            w.show();
            w.activateWindow();
            if (QTest::qWaitForWindowActive(&w))
                siguientes(w);
            const int resultado = w.result();
            w.close();
            return resultado;
        };
    }

    // Opened from the query window's place: it hears what was saved.
    void abrir(std::optional<int> id, Pasos siguientes)
    {
        pasos = {std::move(siguientes)};
        frmNuevoCenso::Abrir(ctx(), ventana.get(), id, [this](frmNuevoCenso& w) {
            connect(&w, &frmNuevoCenso::guardado, this, [this](int i) { guardados << i; });
            connect(&w, &frmNuevoCenso::eliminado, this, [this](bool v) { eliminados << v; });
        });
    }

    int agregar(const QStringList& textos)
    {
        BaseDatos bd;
        bd.fijarRuta(carpeta->rutaBD());
        SesionBD sesion(bd);
        return AgregarCenso(bd, CensoDeTextos(textos));
    }

    QStringList filas()
    {
        return carpeta->consultar("SELECT " + ColumnasCenso().join(',') +
                                  " FROM censos ORDER BY id_censo");
    }

    // Types over a field's text, a character at a time, and leaves it with Tab.
    static void teclear(QWidget* campo, const QString& texto)
    {
        campo->setFocus();
        if (auto* linea = qobject_cast<QLineEdit*>(campo)) {
            linea->selectAll();
            QTest::keyClick(campo, Qt::Key_Delete);
        } else {
            static_cast<QPlainTextEdit*>(campo)->clear();
        }
        for (const QChar letra : texto) // keyClicks knows no accented letters
            QTest::sendKeyEvent(QTest::Click, campo, Qt::Key_unknown, QString(letra), {});
        QTest::keyClick(campo, Qt::Key_Tab);
    }

    // The forty fields in column order, as the window shows them.
    static QStringList pantalla(const frmNuevoCenso& w)
    {
        QStringList t{w.txtNomUnidad->text(), w.txtNumInmueble->text(), w.txtTorre->text(),
                      w.txtTfnoInmueble->text()};
        for (int i = 0; i < 5; ++i)
            t << w.txtNombre[i]->text() << w.txtApe1[i]->text() << w.txtApe2[i]->text()
              << w.txtTipoUsu[i]->text();
        for (int i = 0; i < 5; ++i)
            t << w.txtVehPlaca[i]->text() << w.txtVehDescr[i]->text() << w.txtVehTipo[i]->text();
        return t << w.txtNotas->toPlainText();
    }

    static QString foco()
    {
        const QWidget* campo = QApplication::focusWidget();
        return campo ? campo->objectName() : QString();
    }

private slots:
    void init()
    {
        carpeta = std::make_unique<CarpetaPrueba>();
        carpeta->crearBaseDatos();
        modales = 0;
        pasos.clear();
        guardados.clear();
        eliminados.clear();
    }
    void cleanup()
    {
        ventana.reset();
        carpeta.reset();
    }

    // From the menu: an empty census gives an empty form; what the guard types
    // in every field (accents, apostrophes) is stored in the form's letter case;
    // the window comes back with the unit just added, until it is closed.
    void agregarUnidadTrasUnidadDesdeElMenu()
    {
        iniciar();
        pasos.push_back([&](frmNuevoCenso& w) {
            QVERIFY(!mnuNuevoCenso()->isEnabled());
            QCOMPARE(w.windowTitle(), "Nuevo Censo");
            QCOMPARE(foco(), "txtNomUnidad");
            // Coming back to the window from elsewhere starts again at the unit name.
            w.txtTorre->setFocus();
            QVERIFY(VolverAVentana(w));
            QCOMPARE(foco(), "txtNomUnidad");
            QVERIFY(!w.btnAgregarCenso->isHidden());
            QVERIFY(w.btnModificarCenso->isHidden());
            QVERIFY(w.btnEliminarCenso->isHidden());
            QStringList vacio(40);
            for (int i = 7; i < 24; i += 4)
                vacio[i] = " ";
            QCOMPARE(pantalla(w), vacio);

            teclear(w.txtNomUnidad, "conjunto l'Ñandú");
            teclear(w.txtNumInmueble, "0'2ñ");
            teclear(w.txtTorre, "02");
            teclear(w.txtTfnoInmueble, "6015550101");
            for (int i = 0; i < 5; ++i) {
                teclear(w.txtNombre[i], QString("maría o'neil %1").arg(i));
                teclear(w.txtApe1[i], QString("de la peña%1").arg(i));
                teclear(w.txtApe2[i], QString("ñuñez d'ávila%1").arg(i));
                teclear(w.txtVehPlaca[i], QString("ñab'%1").arg(i));
                teclear(w.txtVehDescr[i], QString("renault logan gris'%1").arg(i));
                teclear(w.txtVehTipo[i], QString("camión d'él%1").arg(i));
            }
            teclear(w.txtNotas, "Llamar a Don José O'Brien; perro bravo. ¿Ñ?");
            // Leaving a field brought every field to its letter case.
            QCOMPARE(w.txtNombre[0]->text(), "María O'neil 0");
            QCOMPARE(w.txtApe1[1]->text(), "De la peña1");
            QCOMPARE(w.txtVehPlaca[2]->text(), "ÑAB'2");
            // Each list puts its choice into its type field.
            for (int i = 0; i < 3; ++i)
                for (int veces = 0; veces <= i; ++veces)
                    QTest::keyClick(w.comTipoUsu[i], Qt::Key_Down);
            QCOMPARE(w.txtTipoUsu[0]->text(), "Propietario");
            QCOMPARE(w.txtTipoUsu[1]->text(), "Inquilino");
            QCOMPARE(w.txtTipoUsu[2]->text(), "Propietario - Inquilino");
            QTest::keyClick(w.comTipoUsu[2], Qt::Key_Up);
            QCOMPARE(w.txtTipoUsu[2]->text(), "Inquilino");
            w.btnAgregarCenso->click();
        });
        pasos.push_back([&](frmNuevoCenso& w) {
            QVERIFY(!mnuNuevoCenso()->isEnabled());
            QStringList siguiente(40);
            siguiente[0] = "Conjunto l'Ñandú";
            siguiente[1] = "0'2ñ";
            siguiente[2] = "2";
            for (int i = 7; i < 24; i += 4)
                siguiente[i] = " ";
            QCOMPARE(pantalla(w), siguiente);
            // A unit name of blanks is a name.
            teclear(w.txtNomUnidad, "  ");
            teclear(w.txtNumInmueble, "102");
            teclear(w.txtTorre, "ñ'b"); // not a number: kept as typed
            w.btnAgregarCenso->click();
        });
        pasos.push_back([&](frmNuevoCenso& w) {
            QCOMPARE(w.txtNomUnidad->text(), "  ");
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape); // closes, nothing saved
        });
        mnuNuevoCenso()->trigger();

        QCOMPARE(modales, 3);
        QVERIFY(mnuNuevoCenso()->isEnabled());
        QStringList primero{"Conjunto l'Ñandú", "0'2ñ", "2", "6015550101"};
        const QStringList tipos{"Propietario", "Inquilino", "Inquilino", " ", " "};
        for (int i = 0; i < 5; ++i)
            primero << QString("María O'neil %1").arg(i) << QString("De la peña%1").arg(i)
                    << QString("Ñuñez d'ávila%1").arg(i) << tipos[i];
        for (int i = 0; i < 5; ++i)
            primero << QString("ÑAB'%1").arg(i) << QString("Renault Logan Gris'%1").arg(i)
                    << QString("Camión D'él%1").arg(i);
        primero << "Llamar a Don José O'Brien; perro bravo. ¿Ñ?";
        QStringList segundo{"  ", "102", "ñ'b", ""};
        for (int i = 0; i < 5; ++i)
            segundo << ""
                    << ""
                    << ""
                    << " ";
        for (int i = 0; i < 16; ++i)
            segundo << "";
        QCOMPARE(filas(), (QStringList{primero.join('|'), segundo.join('|')}));
        QCOMPARE(carpeta->dialogos.textos(),
                 (QStringList{"Censo agregado correctamente", "Censo agregado correctamente"}));
        QCOMPARE(carpeta->textosSucesos(),
                 (QStringList{"Agrega censo", "Agrega censo", "Abre el panel de nuevo censo"}));
    }

    // Each check stops the save with its message and the focus on its field:
    // unit name, then number, then a telephone that is not a number.
    void comprobacionesEnOrdenConSuFoco_data()
    {
        QTest::addColumn<bool>("modificar");
        QTest::newRow("agregar") << false;
        QTest::newRow("modificar") << true;
    }
    void comprobacionesEnOrdenConSuFoco()
    {
        QFETCH(bool, modificar);
        iniciar();
        const std::optional<int> id =
            modificar ? std::optional<int>(agregar({"Torres", "1", "", "555"})) : std::nullopt;
        const QStringList antes = filas();
        QStringList focos;
        // Each box takes the activation while it is up; the window gets it back.
        carpeta->dialogos.alMostrar = [](const Dialogos::Mensaje&) {
            QWidget caja;
            caja.show();
            caja.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&caja));
        };
        abrir(id, [&](frmNuevoCenso& w) {
            QPushButton* guardar = modificar ? w.btnModificarCenso : w.btnAgregarCenso;
            const auto guardarYVerFoco = [&] {
                guardar->click();
                w.activateWindow();
                QVERIFY(QTest::qWaitForWindowActive(&w));
                focos << foco();
            };
            for (QLineEdit* campo : {w.txtNomUnidad, w.txtNumInmueble, w.txtTfnoInmueble})
                teclear(campo, "");
            guardarYVerFoco();
            teclear(w.txtNomUnidad, " ");
            guardarYVerFoco();
            teclear(w.txtNumInmueble, "7");
            teclear(w.txtTfnoInmueble, "12a");
            guardarYVerFoco();
            teclear(w.txtTfnoInmueble, "+57");
            guardarYVerFoco();
            QVERIFY(w.isVisible());
            QCOMPARE(filas(), antes);
            teclear(w.txtTfnoInmueble, "");
            guardar->click();
        });
        QCOMPARE(focos, (QStringList{"txtNomUnidad", "txtNumInmueble", "txtTfnoInmueble",
                                     "txtTfnoInmueble"}));
        const QString tfno = "Indique Teléfono Inmueble correctamente";
        QCOMPARE(carpeta->dialogos.textos().mid(0, 4),
                 (QStringList{"Debe indicar el Nombre de la Unidad",
                              "Debe indicar el Número del Inmueble", tfno, tfno}));
        QCOMPARE(carpeta->consultar("SELECT nom_unidad, num_inmueble, tfno_inmueble FROM censos"),
                 QStringList{" |7|"});
    }

    // Opened from the query with a record: its fields, the type lists set from
    // the stored types, the save, the opener told, the message after the close.
    void modificarUnRegistro()
    {
        iniciar();
        QStringList textos{"Altos", "301", "4", "3001234567", "ana", "gil", "", "Propietario"};
        textos << "Luis"
               << "Paz"
               << "Ríos"
               << "Inquilino";
        const int id = agregar(textos);
        carpeta->ejecutarSql("UPDATE censos SET notas = NULL, veh_tipo5 = NULL, tipo_usu3 = "
                             "'Propietario - Inquilino', tipo_usu4 = 'Owner', tipo_usu5 = "
                             "'propietario' WHERE id_censo = ?",
                             {id});
        abrir(id, [&](frmNuevoCenso& w) {
            QCOMPARE(w.windowTitle(), "Modificar / Eliminar Censo");
            QVERIFY(w.btnAgregarCenso->isHidden());
            QVERIFY(!w.btnModificarCenso->isHidden());
            QVERIFY(!w.btnEliminarCenso->isHidden());
            const QStringList vistos = pantalla(w);
            QCOMPARE(vistos.mid(0, 12), textos);
            QCOMPARE(w.comTipoUsu[0]->currentIndex(), 1);
            QCOMPARE(w.comTipoUsu[1]->currentIndex(), 2);
            QCOMPARE(w.comTipoUsu[2]->currentIndex(), 3);
            // Another language's type, or another letter case, is no type here.
            QCOMPARE(w.comTipoUsu[3]->currentIndex(), 0);
            QCOMPARE(w.comTipoUsu[4]->currentIndex(), 0);
            QCOMPARE(vistos[19], " ");
            QCOMPARE(vistos[23], " ");
            QCOMPARE(vistos.last(), "");
            teclear(w.txtTorre, "12");
            teclear(w.txtVehPlaca[4], "xyz'1");
            teclear(w.txtNotas, "Dueña: doña Inés");
            w.btnModificarCenso->click();
            QVERIFY(!w.isVisible());
            QCOMPARE(w.result(), int(QDialog::Accepted));
        });
        QCOMPARE(modales, 1);
        QCOMPARE(guardados, QList<int>{id});
        QCOMPARE(carpeta->dialogos.textos(), QStringList{"Censo modificado correctamente"});
        QCOMPARE(carpeta->textosSucesos(), QStringList{"Modifica censo"});
        QCOMPARE(carpeta->consultar("SELECT nom_unidad, torre, nombre1, ape1_1, tipo_usu3, "
                                    "tipo_usu4, veh_placa5, veh_tipo5, notas FROM censos"),
                 QStringList{"Altos|12|Ana|Gil|Propietario - Inquilino| |XYZ'1||Dueña: doña Inés"});
    }

    void eliminarConSiYConNo()
    {
        iniciar();
        const int primero = agregar({"Altos", "101"});
        const int ultimo = agregar({"Altos", "102"});
        carpeta->dialogos.respuestas = {Dialogos::Respuesta::No, Dialogos::Respuesta::Si};
        abrir(primero, [&](frmNuevoCenso& w) {
            w.btnEliminarCenso->click();
            QVERIFY(w.isVisible());
            QCOMPARE(filas().size(), 2);
            w.btnEliminarCenso->click();
            QVERIFY(!w.isVisible());
        });
        const Dialogos::Mensaje pregunta = carpeta->dialogos.mostrados.at(0);
        QCOMPARE(pregunta.texto, "¿ Seguro de ELIMINAR ?");
        QCOMPARE(pregunta.titulo, "Zelvora - ELIMINAR");
        QCOMPARE(pregunta.botones, Dialogos::Botones::SiNo);
        QCOMPARE(pregunta.icono, Dialogos::Icono::Exclamacion);
        QCOMPARE(carpeta->dialogos.textos(),
                 (QStringList{pregunta.texto, pregunta.texto, "Censo eliminado correctamente"}));
        QCOMPARE(carpeta->consultar("SELECT id_censo FROM censos"),
                 QStringList{QString::number(ultimo)});
        QCOMPARE(eliminados, QList<bool>{false});

        // The last record: the opener learns the census is empty, and no message.
        carpeta->dialogos.mostrados.clear();
        abrir(ultimo, [&](frmNuevoCenso& w) { w.btnEliminarCenso->click(); });
        QCOMPARE(eliminados, (QList<bool>{false, true}));
        QCOMPARE(carpeta->dialogos.textos(), QStringList{"¿ Seguro de ELIMINAR ?"});
        QVERIFY(filas().isEmpty());
        QCOMPARE(carpeta->textosSucesos(), (QStringList{"Elimina censo", "Elimina censo"}));
    }

    void botonesSegunLosPermisos_data()
    {
        QTest::addColumn<QList<int>>("permisos");
        QTest::addColumn<bool>("modifica");
        QTest::addColumn<bool>("elimina");
        QTest::newRow("11") << QList<int>{7, 8, 9, 11} << true << false;
        QTest::newRow("12") << QList<int>{7, 8, 9, 12} << false << true;
        QTest::newRow("ninguno") << QList<int>{7, 8, 9} << false << false;
    }
    void botonesSegunLosPermisos()
    {
        QFETCH(QList<int>, permisos);
        QFETCH(bool, modifica);
        QFETCH(bool, elimina);
        iniciar(carpeta->agregarUsuario("Luis", "Clave1", permisos));
        const int id = agregar({"Altos", "101"});
        abrir(id, [&](frmNuevoCenso& w) {
            QCOMPARE(!w.btnModificarCenso->isHidden(), modifica);
            QCOMPARE(!w.btnEliminarCenso->isHidden(), elimina);
            QVERIFY(w.btnAgregarCenso->isHidden());
        });
        abrir(std::nullopt, [&](frmNuevoCenso& w) {
            QVERIFY(!w.btnAgregarCenso->isHidden());
            QVERIFY(w.btnModificarCenso->isHidden());
            QVERIFY(w.btnEliminarCenso->isHidden());
        });
    }

    // Each field takes only as many characters as its column.
    void camposConSuLargo()
    {
        iniciar();
        abrir(std::nullopt, [&](frmNuevoCenso& w) {
            const QString largo(250, u'ñ');
            QList<QWidget*> campos{w.txtNomUnidad, w.txtNumInmueble, w.txtTorre, w.txtTfnoInmueble};
            for (int i = 0; i < 5; ++i)
                campos << w.txtNombre[i] << w.txtApe1[i] << w.txtApe2[i];
            for (int i = 0; i < 5; ++i)
                campos << w.txtVehPlaca[i] << w.txtVehDescr[i] << w.txtVehTipo[i];
            campos << w.txtNotas;
            QList<int> largos;
            for (QWidget* campo : campos) {
                teclear(campo, largo);
                if (auto* linea = qobject_cast<QLineEdit*>(campo))
                    largos << int(linea->text().size());
                else
                    largos << int(w.txtNotas->toPlainText().size());
            }
            QList<int> esperados{30, 6, 4, 10};
            for (int i = 0; i < 5; ++i)
                esperados << 20 << 20 << 20;
            for (int i = 0; i < 5; ++i)
                esperados << 10 << 30 << 20;
            esperados << 200;
            QCOMPARE(largos, esperados);
            // What is typed in the middle of full notes is refused, the rest kept.
            const QString notas = QString(199, u'a') + u'z';
            w.txtNotas->setPlainText(notas);
            QTextCursor cursor = w.txtNotas->textCursor();
            cursor.setPosition(5);
            w.txtNotas->setTextCursor(cursor);
            QTest::keyClicks(w.txtNotas, "XY");
            QCOMPARE(w.txtNotas->toPlainText(), notas);
        });
    }

    // Another terminal deletes or changes the record while it is open: the
    // guard is told, nothing is overwritten or brought back, the window stays.
    void registroCambiadoEnOtroPuntoDeControl()
    {
        iniciar();
        const int id = agregar({"Altos", "101"});
        abrir(id, [&](frmNuevoCenso& w) {
            teclear(w.txtNombre[0], "ana");
            carpeta->ejecutarSql("UPDATE censos SET nombre2 = 'Otro' WHERE id_censo = ?", {id});
            w.btnModificarCenso->click();
            QVERIFY(w.isVisible());
            QCOMPARE(carpeta->consultar("SELECT nombre1, nombre2 FROM censos"),
                     QStringList{"|Otro"});
            // Said again, the guard's own data go over the other terminal's.
            w.btnModificarCenso->click();
            QVERIFY(!w.isVisible());
        });
        QCOMPARE(carpeta->consultar("SELECT nombre1, nombre2 FROM censos"), QStringList{"Ana|"});
        QCOMPARE(carpeta->dialogos.textos(), (QStringList{ctx().idioma.mensaje("XCensoCambiado"),
                                                          "Censo modificado correctamente"}));

        carpeta->dialogos.mostrados.clear();
        abrir(id, [&](frmNuevoCenso& w) {
            carpeta->ejecutarSql("DELETE FROM censos");
            teclear(w.txtNombre[0], "beto");
            w.btnModificarCenso->click();
            QVERIFY(w.isVisible());
            w.btnEliminarCenso->click();
            QVERIFY(w.isVisible());
            // And the window still works: closed with Escape.
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
            QVERIFY(!w.isVisible());
        });
        const QString noExiste = ctx().idioma.mensaje("XCensoNoExiste");
        QCOMPARE(carpeta->dialogos.textos(),
                 (QStringList{noExiste, "¿ Seguro de ELIMINAR ?", noExiste}));
        QVERIFY(filas().isEmpty());
        QCOMPARE(guardados, QList<int>{id});
        QVERIFY(eliminados.isEmpty());
        QCOMPARE(carpeta->textosSucesos(), QStringList{"Modifica censo"});

        // Chosen in a list after it was deleted elsewhere: the message, no window.
        carpeta->dialogos.mostrados.clear();
        modales = 0;
        abrir(id, [&](frmNuevoCenso&) {});
        QCOMPARE(modales, 0);
        QCOMPARE(carpeta->dialogos.textos(), QStringList{noExiste});
    }

    // The database out of reach at the moment of saving: the reason is shown,
    // nothing is stored, and what was typed is still there for the next try.
    void baseDeDatosPerdidaNoPierdeLoEscrito()
    {
        SOLO_ARCHIVO();
        iniciar();
        const int id = agregar({"Altos", "101"});
        const QString ruta = carpeta->archivo("zelvora.db");
        abrir(id, [&](frmNuevoCenso& w) {
            teclear(w.txtNombre[0], "inés");
            QVERIFY(QFile::rename(ruta, ruta + ".fuera"));
            w.btnModificarCenso->click();
            QVERIFY(w.isVisible());
            QVERIFY(carpeta->dialogos.ultimo().texto.contains(ruta));
            w.btnEliminarCenso->click();
            QVERIFY(w.isVisible());
            QCOMPARE(w.txtNombre[0]->text(), "Inés");
            QVERIFY(QFile::rename(ruta + ".fuera", ruta));
            w.btnModificarCenso->click();
            QVERIFY(!w.isVisible());
        });
        QCOMPARE(carpeta->consultar("SELECT nombre1 FROM censos"), QStringList{"Inés"});
        QCOMPARE(carpeta->dialogos.ultimo().texto, "Censo modificado correctamente");
        const QStringList sucesos = carpeta->textosSucesos();
        QCOMPARE(sucesos.size(), 3); // the failed modify and delete, then the modify
        QVERIFY(sucesos[1].contains(ruta));
        QCOMPARE(sucesos[2], "Modifica censo");
        QCOMPARE(guardados, QList<int>{id});
        QVERIFY(eliminados.isEmpty());

        carpeta->dialogos.mostrados.clear();
        abrir(std::nullopt, [&](frmNuevoCenso& w) {
            teclear(w.txtNumInmueble, "102");
            QVERIFY(QFile::rename(ruta, ruta + ".fuera"));
            w.btnAgregarCenso->click();
            QVERIFY(w.isVisible());
            QVERIFY(QFile::rename(ruta + ".fuera", ruta));
        });
        QCOMPARE(carpeta->dialogos.mostrados.size(), size_t(1));
        QCOMPARE(carpeta->consultar("SELECT count(*) FROM censos"), QStringList{"1"});
    }

    // In English, with the English type texts.
    void enIngles()
    {
        iniciar();
        CargarTablasIdioma("en", &ctx().idioma);
        const int id = agregar(
            {"Altos", "101", "", "", "Ana", "", "", "Propietario", "Luis", "", "", "Tenant"});
        abrir(id, [&](frmNuevoCenso& w) {
            QCOMPARE(w.windowTitle(), "Modify / Delete Resident");
            QCOMPARE(w.comTipoUsu[0]->currentIndex(), 0);
            QCOMPARE(w.comTipoUsu[1]->currentIndex(), 2);
            QCOMPARE(w.Label14->text(), "Car,Motorbike,MotorCycle,Van");
            teclear(w.txtNomUnidad, "");
            w.btnModificarCenso->click();
            teclear(w.txtNomUnidad, "Altos");
            w.btnModificarCenso->click();
        });
        QCOMPARE(carpeta->dialogos.textos(),
                 (QStringList{"Please, enter the Residential Name (Place)",
                              "Resident(s) modified correctly"}));
        QCOMPARE(carpeta->consultar("SELECT tipo_usu1, tipo_usu2 FROM censos"),
                 QStringList{" |Tenant"});
    }
};

QTEST_MAIN(PruebaNuevoCenso)
#include "tst_frmnuevocenso.moc"
