#include "ApoyoPruebas.h"

#include "foundation/ArchivosTexto.h"
#include "foundation/Esquema.h"
#include "foundation/RegistroSucesos.h"
#include "startup/Supervision.h"
#include "startup/frmPrincipal.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

Dialogos::Respuesta DialogosGuion::mostrar(QWidget*, const Mensaje& mensaje)
{
    mostrados.push_back(mensaje);
    if (alMostrar)
        alMostrar(mensaje);
    if (mensaje.botones == Botones::Aceptar)
        return Respuesta::Aceptar;
    if (respuestas.empty())
        return Respuesta::Si;
    const Respuesta respuesta = respuestas.front();
    respuestas.pop_front();
    return respuesta;
}

int DialogosGuion::ejecutarModal(QDialog& ventana)
{
    return alModal ? alModal(ventana) : 0;
}

QString DialogosGuion::elegirArchivoGuardar(QWidget*, const QString&, const QString&,
                                            const QString&)
{
    if (archivos.empty())
        return QString();
    const QString archivo = archivos.front();
    archivos.pop_front();
    return archivo;
}

QStringList DialogosGuion::textos() const
{
    QStringList lista;
    for (const Mensaje& m : mostrados)
        lista << m.texto;
    return lista;
}

CarpetaPrueba::CarpetaPrueba()
{
    ctx = std::make_unique<Contexto>(dir_.path(), reloj, dialogos);
}

namespace {
QString NombreNuevaBase(const char* prefijo);
}

QString ServidorPrueba()
{
    return qEnvironmentVariable("ZELVORA_PG_URI");
}

namespace {

// The same server URI naming another database on it.
QString UriBase(const QString& nombre)
{
    QUrl url(ServidorPrueba());
    url.setPath(u'/' + nombre);
    return url.toString();
}

// Runs statements on the server's own database (the URI's), where databases
// are created and dropped.
void Mantenimiento(const QString& sql)
{
    BaseDatos bd;
    bd.fijarRuta(ServidorPrueba());
    SesionBD sesion(bd);
    bd.ejecutar(sql);
}

QString NombreNuevaBase(const char* prefijo)
{
    static int contador = 0;
    return QStringLiteral("%1_%2_%3")
        .arg(QLatin1String(prefijo))
        .arg(QCoreApplication::applicationPid())
        .arg(++contador);
}

} // namespace

CarpetaPrueba::~CarpetaPrueba()
{
    if (!creadaEnServidor_)
        return;
    ctx->bd().CerrarBD();
    try {
        Mantenimiento(QStringLiteral("DROP DATABASE %1 WITH (FORCE)").arg(baseServidor_));
    } catch (const ErrorBD& e) {
        qWarning("test database %s not dropped: %s", qPrintable(baseServidor_), e.what());
    }
}

QString CarpetaPrueba::rutaBD() const
{
    if (ServidorPrueba().isEmpty())
        return archivo(QStringLiteral("zelvora.db"));
    if (baseServidor_.isEmpty())
        baseServidor_ = NombreNuevaBase("prueba");
    return UriBase(baseServidor_);
}

QString CarpetaPrueba::campoRutaBD() const
{
    return ServidorPrueba().isEmpty() ? QString() : rutaBD();
}

void CarpetaPrueba::escribirConfiguracion(const QString& linea)
{
    QVERIFY(EscribirLineaUnica(archivo(QStringLiteral("zelvora.cfg")), linea, nullptr));
}

void CarpetaPrueba::usarConfiguracion(const QString& linea)
{
    ctx->cfg = InterpretarLineaConfiguracion(linea);
    if (ctx->cfg.RutaBD.isEmpty())
        ctx->cfg.RutaBD = campoRutaBD();
}

void CarpetaPrueba::escribirIdioma(const QString& codigo)
{
    QVERIFY(EscribirArchivoIdioma(ruta(), codigo, nullptr));
}

namespace {

// Hashing the first user's password costs a tenth of a second: each test
// process builds the database once and copies it into every folder.
QString PlantillaBaseDatos()
{
    static QTemporaryDir carpeta;
    static const QString ruta = [] {
        const QString destino = carpeta.filePath(QStringLiteral("zelvora.db"));
        QString error;
        if (!CrearBaseDatos(destino,
                            {QStringLiteral("Admin"), QStringLiteral("Secreto1"),
                             QStringLiteral("Ana"), QStringLiteral("Pérez"),
                             QStringLiteral("Núñez")},
                            &error))
            qFatal("test database not created: %s", qPrintable(error));
        return destino;
    }();
    return ruta;
}

} // namespace

// The same first user in a database of the server, copied as a template.
static QString PlantillaServidor()
{
    static const QString nombre = [] {
        const QString nombre = NombreNuevaBase("plantilla");
        Mantenimiento(QStringLiteral("CREATE DATABASE %1").arg(nombre));
        QString error;
        if (!CrearBaseDatos(UriBase(nombre),
                            {QStringLiteral("Admin"), QStringLiteral("Secreto1"),
                             QStringLiteral("Ana"), QStringLiteral("Pérez"),
                             QStringLiteral("Núñez")},
                            &error))
            qFatal("test database not created: %s", qPrintable(error));
        return nombre;
    }();
    return nombre;
}

