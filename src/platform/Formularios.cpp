#include "Formularios.h"

#include <QGridLayout>
#include <QLabel>

void FilaFormulario(QGridLayout* rejilla, int fila, QLabel* rotulo, QWidget* campo)
{
    rotulo->setBuddy(campo);
    rejilla->addWidget(rotulo, fila, 0);
    rejilla->addWidget(campo, fila, 1);
}
