// The users panel as an administrator uses it from the main window: the list,
// the checks, adding, modifying and deleting users with their grants, the
// stored password hashes, and the last user who can still open the panel.

#include "ApoyoPruebas.h"
#include "admin/frmUsuarios.h"
#include "foundation/Claves.h"
#include "foundation/RegistroSucesos.h"
#include "platform/ModeloTabla.h"
#include "startup/Acceso.h"
#include "startup/frmPrincipal.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeView>

namespace {

// Holds a quote and a semicolon, which must reach the database as typed.
const QString kClave = QStringLiteral("Pw'Sec;9x");
const QString kSalto = QStringLiteral("\r\n");

} // namespace

class PruebaFrmUsuarios : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<CarpetaPrueba> carpeta;
    std::unique_ptr<frmPrincipal> ventana;
    frmUsuarios* panel = nullptr;

    bool abrir()
    {
        panel = qobject_cast<frmUsuarios*>(
            carpeta->abrirPanel(ventana, &frmPrincipal::mnuUsuarios, "frmUsuarios"));
        return panel != nullptr;
    }

    QString texto(int slot) const { return carpeta->ctx->texto(slot); }

    // Typed by the administrator over what the field held.
    static void escribir(QLineEdit* campo, const QString& texto)
    {
        campo->selectAll();
        campo->del();
        campo->insert(texto);
    }

    int filaDe(const QString& sr) const
    {
        return int(Textos(panel->modeloUsuarios(), 1).indexOf(sr));
    }

    void elegir(const QString& sr)
    {
        const QModelIndex indice = panel->modeloUsuarios()->index(filaDe(sr), 1);
        QTest::mouseClick(panel->ListView1->viewport(), Qt::LeftButton, {},
                          panel->ListView1->visualRect(indice).center());
    }

    QPoint puntoPermiso(int idPermiso) const
    {
        const QModelIndex indice =
            panel->modeloPermisos()->index(panel->modeloPermisos()->fila(idPermiso), 1);
        panel->ListView2->scrollTo(indice);
        return panel->ListView2->visualRect(indice).center();
    }

    void clicPermiso(int idPermiso)
    {
        QTest::mouseClick(panel->ListView2->viewport(), Qt::LeftButton, {},
                          puntoPermiso(idPermiso));
    }

    void dobleClicPermiso(int idPermiso)
    {
        clicPermiso(idPermiso);
        QTest::mouseDClick(panel->ListView2->viewport(), Qt::LeftButton, {},
                           puntoPermiso(idPermiso));
    }

    QString permisoEnPantalla(int idPermiso) const
    {
        return panel->modeloPermisos()->texto(panel->modeloPermisos()->fila(idPermiso), 1);
    }

    QStringList permisosGuardados(int idSr) const
    {
        return carpeta->consultar("SELECT id_permiso, PermisoAutorizado FROM UsuariosPermisos "
                                  "WHERE id_sr = ? ORDER BY id_permiso",
                                  {idSr});
    }

    static QStringList todos(int n, const QString& valor)
    {
        QStringList filas;
        for (int p = 1; p <= 16; ++p)
            filas << QString::number(p) + u'|' + (p == n || n == 0 ? valor : QString());
        return filas;
    }

    QString registro() const
    {
        return QString::fromUtf8(LeerBytes(carpeta->archivo(
            "sucesos/" + NombreArchivoSucesos(QDate(2026, 8, 5), "ACCESO NORTE"))));
    }

    // Every byte of the database files, journal included.
    QByteArray bytesBaseDatos() const
    {
        QByteArray bytes;
        for (const QString& nombre : QDir(carpeta->ruta()).entryList({"zelvora.db*"}))
            bytes += LeerBytes(carpeta->archivo(nombre));
        return bytes;
    }

    QWidget* enfocado() const { return QApplication::focusWidget(); }

    // A second user with name and surnames, no grant; returns its id.
    int agregarCarla()
    {
        const int id = carpeta->agregarUsuario("carla", "vieja1", {});
        carpeta->ejecutarSql("UPDATE sr SET nombre = 'Carla', ape1 = 'Ríos' WHERE id_sr = ?", {id});
        return id;
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

    // The menu opens the panel; users by name, passwords never shown, the
    // grants of user 1, the caption counting the users; Escape closes it.
    void alAbrirListaUsuariosYPermisos()
    {
        const int carla = agregarCarla();
        const int beto = carpeta->agregarUsuario("beto", "b", {1});
        carpeta->ejecutarSql("UPDATE sr SET nombre = 'beto' WHERE id_sr = ?", {beto});
        QVERIFY(abrir());

        QCOMPARE(panel->windowTitle(), "Gestión de Usuarios - 3 registros");
        QCOMPARE(Textos(panel->modeloUsuarios()),
                 (QStringList{"1|Admin||Ana|Pérez|Núñez", QString::number(beto) + "|beto||beto||",
                              QString::number(carla) + "|carla||Carla|Ríos|"}));
        QVERIFY(panel->ListView1->isColumnHidden(0) && panel->ListView1->isColumnHidden(2));
        QVERIFY(!panel->ListView1->isColumnHidden(1));
        QCOMPARE(panel->modeloUsuarios()->headerData(4, Qt::Horizontal).toString(),
                 "Primer Apellido");
        QVERIFY(panel->modeloUsuarios()->index(0, 1).data(Qt::FontRole).value<QFont>().bold());
        QVERIFY(!panel->modeloUsuarios()->index(0, 4).data(Qt::FontRole).value<QFont>().bold());

        QCOMPARE(panel->IdUsuarioSel(), 1);
        QCOMPARE(panel->modeloPermisos()->rowCount(), 16);
        QVERIFY(panel->ListView2->isColumnHidden(0));
        QCOMPARE(Textos(panel->modeloPermisos()).value(13),
                 "14|Autorizado|Ver opción Gestión de Usuarios");
        for (QLineEdit* campo : {panel->txtUsuario, panel->txtClave, panel->txtNombre})
            QVERIFY(campo->text().isEmpty());
        QCOMPARE(panel->txtUsuario->maxLength(), 15);
        QCOMPARE(panel->txtApe2->maxLength(), 20);
        QVERIFY(panel->btnListadoCompleto->isHidden());
        QCOMPARE(panel->btnAgregarUsuario->text(), "   &Agregar Usuario");

        QTest::keyClick(panel->ListView1, Qt::Key_Escape);
        QVERIFY(!ventana->panel("frmUsuarios"));
        QCOMPARE(carpeta->textosSucesos(),
                 (QStringList{"Abre panel Gestión de Usuarios",
                              "Cierra la ventana de Gestión de Usuarios"}));
    }

    // Each missing field in turn, its message and the focus on it; nothing stored.
    void compruebaLosCamposEnOrden()
    {
        QVERIFY(abrir());
        const auto comprobar = [&](QPushButton* boton, int slot, QLineEdit* campo) {
            QTest::mouseClick(boton, Qt::LeftButton);
            QCOMPARE(carpeta->dialogos.ultimo().texto, texto(slot));
            QCOMPARE(carpeta->dialogos.ultimo().titulo, QString());
            QCOMPARE(enfocado(), campo);
        };
        comprobar(panel->btnAgregarUsuario, 332, panel->txtUsuario);
        escribir(panel->txtUsuario, "nuevo");
        comprobar(panel->btnAgregarUsuario, 333, panel->txtClave);
        escribir(panel->txtClave, kClave);
        comprobar(panel->btnAgregarUsuario, 336, panel->txtNombre);

        escribir(panel->txtUsuario, "");
        comprobar(panel->btnModificarUsuario, 338, panel->txtUsuario);
        escribir(panel->txtUsuario, "nuevo");
        escribir(panel->txtClave, "");
        comprobar(panel->btnModificarUsuario, 339, panel->txtClave);
        escribir(panel->txtClave, kClave);
        comprobar(panel->btnModificarUsuario, 340, panel->txtNombre);
        QCOMPARE(carpeta->dialogos.mostrados.size(), size_t(6));
        QCOMPARE(carpeta->consultar("SELECT COUNT(*) FROM sr"), QStringList{"1"});
    }

    // A new user: level 1, sixteen grants not given, a hash that verifies
    // the typed password and logs in; the password nowhere else.
    void agregarGuardaUnHashYLosPermisos()
    {
        QVERIFY(abrir());
        escribir(panel->txtUsuario, "nuevo");
        escribir(panel->txtClave, kClave);
        escribir(panel->txtNombre, "José");
        escribir(panel->txtApe1, "O'Neil; Díaz");
        QTest::mouseClick(panel->btnAgregarUsuario, Qt::LeftButton);

        QCOMPARE(carpeta->dialogos.textos(), QStringList{texto(335)});
        QCOMPARE(enfocado(), panel->txtUsuario);
        QCOMPARE(panel->windowTitle(), "Gestión de Usuarios - 2 registros");
        QCOMPARE(panel->IdUsuarioSel(), 1);
        const QStringList fila =
            carpeta->consultar("SELECT id_sr, sr, nombre, ape1, ape2, nivel, dw FROM sr "
                               "WHERE id_sr <> 1");
        QCOMPARE(fila.size(), 1);
        const QStringList campos = fila[0].split(u'|');
        QCOMPARE(campos.mid(1, 5), (QStringList{"nuevo", "José", "O'Neil; Díaz", "", "1"}));
        const QString dw = fila[0].section(u'|', 6);
        QVERIFY(EsClaveCifrada(dw));
        QVERIFY(ClaveCoincide(dw, kClave));
        QCOMPARE(permisosGuardados(campos[0].toInt()), todos(0, "0"));

        QVERIFY(registro().contains(
            "Usuario agregado correctamente: " + kSalto +
            "INSERT INTO sr (sr,dw,nombre,ape1,ape2,nivel) VALUES ('nuevo','','José','O'Neil; "
            "Díaz','','1')" +
            kSalto));
        QVERIFY(!registro().contains(kClave));
        QVERIFY(!bytesBaseDatos().contains(kClave.toUtf8()));

        BaseDatos bd;
        bd.fijarRuta(carpeta->rutaBD());
        SesionBD sesion(bd);
        const std::optional<UsuarioActual> usuario = BuscarUsuario(bd, "nuevo", kClave);
        QVERIFY(usuario && usuario->UsuarioNombre == "José");
    }

    // The same name with the same password is refused, with another
    // password it is a second user.
    void nombreRepetidoSoloConOtraClave()
    {
        carpeta->agregarUsuario("nuevo", kClave, {}); // stored as typed by an older version
        QVERIFY(abrir());
        escribir(panel->txtUsuario, "nuevo");
        escribir(panel->txtClave, kClave);
        escribir(panel->txtNombre, "Otro");
        QTest::mouseClick(panel->btnAgregarUsuario, Qt::LeftButton);
        QCOMPARE(carpeta->dialogos.textos(), QStringList{texto(334)});
        QCOMPARE(enfocado(), panel->txtUsuario);
        QCOMPARE(carpeta->consultar("SELECT COUNT(*) FROM sr WHERE sr = 'nuevo'"),
                 QStringList{"1"});

        escribir(panel->txtClave, "otra");
        QTest::mouseClick(panel->btnAgregarUsuario, Qt::LeftButton);
        QCOMPARE(carpeta->dialogos.ultimo().texto, texto(335));
        QCOMPARE(carpeta->consultar("SELECT COUNT(*) FROM sr WHERE sr = 'nuevo'"),
                 QStringList{"2"});
    }

    // A chosen user shows a mask, never its password; left untouched, the
    // mask keeps (Modify) or copies (Add) the stored password.
    void claveElegidaSeEnmascara()
    {
        QVERIFY(abrir());
        const QString original = carpeta->consultar("SELECT dw FROM sr WHERE id_sr = 1").value(0);
        elegir("Admin");
        QCOMPARE(panel->IdUsuarioSel(), 1);
        QCOMPARE(enfocado(), panel->ListView1);
        QCOMPARE(panel->txtNombre->text(), "Ana");
        QCOMPARE(panel->txtApe2->text(), "Núñez");
        QVERIFY(!panel->txtClave->text().isEmpty());
        QVERIFY(!ClaveCoincide(original, panel->txtClave->text()));
        QVERIFY(panel->txtClave->text() != original);

        escribir(panel->txtUsuario, "Admin2");
        QTest::mouseClick(panel->btnAgregarUsuario, Qt::LeftButton);
        QCOMPARE(carpeta->dialogos.textos(), QStringList{texto(335)});
        QCOMPARE(carpeta->consultar("SELECT dw FROM sr WHERE sr = 'Admin2'"),
                 QStringList{original});

        // The same name with the password copied is the same user again.
        elegir("Admin");
        QTest::mouseClick(panel->btnAgregarUsuario, Qt::LeftButton);
        QCOMPARE(carpeta->dialogos.ultimo().texto, texto(334));

        elegir("Admin");
        escribir(panel->txtApe1, "Gil");
        QTest::mouseClick(panel->btnModificarUsuario, Qt::LeftButton);
        QCOMPARE(carpeta->consultar("SELECT ape1, dw FROM sr WHERE id_sr = 1"),
                 QStringList{"Gil|" + original});
    }

    // Double click, Enter and Space toggle a grant on screen only.
    void permisosCambianEnPantalla()
    {
        const int carla = agregarCarla();
        QVERIFY(abrir());
        elegir("carla");
        QCOMPARE(panel->IdUsuarioSel(), carla);
        QCOMPARE(permisoEnPantalla(1), "No Autorizado");

        dobleClicPermiso(1);
        QCOMPARE(permisoEnPantalla(1), "Autorizado");
        clicPermiso(2);
        QTest::keyClick(panel->ListView2, Qt::Key_Return);
        QCOMPARE(permisoEnPantalla(2), "Autorizado");
        clicPermiso(3);
        QTest::keyClick(panel->ListView2, Qt::Key_Space);
        QCOMPARE(permisoEnPantalla(3), "Autorizado");
        QTest::keyClick(panel->ListView2, Qt::Key_Space);
        QCOMPARE(permisoEnPantalla(3), "No Autorizado");

        QTest::keyClick(panel->ListView2, Qt::Key_Escape);
        QVERIFY(!ventana->panel("frmUsuarios"));
        QCOMPARE(permisosGuardados(carla), todos(0, "0"));
    }

    // Modify stores the user and every grant row, logs each without any
    // password; No stores nothing; afterwards no user is chosen.
    void modificarGuardaUsuarioYPermisos()
    {
        const int carla = agregarCarla();
        QVERIFY(abrir());
        elegir("carla");
        dobleClicPermiso(2);
        dobleClicPermiso(5);
        dobleClicPermiso(16);
        escribir(panel->txtNombre, "Carlota");
        escribir(panel->txtClave, kClave);

        carpeta->dialogos.respuestas = {Dialogos::Respuesta::No};
        QTest::mouseClick(panel->btnModificarUsuario, Qt::LeftButton);
        QCOMPARE(carpeta->dialogos.ultimo().texto, texto(341));
        QCOMPARE(carpeta->dialogos.ultimo().titulo, texto(342));
        QCOMPARE(carpeta->consultar("SELECT nombre, dw FROM sr WHERE id_sr = ?", {carla}),
                 QStringList{"Carla|vieja1"});
        QCOMPARE(permisosGuardados(carla), todos(0, "0"));

        QTest::mouseClick(panel->btnModificarUsuario, Qt::LeftButton);
        QCOMPARE(carpeta->dialogos.ultimo().texto, texto(343));
        QCOMPARE(enfocado(), panel->txtUsuario);
        const QStringList fila =
            carpeta->consultar("SELECT nombre, dw FROM sr WHERE id_sr = ?", {carla});
        QCOMPARE(fila.value(0).section(u'|', 0, 0), "Carlota");
        QVERIFY(ClaveCoincide(fila.value(0).section(u'|', 1), kClave));
        QStringList esperado = todos(0, "0");
        for (int p : {2, 5, 16})
            esperado[p - 1] = QString::number(p) + "|1";
        QCOMPARE(permisosGuardados(carla), esperado);

        // The user's line, then one line per grant row in the list's order.
        const QString id = QString::number(carla);
        qsizetype desde =
            registro().indexOf("Usuario modificado correctamente: " + kSalto +
                               "UPDATE Usuarios SET "
                               "usuario='carla',nombre='Carlota',ape1='Ríos',ape2='' WHERE id_sr=" +
                               id + kSalto);
        QVERIFY(desde >= 0);
        for (int p = 1; p <= 16; ++p) {
            const QString linea = "Usuario modificado correctamente: " + kSalto +
                                  "UPDATE UsuariosPermisos SET PermisoAutorizado=" +
                                  (esperado[p - 1].endsWith("|1") ? "1" : "0") +
                                  " WHERE id_sr=" + id + " AND id_permiso=" + QString::number(p) +
                                  kSalto;
            const qsizetype donde = registro().indexOf(linea);
            QVERIFY2(donde > desde, qPrintable(linea));
            desde = donde;
        }
        QCOMPARE(registro().count("Usuario modificado correctamente: "), 17);
        QCOMPARE(registro().count("SET PermisoAutorizado=1 WHERE"), 3);
        QVERIFY(!registro().contains(kClave));

        QCOMPARE(panel->IdUsuarioSel(), 0);
        QCOMPARE(panel->modeloPermisos()->rowCount(), 0);
        QTest::mouseClick(panel->btnModificarUsuario, Qt::LeftButton);
        QCOMPARE(carpeta->dialogos.ultimo().texto, texto(337));
        QCOMPARE(enfocado(), panel->txtUsuario);
    }

    // Delete asks with No as the default; Yes removes the user and its grants.
    void eliminarQuitaUsuarioYPermisos()
    {
        const int carla = agregarCarla();
        QVERIFY(abrir());
        elegir("carla");
        carpeta->dialogos.respuestas = {Dialogos::Respuesta::No};
        QTest::mouseClick(panel->btnEliminarUsuario, Qt::LeftButton);
        QCOMPARE(carpeta->dialogos.ultimo().texto, texto(329));
        QCOMPARE(carpeta->dialogos.ultimo().titulo, texto(330));
        QCOMPARE(carpeta->dialogos.ultimo().porDefecto, Dialogos::Respuesta::No);
        QCOMPARE(carpeta->consultar("SELECT COUNT(*) FROM sr"), QStringList{"2"});

        QTest::mouseClick(panel->btnEliminarUsuario, Qt::LeftButton);
        QCOMPARE(carpeta->dialogos.ultimo().texto, texto(331));
        QCOMPARE(carpeta->consultar("SELECT COUNT(*) FROM sr WHERE id_sr = ?", {carla}),
                 QStringList{"0"});
        QCOMPARE(permisosGuardados(carla), QStringList());
        QVERIFY(registro().contains("Usuario eliminado correctamente: " + kSalto +
                                    "DELETE FROM sr WHERE id_sr = " + QString::number(carla) +
                                    kSalto));
        QCOMPARE(panel->windowTitle(), "Gestión de Usuarios - 1 registros");
        QCOMPARE(panel->IdUsuarioSel(), 0);
        QTest::mouseClick(panel->btnEliminarUsuario, Qt::LeftButton);
        QCOMPARE(carpeta->dialogos.ultimo().texto, texto(328));
        QCOMPARE(enfocado(), panel->txtUsuario);
    }

    // Nobody may be left without the users panel: its last holder can
    // neither be deleted nor lose the grant; with a second holder both go.
    void ultimoConGestionDeUsuarios()
    {
        QVERIFY(abrir());
        const QString antes = registro();
        elegir("Admin");
        QTest::mouseClick(panel->btnEliminarUsuario, Qt::LeftButton);
        QCOMPARE(carpeta->dialogos.ultimo().texto,
                 carpeta->ctx->idioma.mensaje("XUltimoAdministradorEliminar"));
        QCOMPARE(carpeta->consultar("SELECT COUNT(*) FROM sr"), QStringList{"1"});
        QCOMPARE(permisosGuardados(1), todos(0, "1"));

        dobleClicPermiso(14);
        escribir(panel->txtApe1, "Gil");
        QTest::mouseClick(panel->btnModificarUsuario, Qt::LeftButton);
        QCOMPARE(carpeta->dialogos.ultimo().texto,
                 carpeta->ctx->idioma.mensaje("XUltimoAdministrador"));
        QCOMPARE(carpeta->consultar("SELECT ape1 FROM sr WHERE id_sr = 1"), QStringList{"Pérez"});
        QCOMPARE(permisosGuardados(1), todos(0, "1"));
        QCOMPARE(registro(), antes);

        const int beto = carpeta->agregarUsuario("beto", "b", {14});
        QTest::mouseClick(panel->btnModificarUsuario, Qt::LeftButton);
        QCOMPARE(carpeta->dialogos.ultimo().texto, texto(343));
        QCOMPARE(permisosGuardados(1).value(13), "14|0");
        elegir("beto");
        QCOMPARE(panel->IdUsuarioSel(), beto);
        QTest::mouseClick(panel->btnEliminarUsuario, Qt::LeftButton);
        QCOMPARE(carpeta->dialogos.ultimo().texto,
                 carpeta->ctx->idioma.mensaje("XUltimoAdministradorEliminar"));
    }

    // A grant row that cannot be written leaves no user behind, and the
    // panel goes on.
    void altaFallidaNoDejaNada()
    {
        carpeta->hacerFallar("INSERT", "UsuariosPermisos");
        QVERIFY(abrir());
        escribir(panel->txtUsuario, "nuevo");
        escribir(panel->txtClave, "x");
        escribir(panel->txtNombre, "Nuevo");
        QTest::mouseClick(panel->btnAgregarUsuario, Qt::LeftButton);
        QCOMPARE(carpeta->dialogos.mostrados.size(), size_t(1));
        QVERIFY(carpeta->dialogos.ultimo().texto != texto(335));
        QCOMPARE(carpeta->consultar("SELECT COUNT(*) FROM sr"), QStringList{"1"});
        QVERIFY(!registro().contains("Usuario agregado correctamente"));
        QCOMPARE(panel->txtUsuario->text(), "nuevo");
        QVERIFY(ventana->panel("frmUsuarios"));
    }

    // A grant row that cannot be written or deleted leaves the user as it was.
    void cambioFallidoDejaTodoComoEstaba()
    {
        const int carla = agregarCarla();
        carpeta->hacerFallar("UPDATE", "UsuariosPermisos", "NEW.id_permiso = 16");
        carpeta->hacerFallar("DELETE", "UsuariosPermisos");
        QVERIFY(abrir());
        elegir("carla");
        dobleClicPermiso(1);
        escribir(panel->txtNombre, "Carlota");
        QTest::mouseClick(panel->btnModificarUsuario, Qt::LeftButton);
        QCOMPARE(carpeta->dialogos.mostrados.size(), size_t(2));
        QVERIFY(carpeta->dialogos.ultimo().texto != texto(343));
        QCOMPARE(carpeta->consultar("SELECT nombre FROM sr WHERE id_sr = ?", {carla}),
                 QStringList{"Carla"});
        QCOMPARE(permisosGuardados(carla), todos(0, "0"));
        QCOMPARE(panel->IdUsuarioSel(), carla);

        QTest::mouseClick(panel->btnEliminarUsuario, Qt::LeftButton);
        QCOMPARE(carpeta->dialogos.mostrados.size(), size_t(4));
        QCOMPARE(carpeta->consultar("SELECT COUNT(*) FROM sr WHERE id_sr = ?", {carla}),
                 QStringList{"1"});
        QVERIFY(!registro().contains("correctamente"));
    }
};

QTEST_MAIN(PruebaFrmUsuarios)
#include "tst_frmusuarios.moc"
