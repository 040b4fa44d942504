#pragma once

#include <QDateTime>
#include <QString>

#include <functional>
#include <memory>

class Contexto;
class Impresora;
class Progreso;
class QWidget;

// What the printed listings share: the devices, the guard's confirmation, the
// PDF kept when there is no printer, and the boxes told at the end.

// The devices a listing uses; tests replace them.
struct EquipoListado
{
    // Where the document goes (see AbrirImpresora): pdfSinImpresora is the
    // file used when the machine has no printer.
    std::function<std::unique_ptr<Impresora>(const QString& pdfSinImpresora)> abrirImpresora;
    std::function<std::unique_ptr<Progreso>(QWidget* ventana, const QString& texto, int total)>
        abrirProgreso;
};
// The system's printer (or PDF file) and the progress box.
EquipoListado EquipoListadoSistema();

// The confirmation every listing asks: three texts from consecutive slots,
// a blank line between them, Yes and No under the exclamation icon.
bool ConfirmarListado(Contexto& ctx, QWidget* ventana, int primerSlot, int slotTitulo);

// With no printer on the machine a listing is kept as a PDF in the program
// folder's "listados", named by what it is and the moment it was printed.
QString PdfSinImpresora(const Contexto& ctx, const QString& nombre, const QDateTime& momento);

// The deferred error's box, with the file a PDF could not be written to, and
// its event-log line followed by what the printer said.
void AvisarFalloListado(Contexto& ctx, QWidget* ventana, const Impresora& impresora,
                        const QString& texto, const QString& suceso);

// A listing that went to a PDF file says where, in the box and the event log.
void AvisarListadoGuardado(Contexto& ctx, QWidget* ventana, const Impresora& impresora);
