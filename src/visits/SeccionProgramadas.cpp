#include "SeccionProgramadas.h"

#include "CamposVisita.h"
#include "foundation/Contexto.h"
#include "frmVisitasPendientes.h"
#include "platform/AccionBD.h"
#include "platform/Dialogos.h"
#include "platform/Formularios.h"
#include "platform/Imagenes.h"
#include "platform/ListaCompletar.h"
#include "platform/ListaInforme.h"
#include "platform/ModeloTabla.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTimeEdit>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const QString kConsultaLista =
    QStringLiteral("Realiza consulta de visitas programadas haciendo click en el botón Ver "
                   "Visitas Programadas");

QHBoxLayout* Fila(std::initializer_list<QWidget*> controles)
{
    auto* capa = new QHBoxLayout;
    for (QWidget* control : controles)
        capa->addWidget(control);
    capa->addStretch();
    return capa;
}

// A screen reader lands on the picker's own text field: it is named by the
// caption, as every other field of the panel.
void NombrarSelector(QAbstractSpinBox* selector, const QLabel* rotulo)
{
    selector->setAccessibleName(rotulo->text());
    for (QLineEdit* campo : selector->findChildren<QLineEdit*>())
        campo->setAccessibleName(rotulo->text());
}

} // namespace

SeccionProgramadas::SeccionProgramadas(Contexto& ctx, CamposVisita& campos, QWidget* panel)
    : QWidget(panel), ctx_(ctx), campos_(campos)
{
    setObjectName(QStringLiteral("SeccionProgramadas"));
    Line1 = Control<QFrame>(this, QStringLiteral("Line1"));
    Line1->setFrameShape(QFrame::HLine);
    lblFechaVisitaProgramada = etiqueta("lblFechaVisitaProgramada", 146, nullptr);
    calFechaVisitaProgramada = Control<QDateEdit>(this, QStringLiteral("calFechaVisitaProgramada"));
    calFechaVisitaProgramada->setCalendarPopup(true);
    calFechaVisitaProgramada->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    lblHoraVisitaProgramada = etiqueta("lblHoraVisitaProgramada", 147, nullptr);
    calHoraVisitaProgramada = Control<QTimeEdit>(this, QStringLiteral("calHoraVisitaProgramada"));
    // The program's own am/pm, as the lists show it, whatever the locale.
    calHoraVisitaProgramada->setLocale(QLocale::c());
    calHoraVisitaProgramada->setDisplayFormat(QStringLiteral("hh:mm:ss ap"));
    lblFechaVisitaProgramada->setBuddy(calFechaVisitaProgramada);
    lblHoraVisitaProgramada->setBuddy(calHoraVisitaProgramada);
    NombrarSelector(calFechaVisitaProgramada, lblFechaVisitaProgramada);
    NombrarSelector(calHoraVisitaProgramada, lblHoraVisitaProgramada);
    btnProgramarVisita = new QPushButton(ctx_.texto(157), this);
    btnProgramarVisita->setObjectName(QStringLiteral("btnProgramarVisita"));
    btnVerVisitasProgramadas = new QPushButton(ctx_.texto(158), this);
    btnVerVisitasProgramadas->setObjectName(QStringLiteral("btnVerVisitasProgramadas"));
    crearLista();
    disponer();
    conectar();
    cargar();
}

QCheckBox* SeccionProgramadas::casilla(const char* nombre, bool marcada)
{
    return Casilla(seccionLista_, QString::fromLatin1(nombre), marcada);
}

QLabel* SeccionProgramadas::etiqueta(const char* nombre, int slot, QCheckBox* casilla)
{
    if (casilla)
        return RotuloCasilla(seccionLista_, QString::fromLatin1(nombre), ctx_.texto(slot), casilla);
    auto* e = Control<QLabel>(this, QString::fromLatin1(nombre));
    e->setText(ctx_.texto(slot));
    return e;
}

void SeccionProgramadas::crearLista()
{
    seccionLista_ = new QWidget(this);
    chkVerVisitasHoy = casilla("chkVerVisitasHoy", true);
    chkVerVisitasUltimoMes = casilla("chkVerVisitasUltimoMes", false);
    chkVerVisitasTodas = casilla("chkVerVisitasTodas", false);
    chkCargaVPFormulario = casilla("chkCargaVPFormulario", true);
    lblVerVisitasHoy = etiqueta("lblVerVisitasHoy", 150, chkVerVisitasHoy);
    lblVerVisitasUltimoMes = etiqueta("lblVerVisitasUltimoMes", 151, chkVerVisitasUltimoMes);
    lblVerVisitasTodas = etiqueta("lblVerVisitasTodas", 152, chkVerVisitasTodas);
    lblCargaVPFormulario = etiqueta("lblCargaVPFormulario", 148, chkCargaVPFormulario);
    lblTotalVP = Control<QLabel>(seccionLista_, QStringLiteral("lblTotalVP"));
    modelo_ = new ModeloTabla(this);
    QStringList encabezados;
    for (int slot = 124; slot <= 130; ++slot)
        encabezados << ctx_.texto(slot);
    modelo_->fijarEncabezados(encabezados);
    ListView1 =
        CrearListaInforme(seccionLista_, modelo_, {800, 2500, 2500, 1000, 1200, 2500, 2500});
}

