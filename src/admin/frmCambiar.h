#pragma once

#include <QDialog>

class Contexto;
class QLineEdit;
class QPushButton;

// The logged-in user replaces the own password. Modal; a change takes effect
// at the next login.
class frmCambiar : public QDialog
{
    Q_OBJECT

public:
    frmCambiar(Contexto& ctx, QWidget* llamador);

    // Shows it modally until it is closed.
    static void Abrir(Contexto& ctx, QWidget* llamador);

    void cambiarClave();

    QLineEdit* txtActual;
    QLineEdit* txtNueva;
    QLineEdit* txtConfirme;
    QPushButton* btnCambiar;

protected:
    bool event(QEvent* evento) override;

private:
    Contexto& ctx_;
};
