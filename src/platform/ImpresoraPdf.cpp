#include "ImpresoraPdf.h"

#include <QPdfWriter>

ImpresoraPdf::ImpresoraPdf(const QString& archivo, const QPageSize& papel) : archivo_(archivo)
{
    if (!archivo_.open(QIODevice::WriteOnly)) {
        fallar(archivo + QStringLiteral(": ") + archivo_.errorString());
        return;
    }
    pdf_ = std::make_unique<QPdfWriter>(&archivo_);
    pdf_->setCreator(QStringLiteral("Zelvora"));
    // Set explicitly: the writer's default is A4 whatever the site uses.
    pdf_->setPageSize(papel);
    pdf_->setPageMargins(QMarginsF(0.25, 0.25, 0.25, 0.25), QPageLayout::Inch);
    empezar(*pdf_);
}

ImpresoraPdf::~ImpresoraPdf()
{
    abandonar();
}

bool ImpresoraPdf::terminar()
{
    if (!pintando()) // ended already, or never started
        return !fallo();
    if (!acabar() || fallo()) {
        archivo_.cancelWriting();
        return false;
    }
    if (!archivo_.commit()) {
        fallar(archivo_.fileName() + QStringLiteral(": ") + archivo_.errorString());
        return false;
    }
    return true;
}
