#pragma once

#include "platform/ImpresoraPintada.h"

#include <QPrinter>

#include <memory>

// The system's default printer, at its own paper size.
class ImpresoraSistema : public ImpresoraPintada
{
public:
    ImpresoraSistema();
    ~ImpresoraSistema() override;

    bool terminar() override;
    QString archivoPdf() const override { return {}; }

private:
    QPrinter impresora_;
};

// The file named by ZELVORA_PDF, empty when it names none.
QString ArchivoPdfPedido();

// Where a listing goes: the PDF file ZELVORA_PDF names, else the system's
// default printer, else (no printer on this machine) the PDF file
// pdfSinImpresora. archivoPdf() tells the user which file it was.
std::unique_ptr<Impresora> AbrirImpresora(const QString& pdfSinImpresora);
