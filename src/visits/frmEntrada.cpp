#include "frmEntrada.h"

#include "SeccionCamara.h"
#include "SeccionProgramadas.h"
#include "foundation/Contexto.h"
#include "frmSalida.h"
#include "platform/AccionBD.h"
#include "platform/Dialogos.h"
#include "platform/Formularios.h"
#include "platform/Imagenes.h"

#include <QApplication>
#include <QCheckBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <functional>

namespace {

// Focus lost to a box, another window or a menu, or to the panel's own frame
// (a click on a caption, which takes no focus itself): the guard has not left
// the field, so nothing is normalised or carried over behind the guard's back.
bool SinSalirDelCampo(QEvent* evento, const QWidget* panel)
{
    const Qt::FocusReason razon = static_cast<QFocusEvent*>(evento)->reason();
    const QWidget* nuevo = QApplication::focusWidget();
    return razon == Qt::ActiveWindowFocusReason || razon == Qt::PopupFocusReason ||
           (nuevo && (nuevo == panel || nuevo->isAncestorOf(panel)));
}

} // namespace

frmEntrada::frmEntrada(Contexto& ctx, QWidget* padre) : Panel(padre), campos(ctx, this), ctx_(ctx)
{
    setObjectName(QStringLiteral("frmEntrada"));
    chkAutoCompletarNV = casilla("chkAutoCompletarNV", true);
    chkAutoCompletarAI = casilla("chkAutoCompletarAI", true);
    chkAutoCargarVisita = casilla("chkAutoCargarVisita", false);
    chkCargaUltimaVisita = casilla("chkCargaUltimaVisita", true);
    chkCargaVisitaProgramada = casilla("chkCargaVisitaProgramada", false);
    chkAviso = casilla("chkAviso", false);
    Label8 = etiqueta("Label8", 138, chkAutoCompletarNV);
    Label9 = etiqueta("Label9", 137, chkAutoCompletarAI);
    Label10 = etiqueta("Label10", 139, chkAutoCargarVisita);
    lblCargaUltimaVisita = etiqueta("lblCargaUltimaVisita", 140, chkCargaUltimaVisita);
    lblCargaVisitaProgramada = etiqueta("lblCargaVisitaProgramada", 141, chkCargaVisitaProgramada);
    lblAviso1 = etiqueta("lblAviso1", 142, chkAviso);
    lblAviso2 = etiqueta("lblAviso2", 143, nullptr);
    txtAviso = new QLineEdit(this);
    lblAviso2->setBuddy(txtAviso);
    txtAviso->setObjectName(QStringLiteral("txtAviso"));
    txtAviso->setMaxLength(3);
    btnAgregarEntrada = new QPushButton(ctx_.texto(153), this);
    btnAgregarEntrada->setObjectName(QStringLiteral("btnAgregarEntrada"));
    lstNombreVisitante = listaNombres("lstNombreVisitante", campos.txtNombreVisitante);
    lstAutorizaIngreso = listaNombres("lstAutorizaIngreso", campos.txtAutorizaIngreso);
    Timer1 = new QTimer(this);
    Timer1->setInterval(1000);
    seccionCamara = new SeccionCamara(ctx_, campos.txtNombreVisitante, this);
    // Label3 runs the carry-over instead of toggling a box.
    campos.Label3->installEventFilter(this);
    disponer();
    conectar();
    CerrarConEscape(this);
    EnfocarAlActivarse(this, campos.txtNombreVisitante);
    cargar();
    programadas = new SeccionProgramadas(ctx_, campos, this);
    static_cast<QGridLayout*>(layout())->addWidget(programadas, 12, 0, 1, 3);
    resize(sizeHint());
}

QCheckBox* frmEntrada::casilla(const char* nombre, bool marcada)
{
    return Casilla(this, QString::fromLatin1(nombre), marcada);
}

QLabel* frmEntrada::etiqueta(const char* nombre, int slot, QCheckBox* casilla)
{
    if (casilla)
        return RotuloCasilla(this, QString::fromLatin1(nombre), ctx_.texto(slot), casilla);
    auto* e = Control<QLabel>(this, QString::fromLatin1(nombre));
    e->setText(ctx_.texto(slot));
    return e;
}

