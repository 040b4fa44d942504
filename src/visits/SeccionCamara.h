#pragma once

#include <QWidget>

#include <chrono>
#include <memory>

class Camara;
class Contexto;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

// The webcam corner of the new-entry panel: the camera switched on and off,
// its live view, and the visitor's picture stored in the pictures folder.
// Shown only on terminals that take pictures. The camera is made on first use
// and never probed while the panel opens, so that opening never waits for it.
class SeccionCamara : public QWidget
{
    Q_OBJECT

public:
    SeccionCamara(Contexto& ctx, QLineEdit* nombreVisitante, QWidget* panel);
    ~SeccionCamara() override;

    // The camera button: on when off, off when on.
    void alPulsarCamara();
    // The picture of the visitor named in the panel, with its own messages
    // and event-log lines; true when it is stored.
    bool tomarFoto();
    // The add's picture, when the terminal takes pictures and the box is ticked.
    void alAgregar();
    // The live view's tick: the newest frame into the picture boxes.
    void alTemporizador();
    void apagar();

    bool encendida() const { return encendida_; }

    QPushButton* btnIniciarCamara;
    QPushButton* btnTomarFoto;
    QCheckBox* chkActivarMovimientoImagen;
    QCheckBox* chkTomarFotoAgregar;
    QLabel* lblActivarMovimientoImagen;
    QLabel* lblTomarFotoAgregar;
    QLabel* Picture1; // the last frame grabbed
    QLabel* Image1;   // the live view
    QTimer* Timer2;

    static constexpr std::chrono::milliseconds kEsperaFoto{5000};

signals:
    // The moment of a stored picture ("yyyy-mm-dd hh-mm-ss"), which the next
    // entry takes as its time; empty after a picture that failed, so that the
    // entry keeps its own.
    void momentoFoto(const QString& fechaHoraFoto);

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    QCheckBox* casilla(const char* nombre);
    QLabel* etiqueta(const char* nombre, int slot, QCheckBox* casilla);
    QLabel* cuadroImagen(const char* nombre);
    void disponer();
    Camara& camara();
    void encender();
    void avisarSinImagen();
    void mostrarFoto(const QString& ruta);

    Contexto& ctx_;
    QLineEdit* nombreVisitante_;
    QWidget* panel_;
    std::shared_ptr<Camara> camara_;
    bool encendida_ = false;
    bool tomando_ = false; // a picture is being taken (the real camera runs the events)
};
