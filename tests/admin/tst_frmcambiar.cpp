// The change-password window as a user drives it from the main window: its
// checks, a wrong current password, a change that takes effect at the next
// login, and a log that never holds a password.

#include "ApoyoPruebas.h"
#include "admin/frmCambiar.h"
#include "foundation/BaseDatos.h"
#include "startup/Acceso.h"
#include "startup/frmPrincipal.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

class PruebaCambiar : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<CarpetaPrueba> carpeta;
    std::unique_ptr<frmPrincipal> ventana;
    bool abiertaAlFinal = false;
    bool menuApagado = false;

    using Pasos = std::function<void(frmCambiar&)>;

    // Opens the window from the menu and runs pasos on it; then closes it if
    // the steps left it open.
    void usar(const Pasos& pasos)
    {
        carpeta->dialogos.alModal = [&](QDialog& modal) {
            auto& w = static_cast<frmCambiar&>(modal);
            w.show();
            w.activateWindow();
            menuApagado = !ventana->mnuCambiar->isEnabled();
            if (QTest::qWaitForWindowActive(&w))
                pasos(w);
            abiertaAlFinal = w.isVisible();
            w.close();
            return w.result();
        };
        ventana->mnuCambiar->trigger();
        QVERIFY(menuApagado);
        QVERIFY(ventana->mnuCambiar->isEnabled());
    }

    static void teclear(frmCambiar& w, const QString& actual, const QString& nueva,
                        const QString& confirme)
    {
        w.txtActual->setText(actual);
        w.txtNueva->setText(nueva);
        w.txtConfirme->setText(confirme);
        QTest::mouseClick(w.btnCambiar, Qt::LeftButton);
    }

    bool entra(const QString& sr, const QString& dw)
    {
        BaseDatos bd;
        bd.fijarRuta(carpeta->rutaBD());
        SesionBD sesion(bd);
        return BuscarUsuario(bd, sr, dw).has_value();
    }

private slots:
    void init()
    {
        carpeta = std::make_unique<CarpetaPrueba>();
        carpeta->prepararTerminal();
        ventana = carpeta->entrar();
        carpeta->ctx->usuario.UsuarioSr = "Admin";
    }
    void cleanup()
    {
        ventana.reset();
        carpeta.reset();
    }

    void comprobacionesEnOrdenSinLeerNiEscribir()
    {
        const QStringList antes = carpeta->textosSucesos();
        const QString guardada = carpeta->consultar("SELECT dw FROM sr WHERE id_sr = 1")[0];
        usar([&](frmCambiar& w) {
            QCOMPARE(QApplication::focusWidget(), w.txtActual);
            QCOMPARE(w.txtConfirme->maxLength(), 20);
            teclear(w, "", "", "");
            teclear(w, "Secreto1", "Nueva clave", "nueva clave");
            teclear(w, "Secreto1", "", "");
            teclear(w, "Secreto9", "Nueva", "Nueva");
            QCOMPARE(w.txtActual->text(), "Secreto9");
            QCOMPARE(w.txtActual->displayText(), "********");
            QCOMPARE(w.txtNueva->text(), "Nueva");
            QVERIFY(w.isVisible());
            // Coming back to the window (after a box, say) starts again at the top.
            w.txtConfirme->setFocus();
            QVERIFY(VolverAVentana(w));
            QCOMPARE(QApplication::focusWidget(), w.txtActual);
        });
        QVERIFY(abiertaAlFinal);
        QCOMPARE(carpeta->dialogos.textos(),
                 (QStringList{"Digite la clave actual", "Confirme la nueva clave",
                              "Confirme la nueva clave", "Clave incorrecta"}));
        QCOMPARE(carpeta->textosSucesos(),
                 antes + (QStringList{"Intenta cambiar la clave pero no lo hace correctamente",
                                      "Abre el panel de cambiar contraseña"}));
        QCOMPARE(carpeta->consultar("SELECT dw FROM sr WHERE id_sr = 1")[0], guardada);
        QVERIFY(entra("Admin", "Secreto1"));
    }

    // Applies from the next login; the log says that it changed, not what to.
    void cambioCorrectoSeUsaAlEntrarDeNuevo()
    {
        const QStringList antes = carpeta->textosSucesos();
        usar([&](frmCambiar& w) { teclear(w, "Secreto1", "Mi 'clave' ñ", "Mi 'clave' ñ"); });
        QVERIFY(!abiertaAlFinal);
        QCOMPARE(carpeta->dialogos.textos(),
                 QStringList{"Clave cambiada correctamente\r\nTendrá efecto cuando ingrese de "
                             "nuevo en la aplicación"});
        QCOMPARE(carpeta->textosSucesos(),
                 antes + (QStringList{"Cambia la clave", "Abre el panel de cambiar contraseña"}));
        QCOMPARE(carpeta->ctx->usuario.UsuarioId, 1);
        QVERIFY(
            carpeta->consultar("SELECT dw FROM sr WHERE id_sr = 1")[0].startsWith("$argon2id$"));
        QVERIFY(!entra("Admin", "Secreto1"));
        QVERIFY(!entra("Admin", "mi 'clave' ñ"));
        QVERIFY(entra("Admin", "Mi 'clave' ñ"));
        QVERIFY(!carpeta->lineasSucesos().join(' ').contains("clave' ñ"));
        QVERIFY(!LeerBytes(carpeta->archivo("zelvora.db")).contains("clave' \xc3\xb1"));

        // The same password again is a change like any other.
        usar([&](frmCambiar& w) { teclear(w, "Mi 'clave' ñ", "Mi 'clave' ñ", "Mi 'clave' ñ"); });
        QVERIFY(!abiertaAlFinal);
        QCOMPARE(carpeta->textosSucesos().mid(antes.size() + 2, 1), QStringList{"Cambia la clave"});
        QVERIFY(entra("Admin", "Mi 'clave' ñ"));
    }

    // Users may share a name when their passwords differ: only the one whose
    // password was proven changes; a name in another letter case is another user.
    void soloCambiaElUsuarioQueDemuestraLaClave()
    {
        carpeta->agregarUsuario("Admin", "Otra", {15});
        carpeta->agregarUsuario("admin", "Secreto1", {15});
        usar([&](frmCambiar& w) { teclear(w, "Secreto1", "Distinta", "Distinta"); });
        QCOMPARE(carpeta->consultar("SELECT dw FROM sr WHERE id_sr > 1 ORDER BY id_sr"),
                 (QStringList{"Otra", "Secreto1"}));
        QVERIFY(entra("Admin", "Distinta"));
        QVERIFY(entra("Admin", "Otra"));
    }

    void escapeCierraSinCambiar()
    {
        usar([&](frmCambiar& w) {
            w.txtActual->setText("Secreto1");
            QTest::keyClick(w.txtActual, Qt::Key_Escape);
        });
        QVERIFY(!abiertaAlFinal);
        QVERIFY(carpeta->dialogos.mostrados.empty());
        QVERIFY(entra("Admin", "Secreto1"));
    }
};

QTEST_MAIN(PruebaCambiar)
#include "tst_frmcambiar.moc"
