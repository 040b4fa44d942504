#include "Formularios.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

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
