#pragma once

#include <QListView>
#include <QStringList>

#include <functional>
#include <optional>

class QLineEdit;

// The drop list of names under a text field. While completion is on, each
// change of the field's text asks for the names that begin with it and shows
// them right under the field; Down moves into the list, Enter or a double
// click puts the line into the field and the focus straight back there. When
// more names begin with the text, a last line says so and cannot be chosen.
class ListaCompletar : public QListView
{
    Q_OBJECT

public:
    // The names to offer for the typed text, in order; *hayMas when more
    // begin with it than are returned.
    using Proveedor = std::function<QStringList(const QString& prefijo, bool* hayMas)>;

    ListaCompletar(QLineEdit* campo, const QString& textoMas, Proveedor proveedor, QWidget* padre);

    QLineEdit* campo() const { return campo_; }

    bool activa() const { return activa_; }
    // Off: typing asks for nothing and the list hides.
    void fijarActiva(bool activa);

signals:
    // A name went into the field.
    void elegido(const QString& nombre);

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;
    void keyPressEvent(QKeyEvent* evento) override;
    void focusOutEvent(QFocusEvent* evento) override;

private:
    void rellenar();
    void fijarNombres(const QStringList& nombres, bool hayMas);
    void colocar();
    void entrar();
    void elegir(const QModelIndex& linea);
    void alCambiarFoco(QWidget* ahora);
    void ocultarListasDeLaVentana();
    std::optional<QString> nombreEn(const QModelIndex& linea) const;

    QLineEdit* campo_;
    QString textoMas_;
    Proveedor proveedor_;
    bool activa_ = true;
};
