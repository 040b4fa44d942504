#pragma once

#include "CamposVisita.h"

#include <QDialog>

#include <functional>

class BaseDatos;
class Contexto;
class Paneles;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

// The exit panel: shows one entry, registers the visitor's exit or corrects
// the entry, then brings up the panel it was opened from.
class frmSalida : public QDialog
{
    Q_OBJECT

public:
    frmSalida(Contexto& ctx, Paneles& paneles, QWidget* padre = nullptr);

    // Opens it modally for an entry, on behalf of the named panel.
    static void Abrir(Contexto& ctx, Paneles& paneles, QWidget* origen, const QString& panelOrigen,
                      int idEs);

    // Loads IdEntradaSel; false (with a message) when it can no longer be shown.
    bool cargar();
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

private:
    // Runs the write; when the entry still exists, logs, closes, brings up the
    // opener and shows the success message.
    void guardar(const std::function<bool(BaseDatos&)>& sentencia, const QString& suceso,
                 bool salidaRegistrada, int slotMensaje);

    Contexto& ctx_;
    Paneles& paneles_;
};
