#pragma once

#include "platform/Paneles.h"

#include <QList>

class Contexto;
class ModeloTabla;
class QTreeView;

struct Visita;

// The visits as the list shows them, one row each.
void MostrarVisitas(ModeloTabla& modelo, const QList<Visita>& visitas);

// Everybody inside now, newest entry first; a double click or Enter opens the
// exit panel for the visitor (with permission 16).
class frmVisitasPendientes : public Panel
{
    Q_OBJECT

public:
    explicit frmVisitasPendientes(Contexto& ctx, QWidget* padre = nullptr);

    void alAbrir() override { recargar(); }
    void recargar();
    void abrirSalida();

    QTreeView* ListView1;
    ModeloTabla* modelo() const { return modelo_; }

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    Contexto& ctx_;
    ModeloTabla* modelo_;
    bool fallo_ = false;
};
