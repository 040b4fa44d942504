// The main window after a login: greeting, menus by permission, the two
// menu checks, help and leaving.

#include "ApoyoPruebas.h"
#include "startup/Arranque.h"
#include "startup/frmAcceso.h"
#include "startup/frmPrincipal.h"

#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

class PruebaPrincipal : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<CarpetaPrueba> carpeta;
    std::unique_ptr<frmPrincipal> ventana;

    frmPrincipal& entrar(const QString& idioma, int idSr)
    {
        carpeta->ctx->cfg = InterpretarLineaConfiguracion(QStringLiteral(";ACCESO NORTE"));
        CargarTablasIdioma(idioma, &carpeta->ctx->idioma);
        BaseDatos& bd = carpeta->ctx->bd();
        SesionBD sesion(bd);
        QSqlQuery q = bd.ejecutar(
            QStringLiteral("SELECT sr, nombre, ape1, ape2 FROM sr WHERE id_sr = ?"), {idSr});
        q.next();
        UsuarioActual& u = carpeta->ctx->usuario;
        u.UsuarioId = idSr;
        u.UsuarioSr = q.value(0).toString();
        u.UsuarioNombre = q.value(1).toString();
        u.UsuarioApe1 = q.value(2).toString();
        u.UsuarioApe2 = q.value(3).toString();
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
        frmPrincipal& w = entrar(QStringLiteral("es"), 1);
        QCOMPARE(w.windowTitle(), QStringLiteral("Usuario: Ana Pérez Núñez"));
        QCOMPARE(carpeta->dialogos.mostrados.size(), size_t(1));
        QCOMPARE(carpeta->dialogos.ultimo().texto, QStringLiteral("Bienvenido/a: Ana Pérez Núñez"));
        QCOMPARE(carpeta->dialogos.ultimo().titulo,
                 QStringLiteral("Bienvenido/a al sistema Zelvora"));
        for (const char* nombre :
             {"mnuEntradasSalidas", "mnuNuevaEntrada", "mnuVisitasPendientes", "mnuRegistroVisitas",
              "mnuEstadisticasVisitas", "mnuCensos", "mnuNuevoCenso", "mnuConsultaCenso",
              "mnuListado", "mnuSistema", "mnuConfig", "mnuUsuarios", "mnuCambiar", "mnuSalir",
              "separador1", "mnuAyuda"})
            QVERIFY2(visible(nombre), nombre);
        for (const char* nombre : {"mnuCuotas", "mnuOperacionesCuotas", "mnuRespaldo"})
            QVERIFY2(!visible(nombre), nombre);
        QCOMPARE(entrada("mnuEntradasSalidas")->text(),
                 QStringLiteral("Gestión de &Entradas/Salidas"));
        QCOMPARE(entrada("mnuSistema")->text(), QStringLiteral("Siste&ma"));
        QCOMPARE(entrada("mnuNuevaEntrada")->shortcut(), QKeySequence(Qt::Key_F5));
        QCOMPARE(entrada("mnuConsultaCenso")->shortcut(), QKeySequence(Qt::SHIFT | Qt::Key_F6));
        QCOMPARE(carpeta->ctx->traspaso.PanelOrigen, QStringLiteral("VisitasPendientes"));
        QCOMPARE(carpeta->ctx->traspaso.AvisosLeft, 11000);
    }

    void enInglesLaConfiguracionSigueEnEspanol()
    {
        entrar(QStringLiteral("en"), 1);
        QCOMPARE(entrada("mnuConfig")->text(), QStringLiteral("Configuración"));
        QCOMPARE(entrada("mnuUsuarios")->text(), QStringLiteral("&User Management"));
        QCOMPARE(entrada("mnuSalir")->text(), QStringLiteral("E&xit"));
        QCOMPARE(carpeta->dialogos.ultimo().titulo, QStringLiteral("Welcome to Zelvora System"));
    }

    void soloSistemaMuestraSoloConfiguracion()
    {
        const int id =
            carpeta->agregarUsuario(QStringLiteral("porteria"), QStringLiteral("x"), {13},
                                    QVariant(), QStringLiteral("Gil"), QStringLiteral("Mora"));
        frmPrincipal& w = entrar(QStringLiteral("es"), id);
        // A missing given name leaves a blank before the surnames.
        QCOMPARE(w.windowTitle(), QStringLiteral("Usuario:  Gil Mora"));
        QStringList visibles;
        for (QAction* a : w.menuBar()->actions())
            if (a->isVisible())
                visibles << (a->menu() ? a->menu()->objectName() : a->objectName());
        QCOMPARE(visibles, (QStringList{QStringLiteral("mnuSistema"), QStringLiteral("mnuSalir"),
                                        QStringLiteral("separador1"), QStringLiteral("mnuAyuda")}));
        QVERIFY(visible("mnuConfig"));
        QVERIFY(!visible("mnuUsuarios"));
        QVERIFY(!visible("mnuCambiar"));
        QVERIFY(!visible("mnuRespaldo"));
    }

    void permisosQueFaltanCuentanComoNegados()
    {
        const int id =
            carpeta->agregarUsuario(QStringLiteral("parcial"), QStringLiteral("x"), {1, 3, 16});
        carpeta->ejecutarSql(
            QStringLiteral("DELETE FROM UsuariosPermisos WHERE id_sr = ? AND id_permiso IN (2, 7, "
                           "8, 9, 10, 11, 12, 13, 14)"),
            {id});
        entrar(QStringLiteral("es"), id);
        QVERIFY(visible("mnuEntradasSalidas"));
        QVERIFY(!visible("mnuNuevaEntrada"));
        QVERIFY(visible("mnuVisitasPendientes"));
        QVERIFY(!visible("mnuRegistroVisitas"));
        QVERIFY(!visible("mnuSistema"));
        QVERIFY(carpeta->ctx->Permiso[16]);
        QCOMPARE(carpeta->dialogos.mostrados.size(), size_t(1)); // only the greeting
    }

    void menusQueSoloMiranSiHayFilas()
    {
        entrar(QStringLiteral("es"), 1);
        entrada("mnuVisitasPendientes")->trigger();
        QCOMPARE(carpeta->dialogos.ultimo().texto, QStringLiteral("No hay visitas actuales"));
        QCOMPARE(carpeta->dialogos.ultimo().icono, Dialogos::Icono::Informacion);
        entrada("mnuConsultaCenso")->trigger();
        QCOMPARE(carpeta->dialogos.ultimo().texto, QStringLiteral("Censo vacío - Agregue Censo"));

        carpeta->ejecutarSql(
            QStringLiteral("INSERT INTO entradas_salidas (FechaEntrada, NombreVisitante, NAcomp) "
                           "VALUES ('2026-08-05 13:00:00', 'Luz Ángel', 0)"));
        carpeta->ejecutarSql(QStringLiteral("INSERT INTO censos (nom_unidad) VALUES ('Torre A')"));
        const size_t antes = carpeta->dialogos.mostrados.size();
        entrada("mnuVisitasPendientes")->trigger();
        entrada("mnuConsultaCenso")->trigger();
        QCOMPARE(carpeta->dialogos.mostrados.size(), antes);
        QCOMPARE(carpeta->textosSucesos().count(
                     QStringLiteral("Abre panel de visitas actuales (pendientes)")),
                 2);
        QCOMPARE(carpeta->textosSucesos().count(QStringLiteral("Abre el panel de consultar censo")),
                 2);
        QVERIFY(!carpeta->ctx->bd().abierta());
    }

    void ayudaMuestraLaVersion()
    {
        entrar(QStringLiteral("es"), 1);
        entrada("mnuAyuda")->trigger();
        QVERIFY(carpeta->dialogos.ultimo()
                    .texto.split(QStringLiteral("\r\n"))
                    .contains(QStringLiteral("Zelvora ver. 4.6")));
        QCOMPARE(carpeta->textosSucesos().last(),
                 QStringLiteral("Hace click en la opción ayuda del menú principal"));
    }

    void salirPreguntaYSoloConSiTermina()
    {
        frmPrincipal& w = entrar(QStringLiteral("es"), 1);
        carpeta->dialogos.respuestas = {Dialogos::Respuesta::No};
        entrada("mnuSalir")->trigger();
        QVERIFY(w.isVisible());
        QVERIFY(!carpeta->ctx->finPedido());
        const Dialogos::Mensaje& pregunta = carpeta->dialogos.ultimo();
        QCOMPARE(pregunta.texto, QStringLiteral("¿Salir del programa?"));
        QCOMPARE(pregunta.titulo, QStringLiteral("Zelvora - Salida"));
        QCOMPARE(pregunta.botones, Dialogos::Botones::SiNo);
        QCOMPARE(pregunta.icono, Dialogos::Icono::Exclamacion);
        QCOMPARE(carpeta->textosSucesos(),
                 QStringList{QStringLiteral("Hace click en la opción salir del menú principal")});

        carpeta->dialogos.respuestas = {Dialogos::Respuesta::Si};
        entrada("mnuSalir")->trigger();
        QVERIFY(!w.isVisible());
        QVERIFY(carpeta->ctx->finPedido());
        QCOMPARE(carpeta->textosSucesos().mid(1),
                 (QStringList{QStringLiteral("Hace click en la opción salir del menú principal"),
                              QStringLiteral(
                                  "Sale del programa desde la opción salir del menú principal")}));
    }

    void delAccesoAlSaludoDeUnExtremoAlOtro()
    {
        carpeta->escribirConfiguracion(QStringLiteral(";ACCESO NORTE"));
        carpeta->escribirIdioma(QStringLiteral("co"));
        Arranque arranque(*carpeta->ctx);
        arranque.iniciar();
        arranque.acceso()->txtUsr->setText(QStringLiteral("Admin"));
        arranque.acceso()->txtPwd->setText(QStringLiteral("Secreto1"));
        QTest::keyClick(arranque.acceso()->txtPwd, Qt::Key_Return);

        QVERIFY(arranque.principal());
        QVERIFY(arranque.principal()->isVisible());
        QVERIFY(!arranque.acceso()->isVisible());
        QCOMPARE(carpeta->dialogos.ultimo().texto, QStringLiteral("Bienvenido/a: Ana Pérez Núñez"));
        QCOMPARE(carpeta->textosSucesos().size(), 3);
    }
};

QTEST_MAIN(PruebaPrincipal)
#include "tst_frmprincipal.moc"
