#pragma once

#include "foundation/Permisos.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <optional>
#include <vector>

class BaseDatos;
class Contexto;
class Panel;
class frmAvisos;
class QAction;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QStatusBar;
class QTimer;
class Supervisor;

// The main frame: greets the user, shows only the menu entries the user's
// permissions allow, holds every panel as a child window, and asks before
// the program ends.
class frmPrincipal : public QMainWindow
{
    Q_OBJECT

public:
    explicit frmPrincipal(Contexto& ctx, QWidget* padre = nullptr);

    // The window's load: caption, permissions, menus, greeting.
    void cargar();

    QMdiArea* areaPaneles() const { return mdi_; }
    // The open panel of that name (its objectName), or none.
    QWidget* panel(const QString& nombre) const;

    // The minute tick: backup, notices, size check, each when switched on.
    void alTemporizador();
    Supervisor& supervisor() const { return *supervisor_; }

    QMenu* mnuEntradasSalidas;
    QAction* mnuNuevaEntrada;
    QAction* mnuVisitasPendientes;
    QAction* mnuRegistroVisitas;
    QAction* mnuEstadisticasVisitas;
    QMenu* mnuCensos;
    QAction* mnuNuevoCenso;
    QAction* mnuConsultaCenso;
    QAction* mnuListado;
    QMenu* mnuCuotas;
    QAction* mnuOperacionesCuotas;
    QMenu* mnuSistema;
    QAction* mnuConfig;
    QAction* mnuUsuarios;
    QAction* mnuRespaldo;
    QAction* mnuCambiar;
    QAction* mnuSalir;
    QAction* separador1;
    QAction* mnuAyuda;
    QStatusBar* BarraEstado;
    QTimer* Timer1;

protected:
    void closeEvent(QCloseEvent* evento) override;
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    // What one menu entry opens. A new panel is one row of this table.
    struct EntradaPanel
    {
        QAction* entrada;
        std::optional<Permiso> permiso; // without it the entry is hidden
        QString suceso;                 // event-log text on choosing it
        // Read before opening; nothing to show gives the message of that slot.
        std::function<bool(BaseDatos&)> hayQueMostrar;
        int slotNadaQueMostrar = 0;
        std::function<Panel*()> crear; // none: the entry has no panel yet
        // A modal window instead of a panel: shown and waited for.
        std::function<void()> modal = {};
    };

    void crearMenus();
    void crearTablaPaneles();
    void alElegir(const EntradaPanel& fila);
    void abrirModal(const EntradaPanel& fila);
    QAction* crearEntrada(QMenu* menu, const char* nombre, const QString& titulo,
                          const QString& icono, const QKeySequence& atajo = {});
    QMenu* crearMenuBarra(const char* nombre, const QString& titulo);
    void aplicarTextos();
    void aplicarPermisos();
    void pintarFondo();

    QMdiSubWindow* subventana(const QString& nombre) const;
    // Shows the panel in the frame's top-left corner, then lets it read.
    QMdiSubWindow* mostrarPanel(Panel* panel);

    // Shows or closes the notices panel after the tick has read the notices.
    void avisos(bool hayVencidos);
    void alSalir();
    void alAyuda();

    Contexto& ctx_;
    Supervisor* supervisor_;
    QMdiArea* mdi_;
    QPixmap fondo_;
    std::vector<EntradaPanel> paneles_;
    QHash<const QAction*, QPointer<QMdiSubWindow>> abiertos_;
    QPointer<frmAvisos> avisos_;
};
