#include "ApoyoPruebas.h"

#include "foundation/ArchivosTexto.h"
#include "foundation/Esquema.h"
#include "foundation/RegistroSucesos.h"

#include <QFile>
#include <QTest>

Dialogos::Respuesta DialogosGuion::mostrar(QWidget*, const Mensaje& mensaje)
{
    mostrados.push_back(mensaje);
    if (mensaje.botones == Botones::Aceptar)
        return Respuesta::Aceptar;
    if (respuestas.empty())
        return respuestaSinGuion;
    const Respuesta respuesta = respuestas.front();
    respuestas.pop_front();
    return respuesta;
}

int DialogosGuion::ejecutarModal(QDialog& ventana)
{
    return alModal ? alModal(ventana) : 0;
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

void CarpetaPrueba::escribirConfiguracion(const QString& linea)
{
    QVERIFY(EscribirLineaUnica(archivo(QStringLiteral("zelvora.cfg")), linea, nullptr));
}

void CarpetaPrueba::escribirIdioma(const QString& codigo)
{
    QVERIFY(EscribirArchivoIdioma(ruta(), codigo, nullptr));
}

void CarpetaPrueba::crearBaseDatos()
{
    QString error;
    const bool creada =
        CrearBaseDatos(archivo(QStringLiteral("zelvora.db")),
                       {QStringLiteral("Admin"), QStringLiteral("Secreto1"), QStringLiteral("Ana"),
                        QStringLiteral("Pérez"), QStringLiteral("Núñez")},
                       &error);
    QVERIFY2(creada, qPrintable(error));
}

void CarpetaPrueba::ejecutarSql(const QString& sql, const QVariantList& valores)
{
    BaseDatos bd;
    bd.fijarRuta(archivo(QStringLiteral("zelvora.db")));
    SesionBD sesion(bd);
    bd.ejecutar(sql, valores);
}

int CarpetaPrueba::agregarUsuario(const QString& sr, const QString& dw, const QList<int>& permisos,
                                  const QVariant& nombre, const QVariant& ape1,
                                  const QVariant& ape2)
{
    BaseDatos bd;
    bd.fijarRuta(archivo(QStringLiteral("zelvora.db")));
    SesionBD sesion(bd);
    const int id = bd.ejecutar(QStringLiteral("INSERT INTO sr (sr, dw, nombre, ape1, ape2, nivel) "
                                              "VALUES (?, ?, ?, ?, ?, '1')"),
                               {sr, dw, nombre, ape1, ape2})
                       .lastInsertId()
                       .toInt();
    for (int n = 1; n <= 16; ++n)
        bd.ejecutar(QStringLiteral("INSERT INTO UsuariosPermisos VALUES (?, ?, ?)"),
                    {id, n, permisos.contains(n) ? 1 : 0});
    return id;
}

void CarpetaPrueba::prepararTerminal(const QString& idioma)
{
    escribirConfiguracion(QStringLiteral(";ACCESO NORTE;1;0;1;0;0;;1;;;;0;0;0"));
    escribirIdioma(idioma);
    crearBaseDatos();
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