ListaCompletar* frmEntrada::listaNombres(const char* nombre, QLineEdit* campo)
{
    auto* lista =
        new ListaCompletar(campo, ctx_.idioma.mensaje(QStringLiteral("XMasNombres")),
                           std::bind_front(&frmEntrada::nombresQueEmpiezanPor, this, campo), this);
    lista->setObjectName(QString::fromLatin1(nombre));
    return lista;
}

void frmEntrada::disponer()
{
    auto* rejilla = new QGridLayout(this);
    campos.colocar(rejilla, 0, {131, 132, 133, 134, 135, 136});
    auto fila = [](QWidget* a, QWidget* b) {
        auto* capa = new QHBoxLayout;
        capa->addWidget(a);
        capa->addWidget(b);
        capa->addStretch();
        return capa;
    };
    rejilla->addLayout(fila(chkAutoCompletarNV, Label8), 1, 2);
    rejilla->addLayout(fila(chkAutoCompletarAI, Label9), 4, 2);
    rejilla->addLayout(fila(chkAutoCargarVisita, Label10), 6, 1, 1, 2);
    rejilla->addLayout(fila(chkCargaUltimaVisita, lblCargaUltimaVisita), 7, 1, 1, 2);
    rejilla->addLayout(fila(chkCargaVisitaProgramada, lblCargaVisitaProgramada), 8, 1, 1, 2);
    auto* aviso = fila(chkAviso, lblAviso1);
    aviso->insertWidget(2, txtAviso);
    aviso->insertWidget(3, lblAviso2);
    txtAviso->setFixedWidth(40);
    rejilla->addLayout(aviso, 9, 0, 1, 3);
    rejilla->addWidget(btnAgregarEntrada, 10, 1);
    rejilla->addWidget(seccionCamara, 0, 3, 11, 1, Qt::AlignTop);
    rejilla->setColumnMinimumWidth(1, 300);
    rejilla->setRowStretch(11, 1);
    setTabOrder(campos.txtObservaciones, txtAviso);
}

void frmEntrada::conectar()
{
    connect(Timer1, &QTimer::timeout, this, &frmEntrada::alTemporizador);
    connect(btnAgregarEntrada, &QPushButton::clicked, this, &frmEntrada::agregarEntrada);
    connect(seccionCamara, &SeccionCamara::momentoFoto, this,
            [this](const QString& momento) { FechaHoraFoto = momento; });
    for (QLineEdit* campo :
         {campos.txtNombreVisitante, campos.txtAutorizaIngreso, campos.txtPlacaVehiculo}) {
        connect(campo, &QLineEdit::returnPressed, this, [this] {
            campos.normalizar();
            agregarEntrada();
        });
        campo->installEventFilter(this);
    }
    for (QLineEdit* campo : {campos.txtNAcomp, campos.txtObservaciones})
        connect(campo, &QLineEdit::returnPressed, this, &frmEntrada::agregarEntrada);
    connect(chkAutoCompletarNV, &QCheckBox::toggled, lstNombreVisitante,
            &ListaCompletar::fijarActiva);
    connect(chkAutoCompletarAI, &QCheckBox::toggled, lstAutorizaIngreso,
            &ListaCompletar::fijarActiva);
    for (QCheckBox* origen : {chkCargaUltimaVisita, chkCargaVisitaProgramada}) {
        connect(origen, &QCheckBox::clicked, this,
                [this, origen] { alCambiarOrigen(origen, false); });
        origen->installEventFilter(this);
    }
}

