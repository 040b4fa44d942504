#include "Formularios.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace {

class ClicEnRotulo : public QObject
{
public:
    ClicEnRotulo(QLabel* rotulo, QCheckBox* casilla) : QObject(rotulo), casilla_(casilla)
    {
        rotulo->installEventFilter(this);
    }

    bool eventFilter(QObject*, QEvent* evento) override
    {
        if (evento->type() != QEvent::MouseButtonRelease)
            return false;
        casilla_->click();
        return true;
    }

private:
    QCheckBox* casilla_;
};

} // namespace

void FilaFormulario(QGridLayout* rejilla, int fila, QLabel* rotulo, QWidget* campo)
{
    rotulo->setBuddy(campo);
    rejilla->addWidget(rotulo, fila, 0);
    rejilla->addWidget(campo, fila, 1);
}

QLineEdit* Campo(QWidget* ventana, const QString& nombre, int limite)
{
    auto* campo = Control<QLineEdit>(ventana, nombre);
    if (limite > 0)
        campo->setMaxLength(limite);
    return campo;
}

QLineEdit* CampoClave(QWidget* ventana, const QString& nombre, int limite)
{
    QLineEdit* campo = Campo(ventana, nombre, limite);
    campo->setEchoMode(QLineEdit::Password);
    campo->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));
    return campo;
}

QCheckBox* Casilla(QWidget* ventana, const QString& nombre, bool marcada)
{
    auto* casilla = Control<QCheckBox>(ventana, nombre);
    casilla->setChecked(marcada);
    return casilla;
}

QLabel* RotuloCasilla(QWidget* ventana, const QString& nombre, const QString& texto,
                      QCheckBox* casilla)
{
    auto* rotulo = new QLabel(texto, ventana);
    rotulo->setObjectName(nombre);
    rotulo->setBuddy(casilla);
    new ClicEnRotulo(rotulo, casilla);
    return rotulo;
}
