#pragma once

#include <QList>

class ModeloTabla;
class QTreeView;
class QWidget;

// A list view in report view over a table model: one line per row, whole
// rows selected, read only, column widths in twips; a column of width 0 is
// hidden.
QTreeView* CrearListaInforme(QWidget* padre, ModeloTabla* modelo, const QList<int>& anchosTwips);
