// zelvora-admin: prepares a terminal's program folder and prints the
// language tables for translators and reviewers.

#include "DatosDemo.h"
#include "admin/CambioClave.h"
#include "admin/CopiaSitio.h"
#include "admin/Restauracion.h"
#include "admin/Verificacion.h"
#include "foundation/ArchivosTexto.h"
#include "foundation/BaseDatos.h"
#include "foundation/Configuracion.h"
#include "foundation/Esquema.h"
#include "foundation/Idiomas.h"
#include "foundation/RegistroSucesos.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

#include <termios.h>
#include <unistd.h>

#include <iostream>
#include <string>

namespace {

const char kUso[] =
    "Usage:\n"
    "  zelvora-admin init --carpeta DIR --punto NAME [--usuario U] [--clave-desde-fd N]\n"
    "                    [--servidor postgresql://USER@HOST:PORT/DBNAME]\n"
    "      Writes DIR/zelvora.cfg (unless one exists) and creates the database\n"
    "      DIR/zelvora.db with its tables, the sixteen permissions and a first\n"
    "      administrator holding all of them (default name Admin). Its password\n"
    "      is read twice from the terminal, or once from the file descriptor N.\n"
    "      --servidor creates them on that PostgreSQL database instead (its\n"
    "      password from ~/.pgpass or PGPASSWORD) and writes the URI as RutaBD.\n"
    "  zelvora-admin init --carpeta DIR --punto NAME --demo [--usuario U --clave P]\n"
    "      The same, with sample dwellings, a guard user (guardia / guardia) and\n"
    "      visits; the administrator is Admin / zelvora unless given.\n"
    "      An existing database is never touched.\n"
    "  zelvora-admin clave --carpeta DIR --usuario U\n"
    "      Sets a new password for the user named exactly U (letter case counts),\n"
    "      for a site whose administrator forgot it. The password is read twice\n"
    "      from the terminal, never from the command line.\n"
    "  zelvora-admin copiar --desde A --hacia B\n"
    "      Copies a site's whole data from the database A into a new database B,\n"
    "      each a SQLite file path or a postgresql:// URI (an empty database of\n"
    "      the server). B is kept only when every table holds as many rows as\n"
    "      in A; prints the rows of each table.\n"
    "  zelvora-admin verificar --carpeta DIR\n"
    "      Checks the terminal's database and every backup in its respaldos/\n"
    "      folder (SQLite's integrity check, or pg_restore for a server's dump,\n"
    "      and the program's tables and columns); prints one line each and ends\n"
    "      with 1 when any is not ok.\n"
    "  zelvora-admin restaurar --carpeta DIR --desde BACKUP\n"
    "      Puts the backup file BACKUP in place of the terminal's database, once it\n"
    "      passes the checks of verificar and no terminal is using the database.\n"
    "      The database it replaces is kept beside it as\n"
    "      'zelvora antes de restaurar DD-MM-AAAA HH-MM-SS.db'.\n"
    "  zelvora-admin textos CODE\n"
    "      Prints the language tables for CODE (es, co, us or en): T<slot><TAB>text\n"
    "      for slots 0-377, then P<n><TAB>text for the permissions 1-16.\n";

QTextStream& Salida()
{
    static QTextStream salida(stdout);
    return salida;
}

int Fallo(const QString& mensaje)
{
    QTextStream(stderr) << "zelvora-admin: " << mensaje << Qt::endl;
    return 1;
}

int Textos(const QString& codigo)
{
    TablasIdioma tablas;
    if (!CargarTablasIdioma(codigo, &tablas))
        return Fallo(QStringLiteral("unknown language code '%1' (es, co, us or en)").arg(codigo));
    QTextStream& salida = Salida();
    for (int slot = 0; slot < kSlotsTexto; ++slot)
        salida << 'T' << slot << '\t' << EscaparTexto(tablas.texto(slot)) << '\n';
    for (int n = 1; n <= kSlotsPermiso; ++n)
        salida << 'P' << n << '\t' << EscaparTexto(tablas.permiso(n)) << '\n';
    salida.flush();
    return 0;
}

int Copiar(const QString& desde, const QString& hacia)
{
    if (desde.isEmpty() || hacia.isEmpty())
        return Fallo(QStringLiteral("copiar needs --desde A and --hacia B"));
    QList<FilasTabla> conteos;
    QString error;
    if (!CopiarSitio(desde, hacia, &conteos, &error))
        return Fallo(QStringLiteral("nothing copied: %1").arg(error));
    for (const FilasTabla& t : conteos)
        Salida() << t.tabla << ": " << t.filas << " rows" << Qt::endl;
    Salida() << "copied " << desde << " to " << hacia << "; every table checked by its rows"
             << Qt::endl;
    return 0;
}

// The terminal's configuration as the program reads it; false when it has none.
bool ConfiguracionPrograma(const QString& programa, Configuracion* cfg)
{
    const QString linea = LeerLineaConfiguracion(programa);
    if (linea.isEmpty())
        return false;
    *cfg = InterpretarLineaConfiguracion(linea);
    return true;
}

int Verificar(const QString& carpeta)
{
    if (carpeta.isEmpty())
        return Fallo(QStringLiteral("verificar needs --carpeta DIR"));
    const QString programa = QDir(carpeta).absolutePath();
    Configuracion cfg;
    if (!ConfiguracionPrograma(programa, &cfg))
        return Fallo(QStringLiteral("no configuration in %1").arg(programa));
    QStringList rutas{RutaBaseDatos(cfg, programa)};
    rutas += CopiasDeSeguridad(CarpetaDatos(cfg, programa) + QStringLiteral("/respaldos"));
    int malas = 0;
    for (const QString& ruta : rutas) {
        const QString resultado = VerificarBaseDatos(ruta);
        Salida() << ruta << ": " << resultado << Qt::endl;
        malas += resultado == u"ok" ? 0 : 1;
    }
    return malas == 0 ? 0 : 1;
}

// One line from the terminal, not shown as it is typed; from standard input
// when that is no terminal (a script). Empty at the end of the input.
QString LeerClave(const char* pregunta)
{
    std::cerr << pregunta << std::flush;
    termios antes{};
    const bool terminal = isatty(STDIN_FILENO) && tcgetattr(STDIN_FILENO, &antes) == 0;
    if (terminal) {
        termios oculta = antes;
        oculta.c_lflag &= ~tcflag_t(ECHO);
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &oculta);
    }
    std::string linea;
    std::getline(std::cin, linea);
    if (terminal) {
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &antes);
        std::cerr << std::endl;
    }
    if (!linea.empty() && linea.back() == '\r')
        linea.pop_back();
    return QString::fromStdString(linea);
}

