#pragma once

#include "CamposVisita.h"

#include <QDialog>

#include <functional>

class BaseDatos;
class Contexto;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

// The exit panel: shows one entry, registers the visitor's exit or corrects
// the entry, and tells the panel that opened it (its parent) what it saved.
class frmSalida : public QDialog
{
    Q_OBJECT

public:
    frmSalida(Contexto& ctx, int idEs, QWidget* llamador);

    // Opens it modally for an entry on behalf of a panel; alGuardar runs in
    // the panel when the entry was saved, before the success message.
    static void Abrir(Contexto& ctx, QWidget* llamador, int idEs,
                      const std::function<void(bool salidaRegistrada)>& alGuardar);

    // Loads the entry; false (with a message) when it can no longer be shown.
    bool cargar();
    int idEntrada() const { return idEs_; }
    void alTemporizador();
    void modificarEntrada();
    void registrarSalida();

    CamposVisita campos;
    QLabel* Label8;
    QLineEdit* txtFechaSalida;
    QCheckBox* chkFechaSalida;
    QPushButton* btnModificarEntrada;
    QPushButton* btnRegistrarSalida;
    QTimer* Timer1;

signals:
    // The entry was corrected (false) or the visitor's exit registered (true).
    void guardado(bool salidaRegistrada);

private:
    // Runs the write; when the entry still exists, logs, closes, tells the
    // opener and shows the success message.
    void guardar(const std::function<bool(BaseDatos&)>& sentencia, const QString& suceso,
                 bool salidaRegistrada, int slotMensaje);

    Contexto& ctx_;
    const int idEs_;
};
