#pragma once

#include <QWidget>

// A panel of the main window's frame. The frame shows it first and then calls
// alAbrir(), so that the first reading's error box comes up over the panel.
// A panel that hands work to another window gives it its ids and listens to
// its signals; nothing travels through shared state.
class Panel : public QWidget
{
    Q_OBJECT

public:
    using QWidget::QWidget;

    virtual void alAbrir() {}
};

// Closes a panel, whether it sits in the main window's frame or stands alone.
void CerrarPanel(QWidget* panel);

// Brings a panel up again: the active one of the frame, restored if minimised.
void TraerPanel(QWidget* panel);

// Escape anywhere in the panel closes it.
void CerrarConEscape(QWidget* panel);

// Whenever the panel is activated (shown, or brought up again in the main
// window's frame by a menu entry, another panel or a box), the focus goes to
// control.
void EnfocarAlActivarse(QWidget* panel, QWidget* control);
