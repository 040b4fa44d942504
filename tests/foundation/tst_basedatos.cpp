#include "ApoyoPruebas.h"

#include "foundation/ArchivosTexto.h"
#include "foundation/BaseDatos.h"
#include "foundation/Esquema.h"
#include "foundation/RegistroSucesos.h"
#include "startup/Supervision.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QSemaphore>
#include <QStandardPaths>
#include <QTest>
#include <QThread>
#include <QUrl>

#include <sys/stat.h>

namespace {

// The file's mode bits in octal, as chmod takes them.
QString ModoArchivo(const QString& ruta)
{
    struct stat datos
    {
    };
    if (::stat(QFile::encodeName(ruta).constData(), &datos) != 0)
        return QStringLiteral("missing");
    return QString::number(datos.st_mode & 07777, 8);
}

} // namespace

class PruebaBaseDatos : public QObject
{
    Q_OBJECT

    std::unique_ptr<CarpetaPrueba> c;
    BaseDatos& bd() { return c->ctx->bd(); }

private slots:
    void init()
    {
        c = std::make_unique<CarpetaPrueba>();
        c->crearBaseDatos();
    }

    void abrirNoCreaElArchivo()
    {
        SOLO_ARCHIVO();
        BaseDatos otra;
        otra.fijarRuta(c->archivo("otra.db"));
        try {
            otra.AbrirBD();
            QFAIL("opened a database that does not exist");
        } catch (const ErrorBD& e) {
            QCOMPARE(e.tipo(), ErrorBD::Tipo::NoExiste);
            QCOMPARE(e.ruta(), c->archivo("otra.db")); // the user is told where it was looked for
        }
        QVERIFY(!otra.abierta());
        QVERIFY(!QFile::exists(c->archivo("otra.db")));
    }

    void rutaConSignos_data()
    {
        QTest::addColumn<QString>("carpeta");
        for (const char* carpeta : {"datos#1", "x%41%2F", "a?mode=rwc&b", "Datos Portería"})
            QTest::newRow(carpeta) << carpeta;
    }

    void rutaConSignos()
    {
        SOLO_ARCHIVO();
        QFETCH(QString, carpeta);
        const QString ruta = c->archivo(carpeta) + "/zelvora.db";
        QVERIFY(QDir().mkpath(c->archivo(carpeta)));
        QString error;
        QVERIFY2(CrearBaseDatos(ruta, {"Otro", "x", "", "", ""}, &error), qPrintable(error));
        BaseDatos otra;
        otra.fijarRuta(ruta);
        SesionBD sesion(otra);
        QCOMPARE(Filas(otra, "SELECT sr FROM sr"), QStringList{"Otro"});
        QCOMPARE(QDir(c->ruta()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                 QStringList({carpeta, "zelvora.db"}));
    }

    // Names are compared the way guards type them: letter case never matters,
    // accents always do. Each row: the expected result, then the expression.
    void comparacionDeTexto_data()
    {
        QTest::addColumn<QString>("caso");
        const QString casos = R"(1 'ñandú' = 'ÑANDÚ' COLLATE ES_CI
0 'a' = 'á' COLLATE ES_CI
1 'Ñandú' LIKE 'ñan%'
0 'Andres' LIKE 'andrés'
1 'Núñez' LIKE 'n_ñez'
0 'Núñez' LIKE 'n_ez'
1 'abcabd' LIKE 'a%bd'
1 '50%' LIKE '50!%' ESCAPE '!'
0 '500' LIKE '50!%' ESCAPE '!'
1 'a!b' LIKE 'a!!b' ESCAPE '!')";
        for (const QString& caso : casos.split(u'\n'))
            QTest::newRow(qPrintable(caso)) << caso;
    }

    void comparacionDeTexto()
    {
        SOLO_ARCHIVO();
        QFETCH(QString, caso);
        SesionBD sesion(bd());
        QCOMPARE(Filas(bd(), "SELECT " + caso.mid(2)), QStringList(caso.left(1)));
    }

