// The census query window as a guard uses it from the main window: the list,
// the twelve search fields alone and together, the counts in the caption,
// the detail and the notes, the editing it opens, and the dialing it offers.

#include "ApoyoPruebas.h"

#include "ModemEmulado.h"
#include "census/frmConsultaCenso.h"
#include "census/frmNuevoCenso.h"
#include "foundation/Idiomas.h"
#include "foundation/Normalizar.h"
#include "platform/ModeloTabla.h"
#include "startup/frmPrincipal.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeView>

using namespace std::chrono_literals;

namespace {

using Censo = QList<std::pair<QString, QVariant>>;

const QString kConsulta = QStringLiteral("Consulta censo");

// Four dwellings, listed by unit number (text order): 3, 1, 2, 4. Each search
// text below finds its dwelling in a resident or vehicle other than the
// first, and a wildcard taken as one would find another dwelling too.
const QList<Censo> kCenso = {
    {{"nom_unidad", "Conjunto Álamos"},
     {"num_inmueble", "101"},
     {"torre", 1},
     {"tfno_inmueble", "6012345"},
     {"nombre1", "Ana"},
     {"ape1_1", "Ruiz"},
     {"ape2_1", "Gil"},
     {"tipo_usu1", "Propietario"},
     {"nombre3", "José"},
     {"ape1_3", "Peña"},
     {"ape2_3", "Núñez"},
     {"tipo_usu3", "Inquilino"},
     {"veh_placa1", "ABC123"},
     {"veh_descr1", "Mazda rojo"},
     {"veh_tipo1", "Carro"},
     {"veh_placa5", "XYZ9"},
     {"veh_descr5", "Vespa"},
     {"veh_tipo5", "Moto"},
     {"notas", "Cel 3100123"}},
    {{"nom_unidad", "Conjunto Álamos"},
     {"num_inmueble", "202"},
     {"torre", "02"},
     {"tfno_inmueble", "6019999"},
     {"nombre1", "Beto"},
     {"ape1_1", "D'Ávila"},
     {"ape2_1", "Paz"},
     {"tipo_usu1", "Propietario - Inquilino"},
     {"nombre2", "Ángela"},
     {"ape1_2", "Ibáñez"},
     {"ape2_2", "Lo_pez"},
     {"tipo_usu2", "Inquilino"},
     {"veh_placa2", "QWE%45"},
     {"veh_descr2", "Renault 4"},
     {"veh_tipo2", "Carro"},
     {"notas", "100% al día"}},
    {{"nom_unidad", "Torres del Río"},
     {"num_inmueble", "03"},
     {"torre", 3},
     {"tfno_inmueble", "3105555"},
     {"nombre1", "Ana María"},
     {"ape1_1", "Muñoz"},
     {"ape2_1", "Ruiz"},
     {"tipo_usu1", "propietario"},
     {"veh_placa1", "JKL456"},
     {"veh_descr1", "Chevrolet"},
     {"veh_tipo1", "Carro"}},
    {{"nom_unidad", "Torres del Río"},
     {"num_inmueble", "301"},
     {"torre", 3},
     {"ape2_1", "Lopez"},
     {"tipo_usu2", "inquilino"},
     {"tipo_usu3", " "},
     {"notas", ""}},
};

} // namespace

