#include "ModemEmulado.h"

#include <QSocketNotifier>
#include <QTimer>

#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

ModemEmulado::ModemEmulado(Modo inicial) : modo(inicial)
{
    maestro_ = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (maestro_ < 0 || grantpt(maestro_) != 0 || unlockpt(maestro_) != 0) {
        qWarning("ModemEmulado: no pseudo-terminal");
        return;
    }
    esclavo_ = QString::fromLocal8Bit(ptsname(maestro_));
    esclavoAbierto_ = ::open(ptsname(maestro_), O_RDWR | O_NOCTTY);
    // Raw, as a serial line is: a cooked terminal would echo the answers back.
    termios t{};
    tcgetattr(esclavoAbierto_, &t);
    cfmakeraw(&t);
    tcsetattr(esclavoAbierto_, TCSANOW, &t);
    aviso_ = new QSocketNotifier(maestro_, QSocketNotifier::Read, this);
    connect(aviso_, &QSocketNotifier::activated, this, &ModemEmulado::leer);
}

ModemEmulado::~ModemEmulado()
{
    delete aviso_;
    if (esclavoAbierto_ >= 0)
        ::close(esclavoAbierto_);
    if (maestro_ >= 0)
        ::close(maestro_);
}

QList<QByteArray> ModemEmulado::ordenes() const
{
    QList<QByteArray> lista = recibido.split('\r');
    lista.removeLast(); // what follows the last carriage return
    return lista;
}

int ModemEmulado::baudios() const
{
    termios t{};
    tcgetattr(esclavoAbierto_, &t);
    switch (cfgetospeed(&t)) {
    case B300:
        return 300;
    case B1200:
        return 1200;
    case B2400:
        return 2400;
    case B9600:
        return 9600;
    default:
        return -1;
    }
}

int ModemEmulado::bitsDeParada() const
{
    termios t{};
    tcgetattr(esclavoAbierto_, &t);
    return (t.c_cflag & CSTOPB) ? 2 : 1;
}

void ModemEmulado::leer()
{
    char datos[256];
    const ssize_t leidos = ::read(maestro_, datos, sizeof datos);
    if (leidos <= 0)
        return;
    recibido.append(datos, leidos);
    pendiente_.append(datos, leidos);
    qsizetype fin;
    while ((fin = pendiente_.indexOf('\r')) >= 0) {
        const QByteArray orden = pendiente_.left(fin);
        pendiente_.remove(0, fin + 1);
        responder(orden);
    }
}

void ModemEmulado::responder(const QByteArray& orden)
{
    if (modo == Modo::Calla || !orden.toUpper().startsWith("AT"))
        return;
    escribir(orden + "\r\r\n");
    if (modo == Modo::Responde) {
        escribir("OK\r\n");
        return;
    }
    escribir("O");
    QTimer::singleShot(50, this, [this] { escribir("K\r\n"); });
}

void ModemEmulado::escribir(const QByteArray& datos)
{
    if (::write(maestro_, datos.constData(), datos.size()) != datos.size())
        qWarning("ModemEmulado: short write");
}