void frmEntrada::cargar()
{
    setWindowTitle(ctx_.texto(352));
    setWindowIcon(CargarIcono(ctx_.carpetaPrograma(), QStringLiteral("ico/nueva_entrada.ico")));
    btnAgregarEntrada->setIcon(
        CargarIcono(ctx_.carpetaPrograma(), QStringLiteral("ico/guardar.ico")));
    campos.txtFechaEntrada->setText(TextoFechaViva(ctx_.reloj.ahora()));
    const bool avisos = ctx_.cfg.EfectuarAviso;
    chkAviso->setChecked(avisos && ctx_.cfg.AvisoDefecto);
    txtAviso->setText(ctx_.cfg.TiempoAvisoDefecto);
    for (QWidget* control : {static_cast<QWidget*>(chkAviso), static_cast<QWidget*>(lblAviso1),
                             static_cast<QWidget*>(lblAviso2), static_cast<QWidget*>(txtAviso)})
        control->setVisible(avisos);
    // The source boxes are for sites that schedule visits.
    for (QWidget* control :
         {static_cast<QWidget*>(chkCargaUltimaVisita), static_cast<QWidget*>(lblCargaUltimaVisita),
          static_cast<QWidget*>(chkCargaVisitaProgramada),
          static_cast<QWidget*>(lblCargaVisitaProgramada)})
        control->setVisible(ctx_.cfg.VisitasProgramadas);
    alTemporizador();
    Timer1->start();
}

void frmEntrada::alTemporizador()
{
    const bool automatica = campos.chkFechaEntrada->isChecked();
    campos.txtFechaEntrada->setEnabled(!automatica);
    if (automatica)
        campos.txtFechaEntrada->setText(TextoFechaViva(ctx_.reloj.ahora()));
}

TablaVisitas frmEntrada::tablaOrigen() const
{
    if (chkCargaUltimaVisita->isChecked())
        return TablaVisitas::Entradas;
    return chkCargaVisitaProgramada->isChecked() ? TablaVisitas::Programadas
                                                 : TablaVisitas::Entradas;
}

// Authorisers always come from past entries, whatever the source boxes say.
QStringList frmEntrada::nombresQueEmpiezanPor(QLineEdit* campo, const QString& prefijo,
                                              bool* hayMas)
{
    QStringList nombres;
    AccionBDSinAviso(ctx_, [&](BaseDatos& bd) {
        nombres = campo == campos.txtNombreVisitante
                      ? NombresQueEmpiezanPor(bd, tablaOrigen(), prefijo, hayMas)
                      : AutorizadoresQueEmpiezanPor(bd, prefijo, hayMas);
    });
    return nombres;
}

void frmEntrada::alCambiarOrigen(QCheckBox* pulsada, bool porTeclado)
{
    // Exactly one source is selected at any time.
    QCheckBox* otra =
        pulsada == chkCargaUltimaVisita ? chkCargaVisitaProgramada : chkCargaUltimaVisita;
    if (pulsada->isChecked())
        otra->setChecked(false);
    if (!chkCargaUltimaVisita->isChecked() && !chkCargaVisitaProgramada->isChecked())
        (porTeclado ? chkCargaUltimaVisita : pulsada)->setChecked(true);
}

bool frmEntrada::eventFilter(QObject* objeto, QEvent* evento)
{
    if (filtrarEtiqueta(objeto, evento))
        return true;
    filtrarOrigen(objeto, evento);
    filtrarCampo(objeto, evento);
    return Panel::eventFilter(objeto, evento);
}

// A click on Label3 carries over the last visit.
bool frmEntrada::filtrarEtiqueta(QObject* objeto, QEvent* evento)
{
    if (evento->type() != QEvent::MouseButtonRelease || objeto != campos.Label3)
        return false;
    cargarUltimaVisita();
    return true;
}

// A key on a source box, once the box has taken it, leaves exactly one
// source selected; moving on or closing changes nothing.
void frmEntrada::filtrarOrigen(QObject* objeto, QEvent* evento)
{
    const bool origen = objeto == chkCargaUltimaVisita || objeto == chkCargaVisitaProgramada;
    if (!origen || evento->type() != QEvent::KeyPress)
        return;
    const int tecla = static_cast<QKeyEvent*>(evento)->key();
    if (tecla == Qt::Key_Tab || tecla == Qt::Key_Backtab || tecla == Qt::Key_Escape)
        return;
    QTimer::singleShot(0, this,
                       [this, objeto] { alCambiarOrigen(static_cast<QCheckBox*>(objeto), true); });
}

