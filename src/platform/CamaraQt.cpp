#include "CamaraQt.h"

#include <QCamera>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QImageCapture>
#include <QMediaCaptureSession>
#include <QMediaDevices>
#include <QTimer>
#include <QVideoFrame>
#include <QVideoSink>

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

CamaraQt::CamaraQt() = default;

CamaraQt::~CamaraQt()
{
    apagar();
}

bool CamaraQt::hayCamara()
{
    return !QMediaDevices::videoInputs().isEmpty();
}

Camara::Resultado CamaraQt::encender()
{
    const auto entradas = QMediaDevices::videoInputs();
    if (entradas.isEmpty())
        return {Fallo::SinCamara, QStringLiteral("There is no camera")};
    apagar();
    camara_ = std::make_unique<QCamera>(entradas.first());
    sesion_ = std::make_unique<QMediaCaptureSession>();
    receptor_ = std::make_unique<QVideoSink>();
    sesion_->setCamera(camara_.get());
    sesion_->setVideoSink(receptor_.get());
    QObject::connect(receptor_.get(), &QVideoSink::videoFrameChanged, receptor_.get(),
                     [this](const QVideoFrame& cuadro) {
                         const QImage imagen = cuadro.toImage();
                         if (imagen.isNull())
                             return;
                         cuadro_ = imagen;
                         ++cuadros_;
                     });
    QObject::connect(camara_.get(), &QCamera::errorOccurred, receptor_.get(),
                     [this](QCamera::Error, const QString& texto) { error_ = texto; });
    camara_->start();
    return {};
}

void CamaraQt::apagar()
{
    if (camara_)
        camara_->stop();
    sesion_.reset();
    receptor_.reset();
    camara_.reset();
    cuadro_ = QImage();
    error_.clear();
    cuadros_ = 0;
}

QImage CamaraQt::cuadro()
{
    return cuadro_.isNull() ? cuadro_ : Recortar(cuadro_);
}

Camara::Resultado CamaraQt::tomarFoto(const QString& ruta, std::chrono::milliseconds espera)
{
    // Checked first: a camera object with no device may still hand over a
    // test pattern from the media framework, as if it were the visitor. It
    // also finds a camera unplugged while on.
    const auto entradas = QMediaDevices::videoInputs();
    if (entradas.isEmpty())
        return {Fallo::SinCamara, QStringLiteral("There is no camera")};
    return camara_ ? fotoEnVivo(ruta, espera) : fotoDeUnaVez(entradas.first(), ruta, espera);
}

// The next frame of the running camera, not one the guard saw before.
Camara::Resultado CamaraQt::fotoEnVivo(const QString& ruta, std::chrono::milliseconds espera)
{
    const QDeadlineTimer plazo(espera);
    const int antes = cuadros_;
    error_.clear();
    QEventLoop bucle;
    QObject::connect(receptor_.get(), &QVideoSink::videoFrameChanged, &bucle, &QEventLoop::quit);
    QObject::connect(camara_.get(), &QCamera::errorOccurred, &bucle, &QEventLoop::quit);
    if (!EsperarHasta(
            bucle, [&] { return cuadros_ > antes; }, error_, plazo))
        return {Fallo::SinImagen,
                error_.isEmpty() ? QStringLiteral("The camera gave no picture in time") : error_};
    return GuardarBmp(Recortar(cuadro_), ruta);
}

Camara::Resultado CamaraQt::fotoDeUnaVez(const QCameraDevice& dispositivo, const QString& ruta,
                                         std::chrono::milliseconds espera)
{
    const QDeadlineTimer plazo(espera);
    QCamera camara(dispositivo);
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
