#pragma once

#include "platform/Paneles.h"
#include "visitlog/RegistroVisitas.h"

#include <QList>

class Contexto;
class ModeloTabla;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTreeView;

// The visitor log: visits by a range of days on entry or exit times, or those
// still inside, narrowed by five filters, newest first. Prints or exports the
// visits it shows; a double click opens the exit panel for a visitor inside.
class frmRegistroVisitas : public Panel
{
    Q_OBJECT

public:
    explicit frmRegistroVisitas(Contexto& ctx, QWidget* padre = nullptr);

    void alAbrir() override;
    // Reads the log again with the controls as they are; false when nothing
    // was read (a wrong companions filter, a failed statement).
    bool realizarConsulta();
    void abrirSalida();
    void exportar();

    // The visits the list shows, in its order.
    const QList<Visita>& visitas() const { return visitas_; }
    ModeloTabla* modelo() const { return modelo_; }

    QLabel* Label1;
    QDateEdit* calFechaInicial;
    QLabel* Label8;
    QDateEdit* calFechaFinal;
    QRadioButton* optEntradas;
    QRadioButton* optVisitasActuales;
    QRadioButton* optSalidas;
    QLabel* Label3;
    QLineEdit* txtNombreVisitante;
    QLabel* Label6;
    QLineEdit* txtPlacaVehiculo;
    QLabel* Label5;
    QLineEdit* txtAutorizaIngreso;
    QLabel* Label7;
    QLineEdit* txtObservaciones;
    QLabel* Label4;
    QLineEdit* txtNAcomp;
    QPushButton* btnESListadoPdf;
    QPushButton* btnExportar;
    QPushButton* btnRealizarConsulta;
    QTreeView* ListView1;

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    void crearControles();
    void colocarControles();
    void seguirActivacion();
    void imprimirListado();
    // The filter as the controls give it; false (with the message) when the
    // companions filter is not a whole number 0-99.
    bool leerFiltro(FiltroRegistro* filtro);

    Contexto& ctx_;
    ModeloTabla* modelo_;
    QList<Visita> visitas_;
    bool abierto_ = false;
    // A run that ended in a box: the activation its closing brings does not
    // run the query again (the same box would come back at once).
    bool trasAviso_ = false;
};
