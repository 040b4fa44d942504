#include "ListaInforme.h"

#include "ModeloTabla.h"
#include "Twips.h"

#include <QTreeView>

QTreeView* CrearListaInforme(QWidget* padre, ModeloTabla* modelo, const QList<int>& anchosTwips)
{
    auto* lista = new QTreeView(padre);
    lista->setObjectName(QStringLiteral("ListView1"));
    lista->setRootIsDecorated(false);
    lista->setUniformRowHeights(true);
    lista->setAllColumnsShowFocus(true);
    lista->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lista->setModel(modelo);
    for (int i = 0; i < anchosTwips.size(); ++i) {
        lista->setColumnWidth(i, Px(anchosTwips[i]));
        lista->setColumnHidden(i, anchosTwips[i] == 0);
    }
    return lista;
}
