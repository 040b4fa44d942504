#pragma once

#include "CamposVisita.h"
#include "platform/ListaCompletar.h"
#include "platform/Paneles.h"

class Contexto;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;
class SeccionProgramadas;
class SeccionCamara;

// The new-entry panel: a guard checks a visitor in, helped by name completion
// and the carry-over of the visitor's last visit; a visitor still inside goes
// to the exit panel instead.
class frmEntrada : public Panel
{
    Q_OBJECT

public:
    explicit frmEntrada(Contexto& ctx, QWidget* padre = nullptr);

    void alTemporizador();
    void agregarEntrada();
    // The last visit's authoriser, plate and observations into the fields.
    void cargarUltimaVisita();
    // After an exit registered from here: the visitor fields start again.
    void vaciarTrasSalida();

    CamposVisita campos;
    ListaCompletar* lstNombreVisitante;
    ListaCompletar* lstAutorizaIngreso;
    QCheckBox* chkAutoCompletarNV;
    QCheckBox* chkAutoCompletarAI;
    QCheckBox* chkAutoCargarVisita;
    QCheckBox* chkCargaUltimaVisita;
    QCheckBox* chkCargaVisitaProgramada;
    QCheckBox* chkAviso;
    QLabel* Label8;
    QLabel* Label9;
    QLabel* Label10;
    QLabel* lblCargaUltimaVisita;
    QLabel* lblCargaVisitaProgramada;
    QLabel* lblAviso1;
    QLabel* lblAviso2;
    QLineEdit* txtAviso;
    QPushButton* btnAgregarEntrada;
    QTimer* Timer1;
    SeccionProgramadas* programadas;
    SeccionCamara* seccionCamara;
    // Moment of the last picture, "yyyy-mm-dd hh-mm-ss"; the entry takes its time.
    QString FechaHoraFoto;

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    QCheckBox* casilla(const char* nombre, bool marcada);
    QLabel* etiqueta(const char* nombre, int slot, QCheckBox* casilla);
    ListaCompletar* listaNombres(const char* nombre, QLineEdit* campo);
    void disponer();
    void conectar();
    void cargar();

    TablaVisitas tablaOrigen() const;
    QStringList nombresQueEmpiezanPor(QLineEdit* campo, const QString& prefijo, bool* hayMas);
    bool filtrarEtiqueta(QObject* objeto, QEvent* evento);
    void filtrarOrigen(QObject* objeto, QEvent* evento);
    void filtrarCampo(QObject* objeto, QEvent* evento);
    void alCambiarOrigen(QCheckBox* pulsada, bool porTeclado);

    Contexto& ctx_;
};
