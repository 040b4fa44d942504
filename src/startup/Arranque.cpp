#include "Arranque.h"

#include "foundation/Contexto.h"
#include "frmAcceso.h"
#include "frmPrincipal.h"
#include "platform/Dialogos.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTimer>
#include <QtDebug>

Arranque::Arranque(Contexto& ctx) : ctx_(ctx)
{
    ctx_.alCambiarRegistroSucesos = [this](bool escribe, const QString& motivo) {
        registroSucesosCambia(escribe, motivo);
    };
}

Arranque::~Arranque()
{
    ctx_.alCambiarRegistroSucesos = nullptr;
}

void Arranque::iniciar()
{
    acceso_ = std::make_unique<frmAcceso>(ctx_);
    connect(acceso_.get(), &frmAcceso::accesoConcedido, this, &Arranque::abrirPrincipal);
    connect(acceso_.get(), &frmAcceso::idiomaCargado, this, &Arranque::cargarTraduccionQt);
    acceso_->cargar();
}

void Arranque::abrirPrincipal()
{
    principal_ = std::make_unique<frmPrincipal>(ctx_);
    principal_->cargar();
}

void Arranque::cargarTraduccionQt(const QString& codigo)
{
    QCoreApplication::removeTranslator(&traduccionQt_);
    const QString nombre = TraduccionQt(codigo);
    if (nombre.isEmpty())
        return;
    const QString carpeta = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    // Without Qt's translations installed the standard buttons stay in English.
    if (traduccionQt_.load(nombre, carpeta))
        QCoreApplication::installTranslator(&traduccionQt_);
    else
        qWarning().noquote() << "Qt translation" << nombre << "not found in" << carpeta;
}

void Arranque::registroSucesosCambia(bool escribe, const QString& motivo)
{
    sucesosEscribe_ = escribe;
    if (!escribe)
        motivoSucesos_ = motivo;
    // The line may come from a timer handler: a box opened there would stop
    // that timer while it waits. Queued instead, one at a time.
    if (!avisoSucesosEnCurso_) {
        avisoSucesosEnCurso_ = true;
        QTimer::singleShot(0, this, &Arranque::avisarRegistroSucesos);
    }
}

void Arranque::avisarRegistroSucesos()
{
    // The state may change again while a box is open; the guard is told until
    // the last box says how the log stands now.
    while (sucesosAvisado_ != sucesosEscribe_) {
        sucesosAvisado_ = sucesosEscribe_;
        const QString titulo = ctx_.idioma.mensaje(QStringLiteral("XSucesosTitulo"));
        if (sucesosAvisado_)
            ctx_.dialogos.informar(
                ventanaActiva(), ctx_.idioma.mensaje(QStringLiteral("XSucesosSeEscribe")), titulo);
        else
            ctx_.dialogos.advertir(ventanaActiva(),
                                   ctx_.idioma.mensaje(QStringLiteral("XSucesosNoSeEscribe")) +
                                       QStringLiteral("\r\n\r\n") + motivoSucesos_,
                                   titulo);
    }
    avisoSucesosEnCurso_ = false;
}

QWidget* Arranque::ventanaActiva() const
{
    if (principal_)
        return principal_.get();
    return acceso_ && acceso_->isVisible() ? acceso_.get() : nullptr;
}
