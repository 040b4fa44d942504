#pragma once

#include "platform/Impresora.h"
#include "platform/Progreso.h"

#include <QList>
#include <QStringList>

#include <vector>

// A printer that keeps what a listing sent it, for the listings' tests. It can
// be told to fail from a given line on, as a busy printer would.
class ImpresoraGrabadora : public Impresora
{
public:
    struct Linea
    {
        int pagina;
        int columna;
        int fila;
        QString texto;
    };

    std::vector<Linea> lineas;
    int paginasNuevas = 0;
    bool terminada = false;
    // The line (counted from 0) whose writing fails; -1: none fails.
    int fallarEnLinea = -1;
    // Fails before the first line, as a printer that cannot start.
    bool fallarAlEmpezar = false;
    QString pdf; // what archivoPdf() answers

    void escribir(int columna, int fila, const QString& texto) override;
    void nuevaPagina() override;
    int pagina() const override { return paginasNuevas + 1; }
    bool terminar() override;
    bool fallo() const override { return fallarAlEmpezar || fallido_; }
    QString error() const override;
    QString archivoPdf() const override { return pdf; }

    // One page as it reads: one entry per row down to its last written row,
    // "" for rows left blank; texts written on one row are joined in column
    // order, each preceded by its column as "[n]" when it is not 0.
    QStringList hoja(int pagina) const;
    int paginas() const { return paginasNuevas + 1; }

private:
    bool fallido_ = false;
};

// The test's recording printer lent to one run of a listing, which drops the
// printer it opens.
class ImpresoraPrestada : public Impresora
{
public:
    explicit ImpresoraPrestada(ImpresoraGrabadora& g) : g_(g) {}
    void escribir(int columna, int fila, const QString& texto) override
    {
        g_.escribir(columna, fila, texto);
    }
    void nuevaPagina() override { g_.nuevaPagina(); }
    int pagina() const override { return g_.pagina(); }
    bool terminar() override { return g_.terminar(); }
    bool fallo() const override { return g_.fallo(); }
    QString error() const override { return g_.error(); }
    QString archivoPdf() const override { return g_.archivoPdf(); }

private:
    ImpresoraGrabadora& g_;
};

// A listing's progress where the guard presses Cancel once that many items
// are printed (-1: never); hechos receives the count.
class ProgresoPrueba : public Progreso
{
public:
    ProgresoPrueba(int cancelarEn, int* hechos) : cancelarEn_(cancelarEn), hechos_(hechos) {}
    void avanzar(int hechos) override { *hechos_ = hechos; }
    bool cancelado() const override { return cancelarEn_ >= 0 && *hechos_ >= cancelarEn_; }

private:
    int cancelarEn_;
    int* hechos_;
};

// The pages of a PDF as pdftotext -layout lays them out, blank lines dropped
// and runs of blanks (TAB stops) read as one.
QList<QStringList> PaginasPdf(const QString& pdf);