    // RutaBD names a server; its password never comes from the file.
    void uriDelServidor_data()
    {
        QTest::addColumn<QString>("uri");
        QTest::addColumn<QString>("esperado"); // host|port|dbname|user|options, or the refusal
        QTest::newRow("host and port") << "postgresql://guardia@srv.local:5433/porteria"
                                       << "srv.local|5433|porteria|guardia|";
        QTest::newRow("socket folder") << "postgresql://zelvora@/zelvora?host=/tmp/x%20y&port=6000"
                                       << "/tmp/x y|6000|zelvora|zelvora|";
        QTest::newRow("options kept") << "postgres://u@h/db?sslmode=require&application_name=a'b"
                                      << "h|-1|db|u|sslmode='require';application_name='a\\'b'";
        QTest::newRow("password refused") << "postgresql://u:secreto@h/db"
                                          << "la clave";
        QTest::newRow("password parameter refused") << "postgresql://u@h/db?password=secreto"
                                                    << "la clave";
        QTest::newRow("bad port") << "postgresql://u@h/db?port=x"
                                  << "no es válida";
    }

    void uriDelServidor()
    {
        QFETCH(QString, uri);
        QFETCH(QString, esperado);
        DestinoServidor d;
        QString motivo;
        if (InterpretarUriPostgres(uri, &d, &motivo)) {
            QCOMPARE(
                QStringList({d.servidor, QString::number(d.puerto), d.base, d.usuario, d.opciones})
                    .join('|'),
                esperado);
        } else {
            QVERIFY2(motivo.contains(esperado), qPrintable(motivo));
            QVERIFY(!motivo.contains("secreto"));
        }
    }

    // A server database that is not there is an error with its address, never an end.
    void baseAusenteEnElServidor()
    {
        if (ServidorPrueba().isEmpty())
            QSKIP("needs the test server");
        QUrl url(ServidorPrueba());
        url.setPath("/no_existe");
        BaseDatos otra;
        otra.fijarRuta(url.toString());
        try {
            otra.AbrirBD();
            QFAIL("opened a database that does not exist");
        } catch (const ErrorBD& e) {
            QCOMPARE(e.tipo(), ErrorBD::Tipo::Apertura);
            QCOMPARE(e.ruta(), url.toString());
        }
        QVERIFY(!otra.abierta());
    }

    // A server's connection is kept between actions; one that the server
    // ended meanwhile (a restart, a dropped network) is opened anew, and no
    // write transaction survives its action.
    void conexionDelServidorSeGuardaYSeRehace()
    {
        if (ServidorPrueba().isEmpty())
            QSKIP("needs the test server");
        auto pid = [&] {
            SesionBD sesion(bd());
            return Filas(bd(), "SELECT pg_backend_pid()").value(0);
        };
        const QString primero = pid();
        QCOMPARE(pid(), primero);
        QVERIFY(!bd().abierta());

        c->ejecutarSql("SELECT pg_terminate_backend(?::integer)", {primero});
        QVERIFY(pid() != primero);

        const QString antes = pid();
        try {
            SesionBD sesion(bd());
            BaseDatos::Transaccion t(bd());
            bd().ejecutar("INSERT INTO avisos VALUES (9, '2026-08-05 15:00:00')");
            throw ErrorBD(ErrorBD::Tipo::Sentencia, "cortado");
        } catch (const ErrorBD&) {
        }
        SesionBD sesion(bd());
        QCOMPARE(Filas(bd(), "SELECT count(*) FROM avisos"), QStringList{"0"});
        QCOMPARE(Filas(bd(), "SELECT pg_backend_pid()").value(0), antes);
    }

    void transaccionNoConfirmadaNoDejaNada()
    {
        const QString insertar = "INSERT INTO avisos VALUES (?, '2026-08-05 15:00:00')";
        try {
            SesionBD sesion(bd());
            BaseDatos::Transaccion t(bd());
            bd().ejecutar(insertar, {1});
            bd().ejecutar("INSERT INTO no_existe VALUES (1)");
            QFAIL("a bad statement did not throw");
        } catch (const ErrorBD& e) {
            QCOMPARE(e.tipo(), ErrorBD::Tipo::Sentencia);
        }
        QVERIFY(!bd().abierta());
        SesionBD sesion(bd());
        BaseDatos::Transaccion t(bd());
        bd().ejecutar(insertar, {3});
        t.confirmar();
        QCOMPARE(Filas(bd(), "SELECT id_es FROM avisos"), QStringList{"3"});
    }

