#pragma once

#include "VisitasProgramadas.h"

#include <QWidget>

class CamposVisita;
class Contexto;
class ModeloTabla;
class QCheckBox;
class QDateEdit;
class QFrame;
class QLabel;
class QModelIndex;
class QPushButton;
class QTimeEdit;
class QTreeView;

// The scheduled visits of the new-entry panel: a visit is scheduled from the
// panel's own fields and two pickers, and the list of scheduled visits, under
// one of three filters, hands a visit back to the fields when the visitor
// arrives. Hidden on terminals that do not schedule visits.
class SeccionProgramadas : public QWidget
{
    Q_OBJECT

public:
    SeccionProgramadas(Contexto& ctx, CamposVisita& campos, QWidget* panel);

    void programarVisita();
    // The button: opens the list and reads it, or closes it.
    void alternarLista();
    void recargar();
    bool listaAbierta() const { return abierta_; }

    QFrame* Line1;
    QLabel* lblFechaVisitaProgramada;
    QDateEdit* calFechaVisitaProgramada;
    QLabel* lblHoraVisitaProgramada;
    QTimeEdit* calHoraVisitaProgramada;
    QPushButton* btnProgramarVisita;
    QPushButton* btnVerVisitasProgramadas;
    QCheckBox* chkVerVisitasHoy;
    QCheckBox* chkVerVisitasUltimoMes;
    QCheckBox* chkVerVisitasTodas;
    QCheckBox* chkCargaVPFormulario;
    QLabel* lblVerVisitasHoy;
    QLabel* lblVerVisitasUltimoMes;
    QLabel* lblVerVisitasTodas;
    QLabel* lblCargaVPFormulario;
    QLabel* lblTotalVP;
    QTreeView* ListView1;
    ModeloTabla* modelo() const { return modelo_; }
    // The visit last clicked in the list; 0 when none.
    int IdVisitaProgramadaSel = 0;

protected:
private:
    QCheckBox* casilla(const char* nombre, bool marcada);
    QLabel* etiqueta(const char* nombre, int slot, QCheckBox* casilla);
    void crearLista();
    void disponer();
    void conectar();
    void cargar();

    FiltroProgramadas filtro() const;
    void alElegirFiltro(QCheckBox* pulsada);
    void alPulsarVisita(const QModelIndex& indice);
    void eliminarVisita(const QModelIndex& indice);
    void mostrarLista(bool abrir);
    void ajustarAlto();
    QWidget* ventanaDelPanel() const;

    Contexto& ctx_;
    CamposVisita& campos_;
    ModeloTabla* modelo_;
    // The filters, the copy box, the count and the list: shown while open.
    QWidget* seccionLista_ = nullptr;
    bool abierta_ = false;
    int altoCerrado_ = 0;
};