class PruebaFrmConsultaCenso : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<CarpetaPrueba> carpeta;
    std::unique_ptr<frmPrincipal> ventana;
    frmConsultaCenso* panel = nullptr;
    // Each editing window opened: its unit number and whether it offers to
    // modify and to delete; then what the guard does in it.
    QStringList editados;
    std::function<void(frmNuevoCenso&)> enEdicion;

    int agregarCenso(const Censo& censo)
    {
        QStringList columnas, marcas;
        QVariantList valores;
        for (const auto& [columna, valor] : censo) {
            columnas << columna;
            marcas << QStringLiteral("?");
            // Towers are stored as numbers, as the program binds them.
            valores << (columna == u"torre" && SoloCifras(valor.toString())
                            ? QVariant(valor.toString().toLongLong())
                            : QVariant(valor));
        }
        carpeta->ejecutarSql(QStringLiteral("INSERT INTO censos (%1) VALUES (%2)")
                                 .arg(columnas.join(u','), marcas.join(u',')),
                             valores);
        return carpeta->consultar(QStringLiteral("SELECT MAX(id_censo) FROM censos"))
            .value(0)
            .toInt();
    }

    void agregarCensoPrueba()
    {
        for (const Censo& censo : kCenso)
            agregarCenso(censo);
    }

    // opciones: the configuration fields from the backup switch on.
    bool abrirPanel(const QString& opciones = {}, int idSr = 1)
    {
        panel = qobject_cast<frmConsultaCenso*>(carpeta->abrirPanel(
            ventana, &frmPrincipal::mnuConsultaCenso, "frmConsultaCenso", idSr, opciones));
        return panel != nullptr;
    }

    QList<int> ids() const
    {
        QList<int> lista;
        for (int n = 0; n < panel->modelo()->rowCount(); ++n)
            lista << panel->modelo()->id(n);
        return lista;
    }

    QLineEdit* campo(const QString& nombre) const { return panel->findChild<QLineEdit*>(nombre); }

    void enter(QWidget* control) { QTest::keyClick(control, Qt::Key_Return); }
    // Typed at the cursor, within the field's limit (keyClicks takes Latin-1 only).
    static void teclear(QLineEdit* campo, const QString& texto) { campo->insert(texto); }

    void clic(int fila, bool doble = false)
    {
        QWidget* area = panel->ListView1->viewport();
        const QPoint punto = panel->ListView1->visualRect(panel->modelo()->index(fila, 2)).center();
        QTest::mouseClick(area, Qt::LeftButton, {}, punto);
        if (doble)
            QTest::mouseDClick(area, Qt::LeftButton, {}, punto);
    }

    int consultas() const { return int(carpeta->textosSucesos().count(kConsulta)); }