// One line from the descriptor a script opened (a pipe, a file only root
// reads), so the password is never on the command line.
std::optional<QString> LeerClaveDescriptor(int fd, QString* error)
{
    QFile entrada;
    if (!entrada.open(fd, QIODevice::ReadOnly)) {
        *error = QStringLiteral("--clave-desde-fd: cannot read the descriptor %1").arg(fd);
        return std::nullopt;
    }
    QByteArray linea = entrada.readLine();
    while (linea.endsWith('\n') || linea.endsWith('\r'))
        linea.chop(1);
    return QString::fromUtf8(linea);
}

// The first administrator's password. On the command line only for a demo:
// every local account can read the process list.
struct FuenteClave
{
    std::optional<QString> enLinea;
    std::optional<int> descriptor;
    bool demo = false;
};

std::optional<QString> ClaveInicial(const FuenteClave& fuente, QString* error)
{
    if (fuente.enLinea && !fuente.demo) {
        *error = QStringLiteral("--clave is only for --demo: the command line can be read by "
                                "every local account; type the password when asked, or give "
                                "--clave-desde-fd N");
        return std::nullopt;
    }
    std::optional<QString> clave;
    if (fuente.descriptor) {
        clave = LeerClaveDescriptor(*fuente.descriptor, error);
    } else if (fuente.enLinea) {
        clave = fuente.enLinea;
    } else if (fuente.demo) {
        clave = QStringLiteral("zelvora");
    } else {
        clave = LeerClave("First administrator's password: ");
        if (*clave != LeerClave("Repeat the password: ")) {
            *error = QStringLiteral("the two passwords differ; nothing was created");
            return std::nullopt;
        }
    }
    if (clave && clave->isEmpty()) {
        *error = QStringLiteral("an empty password is not accepted; nothing was created");
        return std::nullopt;
    }
    return clave;
}