void SeccionProgramadas::disponer()
{
    auto* capa = new QVBoxLayout(this);
    capa->setContentsMargins(0, 0, 0, 0);
    capa->addWidget(Line1);
    capa->addLayout(Fila({lblFechaVisitaProgramada, calFechaVisitaProgramada,
                          lblHoraVisitaProgramada, calHoraVisitaProgramada}));
    capa->addLayout(Fila({btnProgramarVisita, btnVerVisitasProgramadas}));
    auto* lista = new QVBoxLayout(seccionLista_);
    lista->setContentsMargins(0, 0, 0, 0);
    QHBoxLayout* opciones = Fila({chkVerVisitasHoy, lblVerVisitasHoy, chkVerVisitasUltimoMes,
                                  lblVerVisitasUltimoMes, chkVerVisitasTodas, lblVerVisitasTodas});
    opciones->addWidget(chkCargaVPFormulario);
    opciones->addWidget(lblCargaVPFormulario);
    lista->addLayout(opciones);
    lista->addWidget(ListView1);
    lista->addWidget(lblTotalVP);
    capa->addWidget(seccionLista_);
}

void SeccionProgramadas::conectar()
{
    connect(btnProgramarVisita, &QPushButton::clicked, this, &SeccionProgramadas::programarVisita);
    connect(btnVerVisitasProgramadas, &QPushButton::clicked, this,
            &SeccionProgramadas::alternarLista);
    for (QCheckBox* opcion : {chkVerVisitasHoy, chkVerVisitasUltimoMes, chkVerVisitasTodas})
        connect(opcion, &QCheckBox::clicked, this, [this, opcion] { alElegirFiltro(opcion); });
    connect(ListView1, &QTreeView::clicked, this, &SeccionProgramadas::alPulsarVisita);
    connect(ListView1, &QTreeView::doubleClicked, this, &SeccionProgramadas::eliminarVisita);
}

void SeccionProgramadas::cargar()
{
    // The list lies closed until the guard opens it.
    seccionLista_->hide();
    if (!ctx_.cfg.VisitasProgramadas) {
        hide();
        return;
    }
    const QString carpeta = ctx_.carpetaPrograma();
    btnProgramarVisita->setIcon(CargarIcono(carpeta, QStringLiteral("ico/visitas_actuales.ico")));
    btnVerVisitasProgramadas->setIcon(
        CargarIcono(carpeta, QStringLiteral("ico/registro_visitas.ico")));
    PonerFondo(parentWidget(), carpeta, QStringLiteral("img/fondo8_vp.jpg"));
    const QDateTime ahora = ctx_.reloj.ahora();
    calFechaVisitaProgramada->setDate(ahora.date());
    calHoraVisitaProgramada->setTime(ahora.time().addSecs(3600));
    lblTotalVP->setText(ctx_.texto(149) + u'0');
}

FiltroProgramadas SeccionProgramadas::filtro() const
{
    if (chkVerVisitasHoy->isChecked())
        return FiltroProgramadas::Hoy;
    return chkVerVisitasUltimoMes->isChecked() ? FiltroProgramadas::UltimoMes
                                               : FiltroProgramadas::Todas;
}

void SeccionProgramadas::programarVisita()
{
    const QDateTime prevista =
        MomentoProgramado(calFechaVisitaProgramada->date(), calHoraVisitaProgramada->time());
    const Validacion<DatosVisita> v = ValidarProgramacion(campos_.textos(), prevista);
    if (v.fallo)
        return campos_.avisar(*v.fallo);
    if (!MomentoProgramadoAdmitido(prevista, ctx_.reloj.ahora()))
        return ctx_.dialogos.informar(this, ctx_.texto(186));
    if (!AccionBD(ctx_, this, [&](BaseDatos& bd) { AgregarVisitaProgramada(bd, *v.datos); }))
        return;
    ctx_.registrar(QStringLiteral("Agrega visita programada"));
    ctx_.dialogos.informar(this, ctx_.texto(187));
    // The list is read again only when the guard asks for it.
    campos_.vaciar(true);
    campos_.txtNombreVisitante->setFocus();
}

void SeccionProgramadas::alternarLista()
{
    ctx_.registrar(kConsultaLista);
    mostrarLista(!abierta_);
    if (abierta_)
        recargar();
}

