#include "Progreso.h"

#include "Dialogos.h"

#include <QPointer>
#include <QProgressDialog>

namespace {

class ProgresoQt : public Progreso
{
public:
    ProgresoQt(QWidget* ventana, const QString& texto, int total)
        : total_(total), paso_(qMax(1, total / 200))
    {
        // Owned by the top window, as message boxes are: the box blocks the
        // whole frame, so the panel that asked cannot close under the run.
        caja_ = new QProgressDialog(ventana ? ventana->window() : nullptr);
        caja_->setWindowTitle(kTituloPrograma);
        caja_->setLabelText(texto);
        caja_->setRange(0, total);
        caja_->setWindowModality(Qt::WindowModal);
        caja_->setMinimumDuration(1000);
        caja_->setAutoClose(false);
        caja_->setAutoReset(false);
        caja_->setValue(0);
    }
    ~ProgresoQt() override { delete caja_.data(); }

    void avanzar(int hechos) override
    {
        // Each step lets the box paint and take the Cancel click; a few
        // hundred steps are enough for a bar.
        if (caja_ && (hechos - ultimo_ >= paso_ || hechos == total_)) {
            ultimo_ = hechos;
            caja_->setValue(hechos);
        }
    }
    bool cancelado() const override { return caja_ && caja_->wasCanceled(); }

private:
    QPointer<QProgressDialog> caja_;
    int total_;
    int paso_;
    int ultimo_ = 0;
};

} // namespace

std::unique_ptr<Progreso> AbrirProgresoQt(QWidget* ventana, const QString& texto, int total)
{
    return std::make_unique<ProgresoQt>(ventana, texto, total);
}