// The guard leaving a typed field, other than into its own drop list: the
// fields are normalised, and the name may carry the last visit over. The
// list hides itself as the focus moves on.
void frmEntrada::filtrarCampo(QObject* objeto, QEvent* evento)
{
    const bool tecleado = objeto == campos.txtNombreVisitante ||
                          objeto == campos.txtAutorizaIngreso || objeto == campos.txtPlacaVehiculo;
    if (!tecleado || evento->type() != QEvent::FocusOut || SinSalirDelCampo(evento, this))
        return;
    const auto* lista = qobject_cast<ListaCompletar*>(QApplication::focusWidget());
    if (lista && lista->campo() == objeto)
        return;
    campos.normalizar();
    if (objeto == campos.txtNombreVisitante && chkAutoCargarVisita->isChecked())
        cargarUltimaVisita();
}

void frmEntrada::cargarUltimaVisita()
{
    const TablaVisitas tabla = tablaOrigen();
    const QString nombre = campos.txtNombreVisitante->text();
    std::optional<Visita> visita;
    if (!AccionBD(ctx_, this, [&](BaseDatos& bd) { visita = UltimaVisita(bd, tabla, nombre); }))
        return;
    const QString comun = QStringLiteral("(Tabla: ") + NombreTabla(tabla) +
                          QStringLiteral(") de la última vez que ingresó <-") + nombre +
                          QStringLiteral("->");
    if (!visita) {
        ctx_.registrar(QStringLiteral("Nueva Entrada - Solicita carga automática de los datos de "
                                      "visitante ") +
                       comun + QStringLiteral(" pero no existía ninguna visita anterior"));
        return;
    }
    ctx_.registrar(QStringLiteral("Nueva Entrada - Carga automáticamente los datos de visitante ") +
                   comun);
    campos.txtAutorizaIngreso->setText(visita->datos.AutorizaIngreso);
    lstAutorizaIngreso->hide();
    campos.txtPlacaVehiculo->setText(visita->datos.PlacaVehiculo);
    campos.txtObservaciones->setText(visita->datos.Observaciones);
}

void frmEntrada::agregarEntrada()
{
    const QString nombre = campos.txtNombreVisitante->text();
    if (!ctx_.cfg.DuplicarEntrada && !nombre.isEmpty()) {
        std::optional<int> abierta;
        if (!AccionBD(ctx_, this,
                      [&](BaseDatos& bd) { abierta = BuscarVisitaAbierta(bd, nombre); }))
            return;
        if (abierta)
            return frmSalida::Abrir(ctx_, this, *abierta, [this](bool salidaRegistrada) {
                TraerPanel(this);
                if (salidaRegistrada)
                    vaciarTrasSalida();
            });
    }
    const bool conAviso = ctx_.cfg.EfectuarAviso && chkAviso->isChecked();
    const Validacion<NuevaEntrada> v = ValidarNuevaEntrada(
        campos.textos(), conAviso ? std::optional(txtAviso->text()) : std::nullopt);
    if (v.fallo)
        return campos.avisar(*v.fallo, txtAviso);
    DatosVisita datos = v.datos->visita;
    if (!ctx_.dialogos.confirmar(this, campos.textoConfirmacion(164), ctx_.texto(170),
                                 Dialogos::Icono::Informacion))
        return;
    const QDateTime escrito = CamposVisita::momentoAlConfirmar(
        campos.txtFechaEntrada, FormatoFecha::Viva, datos.FechaEntrada);
    // The camera's picture, when it is on, is taken here.
    seccionCamara->alAgregar();
    datos.FechaEntrada = MomentoEntrada(escrito, FechaHoraFoto);
    std::optional<QDateTime> avisoEn;
    if (v.datos->minutosAviso)
        avisoEn = MomentoAviso(datos.FechaEntrada, *v.datos->minutosAviso);
    if (!AccionBD(ctx_, this, [&](BaseDatos& bd) { AgregarEntrada(bd, datos, avisoEn); }))
        return;
    ctx_.registrar(QStringLiteral("Agrega entrada"));
    // The picture belongs to this entry only.
    FechaHoraFoto.clear();
    campos.vaciar(true);
    lstNombreVisitante->hide();
    lstAutorizaIngreso->hide();
    ctx_.dialogos.informar(this, ctx_.texto(171));
    campos.chkFechaEntrada->setChecked(true);
    campos.txtNombreVisitante->setFocus();
}

void frmEntrada::vaciarTrasSalida()
{
    campos.vaciar(false);
    lstNombreVisitante->hide();
    lstAutorizaIngreso->hide();
}
