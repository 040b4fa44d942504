#pragma once

#include "platform/Camara.h"

#include <QImage>

#include <memory>

class QCamera;
class QCameraDevice;
class QMediaCaptureSession;
class QVideoSink;

// The first video input, through Qt Multimedia. Nothing of the media framework
// is touched before the camera is first used, so that making one costs nothing.
// While it is on, pictures come from its live frames; when it is off, the
// camera runs only while a picture is being taken.
class CamaraQt : public Camara
{
public:
    CamaraQt();
    ~CamaraQt() override;

    bool hayCamara() override;
    Resultado encender() override;
    void apagar() override;
    QImage cuadro() override;
    Resultado tomarFoto(const QString& ruta, std::chrono::milliseconds espera) override;

private:
    Resultado fotoDeUnaVez(const QCameraDevice& dispositivo, const QString& ruta,
                           std::chrono::milliseconds espera);
    Resultado fotoEnVivo(const QString& ruta, std::chrono::milliseconds espera);

    std::unique_ptr<QCamera> camara_;
    std::unique_ptr<QMediaCaptureSession> sesion_;
    std::unique_ptr<QVideoSink> receptor_;
    QImage cuadro_;
    QString error_;
    int cuadros_ = 0; // frames received since the camera went on
};