void CarpetaPrueba::crearBaseVacia()
{
    if (ServidorPrueba().isEmpty())
        return;
    rutaBD(); // names it
    Mantenimiento(QStringLiteral("CREATE DATABASE %1").arg(baseServidor_));
    creadaEnServidor_ = true;
}

void CarpetaPrueba::crearBaseDatos()
{
    if (ServidorPrueba().isEmpty()) {
        QVERIFY(QFile::copy(PlantillaBaseDatos(), archivo(QStringLiteral("zelvora.db"))));
        return;
    }
    rutaBD(); // names it
    Mantenimiento(QStringLiteral("CREATE DATABASE %1 TEMPLATE %2 STRATEGY FILE_COPY")
                      .arg(baseServidor_, PlantillaServidor()));
    creadaEnServidor_ = true;
    ctx->cfg.RutaBD = campoRutaBD();
}

void CarpetaPrueba::hacerFallar(const QString& evento, const QString& tabla,
                                const QString& condicion)
{
    static int contador = 0;
    const QString nombre = QStringLiteral("falla_%1").arg(++contador);
    if (ServidorPrueba().isEmpty()) {
        ejecutarSql(
            QStringLiteral("CREATE TRIGGER %1 BEFORE %2 ON %3 %4 BEGIN "
                           "SELECT RAISE(ABORT, 'falla a propósito'); END")
                .arg(nombre, evento, tabla,
                     condicion.isEmpty() ? QString() : QStringLiteral("WHEN ") + condicion));
        return;
    }
    ejecutarSql(QStringLiteral("CREATE FUNCTION %1() RETURNS trigger LANGUAGE plpgsql AS "
                               "$$ BEGIN RAISE EXCEPTION 'falla a propósito'; END $$")
                    .arg(nombre));
    ejecutarSql(
        QStringLiteral("CREATE TRIGGER %1 BEFORE %2 ON %3 FOR EACH ROW %4 "
                       "EXECUTE FUNCTION %1()")
            .arg(nombre, evento, tabla,
                 condicion.isEmpty() ? QString() : QStringLiteral("WHEN (%1)").arg(condicion)));
}

void CarpetaPrueba::borrarBaseDatos()
{
    ctx->bd().CerrarBD();
    if (!creadaEnServidor_) {
        QVERIFY(QFile::remove(archivo(QStringLiteral("zelvora.db"))));
        return;
    }
    Mantenimiento(QStringLiteral("DROP DATABASE %1 WITH (FORCE)").arg(baseServidor_));
    creadaEnServidor_ = false;
}

void CarpetaPrueba::ejecutarSql(const QString& sql, const QVariantList& valores)
{
    BaseDatos bd;
    bd.fijarRuta(rutaBD());
    SesionBD sesion(bd);
    bd.ejecutar(sql, valores);
}

QStringList Textos(const QAbstractItemModel* modelo, int columna)
{
    QStringList filas;
    for (int n = 0; n < modelo->rowCount(); ++n) {
        QStringList textos;
        for (int c = 0; c < modelo->columnCount(); ++c)
            if (columna < 0 || c == columna)
                textos << modelo->index(n, c).data().toString();
        filas << textos.join(u'|');
    }
    return filas;
}

QStringList Filas(BaseDatos& bd, const QString& sql, const QVariantList& valores)
{
    QSqlQuery q = bd.ejecutar(sql, valores);
    QStringList filas;
    while (q.next()) {
        QStringList columnas;
        for (int i = 0; i < q.record().count(); ++i)
            columnas << (q.isNull(i) ? QStringLiteral("NULL") : q.value(i).toString());
        filas << columnas.join(u'|');
    }
    return filas;
}

QStringList CarpetaPrueba::consultar(const QString& sql, const QVariantList& valores)
{
    BaseDatos bd;
    bd.fijarRuta(rutaBD());
    SesionBD sesion(bd);
    return Filas(bd, sql, valores);
}

int CarpetaPrueba::agregarVisita(const VisitaPrueba& v)
{
    BaseDatos bd;
    bd.fijarRuta(rutaBD());
    SesionBD sesion(bd);
    return bd
        .ejecutar(QStringLiteral("INSERT INTO %1 (FechaEntrada, FechaSalida, NombreVisitante, "
                                 "NAcomp, AutorizaIngreso, PlacaVehiculo, Observaciones, "
                                 "NombreVisitanteClave, AutorizaIngresoClave) "
                                 "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)")
                      .arg(v.tabla),
                  {v.entra, v.sale, v.nombre, v.acomp, v.autoriza, v.placa, v.obs,
                   v.nombre.toCaseFolded(), v.autoriza.toCaseFolded()})
        .lastInsertId()
        .toInt();
}

