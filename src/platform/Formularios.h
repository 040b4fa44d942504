#pragma once

class QGridLayout;
class QLabel;
class QWidget;

// A caption and its field on one row of a form's grid. The caption becomes
// the field's buddy, so that a screen reader names the field by it.
void FilaFormulario(QGridLayout* rejilla, int fila, QLabel* rotulo, QWidget* campo);
