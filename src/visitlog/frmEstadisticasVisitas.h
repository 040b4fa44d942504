#pragma once

#include "platform/Paneles.h"

class Contexto;
class QPushButton;

enum class Estadistica;

// Three buttons, each counting the visits one way and showing the largest
// counts in a message box; nothing to count shows nothing.
class frmEstadisticasVisitas : public Panel
{
    Q_OBJECT

public:
    explicit frmEstadisticasVisitas(Contexto& ctx, QWidget* padre = nullptr);

    QPushButton* btnEstadistica1;
    QPushButton* btnEstadistica2;
    QPushButton* btnEstadistica3;

private:
    QPushButton* crearBoton(const char* nombre, int slot, Estadistica estadistica);
    void mostrar(Estadistica estadistica);

    Contexto& ctx_;
};
