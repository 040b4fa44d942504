#include "foundation/Contexto.h"
#include "platform/Dialogos.h"
#include "startup/Arranque.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>

// A folder-style install keeps its files next to the executable; the packaged
// one in /usr/bin keeps them in the site folder, shared by the site's accounts.
static QString CarpetaPorOmision()
{
    const QString ejecutable = QApplication::applicationDirPath();
    if (QFileInfo::exists(QDir(ejecutable).filePath(kArchivoConfiguracion)))
        return ejecutable;
    return QStringLiteral(ZELVORA_CARPETA_SITIO);
}

int main(int argc, char* argv[])
{
    // Without TZ the C library reads the zone file again at every local-time
    // conversion; lists convert one time per row.
    if (qEnvironmentVariableIsEmpty("TZ"))
        qputenv("TZ", ":/etc/localtime");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("zelvora"));
    QApplication::setApplicationVersion(QStringLiteral("4.6"));
    // The program ends only through the main window's confirmation or a
    // fatal start-up condition, never as a side effect of closing the login.
    QApplication::setQuitOnLastWindowClosed(false);

    QCommandLineParser opciones;
    opciones.setApplicationDescription(
        QStringLiteral("Zelvora: visitor control for the gatehouse of a residential complex."));
    opciones.addHelpOption();
    opciones.addVersionOption();
    const QCommandLineOption carpeta(
        QStringLiteral("carpeta"),
        QStringLiteral("Program folder holding zelvora.cfg, zelvora_idioma.cfg, ico/ and img/ "
                       "(default: the folder of the executable when it holds zelvora.cfg, "
                       "else " ZELVORA_CARPETA_SITIO ")."),
        QStringLiteral("DIR"));
    opciones.addOption(carpeta);
    opciones.process(app);

    const QString carpetaPrograma =
        QDir(opciones.isSet(carpeta) ? opciones.value(carpeta) : CarpetaPorOmision())
            .absolutePath();

    RelojSistema reloj;
    DialogosQt dialogos;
    Contexto ctx(carpetaPrograma, reloj, dialogos);
    ctx.alPedirFin = [](int codigo) { QCoreApplication::exit(codigo); };

    Arranque arranque(ctx);
    arranque.iniciar();
    if (ctx.finPedido())
        return ctx.codigoFin();
    return QApplication::exec();
}
