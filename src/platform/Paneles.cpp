#include "Paneles.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QShortcut>

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
