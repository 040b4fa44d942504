#pragma once

#include "census/Censo.h"
#include "census/ConsultaCenso.h"
#include "census/Marcado.h"
#include "platform/Paneles.h"

#include <functional>
#include <memory>

class Contexto;
class ModeloTabla;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QModelIndex;
class QTreeView;

// The guard's look-up of the dwellings: the census by unit number, narrowed
// by any of twelve fields, owners and tenants counted in the caption, the
// selected dwelling's residents, vehicles and notes, its editing, and the
// dialing of its telephone.
class frmConsultaCenso : public Panel
{
    Q_OBJECT

public:
    explicit frmConsultaCenso(Contexto& ctx, QWidget* padre = nullptr);
    ~frmConsultaCenso() override;

    void alAbrir() override;
    // The window's load: the whole census, telephones in bold, the first
    // dwelling's detail, the counts after the title.
    void cargar();
    // The search as the twelve fields give it; false when it was refused or
    // found nothing (the list then keeps what it showed).
    bool realizarConsulta();
    void verTodoCenso();
    void verNotas();
    void llamar();

    // Opens the editing window on a dwelling, modal, and then reads the
    // census again when it was changed (or closes when it was left empty).
    // Tests put their own here.
    std::function<void(int idCenso)> editarCenso;
    // The modem each dialing uses, a new one per call; tests put an emulated
    // line behind it and a short wait.
    std::function<std::unique_ptr<Modem>()> crearModem;
    std::chrono::milliseconds esperaModem = kEsperaMarcado;

    // The dwelling whose detail is shown.
    int idCensoSel() const { return idCensoSel_; }
    ModeloTabla* modelo() const;

    QLabel* lblNomUnidad;
    QLineEdit* txtNomUnidad;
    QLabel* lblNumInmueble;
    QLineEdit* txtNumInmueble;
    QLabel* lblTorre;
    QLineEdit* txtTorre;
    QLabel* lblTfnoInmuebleTitulo;
    QLineEdit* txtTfnoInmueble;
    QLabel* lblNombre;
    QLineEdit* txtNombre;
    QLabel* lblApe1;
    QLineEdit* txtApe1;
    QLabel* lblApe2;
    QLineEdit* txtApe2;
    QLabel* lblTipoUsu;
    QLineEdit* txtTipoUsu;
    QLabel* lblVehPlaca;
    QLineEdit* txtVehPlaca;
    QLabel* lblVehDescr;
    QLineEdit* txtVehDescr;
    QLabel* lblVehTipo;
    QLineEdit* txtVehTipo;
    QLabel* lblNotas;
    QLineEdit* txtNotas;
    QPushButton* btnRealizarConsulta;
    QPushButton* btnVerTodoCenso;
    QPushButton* btnNotas;
    QTreeView* ListView1;
    QLabel* lblInformacionTitulo;
    QPlainTextEdit* txtInformacion;
    QLabel* lblTfnoInmueble;
    QCheckBox* chkLlamadaAuto;
    QPushButton* btnLlamar;
    QLabel* lblDebeCuotas;

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;
    void closeEvent(QCloseEvent* evento) override;

private:
    void crearControles();
    void crearBuscador();
    void colocarControles();
    void opcionMarcado();
    QList<QLineEdit*> camposBusqueda() const;
    BusquedaCenso leerBusqueda() const;
    bool busquedaCorrecta(const BusquedaCenso& busqueda);
    // Fills the list and shows the first dwelling; the counts go to the caption.
    void mostrar(QList<FilaCenso> filas, const std::optional<RegistroCenso>& primero);
    void seleccionar(const QModelIndex& indice);
    void abrirEdicion(bool revisarPermisos);
    void editar(int idCenso);
    void alEnterNumInmueble();
    void marcadoAuto();
    void marcar();

    Contexto& ctx_;
    ModeloTabla* modelo_;
    int idCensoSel_ = 0;
    bool marcando_ = false;
    std::unique_ptr<Modem> modem_;
};
