#pragma once

#include "platform/Paneles.h"

class Contexto;
class ModeloTabla;
class QTimer;
class QTreeView;

// Due notices with the minutes since each visitor came in. Refreshes every
// minute, closes itself when nothing is due, and reopens where it was left.
class frmAvisos : public Panel
{
    Q_OBJECT

public:
    explicit frmAvisos(Contexto& ctx, QWidget* padre = nullptr);

    // The load: times with seconds, caption slot 232.
    void cargar();
    void alAbrir() override { cargar(); }
    // The minute tick: times without seconds, caption slot 61; closes when none is due.
    void alTemporizador();
    void eliminarSeleccionado();

    // True while it waits for the guard (a box is open): nobody closes it then.
    bool ocupado() const { return ocupado_ > 0; }

    QTreeView* ListView1;
    QTimer* Timer1;
    ModeloTabla* modelo() const { return modelo_; }

protected:
    void closeEvent(QCloseEvent* evento) override;

private:
    // Fills the list; returns the number of due notices, or -1 when the read failed.
    int llenar(bool conSegundos);

    Contexto& ctx_;
    ModeloTabla* modelo_;
    int ocupado_ = 0;
};
