#pragma once

#include "Visitas.h"
#include "foundation/FechasTexto.h"

#include <array>
#include <functional>
#include <optional>

class Contexto;
class QCheckBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QWidget;

// The six fields of a visit with their labels, shared by the new-entry and the
// exit panels: same controls, same limits, same rules; each panel has its own
// caption and message text slots.
class CamposVisita
{
public:
    // Label text slots in tab order: entry time, name, companions, plate,
    // authoriser, observations.
    using SlotsEtiquetas = std::array<int, 6>;

    // The messages of a validation: empty name, empty entry time, companions
    // not a number, empty authoriser.
    struct SlotsValidacion
    {
        int nombre;
        int fecha;
        int acompanantes;
        int autoriza;
    };

    // The time fields were shown this way, and are read back the same way.
    CamposVisita(Contexto& ctx, QWidget* ventana, FormatoFecha formatoEntrada);

    // Adds the rows to the grid from the given row on; returns the next free row.
    int colocar(QGridLayout* rejilla, int fila, const SlotsEtiquetas& numeros);

    // Names in proper case, the plate in upper case.
    void normalizar();

    // The first failure shows its message, takes the focus to the field and
    // gives nothing; otherwise the visit as typed.
    // A further check (the exit time) runs right after the entry time's.
    std::optional<DatosVisita> validar(const SlotsValidacion& numeros,
                                       const std::function<bool()>& trasFechaEntrada = {});

    // A moment field that does not read as one: a message naming it.
    std::optional<QDateTime> leerMomento(QLineEdit* campo, QLabel* etiqueta, FormatoFecha formato);

    // What a time field shows once the guard has answered a confirmation (the
    // clock went on meanwhile); the moment validated before if it no longer reads.
    static QDateTime momentoAlConfirmar(const QLineEdit* campo, FormatoFecha formato,
                                        const QDateTime& validado);

    // The confirmation text: question slot, then name, authoriser, companions,
    // plate and observations after their text slots.
    QString textoConfirmacion(int slotPregunta) const;

    void mostrar(const Visita& visita);
    void vaciar(bool tambienFecha);

    QLabel* Label1;
    QLabel* Label3;
    QLabel* Label4;
    QLabel* Label6;
    QLabel* Label5;
    QLabel* Label7;
    QLineEdit* txtFechaEntrada;
    QLineEdit* txtNombreVisitante;
    QLineEdit* txtNAcomp;
    QLineEdit* txtPlacaVehiculo;
    QLineEdit* txtAutorizaIngreso;
    QLineEdit* txtObservaciones;
    QCheckBox* chkFechaEntrada;

private:
    std::nullopt_t falla(QLineEdit* campo, int slot);

    Contexto& ctx_;
    QWidget* ventana_;
    FormatoFecha formatoEntrada_;
};
