// The main window after a login: greeting, menus by permission, the two
// menu checks, help and leaving.

#include "ApoyoPruebas.h"
#include "startup/Arranque.h"
#include "startup/frmAcceso.h"
#include "startup/frmPrincipal.h"

#include <QLineEdit>
#include <QMenu>
#include <QTest>

class PruebaPrincipal : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<CarpetaPrueba> carpeta;
    std::unique_ptr<frmPrincipal> ventana;

    // As a login leaves the user: its id and its names.
    frmPrincipal& entrar(const QString& idioma, int idSr = 1,
                         const QStringList& nombres = {"Ana", "Pérez", "Núñez"})
    {
        carpeta->usarConfiguracion(";ACCESO NORTE");
        CargarTablasIdioma(idioma, &carpeta->ctx->idioma);
        UsuarioActual& u = carpeta->ctx->usuario;
        u.UsuarioId = idSr;
        u.UsuarioNombre = nombres[0];
        u.UsuarioApe1 = nombres[1];
        u.UsuarioApe2 = nombres[2];
        ventana = std::make_unique<frmPrincipal>(*carpeta->ctx);
        ventana->cargar();
        return *ventana;
    }

    QAction* entrada(const char* nombre)
    {
        if (auto* menu = ventana->findChild<QMenu*>(QLatin1String(nombre)))
            return menu->menuAction();
        return ventana->findChild<QAction*>(QLatin1String(nombre));
    }

    // Visible on screen: the entry and, for a sub-entry, its bar menu.
    bool visible(const char* nombre)
    {
        QAction* accion = entrada(nombre);
        if (!accion || !accion->isVisible())
            return false;
        for (QMenu* menu : ventana->findChildren<QMenu*>())
            if (menu->actions().contains(accion))
                return menu->menuAction()->isVisible();
        return true;
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

    void saludaYMuestraTodoAlAdministrador()
    {
        frmPrincipal& w = entrar("es");
        QCOMPARE(w.windowTitle(), "Usuario: Ana Pérez Núñez");
        QCOMPARE(carpeta->dialogos.mostrados.size(), size_t(1));
        QCOMPARE(carpeta->dialogos.ultimo().texto, "Bienvenido/a: Ana Pérez Núñez");
        QCOMPARE(carpeta->dialogos.ultimo().titulo, "Bienvenido/a al sistema Zelvora");
        for (const char* nombre :
             {"mnuEntradasSalidas", "mnuNuevaEntrada", "mnuVisitasPendientes", "mnuRegistroVisitas",
              "mnuEstadisticasVisitas", "mnuCensos", "mnuNuevoCenso", "mnuConsultaCenso",
              "mnuListado", "mnuSistema", "mnuConfig", "mnuUsuarios", "mnuCambiar", "mnuSalir",
              "separador1", "mnuAyuda"})
            QVERIFY2(visible(nombre), nombre);
        for (const char* nombre : {"mnuCuotas", "mnuOperacionesCuotas", "mnuRespaldo"})
            QVERIFY2(!visible(nombre), nombre);
        QCOMPARE(entrada("mnuEntradasSalidas")->text(), "Gestión de &Entradas/Salidas");
        QCOMPARE(entrada("mnuSistema")->text(), "Siste&ma");
        QCOMPARE(entrada("mnuNuevaEntrada")->shortcut(), QKeySequence(Qt::Key_F5));
        QCOMPARE(entrada("mnuConsultaCenso")->shortcut(), QKeySequence(Qt::SHIFT | Qt::Key_F6));
    }

    void enInglesLaConfiguracionSigueEnEspanol()
    {
        entrar("en");
        QCOMPARE(entrada("mnuConfig")->text(), "Configuración");
        QCOMPARE(entrada("mnuUsuarios")->text(), "&User Management");
        QCOMPARE(entrada("mnuSalir")->text(), "E&xit");
        QCOMPARE(carpeta->dialogos.ultimo().titulo, "Welcome to Zelvora System");
    }

    void soloSistemaMuestraSoloConfiguracion()
    {
        const int id = carpeta->agregarUsuario("porteria", "x", {13});
        frmPrincipal& w = entrar("es", id, {QString(), "Gil", "Mora"});
        // A missing given name leaves a blank before the surnames.
        QCOMPARE(w.windowTitle(), "Usuario:  Gil Mora");
        for (const char* nombre : {"mnuEntradasSalidas", "mnuCensos", "mnuUsuarios", "mnuCambiar"})
            QVERIFY2(!visible(nombre), nombre);
        QVERIFY(visible("mnuSistema") && visible("mnuConfig"));
    }

    void permisosQueFaltanCuentanComoNegados()
    {
        const int id = carpeta->agregarUsuario("parcial", "x", {1, 3, 16});
        carpeta->ejecutarSql(
            "DELETE FROM UsuariosPermisos WHERE id_sr = ? AND id_permiso IN (2, 7, "
            "8, 9, 10, 11, 12, 13, 14)",
            {id});
        entrar("es", id);
        QVERIFY(visible("mnuEntradasSalidas") && visible("mnuVisitasPendientes"));
        for (const char* nombre : {"mnuNuevaEntrada", "mnuRegistroVisitas", "mnuSistema"})
            QVERIFY2(!visible(nombre), nombre);
        QVERIFY(carpeta->ctx->permisos.tiene(Permiso::RegistrarSalidas));
        QCOMPARE(carpeta->dialogos.mostrados.size(), size_t(1)); // only the greeting
    }

    // Slot N of the permissions is the catalogue row whose VarN is N, whatever
    // its id: a catalogue whose ids and VarN differ still grants the right menus.
    void permisosSeLeenEnElOrdenDeVarN()
    {
        carpeta->ejecutarSql("UPDATE Permisos SET VarN = 7 - VarN WHERE id_permiso IN (3, 4)");
        const int id = carpeta->agregarUsuario("cruzado", "x", {1, 3});
        entrar("es", id);
        QVERIFY(!carpeta->ctx->permisos.tiene(Permiso::VisitasActuales));
        QVERIFY(carpeta->ctx->permisos.tiene(Permiso::RegistroVisitas));
        QVERIFY(!visible("mnuVisitasPendientes"));
        QVERIFY(visible("mnuRegistroVisitas"));
    }

    void menusQueSoloMiranSiHayFilas()
    {
        entrar("es");
        entrada("mnuVisitasPendientes")->trigger();
        QCOMPARE(carpeta->dialogos.ultimo().texto, "No hay visitas actuales");
        QCOMPARE(carpeta->dialogos.ultimo().icono, Dialogos::Icono::Informacion);
        entrada("mnuConsultaCenso")->trigger();
        QCOMPARE(carpeta->dialogos.ultimo().texto, "Censo vacío - Agregue Censo");

        carpeta->agregarVisita({"2026-08-05 13:00:00", "Luz Ángel"});
        carpeta->ejecutarSql("INSERT INTO censos (nom_unidad) VALUES ('Torre A')");
        const size_t antes = carpeta->dialogos.mostrados.size();
        entrada("mnuVisitasPendientes")->trigger();
        entrada("mnuConsultaCenso")->trigger();
        QCOMPARE(carpeta->dialogos.mostrados.size(), antes);
        QCOMPARE(carpeta->textosSucesos().count("Abre panel de visitas actuales (pendientes)"), 2);
        QCOMPARE(carpeta->textosSucesos().count("Abre el panel de consultar censo"), 2);
        QVERIFY(!carpeta->ctx->bd().abierta());
        // The new-entry panel opens without looking.
        entrada("mnuNuevaEntrada")->trigger();
        QVERIFY(ventana->panel("frmEntrada"));
        QCOMPARE(carpeta->textosSucesos().last(), "Abre panel de nueva entrada");
    }

    void ayudaMuestraLaVersion()
    {
        entrar("es");
        entrada("mnuAyuda")->trigger();
        QVERIFY(carpeta->dialogos.ultimo().texto.split("\r\n").contains("Zelvora ver. 4.6"));
        QCOMPARE(carpeta->textosSucesos().last(),
                 "Hace click en la opción ayuda del menú principal");
    }

    void salirPreguntaYSoloConSiTermina()
    {
        frmPrincipal& w = entrar("es");
        carpeta->dialogos.respuestas = {Dialogos::Respuesta::No};
        entrada("mnuSalir")->trigger();
        QVERIFY(w.isVisible());
        QVERIFY(!carpeta->ctx->finPedido());
        const Dialogos::Mensaje& pregunta = carpeta->dialogos.ultimo();
        QCOMPARE(pregunta.texto, "¿Salir del programa?");
        QCOMPARE(pregunta.titulo, "Zelvora - Salida");
        QCOMPARE(pregunta.botones, Dialogos::Botones::SiNo);
        QCOMPARE(pregunta.icono, Dialogos::Icono::Exclamacion);
        QCOMPARE(carpeta->textosSucesos(),
                 QStringList{"Hace click en la opción salir del menú principal"});

        carpeta->dialogos.respuestas = {Dialogos::Respuesta::Si};
        entrada("mnuSalir")->trigger();
        QVERIFY(!w.isVisible());
        QVERIFY(carpeta->ctx->finPedido());
        QCOMPARE(carpeta->textosSucesos().mid(1),
                 (QStringList{"Hace click en la opción salir del menú principal",
                              "Sale del programa desde la opción salir del menú principal"}));
    }

    void delAccesoAlSaludoDeUnExtremoAlOtro()
    {
        carpeta->escribirConfiguracion(carpeta->campoRutaBD() + ";ACCESO NORTE");
        carpeta->escribirIdioma("co");
        Arranque arranque(*carpeta->ctx);
        arranque.iniciar();
        arranque.acceso()->txtUsr->setText("Admin");
        arranque.acceso()->txtPwd->setText("Secreto1");
        QTest::keyClick(arranque.acceso()->txtPwd, Qt::Key_Return);

        QVERIFY(arranque.principal());
        QVERIFY(arranque.principal()->isVisible());
        QVERIFY(!arranque.acceso()->isVisible());
        QCOMPARE(carpeta->dialogos.ultimo().texto, "Bienvenido/a: Ana Pérez Núñez");
        QCOMPARE(carpeta->textosSucesos().size(), 3);
    }
};

QTEST_MAIN(PruebaPrincipal)
#include "tst_frmprincipal.moc"
