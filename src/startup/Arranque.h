#pragma once

#include <QObject>
#include <QString>
#include <QTranslator>

#include <memory>

class Contexto;
class frmAcceso;
class frmPrincipal;
class QWidget;

// Owns the two top windows: the login first, the main window after a
// successful login, and Qt's translation of the standard buttons for the
// language the login loads. Also tells the guard, whichever window is up, when the
// event log stops being written and when it is written again.
class Arranque : public QObject
{
    Q_OBJECT

public:
    explicit Arranque(Contexto& ctx);
    ~Arranque() override;

    void iniciar();

    frmAcceso* acceso() const { return acceso_.get(); }
    frmPrincipal* principal() const { return principal_.get(); }

private:
    void abrirPrincipal();
    void cargarTraduccionQt(const QString& codigo);
    void registroSucesosCambia(bool escribe, const QString& motivo);
    void avisarRegistroSucesos();
    QWidget* ventanaActiva() const;

    Contexto& ctx_;
    std::unique_ptr<frmAcceso> acceso_;
    std::unique_ptr<frmPrincipal> principal_;
    QTranslator traduccionQt_; // removes itself from the application when it goes

    bool sucesosEscribe_ = true;       // as the log last reported it
    bool sucesosAvisado_ = true;       // as the guard was last told
    bool avisoSucesosEnCurso_ = false; // a box queued or open
    QString motivoSucesos_;
};
