#pragma once

#include <QString>

class QCheckBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QWidget;

// A control of a form, named as the code and the tests know it.
template <typename T> T* Control(QWidget* ventana, const QString& nombre)
{
    auto* control = new T(ventana);
    control->setObjectName(nombre);
    return control;
}

// A text field that takes at most limite characters (0: the field's own
// default).
QLineEdit* Campo(QWidget* ventana, const QString& nombre, int limite);

// A caption and its field on one row of a form's grid. The caption becomes
// the field's buddy, so that a screen reader names the field by it.
void FilaFormulario(QGridLayout* rejilla, int fila, QLabel* rotulo, QWidget* campo);

// A password field: each character typed is shown as "*".
QLineEdit* CampoClave(QWidget* ventana, const QString& nombre, int limite);

// A check box, ticked or not.
QCheckBox* Casilla(QWidget* ventana, const QString& nombre, bool marcada = false);

// The caption of a check box: it names the box, and a click on it is a click
// on the box.
QLabel* RotuloCasilla(QWidget* ventana, const QString& nombre, const QString& texto,
                      QCheckBox* casilla);
