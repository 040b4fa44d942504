#include "frmPrincipal.h"

#include "Principal.h"
#include "foundation/Contexto.h"
#include "platform/AccionBD.h"
#include "platform/Dialogos.h"
#include "platform/Imagenes.h"
#include "platform/Paneles.h"
#include "platform/Twips.h"

#include "Supervisor.h"
#include "admin/frmCambiar.h"
#include "admin/frmConfig.h"
#include "admin/frmUsuarios.h"
#include "census/ListadoCenso.h"
#include "census/frmConsultaCenso.h"
#include "census/frmNuevoCenso.h"
#include "notices/frmAvisos.h"
#include "visitlog/frmEstadisticasVisitas.h"
#include "visitlog/frmRegistroVisitas.h"
#include "visits/frmEntrada.h"
#include "visits/frmVisitasPendientes.h"

#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>

frmPrincipal::frmPrincipal(Contexto& ctx, QWidget* padre) : QMainWindow(padre), ctx_(ctx)
{
    setObjectName(QStringLiteral("frmPrincipal"));
    mdi_ = new QMdiArea(this);
    mdi_->setObjectName(QStringLiteral("Picture1"));
    setCentralWidget(mdi_);
    mdi_->viewport()->installEventFilter(this);
    BarraEstado = new QStatusBar(this);
    BarraEstado->setObjectName(QStringLiteral("BarraEstado"));
    setStatusBar(BarraEstado);
    supervisor_ = new Supervisor(ctx_, this);
    Timer1 = new QTimer(this);
    Timer1->setInterval(60000);
    connect(Timer1, &QTimer::timeout, this, &frmPrincipal::alTemporizador);
    connect(supervisor_, &Supervisor::avisosRevisados, this, &frmPrincipal::avisos);
    crearMenus();
}

QMenu* frmPrincipal::crearMenuBarra(const char* nombre, const QString& titulo)
{
    QMenu* menu = menuBar()->addMenu(titulo);
    menu->setObjectName(QString::fromLatin1(nombre));
    return menu;
}

QAction* frmPrincipal::crearEntrada(QMenu* menu, const char* nombre, const QString& titulo,
                                    const QString& icono, const QKeySequence& atajo)
{
    QAction* accion = menu->addAction(titulo);
    accion->setObjectName(QString::fromLatin1(nombre));
    if (!icono.isEmpty())
        accion->setIcon(CargarIcono(ctx_.carpetaPrograma(), QStringLiteral("ico/") + icono));
    accion->setShortcut(atajo);
    return accion;
}