private slots:
    void init()
    {
        carpeta = std::make_unique<CarpetaPrueba>();
        carpeta->crearBaseDatos();
        editados.clear();
        enEdicion = nullptr;
        carpeta->dialogos.alModal = [this](QDialog& ventanaModal) {
            auto& edicion = static_cast<frmNuevoCenso&>(ventanaModal);
            editados << edicion.txtNumInmueble->text() +
                            (edicion.btnModificarCenso->isHidden() ? "" : " modificar") +
                            (edicion.btnEliminarCenso->isHidden() ? "" : " eliminar");
            if (enEdicion)
                enEdicion(edicion);
            return 0;
        };
    }
    void cleanup()
    {
        qunsetenv("ZELVORA_MODEM");
        ventana.reset();
        carpeta.reset();
    }

    // The menu opens the window only when the census holds a dwelling.
    void menuSoloConCenso()
    {
        ventana = carpeta->entrar();
        ventana->mnuConsultaCenso->trigger();
        QVERIFY(!ventana->panel("frmConsultaCenso"));
        QCOMPARE(carpeta->dialogos.textos(), QStringList{carpeta->ctx->texto(39)});

        agregarCenso({{"num_inmueble", "101"}});
        ventana->mnuConsultaCenso->trigger();
        QVERIFY(ventana->panel("frmConsultaCenso"));
    }

    // The whole census by unit number, the telephones in bold, the first
    // dwelling shown, the counts after the title.
    void alAbrirListaTodoElCenso()
    {
        agregarCensoPrueba();
        QVERIFY(abrirPanel());
        QCOMPARE(ids(), (QList<int>{3, 1, 2, 4}));
        QCOMPARE(
            Textos(panel->modelo()),
            (QStringList{"3|Torres del Río|03|3|3105555|Ana María|Muñoz|Ruiz|propietario|JKL456|"
                         "Chevrolet|Carro|",
                         "1|Conjunto Álamos|101|1|6012345|Ana|Ruiz|Gil|Propietario|ABC123|Mazda "
                         "rojo|Carro|Cel 3100123",
                         "2|Conjunto Álamos|202|2|6019999|Beto|D'Ávila|Paz|Propietario - "
                         "Inquilino||||100% al día",
                         "4|Torres del Río|301|3||||Lopez|||||"}));
        QStringList encabezados;
        for (int c = 0; c < 13; ++c)
            encabezados << panel->modelo()->headerData(c, Qt::Horizontal).toString();
        QCOMPARE(encabezados, (QStringList{"ID", "Unidad", "N.Inm.", "Torre", "Tfno", "Nombre",
                                           "Primer Apellido", "Segundo Apellido", "Tipo Hab.",
                                           "Placa Veh.", "Descr. Veh.", "Tipo Veh.", "Notas"}));
        for (int c = 0; c < 13; ++c)
            QCOMPARE(panel->ListView1->isColumnHidden(c), c == 0 || c == 1 || c == 11);
        for (int n = 0; n < 4; ++n)
            for (int c = 0; c < 13; ++c)
                QCOMPARE(panel->modelo()->index(n, c).data(Qt::FontRole).value<QFont>().bold(),
                         c == 4);
        QCOMPARE(panel->windowTitle(), "Consulta de Censo: Inmuebles: 4 -  Prop.: 3 - Inq.: 4");
        QCOMPARE(panel->lblTfnoInmueble->text(), "3105555");
        QCOMPARE(panel->txtInformacion->toPlainText(),
                 "USUARIOS\nAna María Muñoz Ruiz (#propietario#)\n\nVEHÍCULOS\nJKL456 Chevrolet "
                 "Carro\n\nNOTAS\n");
        QCOMPARE(carpeta->textosSucesos().constLast(), "Abre el panel de consultar censo");
    }

    // Each search field alone: its text found in any of the five residents
    // or vehicles, letter case and accents ignored, ', % and _ as typed; the
    // tower compared as a number. The counts stay those of the whole census.
    void unCampo_data()
    {
        QTest::addColumn<QString>("nombre");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QList<int>>("esperados");
        QTest::newRow("unidad") << "txtNomUnidad"
                                << "ÁLAMOS" << QList<int>{1, 2};
        QTest::newRow("unidad, acento") << "txtNomUnidad"
                                        << "RÍO" << QList<int>{3, 4};
        QTest::newRow("número") << "txtNumInmueble"
                                << "01" << QList<int>{1, 4};
        QTest::newRow("torre") << "txtTorre"
                               << "3" << QList<int>{3, 4};
        QTest::newRow("torre con cero") << "txtTorre"
                                        << "02" << QList<int>{2};
        QTest::newRow("teléfono") << "txtTfnoInmueble"
                                  << "601" << QList<int>{1, 2};
        QTest::newRow("nombre del tercero") << "txtNombre"
                                            << "josé" << QList<int>{1};
        QTest::newRow("nombre del segundo") << "txtNombre"
                                            << "ÁNGELA" << QList<int>{2};
        QTest::newRow("apellido") << "txtApe1"
                                  << "PEÑA" << QList<int>{1};
        QTest::newRow("apóstrofo") << "txtApe1"
                                   << "d'á" << QList<int>{2};
        QTest::newRow("guion bajo") << "txtApe2"
                                    << "lo_" << QList<int>{2};
        QTest::newRow("tipo") << "txtTipoUsu"
                              << "INQUILINO" << QList<int>{1, 2, 4};
        QTest::newRow("placa con %") << "txtVehPlaca"
                                     << "%4" << QList<int>{2};
        QTest::newRow("descripción del quinto") << "txtVehDescr"
                                                << "vespa" << QList<int>{1};
        QTest::newRow("tipo de vehículo") << "txtVehTipo"
                                          << "MOTO" << QList<int>{1};
        QTest::newRow("notas con %") << "txtNotas"
                                     << "100%" << QList<int>{2};
    }
    void unCampo()
    {
        QFETCH(QString, nombre);
        QFETCH(QString, texto);
        QFETCH(QList<int>, esperados);
        agregarCensoPrueba();
        QVERIFY(abrirPanel());
        teclear(campo(nombre), texto);
        enter(campo(nombre));
        QCOMPARE(ids(), esperados);
        QCOMPARE(panel->windowTitle(),
                 QStringLiteral("Inmuebles: %1 -  Prop.: 3 - Inq.: 4").arg(esperados.size()));
        QCOMPARE(consultas(), 1);
        QCOMPARE(carpeta->dialogos.textos(), QStringList());
        // The list shows the telephones in bold only on the window's load.
        QVERIFY(!panel->modelo()->index(0, 4).data(Qt::FontRole).value<QFont>().bold());
    }

    // Several fields narrow together; the button runs the same search.
    void camposJuntos()
    {
        agregarCensoPrueba();
        QVERIFY(abrirPanel());
        teclear(panel->txtNombre, "ana");
        panel->btnRealizarConsulta->click();
        QCOMPARE(ids(), (QList<int>{3, 1}));
        teclear(panel->txtTorre, "3");
        panel->btnRealizarConsulta->click();
        QCOMPARE(ids(), (QList<int>{3}));
        QCOMPARE(panel->windowTitle(), "Inmuebles: 1 -  Prop.: 3 - Inq.: 4");

        panel->txtNombre->clear();
        panel->txtTorre->clear();
        teclear(panel->txtNomUnidad, "álamos");
        teclear(panel->txtTipoUsu, "propietario");
        teclear(panel->txtVehTipo, "carro");
        teclear(panel->txtTfnoInmueble, "99");
        enter(panel->txtVehTipo);
        QCOMPARE(ids(), (QList<int>{2}));
        QCOMPARE(consultas(), 3);
    }

    // Every text column holding an apostrophe and accented letters is found
    // by its field typed in the other letter case.
    void apostrofosYAcentosEnCadaCampo()
    {
        const std::pair<const char*, const char*> campos[] = {
            {"txtNomUnidad", "nom_unidad"}, {"txtNumInmueble", "num_inmueble"},
            {"txtNombre", "nombre4"},       {"txtApe1", "ape1_5"},
            {"txtApe2", "ape2_2"},          {"txtTipoUsu", "tipo_usu3"},
            {"txtVehPlaca", "veh_placa4"},  {"txtVehDescr", "veh_descr3"},
            {"txtVehTipo", "veh_tipo2"},    {"txtNotas", "notas"},
        };
        agregarCensoPrueba();
        int n = 0;
        for (const auto& [nombre, columna] : campos)
            agregarCenso({{columna, QStringLiteral("Ñ'É")}, {"tfno_inmueble", ++n}});
        QVERIFY(abrirPanel());
        n = 0;
        for (const auto& [nombre, columna] : campos) {
            campo(nombre)->setText(QStringLiteral("ñ'é"));
            enter(campo(nombre));
            QVERIFY2(Textos(panel->modelo(), 4) == QStringList{QString::number(++n)}, columna);
            campo(nombre)->clear();
        }
        QCOMPARE(carpeta->dialogos.textos(), QStringList());
    }

    // A tower or telephone that is not a number is refused before any
    // search: the message without icon, the focus on that field, the list
    // as it was.
    void torreOTelefonoIncorrectos_data()
    {
        QTest::addColumn<QString>("nombre");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("mensaje");
        QTest::newRow("torre") << "txtTorre"
                               << "3a"
                               << "Indique Torre correctamente";
        QTest::newRow("torre con signo") << "txtTorre"
                                         << "-3"
                                         << "Indique Torre correctamente";
        QTest::newRow("teléfono") << "txtTfnoInmueble"
                                  << "601-23"
                                  << "Indique Teléfono Inmueble correctamente";
    }
    void torreOTelefonoIncorrectos()
    {
        QFETCH(QString, nombre);
        QFETCH(QString, texto);
        QFETCH(QString, mensaje);
        agregarCensoPrueba();
        QVERIFY(abrirPanel());
        const QString titulo = panel->windowTitle();
        teclear(panel->txtNombre, "josé");
        teclear(campo(nombre), texto);
        enter(panel->txtNombre);
        QCOMPARE(carpeta->dialogos.textos(), QStringList{mensaje});
        QCOMPARE(carpeta->dialogos.ultimo().icono, Dialogos::Icono::Ninguno);
        QVERIFY(carpeta->dialogos.ultimo().titulo.isEmpty());
        QCOMPARE(panel->focusWidget(), campo(nombre));
        QCOMPARE(ids(), (QList<int>{3, 1, 2, 4}));
        QCOMPARE(panel->windowTitle(), titulo);
        QCOMPARE(consultas(), 0);
    }

    // A search that finds nothing says so and leaves list, detail and counts.
    void sinResultados()
    {
        agregarCensoPrueba();
        QVERIFY(abrirPanel());
        teclear(panel->txtNombre, "josé");
        enter(panel->txtNombre);
        const QString detalle = panel->txtInformacion->toPlainText();
        panel->txtNombre->clear();
        teclear(panel->txtNombre, "zoe");
        enter(panel->txtNombre);
        QCOMPARE(carpeta->dialogos.textos(), QStringList{"Su búsqueda no contiene resultados"});
        QCOMPARE(carpeta->dialogos.ultimo().icono, Dialogos::Icono::Informacion);
        QCOMPARE(ids(), (QList<int>{1}));
        QCOMPARE(panel->windowTitle(), "Inmuebles: 1 -  Prop.: 3 - Inq.: 4");
        QCOMPARE(panel->txtInformacion->toPlainText(), detalle);
        QCOMPARE(consultas(), 2);
    }

    // "View all": the fields emptied, the whole census, its event-log line.
    void verTodoCenso()
    {
        agregarCensoPrueba();
        QVERIFY(abrirPanel());
        teclear(panel->txtNombre, "josé");
        teclear(panel->txtTorre, "1");
        enter(panel->txtNombre);
        panel->btnVerTodoCenso->click();
        QCOMPARE(ids(), (QList<int>{3, 1, 2, 4}));
        QCOMPARE(panel->txtNombre->text(), QString());
        QCOMPARE(panel->txtTorre->text(), QString());
        QCOMPARE(panel->windowTitle(), "Inmuebles: 4 -  Prop.: 3 - Inq.: 4");
        QCOMPARE(carpeta->textosSucesos().mid(carpeta->textosSucesos().size() - 2),
                 (QStringList{kConsulta, "Consulta todo el censo"}));
    }

    // Owners and tenants are resident slots of the whole census, in the
    // words of the language in use.
    void cuentas_data()
    {
        QTest::addColumn<QString>("idioma");
        QTest::addColumn<QString>("titulo");
        QTest::newRow("es") << "es"
                            << "Consulta de Censo: Inmuebles: 2 -  Prop.: 2 - Inq.: 2";
        QTest::newRow("en") << "en"
                            << "Resident Management: Houses: 2 -  Owners: 1 - Tenants: 1";
    }
    void cuentas()
    {
        QFETCH(QString, idioma);
        QFETCH(QString, titulo);
        agregarCenso({{"num_inmueble", "1"},
                      {"tipo_usu1", "Propietario"},
                      {"tipo_usu2", "Inquilino"},
                      {"tipo_usu3", "Propietario - Inquilino"},
                      {"tipo_usu4", " "}});
        agregarCenso({{"num_inmueble", "2"}, {"tipo_usu2", "Owner"}, {"tipo_usu5", "tenant"}});
        ventana = carpeta->entrar();
        QVERIFY(CargarTablasIdioma(idioma, &carpeta->ctx->idioma));
        ventana->mnuConsultaCenso->trigger();
        panel = qobject_cast<frmConsultaCenso*>(ventana->panel("frmConsultaCenso"));
        QVERIFY(panel);
        QCOMPARE(panel->windowTitle(), titulo);
    }

    // A click shows that dwelling: its telephone, and every resident and
    // vehicle with the notes under their headings; the notes button shows
    // the notes alone, and nothing when there are none.
    void detalleYNotas()
    {
        agregarCensoPrueba();
        QVERIFY(abrirPanel());
        clic(2);
        QCOMPARE(panel->idCensoSel(), 2);
        QCOMPARE(panel->lblTfnoInmueble->text(), "6019999");
        QCOMPARE(panel->txtInformacion->toPlainText(),
                 "USUARIOS\nBeto D'Ávila Paz (#Propietario - Inquilino#)\nÁngela Ibáñez Lo_pez "
                 "(#Inquilino#)\n\nVEHÍCULOS\nQWE%45 Renault 4 Carro\n\nNOTAS\n100% al día\n");
        panel->btnNotas->click();
        QCOMPARE(carpeta->dialogos.textos(), QStringList{"100% al día"});
        QCOMPARE(carpeta->dialogos.ultimo().icono, Dialogos::Icono::Informacion);
        QVERIFY(carpeta->dialogos.ultimo().titulo.isEmpty());
        QCOMPARE(carpeta->textosSucesos().constLast(), "Consulta notas adicionales");

        // No resident named, no vehicle, empty notes: the three headings.
        clic(3);
        QCOMPARE(panel->lblTfnoInmueble->text(), QString());
        QCOMPARE(panel->txtInformacion->toPlainText(), "USUARIOS\n\nVEHÍCULOS\n\nNOTAS\n");
        panel->btnNotas->click();
        QCOMPARE(carpeta->dialogos.textos().size(), 1);

        // Deleted at another terminal: no detail, no notes.
        clic(2);
        carpeta->ejecutarSql("DELETE FROM censos WHERE id_censo = 2");
        clic(1);
        clic(2);
        QCOMPARE(panel->lblTfnoInmueble->text(), "6019999");
        QCOMPARE(panel->txtInformacion->toPlainText(), QString());
        panel->btnNotas->click();
        QCOMPARE(carpeta->dialogos.textos().size(), 1);
        QCOMPARE(carpeta->textosSucesos().count("Consulta notas adicionales"), 3);
    }

    // A double click opens the editing window only for a user who may
    // modify or delete; Enter on the list opens it for anyone, with the
    // buttons that user may use.
    void dobleClicYEnter_data()
    {
        QTest::addColumn<QList<int>>("permisos");
        QTest::addColumn<QStringList>("esperados");
        QTest::newRow("ni 11 ni 12") << QList<int>{7, 9} << QStringList{"202"};
        QTest::newRow("11") << QList<int>{7, 9, 11}
                            << QStringList{"101 modificar", "202 modificar"};
        QTest::newRow("12") << QList<int>{7, 9, 12} << QStringList{"101 eliminar", "202 eliminar"};
    }
    void dobleClicYEnter()
    {
        QFETCH(QList<int>, permisos);
        QFETCH(QStringList, esperados);
        agregarCensoPrueba();
        const int id = carpeta->agregarUsuario("guardia", "Clave1", permisos);
        QVERIFY(abrirPanel({}, id));
        clic(1, true);
        clic(2);
        QTest::keyClick(panel->ListView1, Qt::Key_Return);
        QCOMPARE(editados, esperados);
    }

    // A dwelling modified in the editing window is listed anew, the window
    // where it was; one deleted leaves the list, and the last one deleted
    // closes the window. Cancelled, the list keeps its selection.
    void modificarYEliminar()
    {
        agregarCensoPrueba();
        QVERIFY(abrirPanel());
        QWidget* marco = panel->parentWidget();
        marco->move(40, 30);
        clic(1);
        QTest::keyClick(panel->ListView1, Qt::Key_Return);
        QCOMPARE(panel->idCensoSel(), 1);

        enEdicion = [](frmNuevoCenso& edicion) {
            edicion.txtNombre[0]->setText("Zoe");
            edicion.btnModificarCenso->click();
        };
        clic(1);
        QTest::keyClick(panel->ListView1, Qt::Key_Return);
        QCOMPARE(Textos(panel->modelo(), 5), (QStringList{"Ana María", "Zoe", "Beto", ""}));
        QCOMPARE(marco->pos(), QPoint(40, 30));
        QCOMPARE(panel->windowTitle(), "Consulta de Censo: Inmuebles: 4 -  Prop.: 3 - Inq.: 4");

        enEdicion = [](frmNuevoCenso& edicion) { edicion.btnEliminarCenso->click(); };
        clic(3);
        QTest::keyClick(panel->ListView1, Qt::Key_Return);
        QCOMPARE(ids(), (QList<int>{3, 1, 2}));
        QCOMPARE(editados, (QStringList{"101 modificar eliminar", "101 modificar eliminar",
                                        "301 modificar eliminar"}));

        carpeta->ejecutarSql("DELETE FROM censos WHERE id_censo <> 2");
        clic(2);
        QTest::keyClick(panel->ListView1, Qt::Key_Return);
        QTRY_VERIFY(!ventana->panel("frmConsultaCenso"));
    }

    // The dialing controls exist only where the terminal's option is on.
    void opcionMarcado()
    {
        agregarCensoPrueba();
        QVERIFY(abrirPanel());
        QVERIFY(panel->chkLlamadaAuto->isHidden());
        QVERIFY(!panel->chkLlamadaAuto->isChecked());
        QVERIFY(!panel->chkLlamadaAuto->isEnabled());
        QVERIFY(panel->btnLlamar->isHidden());
        QVERIFY(!panel->btnLlamar->isEnabled());
        teclear(panel->txtNumInmueble, "202");
        enter(panel->txtNumInmueble);
        QCOMPARE(carpeta->dialogos.textos(), QStringList());

        QVERIFY(abrirPanel("0;1"));
        QVERIFY(!panel->chkLlamadaAuto->isHidden());
        QVERIFY(panel->chkLlamadaAuto->isChecked());
        QVERIFY(panel->chkLlamadaAuto->isEnabled());
        QVERIFY(!panel->btnLlamar->isHidden());
        QVERIFY(panel->btnLlamar->isEnabled());
        QCOMPARE(panel->chkLlamadaAuto->text(), "Marcado Auto");
        QCOMPARE(panel->btnLlamar->text(), "Marcar teléfono");
    }

    // Enter in the unit-number field that finds a dwelling offers to dial
    // its telephone; Yes dials it, No does not. No offer after a search that
    // found nothing or was refused, after Enter in another field, or with
    // the box unticked.
    void marcadoAutomatico()
    {
        agregarCensoPrueba();
        QVERIFY(abrirPanel("0;1"));
        ModemEmulado modem;
        qputenv("ZELVORA_MODEM", modem.dispositivo().toLocal8Bit());
        panel->esperaModem = 5s;
        teclear(panel->txtNumInmueble, "202");
        enter(panel->txtNumInmueble);
        QCOMPARE(carpeta->dialogos.textos(),
                 (QStringList{"¿Marcar teléfono 6019999?", carpeta->ctx->texto(118)}));
        const Dialogos::Mensaje pregunta = carpeta->dialogos.mostrados.front();
        QCOMPARE(pregunta.titulo, "Zelvora - Marcado Automático");
        QCOMPARE(pregunta.icono, Dialogos::Icono::Exclamacion);
        QCOMPARE(pregunta.botones, Dialogos::Botones::SiNo);
        QTRY_COMPARE(modem.recibido, QByteArray("ATDT6019999;\rATH\r"));
        QVERIFY(!carpeta->textosSucesos().contains("Marca teléfono (botón)"));

        carpeta->dialogos.mostrados.clear();
        carpeta->dialogos.respuestas = {Dialogos::Respuesta::No};
        enter(panel->txtNumInmueble);
        QCOMPARE(carpeta->dialogos.textos(), QStringList{"¿Marcar teléfono 6019999?"});

        carpeta->dialogos.mostrados.clear();
        teclear(panel->txtNumInmueble, "9");
        enter(panel->txtNumInmueble);
        QCOMPARE(carpeta->dialogos.textos(), QStringList{"Su búsqueda no contiene resultados"});

        carpeta->dialogos.mostrados.clear();
        panel->txtNumInmueble->setText("202");
        panel->btnRealizarConsulta->click();
        panel->txtTorre->setText("x");
        enter(panel->txtNumInmueble);
        QCOMPARE(carpeta->dialogos.textos(), QStringList{"Indique Torre correctamente"});

        carpeta->dialogos.mostrados.clear();
        panel->txtTorre->clear();
        enter(panel->txtTfnoInmueble);
        panel->chkLlamadaAuto->setChecked(false);
        enter(panel->txtNumInmueble);
        QCOMPARE(carpeta->dialogos.textos(), QStringList());
        QCOMPARE(modem.recibido, QByteArray("ATDT6019999;\rATH\r"));
    }

    // The dial button dials the telephone shown, then writes its line.
    void botonLlamar()
    {
        agregarCensoPrueba();
        QVERIFY(abrirPanel("0;1"));
        ModemEmulado modem(ModemEmulado::Modo::APedazos);
        qputenv("ZELVORA_MODEM", modem.dispositivo().toLocal8Bit());
        panel->esperaModem = 5s;
        clic(1);
        panel->btnLlamar->click();
        QCOMPARE(carpeta->dialogos.textos(), QStringList{carpeta->ctx->texto(118)});
        QTRY_COMPARE(modem.ordenes(), (QList<QByteArray>{"ATDT6012345;", "ATH"}));
        QCOMPARE(carpeta->textosSucesos().constLast(), "Marca teléfono (botón)");
        QVERIFY(panel->btnLlamar->isEnabled());
    }

    // The owners and tenants are counted at every search: the types are
    // read from their index, not from every dwelling.
    void lasCuentasLeenElIndice()
    {
        SOLO_ARCHIVO();
        const QString plan =
            carpeta->consultar("EXPLAIN QUERY PLAN " + SentenciaTiposCenso()).join('\n');
        QVERIFY2(plan.contains("COVERING INDEX ix_censos_tipos") &&
                     !plan.contains("TEMP B-TREE FOR GROUP BY"),
                 qPrintable(plan));
    }
};

QTEST_MAIN(PruebaFrmConsultaCenso)
#include "tst_frmconsultacenso.moc"