    // Another terminal writing at the same moment waits its turn instead of
    // failing with "database is locked".
    void segundoEscritorEspera()
    {
        SesionBD sesion(bd());
        auto t = std::make_unique<BaseDatos::Transaccion>(bd());
        bd().ejecutar("INSERT INTO avisos VALUES (1, '2026-08-05 15:00:00')");
        QSemaphore listo;
        QString error = "not run";
        std::unique_ptr<QThread> hilo(QThread::create([&, ruta = bd().ruta()] {
            BaseDatos segundo;
            segundo.fijarRuta(ruta);
            try {
                SesionBD s(segundo);
                listo.release();
                BaseDatos::Transaccion t2(segundo);
                segundo.ejecutar("INSERT INTO avisos VALUES (2, '2026-08-05 15:00:00')");
                t2.confirmar();
                error.clear();
            } catch (const ErrorBD& e) {
                error = e.detalle();
            }
        }));
        hilo->start();
        listo.acquire();
        QThread::msleep(300); // let the second writer run into the lock
        t->confirmar();
        QVERIFY(hilo->wait());
        QCOMPARE(error, QString());
        QCOMPARE(Filas(bd(), "SELECT id_es FROM avisos ORDER BY id_es"), QStringList({"1", "2"}));
    }

    void diarioSegunElSistemaDeArchivos_data()
    {
        QTest::addColumn<qint64>("tipo");
        QTest::addColumn<bool>("enRed");
        QTest::newRow("nfs") << qint64(0x6969) << true;
        QTest::newRow("cifs") << qint64(0xFF534D42) << true;
        QTest::newRow("smb2") << qint64(0xFE534D42) << true;
        QTest::newRow("sshfs (fuse)") << qint64(0x65735546) << true;
        QTest::newRow("ext4") << qint64(0xEF53) << false;
        QTest::newRow("xfs") << qint64(0x58465342) << false;
        QTest::newRow("btrfs") << qint64(0x9123683E) << false;
        QTest::newRow("tmpfs") << qint64(0x01021994) << false;
        QTest::newRow("overlay") << qint64(0x794C7630) << false;
    }

    void diarioSegunElSistemaDeArchivos()
    {
        SOLO_ARCHIVO();
        QFETCH(qint64, tipo);
        QFETCH(bool, enRed);
        QCOMPARE(EsSistemaArchivosEnRed(tipo), enRed);
    }