void frmPrincipal::crearMenus()
{
    mnuEntradasSalidas =
        crearMenuBarra("mnuEntradasSalidas", QStringLiteral("Gestión de &Entradas/Salidas"));
    mnuNuevaEntrada =
        crearEntrada(mnuEntradasSalidas, "mnuNuevaEntrada", QStringLiteral("&Nueva Entrada"),
                     QStringLiteral("nueva_entrada.ico"), Qt::Key_F5);
    mnuVisitasPendientes = crearEntrada(mnuEntradasSalidas, "mnuVisitasPendientes",
                                        QStringLiteral("&Visitas Actuales"),
                                        QStringLiteral("visitas_actuales.ico"), Qt::Key_F6);
    mnuRegistroVisitas = crearEntrada(mnuEntradasSalidas, "mnuRegistroVisitas",
                                      QStringLiteral("Registro de Visitas"),
                                      QStringLiteral("registro_visitas.ico"), Qt::Key_F7);
    mnuEstadisticasVisitas = crearEntrada(mnuEntradasSalidas, "mnuEstadisticasVisitas",
                                          QStringLiteral("Estadísticas de Visitas"),
                                          QStringLiteral("estadisticas_visitas.ico"), Qt::Key_F8);

    mnuCensos = crearMenuBarra("mnuCensos", QStringLiteral("Gestión del &Censo"));
    mnuNuevoCenso = crearEntrada(mnuCensos, "mnuNuevoCenso", QStringLiteral("Nuevo Censo"),
                                 QStringLiteral("nuevo_censo.ico"), Qt::SHIFT | Qt::Key_F5);
    mnuConsultaCenso =
        crearEntrada(mnuCensos, "mnuConsultaCenso", QStringLiteral("Consultar Censo"),
                     QStringLiteral("consultar_censo.ico"), Qt::SHIFT | Qt::Key_F6);
    mnuListado = crearEntrada(mnuCensos, "mnuListado", QStringLiteral("Listado en Impresora"),
                              QStringLiteral("listado.ico"));

    // The fees menu and the backup entry exist but are never shown.
    mnuCuotas = crearMenuBarra("mnuCuotas", QStringLiteral("Gestión de Cuotas"));
    mnuOperacionesCuotas =
        crearEntrada(mnuCuotas, "mnuOperacionesCuotas",
                     QStringLiteral("Crear, Consultar, Modificar, Eliminar Cuotas"),
                     QStringLiteral("cuotas.ico"));
    mnuCuotas->menuAction()->setVisible(false);
    mnuCuotas->setEnabled(false);

    mnuSistema = crearMenuBarra("mnuSistema", QStringLiteral("&Sistema"));
    mnuConfig = crearEntrada(mnuSistema, "mnuConfig", QStringLiteral("Configuración"),
                             QStringLiteral("config.ico"));
    mnuUsuarios = crearEntrada(mnuSistema, "mnuUsuarios", QStringLiteral("Gestión de &Usuarios"),
                               QStringLiteral("usuarios.ico"));
    mnuRespaldo = crearEntrada(mnuSistema, "mnuRespaldo", QStringLiteral("Respaldo de Datos"),
                               QStringLiteral("respaldo.ico"));
    mnuRespaldo->setVisible(false);
    mnuRespaldo->setEnabled(false);
    mnuCambiar = crearEntrada(mnuSistema, "mnuCambiar", QStringLiteral("Cambiar Contraseña"),
                              QStringLiteral("cambiar.ico"));

    mnuSalir = menuBar()->addAction(QStringLiteral("&Salir"));
    mnuSalir->setObjectName(QStringLiteral("mnuSalir"));
    separador1 = menuBar()->addAction(QStringLiteral("|"));
    separador1->setObjectName(QStringLiteral("separador1"));
    mnuAyuda = menuBar()->addAction(QStringLiteral("&Ayuda"));
    mnuAyuda->setObjectName(QStringLiteral("mnuAyuda"));

    crearTablaPaneles();
    connect(mnuSalir, &QAction::triggered, this, &frmPrincipal::alSalir);
    connect(mnuAyuda, &QAction::triggered, this, &frmPrincipal::alAyuda);
}

void frmPrincipal::crearTablaPaneles()
{
    Contexto& ctx = ctx_;
    paneles_ = {
        {mnuNuevaEntrada,
         Permiso::NuevaEntrada,
         QStringLiteral("Abre panel de nueva entrada"),
         {},
         0,
         [&ctx] { return new frmEntrada(ctx); }},
        {mnuVisitasPendientes, Permiso::VisitasActuales,
         QStringLiteral("Abre panel de visitas actuales (pendientes)"), HayVisitasActuales, 38,
         [&ctx] { return new frmVisitasPendientes(ctx); }},
        {mnuRegistroVisitas,
         Permiso::RegistroVisitas,
         QStringLiteral("Abre el panel de registro de visitas"),
         {},
         0,
         [&ctx] { return new frmRegistroVisitas(ctx); }},
        {mnuEstadisticasVisitas,
         Permiso::EstadisticasVisitas,
         QStringLiteral("Abre el panel de estadísticas de visitas"),
         {},
         0,
         [&ctx] { return new frmEstadisticasVisitas(ctx); }},
        {mnuNuevoCenso,
         Permiso::NuevoCenso,
         QStringLiteral("Abre el panel de nuevo censo"),
         {},
         0,
         {},
         [this] { frmNuevoCenso::Abrir(ctx_, this, std::nullopt); }},
        {mnuConsultaCenso, Permiso::ConsultarCenso,
         QStringLiteral("Abre el panel de consultar censo"), HayCenso, 39,
         [&ctx] { return new frmConsultaCenso(ctx); }},
        {mnuListado,
         Permiso::ListadoCenso,
         {},
         {},
         0,
         {},
         [this] { ImprimirListadoCenso(ctx_, this); }},
        {mnuUsuarios,
         Permiso::GestionUsuarios,
         QStringLiteral("Abre panel Gestión de Usuarios"),
         {},
         0,
         [&ctx] { return new frmUsuarios(ctx); }},
        {mnuCambiar,
         Permiso::CambiarContrasena,
         QStringLiteral("Abre el panel de cambiar contraseña"),
         {},
         0,
         {},
         [this] { frmCambiar::Abrir(ctx_, this); }},
        {mnuConfig,
         std::nullopt,
         QStringLiteral("Abre el panel de Configuración"),
         {},
         0,
         [&ctx] { return new frmConfig(ctx); }},
    };
    for (EntradaPanel& fila : paneles_)
        if (!fila.suceso.isEmpty() || fila.crear || fila.modal)
            connect(fila.entrada, &QAction::triggered, this, [this, &fila] { alElegir(fila); });
}

