#include "ListaCompletar.h"

#include <QApplication>
#include <QFont>
#include <QKeyEvent>
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

ListaCompletar::ListaCompletar(QLineEdit* campo, const QString& textoMas, Proveedor proveedor,
                               QWidget* padre)
    : QListView(padre), campo_(campo), textoMas_(textoMas), proveedor_(std::move(proveedor))
{
    setModel(new ModeloNombres(this));
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformItemSizes(true);
    // Down enters it; Tab goes on to the next field.
    setFocusPolicy(Qt::ClickFocus);
    hide();
    campo_->installEventFilter(this);
    connect(campo_, &QLineEdit::textChanged, this, &ListaCompletar::rellenar);
    connect(this, &QAbstractItemView::doubleClicked, this, &ListaCompletar::elegir);
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* ahora) { alCambiarFoco(ahora); });
}

void ListaCompletar::fijarActiva(bool activa)
{
    activa_ = activa;
    if (!activa_)
        hide();
}

void ListaCompletar::rellenar()
{
    if (!activa_)
        return;
    const QString texto = campo_->text();
    if (texto.isEmpty())
        return hide();
    bool hayMas = false;
    const QStringList nombres = proveedor_(texto, &hayMas);
    fijarNombres(nombres, hayMas);
}

void ListaCompletar::fijarNombres(const QStringList& nombres, bool hayMas)
{
    static_cast<ModeloNombres*>(model())->fijar(nombres, hayMas ? textoMas_ : QString());
    if (nombres.isEmpty())
        return hide();
    colocar();
    // From its first line, whatever the guard scrolled to before.
    scrollToTop();
    raise();
    show();
}

void ListaCompletar::colocar()
{
    // Right under its field, over whatever lies below, at most eight lines tall.
    QWidget* ventana = parentWidget();
    const QPoint debajo = campo_->mapTo(ventana, QPoint(0, campo_->height()));
    const int filas = qMin(8, model()->rowCount());
    const int alto = filas * qMax(sizeHintForRow(0), 1) + 2 * frameWidth();
    setGeometry(debajo.x(), debajo.y(), campo_->width(), alto);
}

bool ListaCompletar::eventFilter(QObject* objeto, QEvent* evento)
{
    if (objeto != campo_ || !activa_)
        return QListView::eventFilter(objeto, evento);
    const QEvent::Type tipo = evento->type();
    if (tipo == QEvent::KeyPress && static_cast<QKeyEvent*>(evento)->key() == Qt::Key_Down &&
        isVisible()) {
        entrar();
        return true;
    }
    if (tipo == QEvent::MouseButtonPress)
        ocultarListasDeLaVentana();
    return QListView::eventFilter(objeto, evento);
}

void ListaCompletar::entrar()
{
    setFocus(Qt::OtherFocusReason);
    setCurrentIndex(model()->index(0, 0));
}

void ListaCompletar::keyPressEvent(QKeyEvent* evento)
{
    if (evento->key() == Qt::Key_Return || evento->key() == Qt::Key_Enter)
        return elegir(currentIndex());
    QListView::keyPressEvent(evento);
}

void ListaCompletar::focusOutEvent(QFocusEvent* evento)
{
    QListView::focusOutEvent(evento);
    hide();
}

void ListaCompletar::elegir(const QModelIndex& linea)
{
    const std::optional<QString> nombre = nombreEn(linea);
    if (nombre)
        campo_->setText(*nombre);
    // Straight back to its field: hiding the list first would pass the focus
    // on to the next field, as a Tab does (selecting all, or leaving the name).
    campo_->setFocus(Qt::OtherFocusReason);
    hide();
    campo_->deselect();
    campo_->end(false);
    if (nombre)
        emit elegido(*nombre);
}

std::optional<QString> ListaCompletar::nombreEn(const QModelIndex& linea) const
{
    if (!static_cast<ModeloNombres*>(model())->esNombre(linea))
        return std::nullopt;
    return linea.data().toString();
}

void ListaCompletar::alCambiarFoco(QWidget* ahora)
{
    // Another control of the window took the focus. The focus going to
    // another window, or to the window itself (a click on a caption), is not
    // the guard moving on: the list stays for the return.
    if (!isVisible() || !ahora || ahora == campo_ || ahora == this)
        return;
    if (ahora->window() != window() || ahora->isAncestorOf(this))
        return;
    hide();
}

void ListaCompletar::ocultarListasDeLaVentana()
{
    // A click in a field closes every drop list beside it, not only its own.
    for (auto* lista : parentWidget()->findChildren<ListaCompletar*>(Qt::FindDirectChildrenOnly))
        lista->hide();
}