    // Write-ahead logging is kept on a local disk; over the network a terminal
    // puts the file back to the rollback journal, for good.
    void diarioDeRedVuelveAlDeReversion()
    {
        SOLO_ARCHIVO();
        QVERIFY(!CarpetaEnRed(c->ruta()));
        QCOMPARE(c->consultar("PRAGMA journal_mode"), QStringList{"wal"}); // as created
        {
            SesionBD sesion(bd()); // a local folder: left as it is
            QCOMPARE(Filas(bd(), "PRAGMA journal_mode"), QStringList{"wal"});
        }
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "red");
        db.setDatabaseName(c->archivo("zelvora.db"));
        QVERIFY(db.open());
        ElegirDiario(db, true);
        QCOMPARE(ModoDiario(db), "delete");
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase("red");
        QCOMPARE(c->consultar("PRAGMA journal_mode"), QStringList{"delete"});
        QVERIFY(!QFile::exists(c->archivo("zelvora.db-wal")));
    }

    void tablasCreadas()
    {
        QString censos = "id_censo nom_unidad num_inmueble torre tfno_inmueble";
        for (int n = 1; n <= 5; ++n)
            censos += QString(" nombre%1 ape1_%1 ape2_%1 tipo_usu%1").arg(n);
        for (int n = 1; n <= 5; ++n)
            censos += QString(" veh_placa%1 veh_descr%1 veh_tipo%1").arg(n);
        // The two search keys follow the named columns.
        const QString visitas = "id_es FechaEntrada FechaSalida NombreVisitante NAcomp "
                                "AutorizaIngreso PlacaVehiculo Observaciones "
                                "NombreVisitanteClave AutorizaIngresoClave";
        const QList<QStringList> tablas = {
            {"Permisos", "id_permiso VarN PermisoOrden PermisoDescr"},
            {"UsuariosPermisos", "id_sr id_permiso PermisoAutorizado"},
            {"avisos", "id_es FechaAviso"},
            {"censos", censos + " notas"},
            {"conteos_visitas", "estadistica clave total"},
            {"contra", "id_contra respaldo respaldo_cada"},
            {"entradas_salidas", visitas},
            {"sr", "id_sr sr dw nombre ape1 ape2 nivel"},
            {"visitas_programadas", visitas}};
        SesionBD sesion(bd());
        QStringList nombres;
        // A server reports names in lower case; they name the same columns.
        for (const QStringList& t : tablas) {
            nombres << t[0].toLower();
            QCOMPARE(bd().columnas(t[0]).join(' ').toLower(), t[1].toLower());
        }
        QStringList creadas = bd().tablas().filter(QRegularExpression("^(?!sqlite_)"));
        for (QString& t : creadas)
            t = t.toLower();
        creadas.sort();
        nombres.sort();
        QCOMPARE(creadas, nombres);
    }

    void datosIniciales()
    {
        SesionBD sesion(bd());
        QStringList permisos;
        for (int n = 1; n <= 16; ++n)
            permisos << QString("%1|%1|1").arg(n);
        // The n-th row by VarN is permission n; the users panel needs a description.
        QCOMPARE(Filas(bd(), "SELECT id_permiso, VarN, CASE WHEN PermisoDescr IS NULL THEN 0 ELSE "
                             "1 END FROM Permisos "
                             "ORDER BY VarN"),
                 permisos);
        QCOMPARE(Filas(bd(), "SELECT * FROM contra"), QStringList{"1|0|86400"});
    }

    void crearRechazaUnaBaseExistente()
    {
        const QByteArray antes = LeerBytes(c->archivo("zelvora.db"));
        QString error;
        QVERIFY(!CrearBaseDatos(c->rutaBD(), {"Otro", "x", "", "", ""}, &error));
        QVERIFY(error.contains("already exists"));
        QCOMPARE(LeerBytes(c->archivo("zelvora.db")), antes);
        QCOMPARE(c->consultar("SELECT sr FROM sr"), QStringList{"Admin"});
    }

    // A name another process took meanwhile is never replaced.
    void creacionExclusiva()
    {
        SOLO_ARCHIVO();
        const QString existente = c->archivo("zelvora.cfg");
        QVERIFY(EscribirLineaUnica(existente, ";OTRO", nullptr));
        bool yaExiste = false;
        QString error;
        QVERIFY(!CrearLineaUnica(existente, ";MIO", &yaExiste, &error));
        QVERIFY(yaExiste);
        QVERIFY(error.contains(existente));
        QCOMPARE(LeerBytes(existente), ";OTRO\r\n");

        const QString hecho = c->archivo("listo");
        QVERIFY(EscribirLineaUnica(hecho, "listo", nullptr));
        QVERIFY(!PublicarSinReemplazar(hecho, existente, &yaExiste, &error));
        QVERIFY(yaExiste);
        QCOMPARE(LeerBytes(existente), ";OTRO\r\n");
        QCOMPARE(LeerBytes(hecho), "listo\r\n");

        QVERIFY2(CrearLineaUnica(c->archivo("nuevo.cfg"), ";MIO", &yaExiste, &error),
                 qPrintable(error));
        QVERIFY(CrearBaseDatos(c->archivo("otra.db"), {"Otro", "x", "", "", ""}, &error));
        QVERIFY(!yaExiste);
        QCOMPARE(LeerBytes(c->archivo("nuevo.cfg")), ";MIO\r\n");
        // Nothing left under a temporary name.
        QCOMPARE(QDir(c->ruta()).entryList(QDir::Files),
                 QStringList({"listo", "nuevo.cfg", "otra.db", "zelvora.cfg", "zelvora.db"}));
    }

    // What the site writes is shared by the accounts of its group and read
    // by no other, whatever umask the session that made it had.
    void archivosSoloDelGrupo()
    {
        SOLO_ARCHIVO();
        for (const mode_t mascara : {mode_t(022), mode_t(002), mode_t(0)}) {
            CarpetaPrueba carpeta;
            const mode_t antes = umask(mascara);
            QString error;
            const auto crear = [&] {
                return CrearLineaUnica(carpeta.archivo("zelvora.cfg"), ";NORTE", nullptr, &error) &&
                       CrearBaseDatos(carpeta.archivo("zelvora.db"), {"Otro", "x", "", "", ""},
                                      &error) &&
                       EscribirLineaUnica(carpeta.archivo("zelvora_idioma.cfg"), "es", &error) &&
                       AnexarSuceso(carpeta.ruta(), QDateTime(QDate(2026, 8, 5), QTime(9, 0)),
                                    {"NORTE", "Ana", "", "", ""}, "uno", &error) &&
                       QDir().mkdir(carpeta.archivo("respaldos")) &&
                       CopiarBaseDatos(carpeta.archivo("zelvora.db"),
                                       carpeta.archivo("respaldos/copia.db"), &error);
            };
            const bool hecho = crear();
            // A write through the engine, which makes its journal files.
            carpeta.ctx->LeerConfiguracion();
            {
                SesionBD sesion(carpeta.ctx->bd());
                carpeta.ctx->bd().ejecutar("PRAGMA journal_mode = DELETE");
                BaseDatos::Transaccion t(carpeta.ctx->bd());
                carpeta.ctx->bd().ejecutar("UPDATE contra SET respaldo = 1");
                QCOMPARE(ModoArchivo(carpeta.archivo("zelvora.db-journal")), "660");
                t.confirmar();
            }
            umask(antes);
            QVERIFY2(hecho, qPrintable(error));
            QCOMPARE(ModoArchivo(carpeta.archivo("zelvora.cfg")), "640");
            QCOMPARE(ModoArchivo(carpeta.archivo("zelvora_idioma.cfg")), "640");
            QCOMPARE(ModoArchivo(carpeta.archivo("zelvora.db")), "660");
            QCOMPARE(ModoArchivo(carpeta.archivo("sucesos")), "770");
            QCOMPARE(ModoArchivo(carpeta.archivo("sucesos/" +
                                                 NombreArchivoSucesos(QDate(2026, 8, 5), "NORTE"))),
                     "660");
            QCOMPARE(ModoArchivo(carpeta.archivo("respaldos/copia.db")), "640");
        }
        // In a site folder marked to pass on its group, new folders pass it on too.
        const QString sitio = c->archivo("sitio");
        QVERIFY(QDir().mkdir(sitio));
        QVERIFY(::chmod(QFile::encodeName(sitio).constData(), 02770) == 0);
        QVERIFY(AnexarSuceso(sitio, QDateTime(QDate(2026, 8, 5), QTime(9, 0)),
                             {"NORTE", "Ana", "", "", ""}, "uno", nullptr));
        QCOMPARE(ModoArchivo(sitio + "/sucesos"), "2770");
        // A file made before, readable by all, is closed to others when written again.
        QFile viejo(c->archivo("viejo.txt"));
        QVERIFY(viejo.open(QIODevice::WriteOnly));
        viejo.close();
        QVERIFY(viejo.setPermissions(QFileDevice::Permissions(0x6644)));
        QVERIFY(AnexarLinea(viejo.fileName(), "dos", nullptr));
        QCOMPARE(ModoArchivo(viejo.fileName()), "660");
    }

    // The file stays a plain SQLite database that the standard tool reads,
    // also after the program has written to it.
    void legibleConLaHerramientaSqlite3()
    {
        SOLO_ARCHIVO();
        const QString sqlite3 = QStandardPaths::findExecutable("sqlite3");
        if (sqlite3.isEmpty())
            QSKIP("sqlite3 is not installed");
        c->ejecutarSql("INSERT INTO entradas_salidas (FechaEntrada, NombreVisitante) VALUES (?, ?)",
                       {TextoFechaBD(c->reloj.momento), "Íñigo"});
        QProcess p;
        p.start(sqlite3, {c->archivo("zelvora.db"), "PRAGMA integrity_check; SELECT FechaEntrada "
                                                    "|| '|' || NombreVisitante FROM "
                                                    "entradas_salidas;"});
        QVERIFY(p.waitForFinished());
        QCOMPARE(p.exitCode(), 0);
        QCOMPARE(QString::fromUtf8(p.readAllStandardOutput()), "ok\n2026-08-05 14:03:09|Íñigo\n");
    }
};

QTEST_MAIN(PruebaBaseDatos)
#include "tst_basedatos.moc"
