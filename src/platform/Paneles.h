#pragma once

#include <QString>

class QWidget;

// The main window's side of its panels: a panel that opened the exit panel is
// brought up again by name ("VisitasPendientes", "NuevaEntrada",
// "RegistroVisitas") when the exit panel is done with it.
class Paneles
{
public:
    virtual ~Paneles() = default;
    virtual void traerPanel(const QString& panelOrigen, bool salidaRegistrada) = 0;
};

// Closes a panel, whether it sits in the main window's frame or stands alone.
void CerrarPanel(QWidget* panel);

// Escape anywhere in the panel closes it.
void CerrarConEscape(QWidget* panel);

// Whenever the panel is activated (shown, or brought up again in the main
// window's frame by a menu entry, another panel or a box), the focus goes to
// control.
void EnfocarAlActivarse(QWidget* panel, QWidget* control);
