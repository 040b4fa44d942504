// The login window as a guard meets it: the language choice, the
// configuration checks and the login with its three attempts.

#include "ApoyoPruebas.h"
#include "startup/frmAcceso.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

class PruebaAcceso : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<CarpetaPrueba> carpeta;
    std::unique_ptr<frmAcceso> ventana;

    frmAcceso& abrir()
    {
        ventana = std::make_unique<frmAcceso>(*carpeta->ctx);
        ventana->cargar();
        return *ventana;
    }

    void teclear(const QString& usuario, const QString& clave)
    {
        ventana->txtUsr->setText(usuario);
        ventana->txtPwd->setText(clave);
        QTest::keyClick(ventana->txtPwd, Qt::Key_Return);
    }

private slots:
    void init() { carpeta = std::make_unique<CarpetaPrueba>(); }
    void cleanup()
    {
        ventana.reset();
        carpeta.reset();
    }

    void primerInicioOfreceLasCuatroBanderas()
    {
        carpeta->escribirConfiguracion(QStringLiteral(";ACCESO NORTE"));
        carpeta->crearBaseDatos();
        frmAcceso& w = abrir();

        for (QLabel* bandera : {w.imgEs, w.imgCo, w.imgUs, w.imgEn})
            QVERIFY(bandera->isVisible());
        QVERIFY(!w.txtUsr->isVisible());
        QVERIFY(!w.btnAceptarAcceso->isVisible());
        QCOMPARE(w.windowTitle(), QString());
        QCOMPARE(w.imgCo->toolTip(), QStringLiteral("Idioma Colombia"));
        QVERIFY(w.imgEs->x() < w.imgCo->x() && w.imgCo->x() < w.imgUs->x() &&
                w.imgUs->x() < w.imgEn->x());

        QTest::mouseClick(w.imgCo, Qt::LeftButton);

        QCOMPARE(LeerBytes(carpeta->archivo(QStringLiteral("zelvora_idioma.cfg"))),
                 QByteArray("co\r\n"));
        QVERIFY(!w.imgCo->isVisible());
        QVERIFY(w.txtUsr->isVisible() && w.txtPwd->isVisible());
        QCOMPARE(w.windowTitle(), QStringLiteral("Control de Acceso"));
        QCOMPARE(w.Label2->text(), QStringLiteral("Contraseña"));
        QCOMPARE(w.btnAceptarAcceso->text(), QStringLiteral("Ingresar"));
        QCOMPARE(carpeta->ctx->texto(140),
                 QStringLiteral("Activar carga de datos desde última visita"));
        // The language texts come before the configuration is read: no file gets them.
        QCOMPARE(carpeta->textosSucesos(),
                 QStringList{QStringLiteral("Configuración de Inicio: ;ACCESO NORTE")});
        QVERIFY(!carpeta->ctx->finPedido());
    }

    void idiomaGuardadoVaDirectoAlAcceso_data()
    {
        QTest::addColumn<QString>("codigo");
        QTest::addColumn<QString>("titulo");
        QTest::addColumn<QString>("usuario");
        QTest::newRow("es") << "es"
                            << "Control de Acceso"
                            << "Usuario";
        QTest::newRow("us") << "us"
                            << "Access Control"
                            << "User";
        QTest::newRow("en") << "en"
                            << "Access Control"
                            << "User";
        QTest::newRow("desconocido") << "fr"
                                     << ""
                                     << "";
    }

    void idiomaGuardadoVaDirectoAlAcceso()
    {
        QFETCH(QString, codigo);
        QFETCH(QString, titulo);
        QFETCH(QString, usuario);
        carpeta->prepararTerminal(codigo);
        frmAcceso& w = abrir();
        QVERIFY(!w.imgEs->isVisible());
        QVERIFY(w.txtUsr->isVisible());
        QCOMPARE(w.windowTitle(), titulo);
        QCOMPARE(w.Label1->text(), usuario);
        QVERIFY(carpeta->dialogos.mostrados.empty());
    }

    void configuracionAusenteTerminaConAviso()
    {
        carpeta->escribirIdioma(QStringLiteral("us"));
        abrir();
        QCOMPARE(carpeta->dialogos.mostrados.size(), size_t(1));
        const Dialogos::Mensaje& m = carpeta->dialogos.ultimo();
        QCOMPARE(m.texto, QStringLiteral("Configuration file not found"));
        QCOMPARE(m.titulo, QStringLiteral("Configuration error"));
        QCOMPARE(m.icono, Dialogos::Icono::Exclamacion);
        QVERIFY(carpeta->ctx->finPedido());
        QCOMPARE(carpeta->textosSucesos(QStringLiteral("PROBLEMACFG")),
                 (QStringList{QStringLiteral("Configuración de Inicio: "),
                              QStringLiteral("El archivo de configuración no existe - Error de "
                                             "configuración")}));
    }

    void puntoDeControlVacioTerminaConAviso()
    {
        carpeta->escribirIdioma(QStringLiteral("es"));
        // The lines go to the configured database folder, under PROBLEMACFG.
        QDir(carpeta->ruta()).mkdir(QStringLiteral("datos"));
        carpeta->escribirConfiguracion(carpeta->archivo(QStringLiteral("datos;;1;")));
        abrir();
        QCOMPARE(carpeta->dialogos.ultimo().texto,
                 QStringLiteral("El archivo de configuración es incorrecto - El punto de control "
                                "no está asignado"));
        QCOMPARE(carpeta->dialogos.ultimo().titulo, QStringLiteral("Error de configuración"));
        QVERIFY(carpeta->ctx->finPedido());
        QVERIFY(carpeta->lineasSucesos(QStringLiteral("PROBLEMACFG")).isEmpty());
        const QStringList lineas = CarpetaPrueba::lineasArchivo(
            carpeta->archivo(QStringLiteral("datos/sucesos/20260805_PROBLEMACFG.hap")));
        QCOMPARE(lineas.size(), 2);
        QCOMPARE(lineas[1], QStringLiteral("05-08-2026;14:03:09;PROBLEMACFG;;;;;El archivo de "
                                           "configuración es incorrecto - El punto de control "
                                           "no está asignado"));
    }

    void tresIntentosFallidosTerminanSinMensaje()
    {
        carpeta->prepararTerminal();
        frmAcceso& w = abrir();
        QSignalSpy concedido(&w, &frmAcceso::accesoConcedido);

        teclear(QStringLiteral("Admin"), QStringLiteral("otra"));
        teclear(QStringLiteral("admin"), QStringLiteral("Secreto1")); // wrong letter case
        QVERIFY(!carpeta->ctx->finPedido());
        QCOMPARE(w.txtUsr->text(), QStringLiteral("admin"));
        QCOMPARE(w.txtPwd->text(), QStringLiteral("Secreto1"));
        teclear(QStringLiteral("O'Brien"), QStringLiteral("x' OR '1'='1"));

        QVERIFY(carpeta->ctx->finPedido());
        QCOMPARE(concedido.count(), 0);
        QVERIFY(carpeta->dialogos.mostrados.empty());
        const QStringList textos = carpeta->textosSucesos();
        QCOMPARE(textos.mid(1),
                 (QStringList{
                     QStringLiteral("Primer intento fallido de ingresar al programa. Intenta "
                                    "utilizar como usr <-Admin-> y pwd <-********->"),
                     QStringLiteral("Segundo intento fallido de ingresar al programa. Intenta "
                                    "utilizar como usr <-admin-> y pwd <-********->"),
                     QStringLiteral("Tercer intento fallido de ingresar al programa, se le niega "
                                    "el acceso. Intenta utilizar como usr <-O'Brien-> y pwd "
                                    "<-********->")}));
        QVERIFY(!textos.join(u'\n').contains(QStringLiteral("Secreto1")));
    }

    void accesoCorrectoLlenaElUsuarioYCierraLaVentana()
    {
        carpeta->prepararTerminal();
        frmAcceso& w = abrir();
        QSignalSpy concedido(&w, &frmAcceso::accesoConcedido);
        teclear(QStringLiteral("Admin"), QStringLiteral("secreto1"));
        QCOMPARE(w.intentosFallidos(), 1);

        w.txtUsr->setText(QStringLiteral("Admin"));
        w.txtPwd->setText(QStringLiteral("Secreto1"));
        QTest::mouseClick(w.btnAceptarAcceso, Qt::LeftButton);

        QCOMPARE(concedido.count(), 1);
        QVERIFY(!w.isVisible());
        QVERIFY(!carpeta->ctx->finPedido());
        const UsuarioActual& u = carpeta->ctx->usuario;
        QCOMPARE(u.UsuarioId, 1);
        QCOMPARE(u.UsuarioSr, QStringLiteral("Admin"));
        QCOMPARE(u.UsuarioNivel, QStringLiteral("1"));
        QCOMPARE(u.nombreCompleto(), QStringLiteral("Ana Pérez Núñez"));
        const QStringList lineas = carpeta->lineasSucesos();
        QCOMPARE(lineas.mid(lineas.size() - 2),
                 (QStringList{QStringLiteral("05-08-2026;14:03:09;ACCESO NORTE;Admin;Ana;Pérez;"
                                             "Núñez;Ingresa al programa"),
                              QStringLiteral("05-08-2026;14:03:09;ACCESO NORTE;Admin;Ana;Pérez;"
                                             "Núñez;Se produce Unload en la ventana de Acceso")}));
    }

    void enterEnElUsuarioIntentaConLaClaveQueHaya()
    {
        carpeta->prepararTerminal();
        frmAcceso& w = abrir();
        QSignalSpy concedido(&w, &frmAcceso::accesoConcedido);
        w.txtPwd->setText(QStringLiteral("Secreto1"));
        QTest::keyClicks(w.txtUsr, QStringLiteral("Admin"));
        QTest::keyClick(w.txtUsr, Qt::Key_Enter);
        QCOMPARE(concedido.count(), 1);
    }

    void baseDeDatosAusenteSeAvisaSinContarIntento()
    {
        carpeta->escribirConfiguracion(QStringLiteral(";ACCESO NORTE"));
        carpeta->escribirIdioma(QStringLiteral("es"));
        frmAcceso& w = abrir();
        teclear(QStringLiteral("Admin"), QStringLiteral("Secreto1"));

        QCOMPARE(w.intentosFallidos(), 0);
        QVERIFY(!carpeta->ctx->finPedido());
        const QString ruta = carpeta->archivo(QStringLiteral("zelvora.db"));
        QVERIFY(carpeta->dialogos.ultimo().texto.contains(ruta));
        QVERIFY(!QFile::exists(ruta)); // never created behind the guard's back
        QVERIFY(
            carpeta->textosSucesos().last().startsWith(QStringLiteral("Error de base de datos: ")));
    }

    void cerrarSinAccederTerminaElPrograma()
    {
        carpeta->prepararTerminal();
        frmAcceso& w = abrir();
        w.close();
        QVERIFY(carpeta->ctx->finPedido());
        QCOMPARE(carpeta->ctx->codigoFin(), 0);
        QCOMPARE(carpeta->textosSucesos().last(),
                 QStringLiteral("Se produce Unload en la ventana de Acceso"));
    }
};

QTEST_MAIN(PruebaAcceso)
#include "tst_frmacceso.moc"