void SeccionProgramadas::mostrarLista(bool abrir)
{
    // Before the list shows: a shown control may stretch the window at once.
    if (abrir && !abierta_)
        altoCerrado_ = ventanaDelPanel()->height();
    abierta_ = abrir;
    btnVerVisitasProgramadas->setText(ctx_.texto(abrir ? 159 : 158));
    seccionLista_->setVisible(abrir);
    ajustarAlto();
}

void SeccionProgramadas::recargar()
{
    QList<Visita> visitas;
    const QDate hoy = ctx_.reloj.ahora().date();
    if (!AccionBD(ctx_, this,
                  [&](BaseDatos& bd) { visitas = LeerVisitasProgramadas(bd, filtro(), hoy); }))
        return;
    MostrarVisitas(*modelo_, visitas);
    lblTotalVP->setText(ctx_.texto(149) + QString::number(visitas.size()));
}

// The three filters are one choice; every click ends with the list open and
// read under the choice, the only checked box staying checked.
void SeccionProgramadas::alElegirFiltro(QCheckBox* pulsada)
{
    const QList<QCheckBox*> opciones{chkVerVisitasHoy, chkVerVisitasUltimoMes, chkVerVisitasTodas};
    if (pulsada->isChecked()) {
        for (QCheckBox* otra : opciones)
            otra->setChecked(otra == pulsada);
    } else if (std::none_of(opciones.begin(), opciones.end(),
                            [](const QCheckBox* c) { return c->isChecked(); })) {
        pulsada->setChecked(true);
    }
    // Logged and read as the button does when it opens the list.
    ctx_.registrar(kConsultaLista);
    if (!abierta_)
        mostrarLista(true);
    recargar();
}

void SeccionProgramadas::alPulsarVisita(const QModelIndex& indice)
{
    if (!indice.isValid())
        return;
    const int fila = indice.row();
    IdVisitaProgramadaSel = modelo_->id(fila);
    if (!chkCargaVPFormulario->isChecked())
        return;
    // The expected time is not copied: the entry keeps its own.
    campos_.txtNombreVisitante->setText(modelo_->texto(fila, 2));
    campos_.txtNAcomp->setText(modelo_->texto(fila, 3));
    campos_.txtPlacaVehiculo->setText(modelo_->texto(fila, 4));
    campos_.txtAutorizaIngreso->setText(modelo_->texto(fila, 5));
    campos_.txtObservaciones->setText(modelo_->texto(fila, 6));
    // Setting the names has just refilled their drop lists; nobody is typing.
    for (ListaCompletar* lista : parentWidget()->findChildren<ListaCompletar*>())
        lista->hide();
}

void SeccionProgramadas::eliminarVisita(const QModelIndex& indice)
{
    if (!indice.isValid())
        return;
    const int id = modelo_->id(indice.row());
    IdVisitaProgramadaSel = id;
    const QString textoId = QString::number(id);
    ctx_.registrar(QStringLiteral("Se pregunta si desea eliminar el aviso ID: ") + textoId +
                   QStringLiteral(", realizando doble click en el listado"));
    if (!ctx_.dialogos.confirmar(this, ctx_.texto(355) + textoId, ctx_.texto(356),
                                 Dialogos::Icono::Informacion))
        return;
    if (!AccionBD(ctx_, this, [&](BaseDatos& bd) { EliminarVisitaProgramada(bd, id); }))
        return;
    ctx_.registrar(QStringLiteral("Se eliminó la visita programada ID: ") + textoId +
                   QStringLiteral(", realizando doble click en el listado"));
    IdVisitaProgramadaSel = 0;
    // Closed and opened again: the list is read under the same filter.
    alternarLista();
    alternarLista();
    ctx_.dialogos.informar(this, ctx_.texto(357));
}

// The panel's window grows by what the list needs and goes back to its
// height when the list closes.
void SeccionProgramadas::ajustarAlto()
{
    QWidget* panel = parentWidget();
    QWidget* ventana = ventanaDelPanel();
    // Measured now, not at the next turn of the event loop.
    layout()->invalidate();
    if (panel->layout())
        panel->layout()->invalidate();
    const int alto =
        abierta_ ? ventana->height() + std::max(0, panel->sizeHint().height() - panel->height())
                 : altoCerrado_;
    if (panel->layout())
        panel->layout()->activate();
    ventana->resize(ventana->width(), alto);
}

// The frame's window around the panel, or the panel standing alone.
QWidget* SeccionProgramadas::ventanaDelPanel() const
{
    QWidget* panel = parentWidget();
    auto* marco = qobject_cast<QMdiSubWindow*>(panel->parentWidget());
    return marco ? static_cast<QWidget*>(marco) : panel;
}