int Restaurar(const QString& carpeta, const QString& desde)
{
    if (carpeta.isEmpty() || desde.isEmpty())
        return Fallo(QStringLiteral("restaurar needs --carpeta DIR and --desde BACKUP"));
    const QString programa = QDir(carpeta).absolutePath();
    Configuracion cfg;
    if (!ConfiguracionPrograma(programa, &cfg))
        return Fallo(QStringLiteral("no configuration in %1").arg(programa));
    const QString rutaBD = RutaBaseDatos(cfg, programa);
    const QDateTime ahora = QDateTime::currentDateTime();
    Restauracion hecho;
    QString error;
    if (!RestaurarCopia(rutaBD, desde, ahora, &hecho, &error))
        return Fallo(QStringLiteral("nothing restored: %1").arg(error));
    const QString anterior =
        hecho.apartada.isEmpty()
            ? QStringLiteral("no había base de datos")
            : QStringLiteral("la anterior queda como %1").arg(QFileInfo(hecho.apartada).fileName());
    const QString suceso =
        QStringLiteral("Se restaura la copia de seguridad %1 con zelvora-admin (%2)")
            .arg(QFileInfo(desde).fileName(), anterior);
    if (cfg.EfectuarRegistroDeSucesos &&
        !AnexarSuceso(CarpetaDatos(cfg, programa), ahora,
                      {cfg.PuntoControl, QStringLiteral("zelvora-admin"), {}, {}, {}}, suceso,
                      &error))
        QTextStream(stderr) << "zelvora-admin: event log not written: " << error << Qt::endl;
    Salida() << "restored " << desde << " as " << rutaBD << Qt::endl;
    if (!hecho.apartada.isEmpty())
        Salida() << "the previous database is kept as " << hecho.apartada << Qt::endl;
    return 0;
}

Configuracion ConfiguracionInicial(const QString& punto)
{
    Configuracion cfg = Configuracion::PorDefecto();
    cfg.PuntoControl = punto;
    // A review range of 1 to 1.5 GB, urgent above it: a new database warns nobody.
    cfg.RangoMinSizeBD = QStringLiteral("1000000000");
    cfg.RangoMaxSizeBD = QStringLiteral("1500000000");
    cfg.MaxSizeBD = QStringLiteral("1500000000");
    return cfg;
}

// The server's URI as RutaBD of a new configuration, or the one an existing
// configuration already names.
bool ElegirServidor(const QString& servidor, bool hayCfg, Configuracion* cfg, QString* error)
{
    if (servidor.isEmpty())
        return true;
    if (hayCfg && cfg->RutaBD != servidor) {
        *error =
            QStringLiteral("the existing zelvora.cfg names another database (%1)").arg(cfg->RutaBD);
        return false;
    }
    DestinoServidor destino;
    if (!EsUriPostgres(servidor) || !InterpretarUriPostgres(servidor, &destino, error)) {
        if (error->isEmpty())
            *error = QStringLiteral("--servidor takes a postgresql:// URI");
        return false;
    }
    // zelvora.cfg separates its fields with these.
    if (servidor.contains(u';') || servidor.contains(u',')) {
        *error = QStringLiteral("--servidor: a URI holding ';' or ',' cannot be configured");
        return false;
    }
    cfg->RutaBD = servidor;
    return true;
}

