// The administration tool as a site engineer runs it.

#include "ApoyoPruebas.h"
#include "foundation/ArchivosTexto.h"
#include "foundation/Esquema.h"
#include "foundation/RegistroSucesos.h"
#include "startup/Acceso.h"
#include "startup/Supervision.h"
#include "startup/frmPrincipal.h"

#include <QAbstractItemView>
#include <QDir>
#include <QDirIterator>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>
#include <QUrl>

namespace {

struct Salida
{
    int codigo = -1;
    QString texto;
    QString errores;
};

Salida Ejecutar(const QStringList& argumentos, const QByteArray& entrada = {})
{
    QProcess proceso;
    proceso.start(qEnvironmentVariable("ZELVORA_ADMIN"), argumentos);
    proceso.write(entrada);
    proceso.closeWriteChannel();
    proceso.waitForFinished(60000);
    return {proceso.exitCode(), QString::fromUtf8(proceso.readAllStandardOutput()),
            QString::fromUtf8(proceso.readAllStandardError())};
}

} // namespace

class PruebaAdmin : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(QFile::exists(qEnvironmentVariable("ZELVORA_ADMIN"))); }

    void initPreparaUnaTerminalLista()
    {
        SOLO_ARCHIVO();
        CarpetaPrueba carpeta;
        const Salida s = Ejecutar({"init", "--carpeta", carpeta.ruta(), "--punto", "PORTERÍA SUR",
                                   "--usuario", "Jefe", "--clave-desde-fd", "0"},
                                  "Clave'9\n");
        QVERIFY2(s.codigo == 0, qPrintable(s.errores));
        const QByteArray cfg = LeerBytes(carpeta.archivo("zelvora.cfg"));
        QVERIFY(cfg.endsWith("\r\n"));
        QCOMPARE(cfg.count('\n'), 1);

        // The program reads it as a valid terminal whose new database warns nobody.
        QCOMPARE(carpeta.ctx->LeerConfiguracion(), LecturaConfiguracion::Correcta);
        const Configuracion& c = carpeta.ctx->cfg;
        QCOMPARE(c.PuntoControl, "PORTERÍA SUR");
        QVERIFY(c.RutaBD.isEmpty());
        QVERIFY(c.EfectuarRespaldo && c.EfectuarRegistroDeSucesos && c.VerificarSizeBD);
        QVERIFY(!c.EfectuarAviso && !c.DuplicarEntrada && !c.TomarFotografia);
        QVERIFY(c.RangoMinSizeBD.toLongLong() > 100'000'000);
        QVERIFY(c.MaxSizeBD.toLongLong() >= c.RangoMaxSizeBD.toLongLong());

        BaseDatos& bd = carpeta.ctx->bd();
        SesionBD sesion(bd);
        QVERIFY(BuscarUsuario(bd, "Jefe", "Clave'9"));
        QCOMPARE(Filas(bd, "SELECT count(*), sum(PermisoAutorizado) FROM UsuariosPermisos "
                           "WHERE id_sr = 1"),
                 QStringList{"16|16"});
        QCOMPARE(Filas(bd, "SELECT count(*) FROM entradas_salidas"), QStringList{"0"});
    }

    // A real site's first password never shows in the process list nor in
    // any file: typed twice, or read from a descriptor; never --clave.
    void initSinClaveALaVista()
    {
        SOLO_ARCHIVO();
        CarpetaPrueba carpeta;
        const QStringList init{"init", "--carpeta", carpeta.ruta(), "--punto", "NORTE"};
        Salida s = Ejecutar(init + QStringList{"--clave", "Oculta7"});
        QCOMPARE(s.codigo, 1);
        QVERIFY2(s.errores.contains("--clave is only for --demo"), qPrintable(s.errores));
        s = Ejecutar(init, "Oculta7\noculta7\n");
        QCOMPARE(s.codigo, 1);
        QVERIFY2(s.errores.contains("differ"), qPrintable(s.errores));
        QCOMPARE(Ejecutar(init, "\n\n").codigo, 1);
        QVERIFY(QDir(carpeta.ruta()).isEmpty());

        // While it waits for the password, its command line is all another account sees.
        QProcess proceso;
        proceso.start(qEnvironmentVariable("ZELVORA_ADMIN"),
                      init + QStringList{"--clave-desde-fd", "0"});
        QVERIFY(proceso.waitForStarted());
        const QString rutaOrdenes = QString("/proc/%1/cmdline").arg(proceso.processId());
        QTRY_VERIFY(LeerBytes(rutaOrdenes).contains("NORTE")); // once it has started
        const QByteArray lineaOrdenes = LeerBytes(rutaOrdenes);
        proceso.write("Oculta7\n");
        proceso.closeWriteChannel();
        QVERIFY(proceso.waitForFinished(60000));
        QCOMPARE(proceso.exitCode(), 0);
        QVERIFY(!lineaOrdenes.contains("Oculta7"));

        // Logged in once, a backup made: the password is in no file, the
        // database holding only its hash.
        QCOMPARE(carpeta.ctx->LeerConfiguracion(), LecturaConfiguracion::Correcta);
        {
            SesionBD sesion(carpeta.ctx->bd());
            QVERIFY(BuscarUsuario(carpeta.ctx->bd(), "Admin", "Oculta7"));
        }
        QVERIFY(QDir().mkdir(carpeta.archivo("respaldos")));
        QString error;
        QVERIFY2(CopiarBaseDatos(carpeta.archivo("zelvora.db"),
                                 carpeta.archivo("respaldos/copia.db"), &error),
                 qPrintable(error));
        QDirIterator archivos(carpeta.ruta(), QDir::Files, QDirIterator::Subdirectories);
        int revisados = 0;
        while (archivos.hasNext()) {
            const QString ruta = archivos.next();
            QVERIFY2(!LeerBytes(ruta).contains("Oculta7"), qPrintable(ruta));
            ++revisados;
        }
        QVERIFY(revisados >= 4); // configuration, database, event log, backup
    }

    // A site with several PCs: the schema, the first user and the demo go to
    // the server's database, the terminal is configured with its URI, and the
    // password never goes into the file.
    void initEnElServidor()
    {
        if (ServidorPrueba().isEmpty())
            QSKIP("needs the test server");
        CarpetaPrueba carpeta;
        carpeta.crearBaseVacia();
        QUrl conClave(carpeta.rutaBD());
        conClave.setPassword("secreto");
        Salida s = Ejecutar({"init", "--carpeta", carpeta.ruta(), "--punto", "NORTE", "--servidor",
                             conClave.toString()});
        QCOMPARE(s.codigo, 1);
        QVERIFY2(s.errores.contains("~/.pgpass"), qPrintable(s.errores));
        QVERIFY(!QFile::exists(carpeta.archivo("zelvora.cfg")));

        s = Ejecutar({"init", "--carpeta", carpeta.ruta(), "--punto", "NORTE", "--servidor",
                      carpeta.rutaBD(), "--usuario", "Jefe", "--clave", "Clave'9", "--demo"});
        QVERIFY2(s.codigo == 0, qPrintable(s.errores));
        QCOMPARE(carpeta.ctx->LeerConfiguracion(), LecturaConfiguracion::Correcta);
        QCOMPARE(carpeta.ctx->cfg.RutaBD, carpeta.rutaBD());
        QCOMPARE(carpeta.ctx->carpetaDatos(), carpeta.ruta());
        {
            BaseDatos& bd = carpeta.ctx->bd();
            SesionBD sesion(bd);
            QVERIFY(BuscarUsuario(bd, "Jefe", "Clave'9"));
            QVERIFY(Filas(bd, "SELECT count(*) FROM censos").value(0).toInt() > 0);
        }
        const QStringList antes = carpeta.consultar("SELECT count(*) FROM entradas_salidas");
        QVERIFY(antes.value(0).toInt() > 0);

        // Once more: refused, nothing touched.
        s = Ejecutar({"init", "--carpeta", carpeta.ruta(), "--punto", "NORTE", "--servidor",
                      carpeta.rutaBD()},
                     "Otra1\nOtra1\n");
        QCOMPARE(s.codigo, 1);
        QVERIFY2(s.errores.contains("already exists"), qPrintable(s.errores));
        QCOMPARE(carpeta.consultar("SELECT count(*) FROM entradas_salidas"), antes);
        QCOMPARE(carpeta.consultar("SELECT sr FROM sr WHERE id_sr = 1"), QStringList{"Jefe"});
    }

    // A site's whole data moves to the other engine and back, every row as
    // it was, the visit counts rebuilt, and new keys follow the copied ones.
    void copiarIdaYVuelta()
    {
        CarpetaPrueba carpeta;
        const QString sitio = carpeta.archivo("sitio.db");
        QString error;
        QVERIFY2(CrearBaseDatos(sitio, {"Admin", "x", "Ana", "Pérez", ""}, &error),
                 qPrintable(error));
        {
            BaseDatos bd;
            bd.fijarRuta(sitio);
            SesionBD sesion(bd);
            bd.ejecutar("INSERT INTO sr (sr, dw, nivel) VALUES ('guardia', 'h', '1')");
            for (int i = 0; i < 250; ++i)
                bd.ejecutar("INSERT INTO entradas_salidas (FechaEntrada, FechaSalida, "
                            "NombreVisitante, NAcomp, AutorizaIngreso, PlacaVehiculo, "
                            "NombreVisitanteClave, AutorizaIngresoClave) "
                            "VALUES (?, ?, ?, ?, ?, ?, ?, ?)",
                            {"2026-08-05 10:00:00",
                             i % 3 ? QVariant("2026-08-05 11:00:00") : QVariant(),
                             QString("Íñigo D'Ávila %1").arg(i % 7), i % 4, "Luz; \"Ñ\"",
                             i % 2 ? QVariant("abc123") : QVariant(),
                             QString("íñigo d'ávila %1").arg(i % 7), "luz; \"ñ\""});
            bd.ejecutar("DELETE FROM entradas_salidas WHERE id_es = 250");
            bd.ejecutar("INSERT INTO avisos VALUES (3, '2026-08-05 10:30:00')");
            bd.ejecutar("INSERT INTO visitas_programadas (FechaEntrada, NombreVisitante) "
                        "VALUES ('2026-08-06 09:00:00', 'Programado')");
            bd.ejecutar(
                "INSERT INTO censos (nom_unidad, num_inmueble, torre, notas) "
                "VALUES ('Álamos', '101', 2, 'línea 1\nlínea 2'), ('Álamos', '102', 'B', NULL)");
        }
        CarpetaPrueba servidor;
        servidor.crearBaseVacia();
        const QString hacia =
            ServidorPrueba().isEmpty() ? carpeta.archivo("copia.db") : servidor.rutaBD();
        Salida s = Ejecutar({"copiar", "--desde", sitio, "--hacia", hacia});
        QVERIFY2(s.codigo == 0, qPrintable(s.errores));
        QVERIFY2(s.texto.contains("entradas_salidas: 249 rows") &&
                     s.texto.contains("conteos_visitas: 9 rows"),
                 qPrintable(s.texto));

        const QStringList tablas = {"sr",
                                    "Permisos",
                                    "UsuariosPermisos",
                                    "contra",
                                    "censos",
                                    "entradas_salidas",
                                    "visitas_programadas",
                                    "avisos",
                                    "conteos_visitas"};
        auto contenido = [&](const QString& ruta) {
            BaseDatos bd;
            bd.fijarRuta(ruta);
            SesionBD sesion(bd);
            QStringList todo;
            for (const QString& t : tablas)
                todo << t << Filas(bd, QString("SELECT * FROM %1 ORDER BY 1, 2").arg(t));
            return todo;
        };
        const QStringList original = contenido(sitio);
        QCOMPARE(contenido(hacia), original);

        // Back again, into a new file.
        const QString vuelta = carpeta.archivo("vuelta.db");
        s = Ejecutar({"copiar", "--desde", hacia, "--hacia", vuelta});
        QVERIFY2(s.codigo == 0, qPrintable(s.errores));
        QCOMPARE(contenido(vuelta), original);

        // Never over a database that holds the tables: nothing touched.
        s = Ejecutar({"copiar", "--desde", vuelta, "--hacia", hacia});
        QCOMPARE(s.codigo, 1);
        QVERIFY2(s.errores.contains("already exists"), qPrintable(s.errores));
        QCOMPARE(contenido(hacia), original);

        // The next visit and the next user take the keys after the copied
        // ones, also after a deleted last visit, on both sides.
        for (const QString& ruta : {hacia, vuelta}) {
            BaseDatos bd;
            bd.fijarRuta(ruta);
            SesionBD sesion(bd);
            QCOMPARE(bd.ejecutar("INSERT INTO entradas_salidas (FechaEntrada) VALUES "
                                 "('2026-08-07 08:00:00')")
                         .lastInsertId()
                         .toInt(),
                     251);
            QCOMPARE(bd.ejecutar("INSERT INTO sr (sr) VALUES ('otro')").lastInsertId().toInt(), 3);
        }
    }

    // The live database and each backup get one line; a damaged copy, a
    // foreign database and a file that is no database are named as such.
    void verificarCadaCopiaEnUnaLinea()
    {
        CarpetaPrueba carpeta;
        carpeta.prepararTerminal();
        carpeta.agregarVisita({"2026-08-05 09:00:00", "Ana"});
        const QString copias = carpeta.archivo("respaldos");
        QVERIFY(QDir().mkpath(copias));
        const QString ext = ServidorPrueba().isEmpty() ? ".db" : ".dump";
        const QString buena = copias + "/zelvora 01-08-2026 10-00-00-NORTE" + ext;
        QString error;
        QVERIFY2(CopiarBaseDatos(carpeta.rutaBD(), buena, &error), qPrintable(error));
        // A SQLite copy with its pages overwritten past the header.
        const QString danada = copias + "/zelvora 02-08-2026 10-00-00-NORTE.db";
        QVERIFY2(CrearBaseDatos(danada, {"Otro", "x", "", "", ""}, &error), qPrintable(error));
        {
            QFile f(danada);
            QVERIFY(f.open(QIODevice::ReadWrite));
            f.seek(4096);
            f.write(QByteArray(8192, '\xA5'));
        }
        const QString ajena = copias + "/zelvora 03-08-2026 10-00-00-NORTE.db";
        {
            QVERIFY(QFile(ajena).open(QIODevice::WriteOnly));
            BaseDatos otra;
            otra.fijarRuta(ajena);
            SesionBD sesion(otra);
            otra.ejecutar("CREATE TABLE facturas (numero INTEGER)");
        }
        const QString basura = copias + "/zelvora 04-08-2026 10-00-00-NORTE.db";
        QVERIFY(EscribirLineaUnica(basura, "no soy una base de datos", nullptr));
        const QString volcadoMalo = copias + "/zelvora 05-08-2026 10-00-00-NORTE.dump";
        QVERIFY(EscribirLineaUnica(volcadoMalo, "PGDMP cortado", nullptr));

        const Salida s = Ejecutar({"verificar", "--carpeta", carpeta.ruta()});
        QCOMPARE(s.codigo, 1);
        const QStringList lineas = s.texto.trimmed().split('\n');
        QVERIFY2(lineas.size() == 6, qPrintable(s.texto));
        QCOMPARE(lineas[0], carpeta.rutaBD() + ": ok");
        QCOMPARE(lineas[1], buena + ": ok");
        QVERIFY2(lineas[2].startsWith(danada + ": ") && !lineas[2].endsWith(": ok"),
                 qPrintable(lineas[2]));
        QCOMPARE(lineas[3], ajena + ": no table avisos: not a Zelvora database");
        QCOMPARE(lineas[4], basura + ": not a database: not a SQLite file");
        QVERIFY2(lineas[5].startsWith(volcadoMalo + ": pg_restore: "), qPrintable(lineas[5]));

        // All good: it ends with 0.
        for (const QString& mala : {danada, ajena, basura, volcadoMalo})
            QVERIFY(QFile::remove(mala));
        QCOMPARE(Ejecutar({"verificar", "--carpeta", carpeta.ruta()}).codigo, 0);
    }

    void initNoTocaUnaBaseExistente()
    {
        SOLO_ARCHIVO();
        CarpetaPrueba carpeta;
        carpeta.crearBaseDatos();
        carpeta.escribirConfiguracion(";VIEJO");
        const QString ruta = carpeta.archivo("zelvora.db");
        const QByteArray antes = LeerBytes(ruta);
        const Salida s = Ejecutar({"init", "--carpeta", carpeta.ruta(), "--punto", "X", "--demo"});
        QCOMPARE(s.codigo, 1);
        QVERIFY(s.errores.contains(ruta));
        QVERIFY(LeerBytes(ruta) == antes);
        QCOMPARE(LeerBytes(carpeta.archivo("zelvora.cfg")), QByteArray(";VIEJO\r\n"));
    }

    // Several runs on one folder at the same moment: one makes the terminal,
    // the others say so and leave it alone; the database is whole.
    void initsSimultaneosDejanUnaSolaBase()
    {
        SOLO_ARCHIVO();
        const int kRondas = 6;
        for (int ronda = 0; ronda < kRondas; ++ronda) {
            CarpetaPrueba carpeta;
            std::vector<std::unique_ptr<QProcess>> procesos;
            for (int n = 0; n < 4; ++n) {
                procesos.push_back(std::make_unique<QProcess>());
                procesos.back()->start(qEnvironmentVariable("ZELVORA_ADMIN"),
                                       {"init", "--carpeta", carpeta.ruta(), "--punto",
                                        QString("P%1").arg(n), "--clave-desde-fd", "0"});
                procesos.back()->write("Clave1\n");
                procesos.back()->closeWriteChannel();
            }
            QStringList exitos, rechazos;
            for (auto& p : procesos) {
                QVERIFY(p->waitForFinished(60000));
                const QString errores = QString::fromUtf8(p->readAllStandardError());
                if (p->exitCode() == 0) {
                    exitos << QString::fromUtf8(p->readAllStandardOutput());
                } else {
                    QCOMPARE(p->exitCode(), 1);
                    rechazos << errores;
                }
            }
            QCOMPARE(exitos.size(), 1);
            QVERIFY2(exitos[0].contains("created " + carpeta.archivo("zelvora.db")),
                     qPrintable(exitos[0]));
            for (const QString& r : rechazos)
                QVERIFY2(r.contains("it was left untouched"), qPrintable(r));
            QCOMPARE(carpeta.consultar("PRAGMA integrity_check"), QStringList{"ok"});
            QCOMPARE(carpeta.consultar("SELECT count(*) FROM UsuariosPermisos"), QStringList{"16"});
            const QByteArray cfg = LeerBytes(carpeta.archivo("zelvora.cfg"));
            QVERIFY2(cfg.startsWith(";P") && cfg.endsWith("\r\n") && cfg.count('\n') == 1,
                     cfg.constData());
            // Nothing left behind under a temporary name.
            QCOMPARE(QDir(carpeta.ruta()).entryList(QDir::Files),
                     QStringList({"zelvora.cfg", "zelvora.db"}));
        }
    }

    // A terminal configured first for a shared folder gets its database there.
    void initSigueLaCarpetaDeDatosConfigurada()
    {
        SOLO_ARCHIVO();
        CarpetaPrueba carpeta;
        const QString compartida = carpeta.archivo("compartida");
        carpeta.escribirConfiguracion(compartida + ";NORTE");
        const QStringList init{"init", "--carpeta", carpeta.ruta(), "--punto", "X"};
        QCOMPARE(Ejecutar(init, "Clave1\nClave1\n").codigo, 1);
        QVERIFY(QDir().mkdir(compartida));
        QCOMPARE(Ejecutar(init, "Clave1\nClave1\n").codigo, 0);
        QVERIFY(QFile::exists(compartida + "/zelvora.db"));
        QVERIFY(!QFile::exists(carpeta.archivo("zelvora.db")));
    }

    // A name that cannot be a file name is refused before anything is made.
    void initRechazaUnPuntoQueNoSirveDeNombreDeArchivo_data()
    {
        QTest::addColumn<QString>("punto");
        QTest::addColumn<QString>("motivo");
        QTest::newRow("barra") << "NORTE/SUR"
                               << "character \"/\"";
        QTest::newRow("barra invertida") << "NORTE\\SUR"
                                         << "character \"\\\"";
        QTest::newRow("control") << "NORTE\tSUR"
                                 << "character U+0009";
        QTest::newRow("punto") << "."
                               << "cannot be named \".\"";
        QTest::newRow("dos puntos") << ".."
                                    << "cannot be named \"..\"";
        QTest::newRow("vacio") << ""
                               << "enter the name of the control point";
        QTest::newRow("punto y coma") << "A;B"
                                      << "character \";\"";
    }

    void initRechazaUnPuntoQueNoSirveDeNombreDeArchivo()
    {
        SOLO_ARCHIVO();
        QFETCH(QString, punto);
        QFETCH(QString, motivo);
        CarpetaPrueba carpeta;
        const QString programa = carpeta.archivo("terminal");
        const Salida s = Ejecutar({"init", "--carpeta", programa, "--punto", punto});
        QCOMPARE(s.codigo, 1);
        QVERIFY2(s.errores.contains(motivo), qPrintable(s.errores));
        QVERIFY(s.texto.isEmpty());
        QVERIFY(!QFile::exists(programa));
    }

    // Blanks, accents and quotes are a name like any other, in the log's file name too.
    void initAceptaBlancosAcentosYComillas()
    {
        SOLO_ARCHIVO();
        for (const QString punto : {"PORTERIA NORTE", "ACCESO Ñ", "PUERTA \"B\" O'HIGGINS"}) {
            CarpetaPrueba carpeta;
            const Salida s =
                Ejecutar({"init", "--carpeta", carpeta.ruta(), "--punto", punto}, "C1\nC1\n");
            QVERIFY2(s.codigo == 0, qPrintable(s.errores));
            QCOMPARE(carpeta.ctx->LeerConfiguracion(), LecturaConfiguracion::Correcta);
            QCOMPARE(carpeta.ctx->cfg.PuntoControl, punto);
            QCOMPARE(carpeta.lineasSucesos(punto).size(), 1);
        }
    }

    void demoTraeVisitantesDentroYCenso()
    {
        SOLO_ARCHIVO();
        CarpetaPrueba carpeta;
        const Salida s =
            Ejecutar({"init", "--carpeta", carpeta.ruta(), "--punto", "DEMO", "--demo"});
        QVERIFY2(s.codigo == 0, qPrintable(s.errores));
        carpeta.ctx->LeerConfiguracion();
        BaseDatos& bd = carpeta.ctx->bd();
        SesionBD sesion(bd);
        // Hashes only, before any login could replace a typed password.
        QCOMPARE(Filas(bd, "SELECT count(*) FROM sr WHERE dw LIKE '$argon2id$%'"),
                 QStringList{"2"});
        QVERIFY(BuscarUsuario(bd, "Admin", "zelvora"));
        QVERIFY(BuscarUsuario(bd, "guardia", "guardia"));
        for (const char* sql : {"SELECT count(*) FROM entradas_salidas WHERE FechaSalida IS NULL",
                                "SELECT count(*) FROM entradas_salidas WHERE FechaSalida IS NOT "
                                "NULL AND FechaSalida > FechaEntrada",
                                "SELECT count(*) FROM censos"})
            QVERIFY2(Filas(bd, sql).value(0).toInt() > 0, sql);
    }

    // The code, then slot 0, slot 27 and permission 16 as listed.
    // The only administrator forgot the password: the site engineer sets a new
    // one, typed twice, and the log tells who got it, never what it is.
    void claveRestableceLaDeUnUsuario()
    {
        SOLO_ARCHIVO();
        CarpetaPrueba carpeta;
        carpeta.prepararTerminal();
        const QStringList argumentos{"clave", "--carpeta", carpeta.ruta(), "--usuario", "Admin"};
        const QString nueva = QString::fromUtf8("Año nuevo 'x'");
        const Salida s = Ejecutar(argumentos, nueva.toUtf8() + "\n" + nueva.toUtf8() + "\n");
        QVERIFY2(s.codigo == 0, qPrintable(s.errores));
        QVERIFY(!(s.texto + s.errores).contains(nueva));

        BaseDatos& bd = carpeta.ctx->bd();
        {
            SesionBD sesion(bd);
            QVERIFY(BuscarUsuario(bd, "Admin", nueva));
            QVERIFY(!BuscarUsuario(bd, "Admin", "Secreto1"));
        }
        const QStringList lineas = CarpetaPrueba::lineasArchivo(carpeta.archivo(
            "sucesos/" + NombreArchivoSucesos(QDate::currentDate(), "ACCESO NORTE")));
        QCOMPARE(lineas.size(), 1);
        QCOMPARE(lineas[0].section(';', 2),
                 "ACCESO NORTE;Admin;Ana;Pérez;Núñez;Se cambia la clave con zelvora-admin");
    }

    void claveNoCambiaNadaSinUnUsuarioYDosClavesIguales()
    {
        SOLO_ARCHIVO();
        CarpetaPrueba carpeta;
        carpeta.prepararTerminal();
        carpeta.agregarUsuario("Portero", "Uno", {1});
        carpeta.agregarUsuario("Portero", "Dos", {1});
        const auto clave = [&](const QString& usuario, const QByteArray& entrada,
                               const QStringList& mas = {}) {
            return Ejecutar(
                QStringList{"clave", "--carpeta", carpeta.ruta(), "--usuario", usuario} + mas,
                entrada);
        };
        const Salida distintas = clave("Admin", "Nueva1\nnueva1\n");
        QCOMPARE(distintas.codigo, 1);
        QVERIFY(distintas.errores.contains("differ"));
        QCOMPARE(clave("Admin", "\n\n").codigo, 1);
        QCOMPARE(clave("Admin", "").codigo, 1);
        QVERIFY(clave("admin", "Nueva1\nNueva1\n").errores.contains("no user is named"));
        QVERIFY(clave("Portero", "Nueva1\nNueva1\n").errores.contains("2 users"));
        const Salida enLinea = clave("Admin", "Nueva1\nNueva1\n", {"--clave", "Nueva1"});
        QCOMPARE(enLinea.codigo, 1);
        QCOMPARE(Ejecutar({"clave", "--carpeta", carpeta.ruta()}, "Nueva1\nNueva1\n").codigo, 1);

        BaseDatos& bd = carpeta.ctx->bd();
        SesionBD sesion(bd);
        QVERIFY(BuscarUsuario(bd, "Admin", "Secreto1"));
        QCOMPARE(Filas(bd, "SELECT dw FROM sr WHERE sr = 'Portero' ORDER BY id_sr"),
                 (QStringList{"Uno", "Dos"}));
        QVERIFY(carpeta.lineasSucesos("ACCESO NORTE", QDate::currentDate()).isEmpty());
    }

    // A spoilt database comes back from a backup: the program then shows the
    // backup's visitors inside, and the database it replaced is kept.
    void restaurarPoneLaCopiaYApartaLaAnterior()
    {
        SOLO_ARCHIVO();
        CarpetaPrueba carpeta;
        carpeta.prepararTerminal();
        carpeta.agregarVisita({"2026-08-05 09:00:00", "Ana Ruiz"});
        QVERIFY(QDir().mkdir(carpeta.archivo("respaldos")));
        const QString copia = carpeta.archivo("respaldos/zelvora 05-08-2026 10-00-00-NORTE.db");
        QString error;
        QVERIFY2(CopiarBaseDatos(carpeta.archivo("zelvora.db"), copia, &error), qPrintable(error));
        carpeta.agregarVisita({"2026-08-05 11:00:00", "Beto Paz"});
        // A terminal that died right after a write leaves it in the journal
        // beside the database: the journal belongs to that database.
        QProcess muerta;
        muerta.start("sqlite3", {carpeta.archivo("zelvora.db")});
        muerta.write("INSERT INTO entradas_salidas (FechaEntrada, NombreVisitante, "
                     "NombreVisitanteClave) VALUES ('2026-08-05 11:30:00', 'Ciro', 'ciro');"
                     "SELECT 'hecho';\n");
        QVERIFY(muerta.waitForReadyRead(10000));
        muerta.kill();
        QVERIFY(muerta.waitForFinished(10000));
        QVERIFY(QFile::exists(carpeta.archivo("zelvora.db-wal")));

        const Salida s = Ejecutar({"restaurar", "--carpeta", carpeta.ruta(), "--desde", copia});
        QVERIFY2(s.codigo == 0, qPrintable(s.errores));
        QStringList apartadas =
            QDir(carpeta.ruta()).entryList({"zelvora antes de restaurar *.db"}, QDir::Files);
        QCOMPARE(apartadas.size(), 1);
        QVERIFY(s.texto.contains(apartadas[0]));
        QCOMPARE(RevisarCopia(carpeta.archivo(apartadas[0])), "ok 3");
        QVERIFY(!QFile::exists(carpeta.archivo("zelvora.db-wal")));
        QCOMPARE(QFileInfo(carpeta.archivo("zelvora.db")).permissions() & 0x0777, 0x0660);

        std::unique_ptr<frmPrincipal> ventana;
        auto* panel = carpeta.abrirPanel(ventana, &frmPrincipal::mnuVisitasPendientes,
                                         "frmVisitasPendientes");
        QVERIFY(panel);
        QCOMPARE(Textos(panel->findChild<QAbstractItemView*>("ListView1")->model(), 2),
                 QStringList{"Ana Ruiz"});
        const QStringList sucesos = CarpetaPrueba::lineasArchivo(carpeta.archivo(
            "sucesos/" + NombreArchivoSucesos(QDate::currentDate(), "ACCESO NORTE")));
        QCOMPARE(sucesos.size(), 1);
        QCOMPARE(sucesos[0].section(';', 2),
                 "ACCESO NORTE;zelvora-admin;;;;Se restaura la copia de seguridad " +
                     QFileInfo(copia).fileName() + " con zelvora-admin (la anterior queda como " +
                     apartadas[0] + ")");
        QCOMPARE(Ejecutar({"verificar", "--carpeta", carpeta.ruta()}).codigo, 0);
    }

    // A backup that is not whole, or not of this program, is refused and
    // nothing moves; so while another process holds the database.
    void restaurarRechazaSinMoverNada()
    {
        SOLO_ARCHIVO();
        CarpetaPrueba carpeta;
        carpeta.prepararTerminal();
        carpeta.agregarVisita({"2026-08-05 09:00:00", "Ana Ruiz"});
        const QString buena = carpeta.archivo("buena.db");
        QString error;
        QVERIFY2(CopiarBaseDatos(carpeta.archivo("zelvora.db"), buena, &error), qPrintable(error));
        QFile::copy(buena, carpeta.archivo("rota.db"));
        {
            QFile rota(carpeta.archivo("rota.db"));
            QVERIFY(rota.open(QIODevice::ReadWrite));
            rota.seek(2 * 4096);
            rota.write(QByteArray(3 * 4096, '\x5a'));
        }
        {
            QSqlDatabase ajena = QSqlDatabase::addDatabase("QSQLITE", "ajena");
            ajena.setDatabaseName(carpeta.archivo("ajena.db"));
            QVERIFY(ajena.open());
            QSqlQuery(ajena).exec("CREATE TABLE clientes (id INTEGER, nombre TEXT)");
            ajena.close();
        }
        QSqlDatabase::removeDatabase("ajena");
        const QByteArray antes = LeerBytes(carpeta.archivo("zelvora.db"));
        const QStringList archivos = QDir(carpeta.ruta()).entryList(QDir::Files);
        const auto restaurar = [&](const QString& desde) {
            return Ejecutar({"restaurar", "--carpeta", carpeta.ruta(), "--desde", desde});
        };
        const auto nadaMovido = [&] {
            return LeerBytes(carpeta.archivo("zelvora.db")) == antes &&
                   QDir(carpeta.ruta()).entryList(QDir::Files) == archivos;
        };
        for (const char* desde : {"rota.db", "ajena.db", "no-existe.db"}) {
            const Salida s = restaurar(carpeta.archivo(desde));
            QCOMPARE(s.codigo, 1);
            QVERIFY2(s.errores.contains("nothing restored") && s.errores.contains(desde),
                     qPrintable(s.errores));
            QVERIFY2(nadaMovido(), desde);
        }

        // Another process inside a write of its own.
        QProcess otro;
        otro.start("sqlite3", {carpeta.archivo("zelvora.db")});
        otro.write("BEGIN IMMEDIATE; SELECT 'dentro';\n");
        QVERIFY(otro.waitForReadyRead(10000));
        const Salida ocupada = restaurar(buena);
        otro.closeWriteChannel();
        QVERIFY(otro.waitForFinished(10000));
        QCOMPARE(ocupada.codigo, 1);
        QVERIFY2(ocupada.errores.contains("in use by another program"),
                 qPrintable(ocupada.errores));
        QVERIFY(nadaMovido());
        QVERIFY(carpeta.lineasSucesos("ACCESO NORTE", QDate::currentDate()).isEmpty());
        // Once it is gone, the same backup goes in.
        QCOMPARE(restaurar(buena).codigo, 0);
    }

    void textosListaCadaSlotYPermiso_data()
    {
        QTest::addColumn<QStringList>("e");
        // The codes that share a table are told apart by the language suite.
        QTest::newRow("es") << QStringList{"es", "Control de Acceso", " horas",
                                           "Registrar Salidas"};
        QTest::newRow("us") << QStringList{"us", "Access Control", " hours", "Make Visitor's Exit"};
    }

    void textosListaCadaSlotYPermiso()
    {
        QFETCH(QStringList, e);
        const Salida s = Ejecutar({"textos", e[0]});
        QCOMPARE(s.codigo, 0);
        const QStringList lineas = s.texto.split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(lineas.size(), 378 + 16);
        QCOMPARE(lineas[0], "T0\t" + e[1]);
        QCOMPARE(lineas[123], "T123\t");
        // Leading blanks survive the round trip.
        QCOMPARE(lineas[27], "T27\t" + e[2]);
        QCOMPARE(lineas.last(), "P16\t" + e[3]);
        for (const QString& linea : lineas)
            QVERIFY2(!linea.contains(u'\r'), qPrintable(linea));
    }

    void ordenDesconocidaOCodigoMaloFallan()
    {
        QCOMPARE(Ejecutar({"textos", "fr"}).codigo, 1);
        QCOMPARE(Ejecutar({"borrar"}).codigo, 2);
        const Salida ayuda = Ejecutar({"--help"});
        QCOMPARE(ayuda.codigo, 0);
        QVERIFY(ayuda.texto.contains("zelvora-admin textos CODE"));
    }
};

QTEST_MAIN(PruebaAdmin)
#include "tst_admin.moc"
