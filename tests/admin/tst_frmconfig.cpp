// The configuration panel as an administrator opens it from the main window:
// it shows the terminal's zelvora.cfg as the file holds it and writes it back,
// whole, into the file and into the running program.

#include "ApoyoPruebas.h"
#include "admin/frmConfig.h"
#include "startup/frmPrincipal.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

#include <csignal>
#include <optional>
#include <sys/resource.h>
#include <unistd.h>

namespace {

const QString kInicial = QStringLiteral(";ACCESO NORTE;1;0;1;0;0;;1;;;;0;0;0");
const QString kTitulo = QStringLiteral("Zelvora - MODIFICAR CONFIGURACIÓN");

QString Modifica(const QString& anterior, const QString& nueva)
{
    return "Modifica Configuración - Valores anteriores: <->" + anterior +
           "<-> Nuevos valores: <->" + nueva + "<->";
}

// The system refuses to let any file grow while this lives, as a read-only
// folder does; a read-only folder alone does not stop a test run as root.
class EscrituraImpedida
{
public:
    explicit EscrituraImpedida(const QString& carpeta) : carpeta_(carpeta)
    {
        permisos_ = QFile::permissions(carpeta_);
        QFile::setPermissions(carpeta_, QFile::ReadOwner | QFile::ExeOwner);
        std::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &antes_);
        rlimit ninguno = antes_;
        ninguno.rlim_cur = 0;
        ::setrlimit(RLIMIT_FSIZE, &ninguno);
    }
    ~EscrituraImpedida()
    {
        ::setrlimit(RLIMIT_FSIZE, &antes_);
        QFile::setPermissions(carpeta_, permisos_);
    }

private:
    QString carpeta_;
    QFile::Permissions permisos_;
    rlimit antes_{};
};

} // namespace

class PruebaConfig : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<CarpetaPrueba> carpeta;
    std::unique_ptr<frmPrincipal> ventana;
    frmConfig* panel = nullptr;

    bool abrir()
    {
        panel = qobject_cast<frmConfig*>(
            carpeta->abrirPanel(ventana, &frmPrincipal::mnuConfig, "frmConfig"));
        return panel != nullptr;
    }

    QByteArray archivoCfg() const { return LeerBytes(carpeta->archivo("zelvora.cfg")); }

    // Clicks the save button; the confirmation gets that answer.
    void guardar(Dialogos::Respuesta respuesta = Dialogos::Respuesta::Si)
    {
        carpeta->dialogos.mostrados.clear();
        carpeta->dialogos.respuestas = {respuesta};
        QTest::mouseClick(panel->btnModificarConfig, Qt::LeftButton);
    }

    static void escribir(QLineEdit* campo, const QString& texto)
    {
        // Key by key, accents included, as the guard types them.
        campo->clear();
        for (QChar letra : texto)
            QTest::sendKeyEvent(QTest::Click, campo, Qt::Key_unknown, QString(letra), {});
    }

    // The configuration changes logged in that control point's file of the day.
    QStringList modificaciones(const QString& punto = QStringLiteral("ACCESO NORTE")) const
    {
        return carpeta->textosSucesos(punto).filter(QRegularExpression("^Modifica Configuración"));
    }

    // The program folder's entries: no temporary file may stay behind.
    QStringList entradas() const
    {
        return QDir(carpeta->ruta())
            .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    }

