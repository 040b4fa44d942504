#include "CamaraQt.h"

#include <QCamera>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QImageCapture>
#include <QMediaCaptureSession>
#include <QMediaDevices>
#include <QTimer>

#include <functional>

namespace {

// The picture at exactly kTamanoFoto: scaled to cover it, the middle kept.
QImage Recortar(const QImage& imagen)
{
    const QImage cubierta =
        imagen.scaled(kTamanoFoto, Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation);
    const QPoint esquina((cubierta.width() - kTamanoFoto.width()) / 2,
                         (cubierta.height() - kTamanoFoto.height()) / 2);
    return cubierta.copy(QRect(esquina, kTamanoFoto));
}

// Runs the event loop until listo() holds, an error is set or the time is up.
bool EsperarHasta(QEventLoop& bucle, const std::function<bool()>& listo, const QString& error,
                  const QDeadlineTimer& plazo)
{
    QTimer limite;
    limite.setSingleShot(true);
    QObject::connect(&limite, &QTimer::timeout, &bucle, &QEventLoop::quit);
    while (!listo()) {
        if (!error.isEmpty() || plazo.hasExpired())
            return false;
        limite.start(std::chrono::milliseconds(plazo.remainingTime()));
        bucle.exec();
    }
    return true;
}

} // namespace

bool CamaraQt::hayCamara()
{
    return !QMediaDevices::videoInputs().isEmpty();
}

Camara::Resultado CamaraQt::tomarFoto(const QString& ruta, std::chrono::milliseconds espera)
{
    // Checked first: a camera object with no device may still hand over a
    // test pattern from the media framework, as if it were the visitor.
    const auto entradas = QMediaDevices::videoInputs();
    if (entradas.isEmpty())
        return {Fallo::SinCamara, QStringLiteral("There is no camera")};

    const QDeadlineTimer plazo(espera);
    QCamera camara(entradas.first());
    QImageCapture captura;
    QMediaCaptureSession sesion;
    sesion.setCamera(&camara);
    sesion.setImageCapture(&captura);
    captura.setResolution(kTamanoFoto);

    QEventLoop bucle;
    QImage imagen;
    QString error;
    QObject::connect(&captura, &QImageCapture::readyForCaptureChanged, &bucle, &QEventLoop::quit);
    QObject::connect(&captura, &QImageCapture::imageCaptured, &bucle,
                     [&](int, const QImage& cuadro) {
                         imagen = cuadro;
                         bucle.quit();
                     });
    QObject::connect(&captura, &QImageCapture::errorOccurred, &bucle,
                     [&](int, QImageCapture::Error, const QString& texto) {
                         error = texto;
                         bucle.quit();
                     });
    QObject::connect(&camara, &QCamera::errorOccurred, &bucle,
                     [&](QCamera::Error, const QString& texto) {
                         error = texto;
                         bucle.quit();
                     });

    // Every step is bounded: a capture may never signal at all.
    camara.start();
    const bool lista = EsperarHasta(
        bucle, [&] { return captura.isReadyForCapture(); }, error, plazo);
    if (lista)
        captura.capture();
    const bool tomada = lista && EsperarHasta(
                                     bucle, [&] { return !imagen.isNull(); }, error, plazo);
    camara.stop();
    if (!tomada)
        return {Fallo::SinImagen,
                error.isEmpty() ? QStringLiteral("The camera gave no picture in time") : error};
    return GuardarBmp(Recortar(imagen), ruta);
}
