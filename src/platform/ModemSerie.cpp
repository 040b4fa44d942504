#include "ModemSerie.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QTimer>

namespace {

// A command is a few bytes; the kernel takes them at once however slow the
// line is. This only bounds a device that stopped taking anything.
constexpr std::chrono::seconds kPlazoEscritura{5};

} // namespace

QString DispositivoModem()
{
    const QString pedido = qEnvironmentVariable("ZELVORA_MODEM");
    return pedido.isEmpty() ? QStringLiteral("/dev/ttyS2") : pedido;
}

Modem::Resultado ModemSerie::errorDelPuerto(Fallo fallo)
{
    return {fallo, int(puerto_.error()), puerto_.errorString()};
}

Modem::Resultado ModemSerie::abrir(const QString& dispositivo, int baudios)
{
    cerrar();
    puerto_.setPortName(dispositivo);
    puerto_.setBaudRate(baudios);
    puerto_.setDataBits(QSerialPort::Data8);
    puerto_.setParity(QSerialPort::NoParity);
    puerto_.setStopBits(QSerialPort::OneStop);
    puerto_.setFlowControl(QSerialPort::NoFlowControl);
    if (!puerto_.open(QIODevice::ReadWrite)) {
        switch (puerto_.error()) {
        case QSerialPort::DeviceNotFoundError:
            return errorDelPuerto(Fallo::NoExiste);
        case QSerialPort::PermissionError: {
            // Qt reports a device locked by another program the same way as
            // one this user may not open; the guard needs to know which.
            const QFileInfo archivo(dispositivo);
            const bool accesible = archivo.isReadable() && archivo.isWritable();
            return errorDelPuerto(accesible ? Fallo::Ocupado : Fallo::SinPermiso);
        }
        default:
            return errorDelPuerto(Fallo::Otro);
        }
    }
    puerto_.clear(QSerialPort::Input);
    recibido_.clear();
    return {};
}

Modem::Resultado ModemSerie::enviar(const QByteArray& orden)
{
    if (!puerto_.isOpen())
        return {Fallo::Otro, int(QSerialPort::NotOpenError),
                QStringLiteral("The port is not open")};
    // A reply is what arrives after its command.
    puerto_.readAll();
    recibido_.clear();
    const QByteArray datos = orden + '\r';
    if (puerto_.write(datos) != datos.size())
        return errorDelPuerto(Fallo::Otro);
    // Closing drops what Qt has not yet handed to the device: a hang-up sent
    // just before must still reach the modem.
    const bool escrito = esperarHasta([this] { return puerto_.bytesToWrite() == 0; },
                                      QDeadlineTimer(kPlazoEscritura));
    if (!escrito)
        return errorDelPuerto(Fallo::Otro);
    return {};
}

Modem::Resultado ModemSerie::esperar(const QByteArray& esperado, std::chrono::milliseconds espera)
{
    if (!puerto_.isOpen())
        return {Fallo::Otro, int(QSerialPort::NotOpenError),
                QStringLiteral("The port is not open")};
    const bool llego = esperarHasta(
        [&] {
            // Replies come in pieces ("O", then "K"): the test is on all of it.
            recibido_ += puerto_.readAll();
            return recibido_.contains(esperado);
        },
        QDeadlineTimer(espera));
    if (llego)
        return {};
    if (puerto_.error() != QSerialPort::NoError)
        return errorDelPuerto(Fallo::Otro);
    return {Fallo::SinRespuesta, int(QSerialPort::TimeoutError),
            QStringLiteral("No \"%1\" from the modem").arg(QString::fromLatin1(esperado))};
}

void ModemSerie::cerrar()
{
    if (!puerto_.isOpen())
        return;
    puerto_.close();
}

bool ModemSerie::esperarHasta(const std::function<bool()>& listo, QDeadlineTimer plazo)
{
    // An event loop rather than the blocking waits: the window stays usable
    // and its timers keep running while the modem dials.
    QEventLoop bucle;
    QTimer limite;
    limite.setSingleShot(true);
    QObject::connect(&puerto_, &QSerialPort::readyRead, &bucle, &QEventLoop::quit);
    QObject::connect(&puerto_, &QSerialPort::bytesWritten, &bucle, &QEventLoop::quit);
    QObject::connect(&puerto_, &QSerialPort::errorOccurred, &bucle, &QEventLoop::quit);
    QObject::connect(&limite, &QTimer::timeout, &bucle, &QEventLoop::quit);
    puerto_.clearError();
    while (!listo()) {
        if (plazo.hasExpired() || puerto_.error() != QSerialPort::NoError)
            return false;
        limite.start(std::chrono::milliseconds(plazo.remainingTime()));
        bucle.exec();
    }
    return true;
}
