#pragma once

#include "Censo.h"

#include <QDialog>

#include <array>
#include <functional>
#include <optional>

class Contexto;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// One dwelling of the census: added (no id), or modified and deleted (its
// id). Modal; the window that opened it learns what happened through its
// signals.
class frmNuevoCenso : public QDialog
{
    Q_OBJECT

public:
    static constexpr int kFilas = 5;

    frmNuevoCenso(Contexto& ctx, std::optional<int> idCenso, QWidget* llamador);

    // Shows it modally until the guard closes it. In add mode every record
    // added reopens it, ready for the next unit of the same building.
    // conectar runs on each window before it is shown (to connect its signals).
    static void Abrir(Contexto& ctx, QWidget* llamador, std::optional<int> idCenso,
                      const std::function<void(frmNuevoCenso&)>& conectar = {});

    // Reads the record (or the newest one, to pre-fill an addition); false,
    // with a message, when the record can no longer be shown.
    bool cargar();
    bool agregado() const { return agregado_; }

    void agregarCenso();
    void modificarCenso();
    void eliminarCenso();
    // The forms' letter case, over every field.
    void NormalizarTexto();

    QLineEdit* txtNomUnidad;
    QLineEdit* txtNumInmueble;
    QLineEdit* txtTorre;
    QLineEdit* txtTfnoInmueble;
    std::array<QLineEdit*, kFilas> txtNombre;
    std::array<QLineEdit*, kFilas> txtApe1;
    std::array<QLineEdit*, kFilas> txtApe2;
    std::array<QLineEdit*, kFilas> txtTipoUsu;
    std::array<QComboBox*, kFilas> comTipoUsu;
    std::array<QLineEdit*, kFilas> txtVehPlaca;
    std::array<QLineEdit*, kFilas> txtVehDescr;
    std::array<QLineEdit*, kFilas> txtVehTipo;
    QPlainTextEdit* txtNotas;
    QLabel* Label10;
    QLabel* Label14;
    QPushButton* btnAgregarCenso;
    QPushButton* btnModificarCenso;
    QPushButton* btnEliminarCenso;

    static constexpr int kLargoNotas = 200;

signals:
    // The record was added or modified.
    void guardado(int idCenso);
    // The record was deleted; censoVacio: it was the last one.
    void eliminado(bool censoVacio);

protected:
    bool event(QEvent* evento) override;
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    void crearCampos();
    void colocar();
    // The forty fields in column order, and back.
    RegistroCenso registro() const;
    void mostrar(const RegistroCenso& registro);
    void elegirTipo(int fila, int posicion);
    // The position of the type list whose text is exactly that type.
    int posicionTipo(const QString& tipo) const;
    void limitarNotas();
    // Normalises and checks; on a failure shows its message (slots from
    // primerSlot on) with the focus on its field.
    bool validar(int primerSlot);
    void avisar(const QString& texto, QWidget* campo = nullptr);

    Contexto& ctx_;
    const std::optional<int> idCenso_;
    // The record as read, to notice another terminal's changes before a save.
    RegistroCenso leido_;
    bool agregado_ = false;
    // Where the focus goes when the window comes back from its own message.
    QWidget* focoTrasAviso_ = nullptr;
};
