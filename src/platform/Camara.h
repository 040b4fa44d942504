#pragma once

#include <QSize>
#include <QString>

#include <chrono>

class QImage;

// What the new-entry panel needs of a webcam: whether there is one, a live
// view while the guard has it on, and one picture of the visitor written as a
// bitmap file.
class Camara
{
public:
    enum class Fallo {
        Ninguno,
        SinCamara,  // no video input on this machine
        SinImagen,  // the camera gave no picture (in time)
        NoGuardada, // the picture could not be written
    };

    struct Resultado
    {
        Fallo fallo = Fallo::Ninguno;
        QString descripcion;
        explicit operator bool() const { return fallo == Fallo::Ninguno; }
    };

    virtual ~Camara() = default;

    virtual bool hayCamara() = 0;
    // Starts the camera for the live view; SinCamara when there is none.
    virtual Resultado encender() = 0;
    // Releases the device; nothing when it is off.
    virtual void apagar() = 0;
    // The newest frame of the running camera; null before the first one.
    virtual QImage cuadro() = 0;
    // One picture, kTamanoFoto, written as a BMP file at ruta; the camera gets
    // at most espera to deliver it.
    virtual Resultado tomarFoto(const QString& ruta, std::chrono::milliseconds espera) = 0;
};

inline constexpr QSize kTamanoFoto(320, 240);

// Writes the picture as a BMP file, whole or not at all.
Camara::Resultado GuardarBmp(const QImage& imagen, const QString& ruta);
