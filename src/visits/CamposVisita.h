#pragma once

#include "ValidacionVisita.h"

#include <array>

class Contexto;
class QCheckBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QWidget;

// The six fields of a visit with their labels, shared by the new-entry and the
// exit panels: same controls, same limits; each panel has its own captions and
// its own rules (ValidacionVisita), which these fields only show.
class CamposVisita
{
public:
    // Label text slots in tab order: entry time, name, companions, plate,
    // authoriser, observations.
    using SlotsEtiquetas = std::array<int, 6>;

    CamposVisita(Contexto& ctx, QWidget* ventana);

    // Adds the rows to the grid from the given row on; returns the next free row.
    int colocar(QGridLayout* rejilla, int fila, const SlotsEtiquetas& numeros);

    // Names in proper case, the plate in upper case.
    void normalizar();

    TextosVisita textos() const;

    // Shows a failure's message and takes the focus to its field. The form's
    // own field (exit time, notice minutes) comes with its caption.
    void avisar(const FalloVisita& fallo, QLineEdit* propio = nullptr,
                const QLabel* etiquetaPropia = nullptr);

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
    Contexto& ctx_;
    QWidget* ventana_;
};
