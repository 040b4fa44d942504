// The login window as a guard meets it: the language choice, the
// configuration checks and the login with its three attempts.

#include "ApoyoPruebas.h"
#include "foundation/ArchivosTexto.h"
#include "startup/Arranque.h"
#include "startup/frmAcceso.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <cerrno>

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
        carpeta->escribirConfiguracion(";ACCESO NORTE");
        carpeta->crearBaseDatos();
        frmAcceso& w = abrir();

        for (QLabel* bandera : {w.imgEs, w.imgCo, w.imgUs, w.imgEn})
            QVERIFY(bandera->isVisible());
        QVERIFY(!w.txtUsr->isVisible());
        QCOMPARE(w.windowTitle(), QString());
        QCOMPARE(w.imgCo->toolTip(), "Idioma Colombia");
        QVERIFY(w.imgEs->x() < w.imgCo->x() && w.imgCo->x() < w.imgUs->x() &&
                w.imgUs->x() < w.imgEn->x());

        QTest::mouseClick(w.imgCo, Qt::LeftButton);

        QCOMPARE(LeerBytes(carpeta->archivo("zelvora_idioma.cfg")), QByteArray("co\r\n"));
        QVERIFY(!w.imgCo->isVisible());
        QVERIFY(w.txtUsr->isVisible() && w.txtPwd->isVisible());
        QCOMPARE(w.windowTitle(), "Control de Acceso");
        QCOMPARE(w.Label2->text(), "Contraseña");
        QCOMPARE(w.btnAceptarAcceso->text(), "Ingresar");
        QCOMPARE(carpeta->ctx->texto(140), "Activar carga de datos desde última visita");
        // The language texts come before the configuration is read: no file gets them.
        QCOMPARE(carpeta->textosSucesos(), QStringList{"Configuración de Inicio: ;ACCESO NORTE"});
        QVERIFY(!carpeta->ctx->finPedido());
    }

    // The choice cannot be stored (here a folder holds its name): the guard
    // reads what failed in the language just chosen, and the login goes on.
    void idiomaQueNoSeGuardaSeExplica_data()
    {
        QTest::addColumn<QString>("codigo");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("titulo");
        QTest::newRow("us") << "us"
                            << "The chosen language could not be saved. The program goes on in "
                               "this language, but it will ask for the language again at the "
                               "next start:"
                            << "Access Control";
        QTest::newRow("co") << "co"
                            << "No se ha podido guardar el idioma elegido. El programa sigue en "
                               "este idioma, pero en el próximo inicio volverá a pedir que se "
                               "elija:"
                            << "Control de Acceso";
    }

    void idiomaQueNoSeGuardaSeExplica()
    {
        QFETCH(QString, codigo);
        QFETCH(QString, texto);
        QFETCH(QString, titulo);
        carpeta->prepararTerminal();
        QVERIFY(QFile::remove(carpeta->archivo("zelvora_idioma.cfg")));
        QVERIFY(QDir().mkdir(carpeta->archivo("zelvora_idioma.cfg")));
        frmAcceso& w = abrir();
        QTest::mouseClick(codigo == "us" ? w.imgUs : w.imgCo, Qt::LeftButton);

        QCOMPARE(carpeta->dialogos.mostrados.size(), 1u);
        const Dialogos::Mensaje& caja = carpeta->dialogos.ultimo();
        const QString detalle = "\r\n\r\n" + carpeta->archivo("zelvora_idioma.cfg") + "\r\n";
        QVERIFY2(caja.texto.startsWith(texto + detalle), qPrintable(caja.texto));
        QVERIFY(caja.texto.size() > (texto + detalle).size()); // the system's reason
        QCOMPARE(caja.icono, Dialogos::Icono::Exclamacion);
        QCOMPARE(w.windowTitle(), titulo);
        QVERIFY(w.txtUsr->isVisible());
        QVERIFY(!carpeta->ctx->finPedido());
    }

    // The platform's own buttons follow the language too; nothing of it
    // stays behind once the program's start-up object is gone.
    void botonesEstandarEnElIdioma_data()
    {
        QTest::addColumn<QString>("codigo");
        QTest::addColumn<QStringList>("botones"); // Yes, No, OK, Cancel
        const QStringList espanol{"&Sí", "&No", "Aceptar", "Cancelar"};
        const QStringList ingles{"&Yes", "&No", "OK", "Cancel"};
        QTest::newRow("es") << "es" << espanol;
        QTest::newRow("co") << "co" << espanol;
        QTest::newRow("us") << "us" << ingles;
        QTest::newRow("en") << "en" << ingles;
    }

    void botonesEstandarEnElIdioma()
    {
        QFETCH(QString, codigo);
        QFETCH(QStringList, botones);
        const auto textos = [] {
            QDialogButtonBox caja(QDialogButtonBox::Yes | QDialogButtonBox::No |
                                  QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
            QStringList t;
            for (auto boton : {QDialogButtonBox::Yes, QDialogButtonBox::No, QDialogButtonBox::Ok,
                               QDialogButtonBox::Cancel})
                t << caja.button(boton)->text();
            return t;
        };
        const QStringList antes = textos();
        carpeta->prepararTerminal(codigo);
        {
            Arranque arranque(*carpeta->ctx);
            arranque.iniciar();
            QCOMPARE(textos(), botones);
        }
        QCOMPARE(textos(), antes);
    }

    // Chosen on the first start, the flag loads it as well.
    void botonesEstandarTrasElegirBandera()
    {
        carpeta->escribirConfiguracion(";ACCESO NORTE");
        Arranque arranque(*carpeta->ctx);
        arranque.iniciar();
        QTest::mouseClick(arranque.acceso()->imgCo, Qt::LeftButton);
        QDialogButtonBox caja(QDialogButtonBox::Yes);
        QCOMPARE(caja.button(QDialogButtonBox::Yes)->text(), "&Sí");
    }

    void idiomaGuardadoVaDirectoAlAcceso_data()
    {
        QTest::addColumn<QStringList>("e"); // code, title, user label
        QTest::newRow("us") << QStringList{"us", "Access Control", "User"};
        QTest::newRow("desconocido") << QStringList{"fr", "", ""};
    }

    void idiomaGuardadoVaDirectoAlAcceso()
    {
        QFETCH(QStringList, e);
        carpeta->prepararTerminal(e[0]);
        frmAcceso& w = abrir();
        QVERIFY(!w.imgEs->isVisible());
        QVERIFY(w.txtUsr->isVisible());
        QCOMPARE(w.windowTitle(), e[1]);
        QCOMPARE(w.Label1->text(), e[2]);
        QVERIFY(carpeta->dialogos.mostrados.empty());
    }

    void configuracionIncorrectaTerminaConAviso_data()
    {
        QTest::addColumn<QString>("linea"); // empty: no file
        QTest::addColumn<QString>("idioma");
        QTest::addColumn<QStringList>("caja"); // text and title
        QTest::newRow("ausente") << ""
                                 << "us"
                                 << QStringList{"Configuration file not found",
                                                "Configuration error"};
        QTest::newRow("sin punto") << ";;1;"
                                   << "es"
                                   << QStringList{"El archivo de configuración es incorrecto - El "
                                                  "punto de control no está asignado",
                                                  "Error de configuración"};
    }

    void configuracionIncorrectaTerminaConAviso()
    {
        QFETCH(QString, linea);
        QFETCH(QString, idioma);
        QFETCH(QStringList, caja);
        carpeta->escribirIdioma(idioma);
        if (!linea.isEmpty())
            carpeta->escribirConfiguracion(linea);
        abrir();
        QCOMPARE(carpeta->dialogos.textos(), QStringList{caja[0]});
        QCOMPARE(carpeta->dialogos.ultimo().titulo, caja[1]);
        QCOMPARE(carpeta->dialogos.ultimo().icono, Dialogos::Icono::Exclamacion);
        QVERIFY(carpeta->ctx->finPedido());
    }

    void tresIntentosFallidosTerminanSinMensaje()
    {
        carpeta->prepararTerminal();
        frmAcceso& w = abrir();
        QSignalSpy concedido(&w, &frmAcceso::accesoConcedido);

        teclear("Admin", "otra");
        teclear("admin", "Secreto1"); // wrong letter case
        QVERIFY(!carpeta->ctx->finPedido());
        QCOMPARE(w.txtUsr->text(), "admin");
        QCOMPARE(w.txtPwd->text(), "Secreto1");
        teclear("O'Brien", "x' OR '1'='1");

        QVERIFY(carpeta->ctx->finPedido());
        QCOMPARE(concedido.count(), 0);
        QVERIFY(carpeta->dialogos.mostrados.empty());
        QCOMPARE(carpeta->textosSucesos().mid(1),
                 (QStringList{"Primer intento fallido de ingresar al programa. Intenta "
                              "utilizar como usr <-Admin-> y pwd <-********->",
                              "Segundo intento fallido de ingresar al programa. Intenta "
                              "utilizar como usr <-admin-> y pwd <-********->",
                              "Tercer intento fallido de ingresar al programa, se le niega "
                              "el acceso. Intenta utilizar como usr <-O'Brien-> y pwd "
                              "<-********->"}));
    }

    void accesoCorrectoLlenaElUsuarioYCierraLaVentana()
    {
        carpeta->prepararTerminal();
        frmAcceso& w = abrir();
        QSignalSpy concedido(&w, &frmAcceso::accesoConcedido);
        // Enter in the user field tries too, with whatever password is there.
        w.txtPwd->setText("secreto1");
        QTest::keyClicks(w.txtUsr, "Admin");
        QTest::keyClick(w.txtUsr, Qt::Key_Enter);
        QCOMPARE(w.intentosFallidos(), 1);

        w.txtUsr->setText("Admin");
        w.txtPwd->setText("Secreto1");
        QTest::mouseClick(w.btnAceptarAcceso, Qt::LeftButton);

        QCOMPARE(concedido.count(), 1);
        QVERIFY(!w.isVisible());
        QVERIFY(!carpeta->ctx->finPedido());
        const UsuarioActual& u = carpeta->ctx->usuario;
        QCOMPARE(u.UsuarioId, 1);
        QCOMPARE(u.UsuarioSr, "Admin");
        QCOMPARE(u.UsuarioNivel, "1");
        QCOMPARE(u.nombreCompleto(), "Ana Pérez Núñez");
        const QStringList lineas = carpeta->lineasSucesos();
        QCOMPARE(lineas.mid(lineas.size() - 2),
                 (QStringList{"05-08-2026;14:03:09;ACCESO NORTE;Admin;Ana;Pérez;"
                              "Núñez;Ingresa al programa",
                              "05-08-2026;14:03:09;ACCESO NORTE;Admin;Ana;Pérez;"
                              "Núñez;Se produce Unload en la ventana de Acceso"}));
    }

    // The file and its backups hold hashes only. A row written before hashes
    // still logs in with its exact password and is hashed at that login.
    void clavesGuardadasComoResumen()
    {
        carpeta->prepararTerminal();
        const int id = carpeta->agregarUsuario("Portero", "Noche 7", {1});
        QVERIFY(!LeerBytes(carpeta->archivo("zelvora.db")).contains("Secreto1"));
        frmAcceso& w = abrir();
        QSignalSpy concedido(&w, &frmAcceso::accesoConcedido);

        teclear("Portero", "noche 7");
        QCOMPARE(carpeta->consultar("SELECT dw FROM sr WHERE id_sr = ?", {id}),
                 QStringList{"Noche 7"});
        teclear("Portero", "Noche 7");
        QCOMPARE(concedido.count(), 1);
        QCOMPARE(carpeta->ctx->usuario.UsuarioId, id);
        const QString guardada = carpeta->consultar("SELECT dw FROM sr WHERE id_sr = ?", {id})[0];
        QVERIFY(guardada.startsWith("$argon2id$"));

        abrir();
        teclear("Portero", "noche 7");
        QCOMPARE(ventana->intentosFallidos(), 1);
        teclear("Portero", "Noche 7");
        QCOMPARE(carpeta->ctx->usuario.UsuarioId, id);
        QCOMPARE(carpeta->consultar("SELECT dw FROM sr WHERE id_sr = ?", {id})[0], guardada);
    }

    void baseDeDatosAusenteSeAvisaSinContarIntento()
    {
        carpeta->escribirConfiguracion(";ACCESO NORTE");
        carpeta->escribirIdioma("es");
        frmAcceso& w = abrir();
        teclear("Admin", "Secreto1");

        QCOMPARE(w.intentosFallidos(), 0);
        QVERIFY(!carpeta->ctx->finPedido());
        const QString ruta = carpeta->archivo("zelvora.db");
        QVERIFY(carpeta->dialogos.ultimo().texto.contains(ruta));
        QVERIFY(carpeta->textosSucesos().last().startsWith("Error de base de datos: "));
    }

    // A terminal whose database folder can no longer be written (an unmounted
    // share; here a file stands where the log folder was): the guard hears it
    // once, with the reason, and again when the log is written once more.
    void registroQueNoSeEscribeSeAvisaUnaVez()
    {
        const QString datos = carpeta->archivo("datos");
        QVERIFY(QDir().mkpath(datos));
        carpeta->escribirConfiguracion(datos + ";ACCESO NORTE");
        carpeta->escribirIdioma("us");
        Contexto& ctx = *carpeta->ctx;
        auto& mostrados = carpeta->dialogos.mostrados;
        Arranque arranque(ctx);
        arranque.iniciar();
        QVERIFY(mostrados.empty());

        const QString sucesos = datos + "/sucesos";
        QVERIFY(QDir(sucesos).removeRecursively());
        QVERIFY(EscribirLineaUnica(sucesos, "x", nullptr));
        for (const char* texto : {"uno", "dos", "tres"})
            ctx.registrar(texto);
        // Never from inside the action that logged: it may be a timer's.
        QVERIFY(mostrados.empty());
        QTRY_COMPARE(mostrados.size(), 1u);
        const QString archivo = sucesos + "/20260805_ACCESO NORTE.hap";
        QCOMPARE(mostrados[0].texto,
                 "The event log cannot be written. You can go on working, but actions are not "
                 "recorded until the problem is solved; please tell technical support:\r\n\r\n" +
                     archivo + ": " + qt_error_string(ENOTDIR));
        QCOMPARE(mostrados[0].titulo, "Zelvora - Event log");
        QCOMPARE(mostrados[0].icono, Dialogos::Icono::Exclamacion);
        ctx.registrar("cuatro");
        QCoreApplication::processEvents();
        QCOMPARE(mostrados.size(), 1u);

        QVERIFY(QFile::remove(sucesos));
        ctx.registrar("cinco");
        QCOMPARE(mostrados.size(), 1u);
        QTRY_COMPARE(mostrados.size(), 2u);
        QCOMPARE(mostrados[1].texto, "The event log is being written again.");
        QCOMPARE(mostrados[1].icono, Dialogos::Icono::Informacion);
        QCOMPARE(CarpetaPrueba::lineasArchivo(archivo).value(0).section(u';', 7), "cinco");
    }

    // Changes while the box waits for the guard open no second box over it;
    // when it closes, the next one says how the log stands then.
    void cambiosConLaCajaAbiertaNoAbrenOtra()
    {
        const QString datos = carpeta->archivo("datos");
        carpeta->escribirConfiguracion(datos + ";ACCESO NORTE");
        carpeta->escribirIdioma("es");
        Contexto& ctx = *carpeta->ctx;
        auto& dialogos = carpeta->dialogos;
        Arranque arranque(ctx);
        arranque.iniciar(); // the folder is missing from the start
        int abiertas = 0;
        dialogos.alMostrar = [&](const Dialogos::Mensaje&) {
            QCOMPARE(++abiertas, 1);
            if (dialogos.mostrados.size() == 1) {
                QVERIFY(QDir().mkpath(datos));
                ctx.registrar("vuelve"); // writes again, then fails again
                QVERIFY(QDir(datos).removeRecursively());
                ctx.registrar("falla");
                QVERIFY(QDir().mkpath(datos));
                ctx.registrar("vuelve otra vez");
                QCoreApplication::processEvents();
            }
            --abiertas;
        };
        QTRY_COMPARE(dialogos.mostrados.size(), 2u);
        QCoreApplication::processEvents();
        QCOMPARE(dialogos.mostrados.size(), 2u);
        QVERIFY(
            dialogos.mostrados[0].texto.startsWith("No se puede escribir el registro de sucesos."));
        QCOMPARE(dialogos.ultimo().texto,
                 "El registro de sucesos vuelve a escribirse con normalidad.");
    }

    void cerrarSinAccederTerminaElPrograma()
    {
        carpeta->prepararTerminal();
        frmAcceso& w = abrir();
        w.close();
        QVERIFY(carpeta->ctx->finPedido());
        QCOMPARE(carpeta->ctx->codigoFin(), 0);
        QCOMPARE(carpeta->textosSucesos().last(), "Se produce Unload en la ventana de Acceso");
    }
};

QTEST_MAIN(PruebaAcceso)
#include "tst_frmacceso.moc"