private slots:
    void init()
    {
        carpeta = std::make_unique<CarpetaPrueba>();
        carpeta->prepararTerminal();
    }
    void cleanup()
    {
        ventana.reset();
        carpeta.reset();
    }

    // A file edited by hand while the program runs shows as edited, not as
    // the program started with it; the opening is logged.
    void muestraElArchivoEditadoAMano()
    {
        const QString datos = carpeta->archivo("datos");
        QVERIFY(QDir().mkpath(datos));
        const QString linea = datos + ";Puerta \"B\" Ñandú;0;1;1;0;1;15;0;100;2000;30000;1;0;1";
        carpeta->escribirConfiguracion(linea);
        QVERIFY(abrir());

        QCOMPARE(panel->windowTitle(), "Configuración");
        QCOMPARE(panel->txtRutaBD->text(), datos);
        QCOMPARE(panel->txtPunto->text(), "Puerta \"B\" Ñandú");
        QCOMPARE(panel->txtTiempoAvisoDefecto->text(), "15");
        QCOMPARE(panel->txtRangoMinSizeBD->text(), "100");
        QCOMPARE(panel->txtRangoMaxSizeBD->text(), "2000");
        QCOMPARE(panel->txtMaxSizeBD->text(), "30000");
        const QList<QCheckBox*> casillas{panel->chkEfectuarRespaldo,
                                         panel->chkEfectuarMarcadoAuto,
                                         panel->chkEfectuarRegistroDeSucesos,
                                         panel->chkEfectuarAviso,
                                         panel->chkAvisoDefecto,
                                         panel->chkVerificarSizeBD,
                                         panel->chkVisitasProgramadas,
                                         panel->chkTomarF,
                                         panel->chkDuplicarEntrada};
        QList<bool> marcadas;
        for (QCheckBox* c : casillas)
            marcadas << c->isChecked();
        QCOMPARE(marcadas, (QList<bool>{false, true, true, false, true, false, true, false, true}));
        QCOMPARE(carpeta->ctx->cfg.PuntoControl, "Puerta \"B\" Ñandú");
        QVERIFY(carpeta->dialogos.mostrados.empty());

        // The menu's line goes out before the file is read again; the reading
        // logs under the values it read.
        QCOMPARE(carpeta->textosSucesos().mid(carpeta->textosSucesos().size() - 1),
                 QStringList{"Abre el panel de Configuración"});
        const QStringList nuevos =
            CarpetaPrueba::lineasArchivo(datos + "/sucesos/20260805_Puerta \"B\" Ñandú.hap");
        QCOMPARE(nuevos.size(), 1);
        QCOMPARE(nuevos[0].section(u';', 7), "Configuración de Inicio: " + linea);
    }

    // The captions are the language's; each field is named by its caption.
    void rotulosEnElIdioma_data()
    {
        QTest::addColumn<QString>("idioma");
        QTest::addColumn<QStringList>("textos"); // title, 3 labels, button
        QTest::newRow("es") << "es"
                            << QStringList{"Configuración",
                                           "Ruta Base de Datos - Especificar sólo para uso en red",
                                           "Tiempo de Aviso por Defecto", "Duplicar Entrada",
                                           "Modificar Configuración"};
        QTest::newRow("en") << "en"
                            << QStringList{"Configuration", "Database Path - Only for net use",
                                           "Notices Time by Default", "Duplicate Entry",
                                           "Modify Configuration"};
    }
    void rotulosEnElIdioma()
    {
        QFETCH(QString, idioma);
        QFETCH(QStringList, textos);
        carpeta->usarConfiguracion(kInicial);
        CargarTablasIdioma(idioma, &carpeta->ctx->idioma);
        frmConfig w(*carpeta->ctx);
        QCOMPARE((QStringList{w.windowTitle(), w.lblRutaBD->text(), w.lblTiempoAvisoDefecto->text(),
                              w.lblDuplicarEntrada->text(), w.btnModificarConfig->text()}),
                 textos);
        QCOMPARE(w.lblRutaBD->buddy(), w.txtRutaBD);
        QCOMPARE(w.lblDuplicarEntrada->buddy(), w.chkDuplicarEntrada);
        QCOMPARE(w.size(), QSize(500, 600));
    }

    // Yes writes the fields in table order, byte for byte, and the program
    // works with them at once; the guard is asked first (No by default) and
    // told after.
    void siEscribeLaLineaYLaPoneEnUso()
    {
        QVERIFY(abrir());
        escribir(panel->txtRutaBD, "");
        escribir(panel->txtPunto, "Portería \"Sur\"");
        QTest::mouseClick(panel->chkEfectuarRespaldo, Qt::LeftButton);
        QTest::mouseClick(panel->chkEfectuarAviso, Qt::LeftButton);
        escribir(panel->txtTiempoAvisoDefecto, "1e3 min");
        escribir(panel->txtRangoMinSizeBD, "100");
        escribir(panel->txtRangoMaxSizeBD, "-5");
        escribir(panel->txtMaxSizeBD, "900000");
        QTest::mouseClick(panel->chkTomarF, Qt::LeftButton);
        QTest::mouseClick(panel->chkDuplicarEntrada, Qt::LeftButton);
        guardar();

        const QString nueva =
            QStringLiteral(";Portería \"Sur\";0;0;1;1;0;1e3 min;1;100;-5;900000;0;1;1");
        QCOMPARE(archivoCfg(), (nueva + "\r\n").toUtf8());
        QCOMPARE(entradas(),
                 (QStringList{"sucesos", "zelvora.cfg", "zelvora.db", "zelvora_idioma.cfg"}));
        const Configuracion& cfg = carpeta->ctx->cfg;
        QCOMPARE(LineaConfiguracion(cfg), nueva);
        QCOMPARE(cfg.PuntoControl, "Portería \"Sur\"");
        QVERIFY(!cfg.EfectuarRespaldo && cfg.EfectuarAviso && cfg.TomarFotografia);
        QCOMPARE(cfg.TiempoAvisoDefecto, "1e3 min");

        QCOMPARE(carpeta->dialogos.mostrados.size(), 2u);
        const Dialogos::Mensaje& pregunta = carpeta->dialogos.mostrados[0];
        QCOMPARE(pregunta.texto, "¿ Seguro de Modificar Configuración ?");
        QCOMPARE(pregunta.titulo, kTitulo);
        QCOMPARE(pregunta.icono, Dialogos::Icono::Exclamacion);
        QCOMPARE(pregunta.botones, Dialogos::Botones::SiNo);
        QCOMPARE(pregunta.porDefecto, Dialogos::Respuesta::No);
        const Dialogos::Mensaje& hecho = carpeta->dialogos.mostrados[1];
        QCOMPARE(hecho.texto, "Configuración modificada correctamente");
        QCOMPARE(hecho.titulo, kTitulo);
        QCOMPARE(hecho.icono, Dialogos::Icono::Informacion);

        // What the next start-up reads is what was typed.
        QVERIFY(abrir());
        QCOMPARE(panel->txtPunto->text(), "Portería \"Sur\"");
        QCOMPARE(panel->txtRangoMaxSizeBD->text(), "-5");
    }

    // The new file takes the old one's name in one step: a copy that held the
    // old file keeps it whole, so the file is never truncated in place.
    void elArchivoSeReemplazaEntero()
    {
        QVERIFY(abrir());
        QVERIFY(::link(QFile::encodeName(carpeta->archivo("zelvora.cfg")).constData(),
                       QFile::encodeName(carpeta->archivo("anterior.cfg")).constData()) == 0);
        escribir(panel->txtPunto, "NORTE");
        guardar();
        QCOMPARE(archivoCfg(), QByteArray(";NORTE;1;0;1;0;0;;1;;;;0;0;0\r\n"));
        QCOMPARE(LeerBytes(carpeta->archivo("anterior.cfg")), (kInicial + "\r\n").toUtf8());
    }

    // No leaves file, values and log as they were.
    void noNoCambiaNada()
    {
        QVERIFY(abrir());
        const QStringList antes = carpeta->lineasSucesos();
        escribir(panel->txtPunto, "OTRO");
        QTest::mouseClick(panel->chkEfectuarRespaldo, Qt::LeftButton);
        guardar(Dialogos::Respuesta::No);

        QCOMPARE(carpeta->dialogos.mostrados.size(), 1u);
        QCOMPARE(archivoCfg(), (kInicial + "\r\n").toUtf8());
        QCOMPARE(LineaConfiguracion(carpeta->ctx->cfg), kInicial);
        QCOMPARE(carpeta->lineasSucesos(), antes);
        QVERIFY(carpeta->lineasSucesos("OTRO").isEmpty());
    }

    // The line is logged under the new values: the new name's file of the
    // day, and only when the new log switch is on.
    void seRegistraConLosValoresNuevos_data()
    {
        QTest::addColumn<QString>("antes");
        QTest::addColumn<QString>("punto");
        QTest::addColumn<QString>("despues");
        QTest::newRow("mismo nombre") << ";NORTE;1;0;1;0;0;;1;;;;0;0;0"
                                      << "NORTE"
                                      << ";NORTE;0;0;1;0;0;;1;;;;0;0;0";
        QTest::newRow("nombre nuevo") << kInicial << "NORTE"
                                      << ";NORTE;0;0;1;0;0;;1;;;;0;0;0";
    }
    void seRegistraConLosValoresNuevos()
    {
        QFETCH(QString, antes);
        QFETCH(QString, punto);
        QFETCH(QString, despues);
        carpeta->escribirConfiguracion(antes);
        QVERIFY(abrir());
        const QString puntoAntes = carpeta->ctx->cfg.PuntoControl;
        escribir(panel->txtPunto, punto);
        QTest::mouseClick(panel->chkEfectuarRespaldo, Qt::LeftButton);
        guardar();
        QCOMPARE(modificaciones(punto), QStringList{Modifica(antes, despues)});
        QVERIFY(!carpeta->lineasSucesos(punto).isEmpty());
        QCOMPARE(carpeta->lineasSucesos(punto).last().section(u';', 2, 2), punto);
        if (puntoAntes != punto)
            QCOMPARE(modificaciones(puntoAntes), QStringList());
    }

    void interruptorDelRegistro()
    {
        QVERIFY(abrir());
        QTest::mouseClick(panel->chkEfectuarRegistroDeSucesos, Qt::LeftButton);
        guardar();
        const QString apagado = ";ACCESO NORTE;1;0;0;0;0;;1;;;;0;0;0";
        QCOMPARE(archivoCfg(), (apagado + "\r\n").toUtf8());
        QVERIFY(!carpeta->ctx->cfg.EfectuarRegistroDeSucesos);
        QCOMPARE(modificaciones(), QStringList());
        QCOMPARE(carpeta->dialogos.ultimo().texto, "Configuración modificada correctamente");

        QTest::mouseClick(panel->chkEfectuarRegistroDeSucesos, Qt::LeftButton);
        guardar();
        QCOMPARE(modificaciones(), QStringList{Modifica(apagado, kInicial)});
    }

    // An untouched panel rewrites the same line and logs it twice alike.
    void sinCambiosRegistraLoMismo()
    {
        QVERIFY(abrir());
        guardar();
        QCOMPARE(archivoCfg(), (kInicial + "\r\n").toUtf8());
        QCOMPARE(modificaciones(), QStringList{Modifica(kInicial, kInicial)});
    }

    // ";" separates the file's fields and "," ends the value read: either in
    // any text field is refused, naming the field, before anything is asked
    // or written; the cursor goes to the field.
    void separadoresRechazados_data()
    {
        QTest::addColumn<QString>("campo");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("mensaje");
        const auto otro = [](const char* rotulo, const char* c) {
            return QStringLiteral(
                       "El campo \"%1\" no puede contener el carácter \"%2\": el archivo "
                       "de configuración lo usa para separar sus valores.")
                .arg(QString::fromUtf8(rotulo), QLatin1String(c));
        };
        const auto punto = [](const char* c) {
            return QStringLiteral(
                       "El punto de control no puede contener el carácter \"%1\": su "
                       "nombre forma parte del nombre de los archivos de sucesos y es un "
                       "campo del archivo de configuración.")
                .arg(QLatin1String(c));
        };
        const char* rotuloRuta = "Ruta Base de Datos - Especificar sólo para uso en red";
        QTest::newRow("ruta ;") << "txtRutaBD"
                                << "/srv/a;b" << otro(rotuloRuta, ";");
        QTest::newRow("ruta ,") << "txtRutaBD"
                                << "/srv/a,b" << otro(rotuloRuta, ",");
        QTest::newRow("punto ;") << "txtPunto"
                                 << "NORTE;2" << punto(";");
        QTest::newRow("punto ,") << "txtPunto"
                                 << "NORTE,2" << punto(",");
        QTest::newRow("punto vacío") << "txtPunto"
                                     << ""
                                     << "Indique el nombre del punto de control.";
        QTest::newRow("punto /") << "txtPunto"
                                 << "A/B" << punto("/");
        QTest::newRow("tiempo ,") << "txtTiempoAvisoDefecto"
                                  << "1,5" << otro("Tiempo de Aviso por Defecto", ",");
        QTest::newRow("mínimo ;") << "txtRangoMinSizeBD"
                                  << "1;0"
                                  << otro("Rango Mínimo de Aviso Tamaño Base de Datos", ";");
        QTest::newRow("máximo ,") << "txtRangoMaxSizeBD"
                                  << "2,0"
                                  << otro("Rango Máximo de Aviso Tamaño Base de Datos", ",");
        QTest::newRow("alerta ;") << "txtMaxSizeBD"
                                  << "3;" << otro("Alerta Máximo Tamaño Base de Datos", ";");
    }
    void separadoresRechazados()
    {
        QFETCH(QString, campo);
        QFETCH(QString, texto);
        QFETCH(QString, mensaje);
        QVERIFY(abrir());
        const QStringList sucesos = carpeta->lineasSucesos();
        auto* control = panel->findChild<QLineEdit*>(campo);
        QVERIFY(control);
        escribir(control, texto);
        panel->btnModificarConfig->setFocus();
        guardar();

        QCOMPARE(carpeta->dialogos.textos(), QStringList{mensaje});
        QCOMPARE(carpeta->dialogos.ultimo().icono, Dialogos::Icono::Exclamacion);
        QCOMPARE(carpeta->dialogos.ultimo().titulo, kTitulo);
        QTRY_COMPARE(QApplication::focusWidget(), control);
        QCOMPARE(archivoCfg(), (kInicial + "\r\n").toUtf8());
        QCOMPARE(LineaConfiguracion(carpeta->ctx->cfg), kInicial);
        QCOMPARE(carpeta->lineasSucesos(), sucesos);
    }

    // A file removed while the panel was open is written anew; the old line
    // logged is empty.
    void archivoDesaparecidoSeEscribeDeNuevo()
    {
        QVERIFY(abrir());
        QVERIFY(QFile::remove(carpeta->archivo("zelvora.cfg")));
        guardar();
        QCOMPARE(archivoCfg(), (kInicial + "\r\n").toUtf8());
        QCOMPARE(modificaciones(), QStringList{Modifica(QString(), kInicial)});
        QCOMPARE(carpeta->dialogos.ultimo().texto, "Configuración modificada correctamente");
    }

    // A file the system will not let be written: the guard is told why, the
    // old file and the values in use stay, and no change is logged.
    void escrituraFallidaNoCambiaNada()
    {
        QVERIFY(abrir());
        escribir(panel->txtPunto, "SUR");
        QTest::mouseClick(panel->chkEfectuarRegistroDeSucesos, Qt::LeftButton);
        const QStringList sucesos = carpeta->lineasSucesos();
        std::optional<EscrituraImpedida> impedida;
        carpeta->dialogos.alMostrar = [&](const Dialogos::Mensaje& m) {
            if (m.botones == Dialogos::Botones::SiNo)
                impedida.emplace(carpeta->ruta());
            else
                impedida.reset();
        };
        guardar();
        carpeta->dialogos.alMostrar = {};
        impedida.reset();

        QCOMPARE(carpeta->dialogos.mostrados.size(), 2u);
        const Dialogos::Mensaje& caja = carpeta->dialogos.ultimo();
        const QString inicio = "No se ha podido guardar la configuración. El archivo y los valores "
                               "en uso no han cambiado:\r\n\r\n" +
                               carpeta->archivo("zelvora.cfg") + "\r\n";
        QVERIFY2(caja.texto.startsWith(inicio), qPrintable(caja.texto));
        QVERIFY(caja.texto.size() > inicio.size()); // the system's reason
        QCOMPARE(caja.icono, Dialogos::Icono::Exclamacion);
        QCOMPARE(caja.titulo, kTitulo);

        QCOMPARE(archivoCfg(), (kInicial + "\r\n").toUtf8());
        QCOMPARE(entradas(),
                 (QStringList{"sucesos", "zelvora.cfg", "zelvora.db", "zelvora_idioma.cfg"}));
        QCOMPARE(LineaConfiguracion(carpeta->ctx->cfg), kInicial);
        QCOMPARE(carpeta->lineasSucesos(), sucesos);
        QVERIFY(carpeta->lineasSucesos("SUR").isEmpty());
    }

    // A file missing or without a control point when the panel opens: the
    // start-up's message, but the program goes on with the values it runs
    // with, shown so that a save writes the file anew.
    void archivoInservibleAlAbrir_data()
    {
        QTest::addColumn<QString>("contenido"); // empty: no file
        QTest::addColumn<QString>("mensaje");
        QTest::newRow("sin archivo") << ""
                                     << "El archivo de configuración no existe";
        QTest::newRow("sin punto") << "C:\\datos;;1;"
                                   << "El archivo de configuración es incorrecto - El punto de "
                                      "control no está asignado";
    }
    void archivoInservibleAlAbrir()
    {
        QFETCH(QString, contenido);
        QFETCH(QString, mensaje);
        if (contenido.isEmpty())
            QVERIFY(QFile::remove(carpeta->archivo("zelvora.cfg")));
        else
            carpeta->escribirConfiguracion(contenido);
        QVERIFY(abrir());

        QCOMPARE(carpeta->dialogos.textos(), QStringList{mensaje});
        QCOMPARE(carpeta->dialogos.ultimo().titulo, "Error de configuración");
        QCOMPARE(carpeta->dialogos.ultimo().icono, Dialogos::Icono::Exclamacion);
        QVERIFY(!carpeta->ctx->finPedido());
        QCOMPARE(carpeta->ctx->cfg.PuntoControl, "ACCESO NORTE");
        QCOMPARE(panel->txtPunto->text(), "ACCESO NORTE");
        QVERIFY(panel->chkEfectuarRegistroDeSucesos->isChecked());

        guardar();
        const QString linea = QStringLiteral(";ACCESO NORTE;1;0;1;0;0;;1;;;;0;0;0");
        QCOMPARE(archivoCfg(), (linea + "\r\n").toUtf8());
        QCOMPARE(modificaciones(), QStringList{Modifica(contenido, linea)});
    }
};

QTEST_MAIN(PruebaConfig)
#include "tst_frmconfig.moc"
