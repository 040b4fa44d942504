#pragma once

#include "platform/Impresora.h"

#include <QString>
#include <QStringList>

class BaseDatos;
struct TablasIdioma;
struct Visita;

// The printed visitor log laid out on the printer's cell grid. Only the
// printer's interface is used (no widget, no device), so the layout is a rule
// of the core library that a recording printer can check.

// What the page header shows, fixed at the start of a run so that every page
// carries the same date and time.
struct EncabezadoListado
{
    QString unidad;
    QString fecha;
    QString hora;
};

// The listing's labels in the interface language.
struct TextosListado
{
    QString impresion;          // first page's header
    QString impresionSiguiente; // later pages' header
    QString entrada, salida, visitante;
    QString acomp, placa, autoriza;
    QString observaciones;
    QString paginaSalto; // page number at a page break
    QString paginaFin;   // page number after the last visit
};
TextosListado LeerTextosListado(const TablasIdioma& idioma);

// The complex's name for the header: the first named census row in name
// order, in upper case; empty with no census.
QString NombreUnidadListado(BaseDatos& bd);

// The three printed lines of a visit; an empty or Null column prints its
// label alone.
QStringList LineasVisitaListado(const TextosListado& textos, const Visita& visita);

// Pages of at most kVisitasPorPagina visits under a header, each ended by its
// number. A page is started only for a visit that needs it, so no page is
// ever left empty.
class PaginaListado
{
public:
    static constexpr int kVisitasPorPagina = 14;
    static constexpr int kFilaPrimeraVisita = 5; // header on rows 1 and 2
    static constexpr int kFilasPorVisita = 4;    // three lines and a blank one

    PaginaListado(Impresora& impresora, TextosListado textos, EncabezadoListado encabezado);

    // The first page's header.
    void empezar();
    void visita(const Visita& visita);
    // The last page's number, after its last visit.
    void acabar();

private:
    void encabezado(const QString& impresion);

    Impresora& impresora_;
    TextosListado textos_;
    EncabezadoListado encabezado_;
    int fila_ = 0;
    int visitasEnPagina_ = 0;
};
