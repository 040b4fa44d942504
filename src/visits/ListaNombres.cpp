#include "ListaNombres.h"

#include <QFont>
#include <QLineEdit>
#include <QStringListModel>

namespace {

// The names, then the "more names" line when there is one: shown, never chosen.
class ModeloNombres : public QStringListModel
{
public:
    using QStringListModel::QStringListModel;

    void fijar(QStringList nombres, const QString& lineaMas)
    {
        conMas_ = !lineaMas.isEmpty();
        if (conMas_)
            nombres << lineaMas;
        setStringList(nombres);
    }

    bool esNombre(const QModelIndex& indice) const
    {
        return indice.isValid() && !(conMas_ && indice.row() == rowCount() - 1);
    }

    Qt::ItemFlags flags(const QModelIndex& indice) const override
    {
        if (indice.isValid() && !esNombre(indice))
            return Qt::NoItemFlags;
        return QStringListModel::flags(indice) & ~Qt::ItemIsEditable;
    }

    QVariant data(const QModelIndex& indice, int rol) const override
    {
        if (rol == Qt::FontRole && indice.isValid() && !esNombre(indice)) {
            QFont letra;
            letra.setItalic(true);
            return letra;
        }
        return QStringListModel::data(indice, rol);
    }

private:
    bool conMas_ = false;
};

} // namespace

ListaNombres::ListaNombres(QLineEdit* campo, const QString& textoMas, QWidget* padre)
    : QListView(padre), campo_(campo), textoMas_(textoMas)
{
    setModel(new ModeloNombres(this));
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformItemSizes(true);
    hide();
}

void ListaNombres::fijarNombres(const QStringList& nombres, bool hayMas)
{
    auto* modelo = static_cast<ModeloNombres*>(model());
    modelo->fijar(nombres, hayMas ? textoMas_ : QString());
    if (nombres.isEmpty())
        return hide();
    // Right under its field, over whatever lies below, from its first line
    // whatever the guard scrolled to before.
    QWidget* ventana = parentWidget();
    const QPoint debajo = campo_->mapTo(ventana, QPoint(0, campo_->height()));
    const int filas = qMin(8, modelo->rowCount());
    const int alto = filas * qMax(sizeHintForRow(0), 1) + 2 * frameWidth();
    setGeometry(debajo.x(), debajo.y(), campo_->width(), alto);
    scrollToTop();
    raise();
    show();
}

std::optional<QString> ListaNombres::elegido() const
{
    const QModelIndex actual = currentIndex();
    if (!static_cast<ModeloNombres*>(model())->esNombre(actual))
        return std::nullopt;
    return actual.data().toString();
}