int CarpetaPrueba::agregarUsuario(const QString& sr, const QString& dw, const QList<int>& permisos)
{
    BaseDatos bd;
    bd.fijarRuta(rutaBD());
    SesionBD sesion(bd);
    const int id =
        bd.ejecutar(QStringLiteral("INSERT INTO sr (sr, dw, nivel) VALUES (?, ?, '1')"), {sr, dw})
            .lastInsertId()
            .toInt();
    for (int n = 1; n <= 16; ++n)
        bd.ejecutar(QStringLiteral("INSERT INTO UsuariosPermisos VALUES (?, ?, ?)"),
                    {id, n, permisos.contains(n) ? 1 : 0});
    return id;
}

void CarpetaPrueba::prepararTerminal(const QString& idioma)
{
    crearBaseDatos();
    escribirConfiguracion(campoRutaBD() + QStringLiteral(";ACCESO NORTE;1;0;1;0;0;;1;;;;0;0;0"));
    escribirIdioma(idioma);
}

std::unique_ptr<frmPrincipal> CarpetaPrueba::entrar(const QString& opciones, int idSr)
{
    usarConfiguracion(QStringLiteral(";ACCESO NORTE;") + opciones);
    CargarTablasIdioma(QStringLiteral("es"), &ctx->idioma);
    ctx->usuario.UsuarioId = idSr;
    auto principal = std::make_unique<frmPrincipal>(*ctx);
    principal->cargar();
    dialogos.mostrados.clear();
    return principal;
}

QWidget* CarpetaPrueba::abrirPanel(std::unique_ptr<frmPrincipal>& ventana,
                                   QAction* frmPrincipal::*entrada, const char* clase, int idSr,
                                   const QString& opciones)
{
    ventana = entrar(opciones, idSr);
    ventana->activateWindow();
    if (!QTest::qWaitForWindowActive(ventana.get()))
        return nullptr;
    (ventana.get()->*entrada)->trigger();
    return ventana->panel(QLatin1String(clase));
}

QStringList CarpetaPrueba::lineasSucesos(const QString& punto, const QDate& dia) const
{
    return lineasArchivo(archivo(QStringLiteral("sucesos/") + NombreArchivoSucesos(dia, punto)));
}

QStringList CarpetaPrueba::lineasArchivo(const QString& ruta)
{
    QFile archivoSucesos(ruta);
    if (!archivoSucesos.open(QIODevice::ReadOnly))
        return {};
    QStringList lineas = QString::fromUtf8(archivoSucesos.readAll()).split(QStringLiteral("\r\n"));
    if (!lineas.isEmpty() && lineas.last().isEmpty())
        lineas.removeLast();
    return lineas;
}

QStringList CarpetaPrueba::textosSucesos(const QString& punto, const QDate& dia) const
{
    QStringList textos;
    for (const QString& linea : lineasSucesos(punto, dia))
        textos << linea.section(u';', 7);
    return textos;
}

QByteArray LeerBytes(const QString& ruta)
{
    QFile f(ruta);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A server's dump: what pg_restore reads of it, and its visits' rows.
static QString RevisarVolcado(const QString& ruta)
{
    QProcess restaurar;
    restaurar.start(QFileInfo(ProgramaVolcado()).dir().filePath("pg_restore"),
                    {"--data-only", "--table=entradas_salidas", "--file=-", ruta});
    if (!restaurar.waitForFinished(60000) || restaurar.exitCode() != 0)
        return QString();
    const QStringList lineas = QString::fromUtf8(restaurar.readAllStandardOutput()).split(u'\n');
    const qsizetype inicio = lineas.indexOf(QRegularExpression("^COPY .*entradas_salidas .*"));
    const qsizetype fin = lineas.indexOf(QStringLiteral("\\."), inicio);
    return inicio < 0 || fin < 0 ? QString() : QStringLiteral("ok %1").arg(fin - inicio - 1);
}

QString RevisarCopia(const QString& ruta)
{
    if (LeerBytes(ruta).startsWith("PGDMP"))
        return RevisarVolcado(ruta);
    QString resultado;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "revision");
        db.setDatabaseName(ruta);
        db.setConnectOptions("QSQLITE_OPEN_READONLY");
        if (db.open()) {
            QSqlQuery q(db);
            if (q.exec("SELECT (SELECT * FROM pragma_integrity_check) || ' ' || count(*) "
                       "FROM entradas_salidas") &&
                q.next())
                resultado = q.value(0).toString();
        }
    }
    QSqlDatabase::removeDatabase("revision");
    return resultado;
}

bool VolverAVentana(QWidget& ventana)
{
    QWidget otra;
    otra.show();
    otra.activateWindow();
    if (!QTest::qWaitForWindowActive(&otra))
        return false;
    ventana.activateWindow();
    return QTest::qWaitForWindowActive(&ventana);
}
