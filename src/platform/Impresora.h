#pragma once

#include <QString>

// What the printed listings need of a printer: lines of text placed on a grid
// of character cells, pages, and an end. A failure never stops the caller: it
// is remembered (fallo()) and every later call does nothing, so a listing runs
// to its end and reports once.
//
// The grid: a column is 1/12 inch, a row is 1/6 inch (one line of 10-point
// text). Cell (0, 0) lies kMargenColumnas columns inside the left edge of the
// printable area, at its top: the margin both listings leave. Text is set in
// "Times New Roman" 10; a TAB moves to the next multiple of kColumnasTabulador
// columns.
class Impresora
{
public:
    static constexpr int kColumnasPorPulgada = 12;
    static constexpr int kFilasPorPulgada = 6;
    static constexpr int kMargenColumnas = 5;
    static constexpr int kColumnasTabulador = 8;

    virtual ~Impresora() = default;

    virtual void escribir(int columna, int fila, const QString& texto) = 0;
    virtual void nuevaPagina() = 0;
    // 1 on the first page, one more after each new page.
    virtual int pagina() const = 0;
    // Ends the document and hands it over (to the printer, or the PDF file).
    // Returns false when anything failed since the start. A document left
    // without it is dropped whole: nothing printed, no file.
    virtual bool terminar() = 0;

    virtual bool fallo() const = 0;
    // What failed first, for the event log.
    virtual QString error() const = 0;
    // The PDF file the document goes to, to tell the user; empty when it goes
    // to a printer.
    virtual QString archivoPdf() const = 0;
};
