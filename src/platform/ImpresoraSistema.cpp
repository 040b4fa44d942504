#include "ImpresoraSistema.h"

#include "platform/ImpresoraPdf.h"

#include <QDir>
#include <QFileInfo>
#include <QPrinterInfo>

ImpresoraSistema::ImpresoraSistema() : impresora_(QPrinter::HighResolution)
{
    impresora_.setDocName(QStringLiteral("Zelvora"));
    // Without a printer QPrinter turns itself into a PDF writer with no file:
    // that is no printer at all here.
    if (impresora_.outputFormat() != QPrinter::NativeFormat || !impresora_.isValid()) {
        fallar(QStringLiteral("There is no printer"));
        return;
    }
    empezar(impresora_);
}

ImpresoraSistema::~ImpresoraSistema()
{
    // A job that was not ended is not sent: half a listing helps nobody.
    if (pintando())
        impresora_.abort();
    abandonar();
}

bool ImpresoraSistema::terminar()
{
    if (!pintando())
        return !fallo();
    // Ended even after a failure, as the listings expect; the caller then
    // tells the guard the listing may be wrong.
    acabar();
    if (impresora_.printerState() == QPrinter::Error)
        fallar(QStringLiteral("The printer reported an error"));
    return !fallo();
}

QString ArchivoPdfPedido()
{
    return qEnvironmentVariable("ZELVORA_PDF");
}

std::unique_ptr<Impresora> AbrirImpresora(const QString& pdfSinImpresora)
{
    const QString pedido = ArchivoPdfPedido();
    if (!pedido.isEmpty())
        return std::make_unique<ImpresoraPdf>(pedido);
    if (QPrinterInfo::defaultPrinter().isNull()) {
        // Its folder is made only now: a site that prints on paper never
        // sees it.
        QDir().mkpath(QFileInfo(pdfSinImpresora).absolutePath());
        return std::make_unique<ImpresoraPdf>(pdfSinImpresora);
    }
    return std::make_unique<ImpresoraSistema>();
}
