#include "ArchivosTexto.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QStringDecoder>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Windows-1252 differs from Latin-1 only in 0x80-0x9F.
constexpr char16_t kCp1252Alto[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString DecodificarCp1252(const QByteArray& bytes)
{
    QString texto;
    texto.reserve(bytes.size());
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        texto.append(b >= 0x80 && b < 0xA0 ? QChar(kCp1252Alto[b - 0x80]) : QChar(b));
    }
    return texto;
}

bool EsBlanco(QChar c)
{
    return c == u' ' || c == u'\t';
}

qsizetype FinDeLinea(const QString& texto, qsizetype desde)
{
    qsizetype fin = desde;
    while (fin < texto.size() && texto[fin] != u'\r' && texto[fin] != u'\n')
        ++fin;
    return fin;
}

// What a new line starts with so that it is never glued onto a partial line
// that an interrupted write (a full disk) left without its CR LF: nothing
// after LF or in an empty file, LF after a lone CR, else CR LF. It goes out in
// the same write as the line, because other terminals append to this folder.
QByteArray InicioDeLinea(QFile& archivo)
{
    const qint64 tamano = archivo.size();
    char ultimo = '\n';
    if (tamano <= 0 || !archivo.seek(tamano - 1) || !archivo.getChar(&ultimo) || ultimo == '\n')
        return {};
    return ultimo == '\r' ? QByteArrayLiteral("\n") : QByteArrayLiteral("\r\n");
}

} // namespace

QString DecodificarTexto(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString texto = utf8.decode(bytes);
    if (utf8.hasError())
        return DecodificarCp1252(bytes);
    if (texto.startsWith(QChar(0xFEFF)))
        texto.remove(0, 1);
    return texto;
}

QString PrimerCampo(const QString& contenido)
{
    qsizetype i = 0;
    while (i < contenido.size() && EsBlanco(contenido[i]))
        ++i;
    const qsizetype finLinea = FinDeLinea(contenido, i);
    if (i < contenido.size() && contenido[i] == u'"') {
        // A value never spans lines: a quote left open ends with its line.
        qsizetype fin = contenido.indexOf(u'"', i + 1);
        if (fin < 0 || fin > finLinea)
            fin = finLinea;
        return contenido.mid(i + 1, fin - i - 1);
    }
    qsizetype fin = finLinea;
    const qsizetype coma = contenido.indexOf(u',', i);
    if (coma >= 0 && coma < fin)
        fin = coma;
    return contenido.mid(i, fin - i);
}

bool LeerArchivo(const QString& ruta, QByteArray* contenido)
{
    QFile archivo(ruta);
    if (!archivo.open(QIODevice::ReadOnly))
        return false;
    *contenido = archivo.readAll();
    return archivo.error() == QFileDevice::NoError;
}

bool EscribirLineaUnica(const QString& ruta, const QString& linea, QString* error)
{
    QSaveFile archivo(ruta);
    if (archivo.open(QIODevice::WriteOnly)) {
        AjustarModo(archivo.handle(), kModoPrivado);
        const QByteArray bytes = (linea + QStringLiteral("\r\n")).toUtf8();
        // The bytes reach the new file only at flush(), and commit() does not
        // see a failure there (a full disk): it would put an empty file in place.
        if (archivo.write(bytes) == bytes.size() && archivo.flush() && archivo.commit())
            return true;
    }
    if (error)
        *error = archivo.errorString();
    return false;
}

bool AnexarLinea(const QString& ruta, const QString& linea, QString* error)
{
    QFile archivo(ruta);
    // Created for this account alone, then opened to the group: never
    // readable by others in between.
    if (archivo.open(QIODevice::ReadWrite | QIODevice::Append | QIODevice::Unbuffered,
                     QFileDevice::ReadOwner | QFileDevice::WriteOwner)) {
        AjustarModo(archivo.handle(), kModoCompartido);
        const QByteArray bytes = InicioDeLinea(archivo) + (linea + QStringLiteral("\r\n")).toUtf8();
        const qint64 escritos = archivo.write(bytes);
        if (escritos == bytes.size())
            return true;
        if (error && escritos >= 0) {
            // A short write (a full disk) leaves no error of its own.
            *error =
                ruta + QStringLiteral(": %1 of %2 bytes written").arg(escritos).arg(bytes.size());
            return false;
        }
    }
    if (error)
        *error = ruta + QStringLiteral(": ") + archivo.errorString();
    return false;
}

