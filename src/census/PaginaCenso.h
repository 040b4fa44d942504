#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class BaseDatos;
class Impresora;
struct RegistroCenso;
struct TablasIdioma;

// The printed census laid out on the printer's cell grid. Only the printer's
// interface is used (no widget, no device), so the layout is a rule of the
// core library that a recording printer can check.

// The listing's labels in the interface language.
struct TextosListadoCenso
{
    QString numero, torre, tfno; // the dwelling's line
    QString usuarios, vehiculos, notas;
    QString pagina;
};
TextosListadoCenso LeerTextosListadoCenso(const TablasIdioma& idioma);

// One dwelling as printed: the unit name its page heading shows, and its
// rows, the blank row after it left out.
struct ViviendaListado
{
    QString nomUnidad;
    QStringList lineas;
};

// The dwelling's rows: its line with number, tower and telephone; the
// residents under "USUARIOS" and the vehicles under "VEHÍCULOS", each heading
// printed only when the first slot is filled, each slot only when its name or
// plate is; then "NOTAS" and the notes, a row per line of them.
ViviendaListado LineasViviendaCenso(const TextosListadoCenso& textos,
                                    const RegistroCenso& registro);

// Every dwelling of the census, in order of dwelling number (text order; the
// id keeps equal numbers in the order they were added). Read whole, so that
// the database is free while the printer works.
QList<ViviendaListado> LeerListadoCenso(BaseDatos& bd, const TextosListadoCenso& textos);

// Dwellings one after another under the heading of the unit that opens each
// page. The page is changed only between dwellings, once the rows counted on
// it reach kLineasPorPagina: a dwelling that starts below that line is printed
// whole, so a page holds some rows more.
class PaginaCenso
{
public:
    static constexpr int kLineasPorPagina = 41;
    // The longest row of notes, in characters: 10-point text fits the width of
    // a letter page with its margins.
    static constexpr int kCaracteresNotas = 80;

    PaginaCenso(Impresora& impresora, TextosListadoCenso textos);

    void vivienda(const ViviendaListado& vivienda);
    // The last page's number, after its last dwelling.
    void acabar();

private:
    // Row 0 blank, the unit's name in upper case, then blank rows.
    void encabezado(const QString& nomUnidad, int filasEnBlanco);

    Impresora& impresora_;
    TextosListadoCenso textos_;
    int fila_ = 0;
    int lineas_ = 0;
    bool empezada_ = false;
};
