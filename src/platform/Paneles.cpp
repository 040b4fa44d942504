#include "Paneles.h"

#include <QEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QShortcut>

namespace {

// Follows the panel into its frame, where activation is the frame's state.
class Activacion : public QObject
{
public:
    Activacion(QWidget* panel, QWidget* control) : QObject(panel), panel_(panel), control_(control)
    {
        panel_->installEventFilter(this);
    }

    bool eventFilter(QObject*, QEvent* evento) override
    {
        if (evento->type() == QEvent::ParentChange)
            seguirMarco();
        if (evento->type() == QEvent::Show)
            enfocar();
        return false;
    }

private:
    void seguirMarco()
    {
        auto* marco = qobject_cast<QMdiSubWindow*>(panel_->parentWidget());
        if (!marco)
            return;
        connect(marco, &QMdiSubWindow::windowStateChanged, this,
                [this](Qt::WindowStates antes, Qt::WindowStates ahora) {
                    if ((ahora & ~antes) & Qt::WindowActive)
                        enfocar();
                });
    }

    void enfocar()
    {
        auto* marco = qobject_cast<QMdiSubWindow*>(panel_->parentWidget());
        // Another panel of the frame may be the active one.
        if (marco && !(marco->windowState() & Qt::WindowActive))
            return;
        control_->setFocus(Qt::ActiveWindowFocusReason);
    }

    QWidget* panel_;
    QWidget* control_;
};

} // namespace

void CerrarPanel(QWidget* panel)
{
    if (auto* sub = qobject_cast<QMdiSubWindow*>(panel->parentWidget()))
        sub->close();
    else
        panel->close();
}

void TraerPanel(QWidget* panel)
{
    auto* sub = qobject_cast<QMdiSubWindow*>(panel->parentWidget());
    if (!sub || !sub->mdiArea())
        return panel->activateWindow();
    if (sub->isMinimized())
        sub->showNormal();
    sub->mdiArea()->setActiveSubWindow(sub);
}

void CerrarConEscape(QWidget* panel)
{
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), panel);
    escape->setContext(Qt::WidgetWithChildrenShortcut);
    QObject::connect(escape, &QShortcut::activated, panel, [panel] { CerrarPanel(panel); });
}

void EnfocarAlActivarse(QWidget* panel, QWidget* control)
{
    new Activacion(panel, control);
}
