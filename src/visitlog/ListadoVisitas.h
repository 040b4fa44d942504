#pragma once

#include <QList>
#include <QString>

#include <functional>
#include <memory>

class Contexto;
class Impresora;
class Progreso;
class QWidget;
struct Visita;

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

// The printed visitor log of these visits, in their order, after the guard's
// confirmation. Printing failures never stop it: they are told once, either
// before the next visit (the rest is dropped) or after the end. The guard may
// cancel a long run; nothing is then printed and no file is left.
void ImprimirListadoVisitas(Contexto& ctx, QWidget* ventana, const QList<Visita>& visitas);
void ImprimirListadoVisitas(Contexto& ctx, QWidget* ventana, const QList<Visita>& visitas,
                            const EquipoListado& equipo);
