// zelvora_capturas: the README's screenshots, taken from the real windows on
// a demo program folder: the login, the main window after logging in as
// Admin, and the new-entry panel open in it.
// Usage: zelvora_capturas PROGRAM-FOLDER OUTPUT-FOLDER

#include "foundation/Contexto.h"
#include "foundation/Idiomas.h"
#include "platform/Dialogos.h"
#include "startup/Arranque.h"
#include "startup/frmAcceso.h"
#include "startup/frmPrincipal.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTextStream>

namespace {

// A fixed moment, so that what the windows show of the date is the same on
// every run.
class RelojFijo : public Reloj
{
public:
    QDateTime ahora() const override { return QDateTime(QDate(2026, 8, 5), QTime(10, 30)); }
};

// Nobody is there to answer: every box is accepted and its text printed, so
// that an unexpected one shows up in the script's output.
class DialogosAceptar : public Dialogos
{
public:
    Respuesta mostrar(QWidget*, const Mensaje& mensaje) override
    {
        QTextStream(stderr) << "box: " << mensaje.texto << '\n';
        return mensaje.botones == Botones::SiNo ? Respuesta::Si : Respuesta::Aceptar;
    }
    int ejecutarModal(QDialog& ventana) override
    {
        QTextStream(stderr) << "modal window not shown: " << ventana.objectName() << '\n';
        return QDialog::Rejected;
    }
    QString elegirArchivoGuardar(QWidget*, const QString&, const QString&, const QString&) override
    {
        return {};
    }
};

int Fallo(const QString& texto)
{
    QTextStream(stderr) << "zelvora_capturas: " << texto << '\n';
    return 1;
}

// Shown, active and painted: what a guard would see.
bool Listo(QWidget* ventana)
{
    if (!ventana || !QTest::qWaitForWindowExposed(ventana))
        return false;
    ventana->activateWindow();
    const bool activa = QTest::qWaitForWindowActive(ventana);
    QTest::qWait(300);
    return activa;
}

bool Guardar(QWidget* ventana, const QString& ruta)
{
    if (!ventana->grab().save(ruta, "PNG"))
        return false;
    QTextStream(stdout) << ruta << '\n';
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("zelvora"));
    QApplication::setQuitOnLastWindowClosed(false);
    // A blinking caret would be caught on or off by chance.
    QApplication::setCursorFlashTime(0);
    const QStringList argumentos = QApplication::arguments();
    if (argumentos.size() != 3)
        return Fallo(QStringLiteral("usage: zelvora_capturas PROGRAM-FOLDER OUTPUT-FOLDER"));
    const QString carpeta = QDir(argumentos[1]).absolutePath();
    const QDir salida(argumentos[2]);

    // English, chosen as on the first start, so the login comes without the flags.
    QString error;
    if (!EscribirArchivoIdioma(carpeta, QStringLiteral("us"), &error))
        return Fallo(error);

    RelojFijo reloj;
    DialogosAceptar dialogos;
    Contexto ctx(carpeta, reloj, dialogos);
    Arranque arranque(ctx);
    arranque.iniciar();
    frmAcceso* acceso = arranque.acceso();
    if (ctx.finPedido() || !Listo(acceso))
        return Fallo(QStringLiteral("the login window did not open"));

    QTest::keyClicks(acceso->txtUsr, QStringLiteral("Admin"));
    QTest::keyClicks(acceso->txtPwd, QStringLiteral("zelvora"));
    if (!Guardar(acceso, salida.filePath(QStringLiteral("acceso.png"))))
        return Fallo(QStringLiteral("cannot write acceso.png"));

    QTest::mouseClick(acceso->btnAceptarAcceso, Qt::LeftButton);
    frmPrincipal* principal = arranque.principal();
    if (!Listo(principal))
        return Fallo(QStringLiteral("the main window did not open"));
    if (!Guardar(principal, salida.filePath(QStringLiteral("principal.png"))))
        return Fallo(QStringLiteral("cannot write principal.png"));

    principal->mnuNuevaEntrada->trigger();
    if (!principal->panel(QStringLiteral("frmEntrada")))
        return Fallo(QStringLiteral("the new-entry panel did not open"));
    QTest::qWait(500);
    if (!Guardar(principal, salida.filePath(QStringLiteral("entrada.png"))))
        return Fallo(QStringLiteral("cannot write entrada.png"));
    return 0;
}