void frmPrincipal::alElegir(const EntradaPanel& fila)
{
    bool hay = true;
    if (fila.hayQueMostrar &&
        !AccionBD(ctx_, this, [&](BaseDatos& bd) { hay = fila.hayQueMostrar(bd); }))
        return;
    if (fila.modal)
        return abrirModal(fila);
    if (!fila.suceso.isEmpty())
        ctx_.registrar(fila.suceso);
    if (!hay)
        return ctx_.dialogos.informar(this, ctx_.texto(fila.slotNadaQueMostrar));
    if (!fila.crear)
        return;
    // An open panel is only brought to the front.
    QPointer<QMdiSubWindow>& abierto = abiertos_[fila.entrada];
    if (abierto) {
        abierto->showNormal();
        return TraerPanel(abierto->widget());
    }
    abierto = mostrarPanel(fila.crear());
}

void frmPrincipal::abrirModal(const EntradaPanel& fila)
{
    // The entry stays off while its window is open; the event text tells
    // that the window was used, once it is closed.
    fila.entrada->setEnabled(false);
    fila.modal();
    fila.entrada->setEnabled(true);
    if (!fila.suceso.isEmpty())
        ctx_.registrar(fila.suceso);
}

void frmPrincipal::aplicarTextos()
{
    mnuEntradasSalidas->setTitle(ctx_.texto(10));
    mnuCensos->setTitle(ctx_.texto(11));
    mnuSistema->setTitle(ctx_.texto(12));
    mnuSalir->setText(ctx_.texto(13));
    mnuAyuda->setText(ctx_.texto(14));
    mnuNuevaEntrada->setText(ctx_.texto(15));
    mnuVisitasPendientes->setText(ctx_.texto(16));
    mnuRegistroVisitas->setText(ctx_.texto(17));
    mnuEstadisticasVisitas->setText(ctx_.texto(18));
    mnuNuevoCenso->setText(ctx_.texto(19));
    mnuConsultaCenso->setText(ctx_.texto(20));
    mnuListado->setText(ctx_.texto(21));
    mnuCambiar->setText(ctx_.texto(22));
    mnuUsuarios->setText(ctx_.texto(314));
}

void frmPrincipal::aplicarPermisos()
{
    const std::pair<Permiso, QMenu*> menus[] = {
        {Permiso::MostrarEntradasSalidas, mnuEntradasSalidas},
        {Permiso::MostrarCenso, mnuCensos},
        {Permiso::MostrarSistema, mnuSistema},
    };
    for (const auto& [permiso, menu] : menus)
        if (!ctx_.permisos.tiene(permiso))
            menu->menuAction()->setVisible(false);
    for (const EntradaPanel& fila : paneles_)
        if (fila.permiso && !ctx_.permisos.tiene(*fila.permiso))
            fila.entrada->setVisible(false);
}

