#pragma once

#include <QString>

#include <memory>

class QWidget;

// How far a long run has gone, and whether the guard asked to stop it. The
// program shows a progress box; tests stand in for the guard.
class Progreso
{
public:
    virtual ~Progreso() = default;
    // hechos of the total given at the start.
    virtual void avanzar(int hechos) = 0;
    virtual bool cancelado() const = 0;
};

// A window-modal progress box over the ventana's top window, with a Cancel
// button; it appears only when the run lasts over a second.
std::unique_ptr<Progreso> AbrirProgresoQt(QWidget* ventana, const QString& texto, int total);
