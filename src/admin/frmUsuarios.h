#pragma once

#include "platform/Paneles.h"

class Contexto;
class ModeloTabla;
class QLineEdit;
class QModelIndex;
class QPushButton;
class QTreeView;
struct ClaveUsuario;
struct DatosUsuario;
struct PermisoUsuario;
enum class ResultadoUsuario;

// The program's users and their sixteen grants. Grants are toggled on screen
// and stored with the user by Modify; a chosen user's password shows as a
// mask, since only its hash is stored.
class frmUsuarios : public Panel
{
    Q_OBJECT

public:
    explicit frmUsuarios(Contexto& ctx, QWidget* padre = nullptr);

    void alAbrir() override { cargar(); }
    void cargar();

    // The user whose data and grants the panel shows; 0 when none.
    int IdUsuarioSel() const { return idUsuarioSel_; }

    QLineEdit* txtUsuario;
    QLineEdit* txtClave;
    QLineEdit* txtNombre;
    QLineEdit* txtApe1;
    QLineEdit* txtApe2;
    QPushButton* btnAgregarUsuario;
    QPushButton* btnModificarUsuario;
    QPushButton* btnEliminarUsuario;
    QPushButton* btnListadoCompleto;
    QTreeView* ListView1;
    QTreeView* ListView2;

    ModeloTabla* modeloUsuarios() const { return usuarios_; }
    ModeloTabla* modeloPermisos() const { return permisos_; }

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;
    void closeEvent(QCloseEvent* evento) override;

private:
    void crearControles();
    void colocarControles();
    QPushButton* crearBoton(const char* nombre, int slot, const char* icono);

    void listadoCompleto();
    void mostrarPermisos(const QList<PermisoUsuario>& permisos);
    void vaciarCampos();
    void elegirUsuario(const QModelIndex& indice);
    void cambiarPermiso();
    void agregarUsuario();
    void modificarUsuario();
    void eliminarUsuario();

    // The box of a failed check, the focus on the field; always false.
    bool avisar(int slot, QLineEdit* campo);
    bool camposCompletos(int slotUsuario, int slotClave, int slotNombre);
    DatosUsuario datos() const;
    ClaveUsuario clave() const;
    void informarRechazo(ResultadoUsuario resultado, const QString& ultimoAdministrador);

    Contexto& ctx_;
    ModeloTabla* usuarios_;
    ModeloTabla* permisos_;
    int idUsuarioSel_ = 1;
    // The user whose password the mask in txtClave stands for; 0 when none.
    int idClaveMostrada_ = 0;
};
