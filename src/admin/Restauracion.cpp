#include "Restauracion.h"

#include "Verificacion.h"
#include "foundation/ArchivosTexto.h"
#include "foundation/Configuracion.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

#include <vector>

namespace {

// A database and the files SQLite keeps beside it while it is used or after
// a crash: they belong to that database and move with it.
const QStringList& SufijosBase()
{
    static const QStringList sufijos{QString(), QStringLiteral("-wal"), QStringLiteral("-shm"),
                                     QStringLiteral("-journal")};
    return sufijos;
}

QString ErrorSistema(const QString& que, int numero)
{
    return que + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(numero));
}

// Locks of the files of a database, held while they are moved: a terminal
// that comes in the middle waits as for another terminal's write.
class CerrojoBase
{
public:
    ~CerrojoBase()
    {
        for (int fd : descriptores_)
            ::close(fd);
    }

    // False, with the reason, when another process holds any part of ruta.
    bool tomar(const QString& ruta, QString* error)
    {
        const int fd = ::open(QFile::encodeName(ruta).constData(), O_RDWR | O_CLOEXEC);
        if (fd < 0 && errno == ENOENT)
            return true; // nothing to hold
        if (fd < 0) {
            *error = ErrorSistema(ruta, errno);
            return false;
        }
        descriptores_.push_back(fd);
        struct flock cerrojo
        {
        };
        cerrojo.l_type = F_WRLCK;
        cerrojo.l_whence = SEEK_SET; // l_start 0, l_len 0: the whole file
        if (::fcntl(fd, F_SETLK, &cerrojo) == 0)
            return true;
        *error = errno == EACCES || errno == EAGAIN
                     ? QStringLiteral("%1 is in use by another program (a terminal?); close the "
                                      "terminals and try again")
                           .arg(ruta)
                     : ErrorSistema(ruta, errno);
        return false;
    }

private:
    std::vector<int> descriptores_;
};

// The backup's bytes under a new name beside the database, flushed to disk.
bool CopiarBytes(const QString& copia, const QString& destino, QString* error)
{
    QFile origen(copia);
    QFile nuevo(destino);
    if (!origen.open(QIODevice::ReadOnly)) {
        *error = copia + QStringLiteral(": ") + origen.errorString();
        return false;
    }
    if (!nuevo.open(QIODevice::WriteOnly)) {
        *error = destino + QStringLiteral(": ") + nuevo.errorString();
        return false;
    }
    while (!origen.atEnd()) {
        const QByteArray bloque = origen.read(1 << 20);
        if (bloque.isEmpty() && origen.error() != QFileDevice::NoError) {
            *error = copia + QStringLiteral(": ") + origen.errorString();
            return false;
        }
        if (nuevo.write(bloque) != bloque.size()) {
            *error = destino + QStringLiteral(": ") + nuevo.errorString();
            return false;
        }
    }
    if (!nuevo.flush() || ::fsync(nuevo.handle()) != 0) {
        *error = ErrorSistema(destino, errno);
        return false;
    }
    return true;
}

// Moves ruta and its journal files to the name aparte, never over a file.
bool Apartar(const QString& ruta, const QString& aparte, QString* error)
{
    for (const QString& sufijo : SufijosBase()) {
        if (!QFile::exists(ruta + sufijo))
            continue;
        if (!PublicarSinReemplazar(ruta + sufijo, aparte + sufijo, nullptr, error) ||
            !QFile::remove(ruta + sufijo)) {
            if (error->isEmpty())
                *error = QStringLiteral("cannot move %1 aside").arg(ruta + sufijo);
            return false;
        }
    }
    return true;
}

void SincronizarCarpeta(const QString& carpeta)
{
    const int fd = ::open(QFile::encodeName(carpeta).constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

QString NombreApartada(const QDateTime& momento)
{
    return QStringLiteral("zelvora antes de restaurar %1.db")
        .arg(momento.toString(QStringLiteral("dd-MM-yyyy HH-mm-ss")));
}

bool RestaurarCopia(const QString& rutaBD, const QString& copia, const QDateTime& momento,
                    Restauracion* hecho, QString* error)
{
    if (EsUriPostgres(rutaBD)) {
        *error = QStringLiteral("a server's database is restored with pg_restore, not here");
        return false;
    }
    if (!QFileInfo(copia).isFile()) {
        *error = QStringLiteral("no backup file %1").arg(copia);
        return false;
    }
    const QString revision = VerificarBaseDatos(copia);
    if (revision != u"ok") {
        *error = QStringLiteral("%1 cannot be restored: %2").arg(copia, revision);
        return false;
    }
    const QString carpeta = QFileInfo(rutaBD).absolutePath();
    const ArchivoNuevo nueva(rutaBD, kModoCompartido);
    if (!nueva.creado()) {
        *error = nueva.error();
        return false;
    }
    if (!CopiarBytes(copia, nueva.nombre(), error))
        return false;

    CerrojoBase cerrojo;
    for (const QString& sufijo : {QString(), QStringLiteral("-shm")})
        if (!cerrojo.tomar(rutaBD + sufijo, error))
            return false;
    const QString aparte = QDir(carpeta).filePath(NombreApartada(momento));
    const bool habia = QFile::exists(rutaBD);
    if (habia && !Apartar(rutaBD, aparte, error))
        return false;
    bool existia = false;
    if (!PublicarSinReemplazar(nueva.nombre(), rutaBD, &existia, error)) {
        // Back as it was: the site keeps the database it had.
        QString nada;
        if (habia)
            Apartar(aparte, rutaBD, &nada);
        return false;
    }
    SincronizarCarpeta(carpeta);
    hecho->apartada = habia ? aparte : QString();
    return true;
}