bool PublicarSinReemplazar(const QString& temporal, const QString& ruta, bool* yaExiste,
                           QString* error)
{
    const QByteArray de = QFile::encodeName(temporal);
    const QByteArray a = QFile::encodeName(ruta);
    // link() fails when the name exists; a file system without hard links may
    // still rename without replacing.
    int fallo = 0;
    if (::link(de.constData(), a.constData()) != 0) {
        fallo = errno;
        if (fallo != EEXIST &&
            ::renameat2(AT_FDCWD, de.constData(), AT_FDCWD, a.constData(), RENAME_NOREPLACE) == 0)
            fallo = 0;
        else if (fallo != EEXIST)
            fallo = errno;
    }
    if (yaExiste)
        *yaExiste = fallo == EEXIST;
    if (fallo != 0 && error)
        *error = ruta + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(fallo));
    return fallo == 0;
}

namespace {

// The descriptor of ruta created anew, for this account alone; -1 with errno.
int CrearExclusivo(const QString& ruta)
{
    return ::open(QFile::encodeName(ruta).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                  0600);
}

QString ErrorSistema(const QString& ruta, int numero)
{
    return ruta + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(numero));
}

} // namespace

void AjustarModo(int descriptor, int modo)
{
    struct stat datos
    {
    };
    if (::fstat(descriptor, &datos) == 0 && datos.st_uid == ::geteuid() &&
        int(datos.st_mode & 07777) != modo)
        ::fchmod(descriptor, mode_t(modo));
}

bool CrearCarpetaCompartida(const QString& ruta)
{
    const QByteArray nombre = QFile::encodeName(ruta);
    if (::mkdir(nombre.constData(), 0700) != 0)
        return errno == EEXIST && QFileInfo(ruta).isDir();
    struct stat datos
    {
    };
    if (::stat(nombre.constData(), &datos) == 0)
        ::chmod(nombre.constData(), (datos.st_mode & S_ISGID) | 0770);
    return true;
}

bool CrearArchivoConModo(const QString& ruta, int modo, QString* error)
{
    const int fd = CrearExclusivo(ruta);
    if (fd < 0 || ::fchmod(fd, mode_t(modo)) != 0) {
        const int numero = errno;
        if (error)
            *error = ErrorSistema(ruta, numero);
        if (fd >= 0) {
            ::close(fd);
            QFile::remove(ruta);
        }
        errno = numero; // EEXIST tells a taken name from a failure
        return false;
    }
    ::close(fd);
    return true;
}

ArchivoNuevo::ArchivoNuevo(const QString& ruta, int modo)
{
    for (int intento = 0; intento < 100; ++intento) {
        const QString nombre = ruta + QStringLiteral(".nuevo-%1-%2")
                                          .arg(::getpid())
                                          .arg(QRandomGenerator::global()->bounded(1000000));
        if (CrearArchivoConModo(nombre, modo, &error_)) {
            nombre_ = nombre;
            error_.clear();
            return;
        }
        if (errno != EEXIST)
            return;
    }
    error_ = ruta + QStringLiteral(": no free temporary name");
}

ArchivoNuevo::~ArchivoNuevo()
{
    if (creado())
        QFile::remove(nombre_);
}

bool CrearLineaUnica(const QString& ruta, const QString& linea, bool* yaExiste, QString* error)
{
    if (yaExiste)
        *yaExiste = false;
    const ArchivoNuevo nuevo(ruta);
    if (!nuevo.creado()) {
        if (error)
            *error = nuevo.error();
        return false;
    }
    QFile archivo(nuevo.nombre());
    const QByteArray bytes = (linea + QStringLiteral("\r\n")).toUtf8();
    if (!archivo.open(QIODevice::WriteOnly) || archivo.write(bytes) != bytes.size() ||
        !archivo.flush() || ::fsync(archivo.handle()) != 0) {
        if (error)
            *error = nuevo.nombre() + QStringLiteral(": ") + archivo.errorString();
        return false;
    }
    archivo.close();
    return PublicarSinReemplazar(nuevo.nombre(), ruta, yaExiste, error);
}