int Init(const QString& carpeta, const QString& punto, PrimerUsuario usuario,
         const FuenteClave& fuenteClave, const QString& servidor)
{
    const bool demo = fuenteClave.demo;
    if (carpeta.isEmpty())
        return Fallo(QStringLiteral("init needs --carpeta DIR and --punto NAME"));
    // Refused before anything is created: a name that cannot be a file name
    // would leave the terminal without an event log.
    TablasIdioma ingles;
    CargarTablasIdioma(QStringLiteral("en"), &ingles);
    QString motivo;
    if (!PuntoControlValido(punto, ingles, &motivo))
        return Fallo(QStringLiteral("--punto: ") + motivo);
    if (usuario.sr.isEmpty())
        return Fallo(QStringLiteral("--usuario cannot be empty"));
    // A new program folder is the site's group's, like the files made in it.
    if (!QFileInfo(carpeta).isDir() &&
        !(QDir().mkpath(QFileInfo(QDir(carpeta).absolutePath()).path()) &&
          CrearCarpetaCompartida(QDir(carpeta).absolutePath())))
        return Fallo(QStringLiteral("cannot create the folder %1").arg(carpeta));
    const QString programa = QDir(carpeta).absolutePath();
    const QString rutaCfg = QDir(carpeta).filePath(kArchivoConfiguracion);
    // An existing configuration may point at a shared database folder: the
    // database goes where the program will look for it.
    Configuracion cfg = ConfiguracionInicial(punto);
    QByteArray existente;
    const bool hayCfg = QFile::exists(rutaCfg);
    if (hayCfg && LeerArchivo(rutaCfg, &existente))
        cfg = InterpretarLineaConfiguracion(PrimerCampo(DecodificarTexto(existente)));
    QString error;
    if (!ElegirServidor(servidor, hayCfg, &cfg, &error))
        return Fallo(error);
    if (!QFileInfo(CarpetaDatos(cfg, programa)).isDir())
        return Fallo(QStringLiteral("the database folder %1 does not exist")
                         .arg(CarpetaDatos(cfg, programa)));
    const QString rutaBD = RutaBaseDatos(cfg, programa);
    if (QFile::exists(rutaBD))
        return Fallo(
            QStringLiteral("a database already exists at %1; it was left untouched").arg(rutaBD));
    // Asked once everything else is known to be right, and before anything
    // is written.
    const std::optional<QString> clave = ClaveInicial(fuenteClave, &error);
    if (!clave)
        return Fallo(error);
    usuario.dw = *clave;
    if (hayCfg) {
        Salida() << "kept the existing " << rutaCfg << Qt::endl;
    } else {
        // Never over a configuration that another run wrote meanwhile.
        bool yaExiste = false;
        if (!CrearLineaUnica(rutaCfg, LineaConfiguracion(cfg), &yaExiste, &error))
            return Fallo(yaExiste ? QStringLiteral("%1 was created by another run meanwhile; it "
                                                   "was left untouched")
                                        .arg(rutaCfg)
                                  : QStringLiteral("cannot write %1").arg(error));
    }
    if (!CrearBaseDatos(rutaBD, usuario, &error))
        return Fallo(error);
    if (demo) {
        try {
            BaseDatos bd;
            bd.fijarRuta(rutaBD);
            SesionBD sesion(bd);
            AgregarDatosDemo(bd, QDateTime::currentDateTime());
        } catch (const ErrorBD& e) {
            return Fallo(QStringLiteral("demo data not added: %1").arg(e.detalle()));
        }
    }
    Salida() << "created " << rutaBD << " with the user " << usuario.sr
             << (demo ? " and demo data" : "") << Qt::endl;
    return 0;
}

// The configuration of the terminal in carpeta, if it has one.
bool LeerConfiguracionCarpeta(const QString& carpeta, Configuracion* cfg)
{
    QByteArray bytes;
    if (!LeerArchivo(QDir(carpeta).filePath(kArchivoConfiguracion), &bytes))
        return false;
    *cfg = InterpretarLineaConfiguracion(PrimerCampo(DecodificarTexto(bytes)));
    return true;
}

// The user named exactly sr, as the event log names an author.
std::optional<AutorSuceso> UnicoUsuario(BaseDatos& bd, const QString& sr, QString* motivo)
{
    const QList<int> ids = UsuariosLlamados(bd, sr);
    if (ids.size() != 1) {
        *motivo = ids.isEmpty()
                      ? QStringLiteral("no user is named exactly '%1' (letter case counts)").arg(sr)
                      : QStringLiteral("%1 users are named '%2'; give one of them another name in "
                                       "the users panel first")
                            .arg(ids.size())
                            .arg(sr);
        return std::nullopt;
    }
    QSqlQuery q = bd.ejecutar(
        QStringLiteral("SELECT sr, nombre, ape1, ape2 FROM sr WHERE id_sr = ?"), {ids[0]});
    q.next();
    return AutorSuceso{QString(), q.value(0).toString(), q.value(1).toString(),
                       q.value(2).toString(), q.value(3).toString()};
}