void frmPrincipal::cargar()
{
    setWindowIcon(CargarIcono(ctx_.carpetaPrograma(), QStringLiteral("ico/zelvora.ico")));
    setWindowTitle(ctx_.texto(9) + ctx_.usuario.nombreCompleto());
    if (QScreen* pantalla = screen()) {
        const QRect area = pantalla->geometry();
        setGeometry(area.x(), area.y(), area.width(), area.height() - Px(1000));
    }
    fondo_ = CargarImagen(ctx_.carpetaPrograma(), QStringLiteral("img/fondo4.jpg"));
    pintarFondo();
    ctx_.traspaso.AvisosTop = 0;
    ctx_.traspaso.AvisosLeft = 11000;
    aplicarTextos();

    // Without the grants the user sees no governed entry at all.
    ctx_.permisos.quitarTodos();
    AccionBD(ctx_, this,
             [&](BaseDatos& bd) { ctx_.permisos = LeerPermisos(bd, ctx_.usuario.UsuarioId); });
    aplicarPermisos();
    Timer1->start();
    show();
    ctx_.dialogos.informar(this, ctx_.texto(7) + ctx_.usuario.nombreCompleto(), ctx_.texto(8));
}

void frmPrincipal::pintarFondo()
{
    // The background always fills the whole inner area.
    if (fondo_.isNull())
        return;
    const QSize tamano = mdi_->viewport()->size();
    if (!tamano.isEmpty())
        mdi_->setBackground(fondo_.scaled(tamano, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

bool frmPrincipal::eventFilter(QObject* objeto, QEvent* evento)
{
    // The inner area is laid out after the frame's own resize: follow it.
    if (objeto == mdi_->viewport() && evento->type() == QEvent::Resize)
        pintarFondo();
    return QMainWindow::eventFilter(objeto, evento);
}

void frmPrincipal::alTemporizador()
{
    supervisor_->tick();
}

void frmPrincipal::avisos(bool hayVencidos)
{
    if (avisos_) {
        QWidget* marco = avisos_->parentWidget();
        if (!hayVencidos && !avisos_->ocupado())
            marco->close();
        else
            marco->show();
        return;
    }
    if (!hayVencidos)
        return;
    avisos_ = new frmAvisos(ctx_);
    QMdiSubWindow* sub = mostrarPanel(avisos_);
    // Where it was left, but never out of sight on a smaller screen.
    const QSize area = mdi_->viewport()->size();
    sub->move(qBound(0, Px(ctx_.traspaso.AvisosLeft), qMax(0, area.width() - sub->width())),
              qBound(0, Px(ctx_.traspaso.AvisosTop), qMax(0, area.height() - sub->height())));
}

QMdiSubWindow* frmPrincipal::subventana(const QString& nombre) const
{
    for (QMdiSubWindow* sub : mdi_->subWindowList())
        if (sub->widget() && sub->widget()->objectName() == nombre)
            return sub;
    return nullptr;
}

QWidget* frmPrincipal::panel(const QString& nombre) const
{
    QMdiSubWindow* sub = subventana(nombre);
    return sub ? sub->widget() : nullptr;
}

QMdiSubWindow* frmPrincipal::mostrarPanel(Panel* panel)
{
    const QSize deseado = panel->size().expandedTo(panel->sizeHint());
    QMdiSubWindow* sub = mdi_->addSubWindow(panel);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowIcon(panel->windowIcon());
    connect(panel, &QWidget::windowTitleChanged, sub, &QWidget::setWindowTitle);
    sub->move(0, 0);
    sub->show();
    // The panel's own size, plus the frame the subwindow draws around it.
    sub->resize(deseado + sub->size() - panel->size());
    mdi_->setActiveSubWindow(sub);
    panel->alAbrir();
    return sub;
}

void frmPrincipal::alSalir()
{
    ctx_.registrar(QStringLiteral("Hace click en la opción salir del menú principal"));
    close();
}

void frmPrincipal::alAyuda()
{
    ctx_.registrar(QStringLiteral("Hace click en la opción ayuda del menú principal"));
    ctx_.dialogos.informar(this, QStringLiteral("Zelvora ver. 4.6"));
}

void frmPrincipal::closeEvent(QCloseEvent* evento)
{
    if (!ctx_.dialogos.confirmar(this, ctx_.texto(36), ctx_.texto(37))) {
        evento->ignore();
        return;
    }
    ctx_.registrar(QStringLiteral("Sale del programa desde la opción salir del menú principal"));
    mdi_->closeAllSubWindows();
    evento->accept();
    ctx_.pedirFin(0);
}