int Clave(const QString& carpeta, const QString& sr)
{
    Configuracion cfg;
    if (!LeerConfiguracionCarpeta(carpeta, &cfg))
        return Fallo(QStringLiteral("no readable %1 in %2").arg(kArchivoConfiguracion, carpeta));
    const QString programa = QDir(carpeta).absolutePath();
    BaseDatos bd;
    bd.fijarRuta(RutaBaseDatos(cfg, programa));
    std::optional<AutorSuceso> autor;
    QString motivo;
    try {
        SesionBD sesion(bd);
        autor = UnicoUsuario(bd, sr, &motivo);
    } catch (const ErrorBD& e) {
        return Fallo(e.detalle() + QLatin1Char(' ') + e.ruta());
    }
    if (!autor)
        return Fallo(motivo);
    const QString nueva = LeerClave("New password: ");
    const QString repetida = LeerClave("Repeat the new password: ");
    if (nueva.isEmpty() || nueva != repetida)
        return Fallo(nueva.isEmpty() ? QStringLiteral("an empty password was not set")
                                     : QStringLiteral("the two passwords differ; nothing changed"));
    try {
        SesionBD sesion(bd);
        FijarClave(bd, UsuariosLlamados(bd, sr).value(0), nueva);
    } catch (const ErrorBD& e) {
        return Fallo(e.detalle());
    }
    autor->punto = cfg.PuntoControl;
    QString error;
    if (cfg.EfectuarRegistroDeSucesos &&
        !AnexarSuceso(CarpetaDatos(cfg, programa), QDateTime::currentDateTime(), *autor,
                      QStringLiteral("Se cambia la clave con zelvora-admin"), &error))
        QTextStream(stderr) << "zelvora-admin: event log not written: " << error << Qt::endl;
    Salida() << "the password of " << sr << " was changed" << Qt::endl;
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("zelvora-admin"));

    QCommandLineParser opciones;
    opciones.setApplicationDescription(QString::fromLatin1(kUso));
    opciones.addHelpOption();
    const QCommandLineOption carpeta(QStringLiteral("carpeta"), QStringLiteral("Program folder."),
                                     QStringLiteral("DIR"));
    const QCommandLineOption punto(QStringLiteral("punto"),
                                   QStringLiteral("Control point (terminal name)."),
                                   QStringLiteral("NAME"));
    const QCommandLineOption usuario(QStringLiteral("usuario"),
                                     QStringLiteral("First administrator's login name."),
                                     QStringLiteral("U"), QStringLiteral("Admin"));
    const QCommandLineOption clave(QStringLiteral("clave"),
                                   QStringLiteral("Demo administrator's password."),
                                   QStringLiteral("P"));
    const QCommandLineOption claveFd(
        QStringLiteral("clave-desde-fd"),
        QStringLiteral("Read the first administrator's password from this file descriptor."),
        QStringLiteral("N"));
    const QCommandLineOption demo(QStringLiteral("demo"), QStringLiteral("Add demo data."));
    const QCommandLineOption servidor(QStringLiteral("servidor"),
                                      QStringLiteral("The site's PostgreSQL database."),
                                      QStringLiteral("URI"));
    const QCommandLineOption desde(
        QStringLiteral("desde"),
        QStringLiteral("Database to copy (path or URI), or backup to restore."),
        QStringLiteral("A"));
    const QCommandLineOption hacia(QStringLiteral("hacia"),
                                   QStringLiteral("New database (path or URI)."),
                                   QStringLiteral("B"));
    opciones.addOptions({carpeta, punto, usuario, clave, claveFd, demo, servidor, desde, hacia});
    opciones.addPositionalArgument(
        QStringLiteral("command"),
        QStringLiteral("init, clave, copiar, verificar, restaurar or textos"));
    opciones.process(app);

    const QStringList argumentos = opciones.positionalArguments();
    const QString orden = argumentos.value(0);
    if (orden == u"clave" && argumentos.size() == 1) {
        if (opciones.isSet(clave))
            return Fallo(QStringLiteral("the password is read from the terminal, never given with "
                                        "--clave"));
        if (!opciones.isSet(carpeta) || !opciones.isSet(usuario))
            return Fallo(QStringLiteral("clave needs --carpeta DIR and --usuario U"));
        return Clave(opciones.value(carpeta), opciones.value(usuario));
    }
    if (orden == u"verificar" && argumentos.size() == 1)
        return Verificar(opciones.value(carpeta));
    if (orden == u"restaurar" && argumentos.size() == 1)
        return Restaurar(opciones.value(carpeta), opciones.value(desde));
    if (orden == u"copiar" && argumentos.size() == 1)
        return Copiar(opciones.value(desde), opciones.value(hacia));
    if (orden == u"textos" && argumentos.size() == 2)
        return Textos(argumentos[1]);
    if (orden == u"init" && argumentos.size() == 1) {
        FuenteClave fuente;
        fuente.demo = opciones.isSet(demo);
        if (opciones.isSet(clave))
            fuente.enLinea = opciones.value(clave);
        if (opciones.isSet(claveFd)) {
            bool numero = false;
            fuente.descriptor = opciones.value(claveFd).toInt(&numero);
            if (!numero || *fuente.descriptor < 0)
                return Fallo(QStringLiteral("--clave-desde-fd takes a file descriptor number"));
        }
        return Init(opciones.value(carpeta), opciones.value(punto),
                    {opciones.value(usuario), QString(), QStringLiteral("Administrador"), QString(),
                     QString()},
                    fuente, opciones.value(servidor));
    }
    QTextStream(stderr) << kUso;
    return 2;
}
