#include "frmConsultaCenso.h"

#include "census/MarcarTelefono.h"
#include "census/frmNuevoCenso.h"
#include "foundation/Contexto.h"
#include "platform/AccionBD.h"
#include "platform/Dialogos.h"
#include "platform/Formularios.h"
#include "platform/Imagenes.h"
#include "platform/ListaInforme.h"
#include "platform/ModeloTabla.h"
#include "platform/ModemSerie.h"
#include "platform/Twips.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

// The twelve search fields in screen order: caption, field, its length, and
// the value of the search it gives.
struct CampoBuscador
{
    QLabel* frmConsultaCenso::*rotulo;
    const char* nombreRotulo;
    int slot;
    QLineEdit* frmConsultaCenso::*campo;
    const char* nombreCampo;
    int largo;
    QString BusquedaCenso::*valor;
};

using F = frmConsultaCenso;
using B = BusquedaCenso;
const CampoBuscador kBuscador[] = {
    {&F::lblNomUnidad, "lblNomUnidad", 95, &F::txtNomUnidad, "txtNomUnidad", 30, &B::nom_unidad},
    {&F::lblNumInmueble, "lblNumInmueble", 92, &F::txtNumInmueble, "txtNumInmueble", 6,
     &B::num_inmueble},
    {&F::lblTorre, "lblTorre", 93, &F::txtTorre, "txtTorre", 4, &B::torre},
    {&F::lblTfnoInmuebleTitulo, "lblTfnoInmuebleTitulo", 94, &F::txtTfnoInmueble, "txtTfnoInmueble",
     10, &B::tfno_inmueble},
    {&F::lblNombre, "lblNombre", 96, &F::txtNombre, "txtNombre", 20, &B::nombre},
    {&F::lblApe1, "lblApe1", 97, &F::txtApe1, "txtApe1", 20, &B::ape1},
    {&F::lblApe2, "lblApe2", 98, &F::txtApe2, "txtApe2", 20, &B::ape2},
    {&F::lblTipoUsu, "lblTipoUsu", 99, &F::txtTipoUsu, "txtTipoUsu", 30, &B::tipo_usu},
    {&F::lblVehPlaca, "lblVehPlaca", 100, &F::txtVehPlaca, "txtVehPlaca", 10, &B::veh_placa},
    {&F::lblVehDescr, "lblVehDescr", 101, &F::txtVehDescr, "txtVehDescr", 30, &B::veh_descr},
    {&F::lblVehTipo, "lblVehTipo", 102, &F::txtVehTipo, "txtVehTipo", 9, &B::veh_tipo},
    {&F::lblNotas, "lblNotas", 103, &F::txtNotas, "txtNotas", 200, &B::notas},
};

const QList<int> kAnchosLista = {0, 0, 800, 800, 1800, 1200, 1200, 1200, 1000, 1600, 1500, 0, 2500};

} // namespace

frmConsultaCenso::frmConsultaCenso(Contexto& ctx, QWidget* padre) : Panel(padre), ctx_(ctx)
{
    setObjectName(QStringLiteral("frmConsultaCenso"));
    setWindowIcon(CargarIcono(ctx_.carpetaPrograma(), QStringLiteral("ico/registro_visitas.ico")));
    setWindowTitle(ctx_.texto(91));
    crearControles();
    colocarControles();
    crearModem = [] { return std::make_unique<ModemSerie>(); };
    editarCenso = [this](int idCenso) { editar(idCenso); };

    connect(btnRealizarConsulta, &QPushButton::clicked, this, &frmConsultaCenso::realizarConsulta);
    connect(btnVerTodoCenso, &QPushButton::clicked, this, &frmConsultaCenso::verTodoCenso);
    connect(btnNotas, &QPushButton::clicked, this, &frmConsultaCenso::verNotas);
    connect(btnLlamar, &QPushButton::clicked, this, &frmConsultaCenso::llamar);
    for (QLineEdit* campo : camposBusqueda()) {
        if (campo == txtNumInmueble)
            connect(campo, &QLineEdit::returnPressed, this, &frmConsultaCenso::alEnterNumInmueble);
        else
            connect(campo, &QLineEdit::returnPressed, this, &frmConsultaCenso::realizarConsulta);
    }
    connect(ListView1, &QTreeView::clicked, this, &frmConsultaCenso::seleccionar);
    connect(ListView1, &QTreeView::doubleClicked, this, [this] { abrirEdicion(true); });
    ListView1->installEventFilter(this);
    CerrarConEscape(this);
}

frmConsultaCenso::~frmConsultaCenso() = default;

ModeloTabla* frmConsultaCenso::modelo() const
{
    return modelo_;
}

void frmConsultaCenso::crearControles()
{
    crearBuscador();
    btnRealizarConsulta = Control<QPushButton>(this, "btnRealizarConsulta");
    btnVerTodoCenso = Control<QPushButton>(this, "btnVerTodoCenso");
    btnNotas = Control<QPushButton>(this, "btnNotas");
    lblInformacionTitulo = Control<QLabel>(this, "lblInformacionTitulo");
    txtInformacion = Control<QPlainTextEdit>(this, "txtInformacion");
    txtInformacion->setReadOnly(true);
    txtInformacion->setLineWrapMode(QPlainTextEdit::NoWrap);
    txtInformacion->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtInformacion->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    lblTfnoInmueble = Control<QLabel>(this, "lblTfnoInmueble");
    chkLlamadaAuto = Control<QCheckBox>(this, "chkLlamadaAuto");
    btnLlamar = Control<QPushButton>(this, "btnLlamar");
    lblDebeCuotas = Control<QLabel>(this, "lblDebeCuotas");
    lblDebeCuotas->setStyleSheet(QStringLiteral("color: red"));

    btnRealizarConsulta->setText(ctx_.texto(106));
    btnLlamar->setText(ctx_.texto(107));
    btnVerTodoCenso->setText(ctx_.texto(108));
    btnNotas->setText(ctx_.texto(109));
    chkLlamadaAuto->setText(ctx_.texto(104));
    lblInformacionTitulo->setText(ctx_.texto(105));
    const QString carpeta = ctx_.carpetaPrograma();
    const QIcon consulta = CargarIcono(carpeta, QStringLiteral("ico/registro_visitas.ico"));
    btnRealizarConsulta->setIcon(consulta);
    btnVerTodoCenso->setIcon(consulta);
    btnNotas->setIcon(consulta);
    btnLlamar->setIcon(CargarIcono(carpeta, QStringLiteral("ico/telefono.ico")));

    modelo_ = new ModeloTabla(this);
    QStringList encabezados;
    for (int slot = 73; slot <= 85; ++slot)
        encabezados << ctx_.texto(slot);
    modelo_->fijarEncabezados(encabezados);
    ListView1 = CrearListaInforme(this, modelo_, kAnchosLista);
}

void frmConsultaCenso::crearBuscador()
{
    for (const CampoBuscador& c : kBuscador) {
        QLabel* rotulo = Control<QLabel>(this, QLatin1String(c.nombreRotulo));
        rotulo->setText(ctx_.texto(c.slot));
        this->*c.rotulo = rotulo;
        this->*c.campo = Campo(this, QLatin1String(c.nombreCampo), c.largo);
        rotulo->setBuddy(this->*c.campo);
    }
}

void frmConsultaCenso::colocarControles()
{
    // Each search field under its heading, six to a row.
    auto* buscador = new QGridLayout;
    int n = 0;
    for (const CampoBuscador& c : kBuscador) {
        buscador->addWidget(this->*c.rotulo, (n / 6) * 2, n % 6);
        buscador->addWidget(this->*c.campo, (n / 6) * 2 + 1, n % 6);
        ++n;
    }
    auto* botones = new QVBoxLayout;
    botones->addWidget(btnRealizarConsulta);
    botones->addWidget(btnVerTodoCenso);
    botones->addWidget(btnNotas);
    botones->addStretch();
    auto* arriba = new QHBoxLayout;
    arriba->addLayout(buscador, 1);
    arriba->addLayout(botones);

    auto* llamada = new QVBoxLayout;
    llamada->addWidget(lblTfnoInmueble);
    llamada->addWidget(chkLlamadaAuto);
    llamada->addWidget(btnLlamar);
    llamada->addWidget(lblDebeCuotas);
    llamada->addStretch();
    auto* detalle = new QVBoxLayout;
    detalle->addWidget(lblInformacionTitulo);
    detalle->addWidget(txtInformacion);
    auto* abajo = new QHBoxLayout;
    abajo->addLayout(detalle, 1);
    abajo->addLayout(llamada);

    auto* capa = new QVBoxLayout(this);
    capa->addLayout(arriba);
    capa->addWidget(ListView1, 1);
    capa->addLayout(abajo);
    resize(Px(15000), Px(8500));
}

void frmConsultaCenso::alAbrir()
{
    cargar();
}

void frmConsultaCenso::opcionMarcado()
{
    const bool marcado = ctx_.cfg.EfectuarMarcadoAuto;
    chkLlamadaAuto->setEnabled(marcado);
    chkLlamadaAuto->setChecked(marcado);
    chkLlamadaAuto->setVisible(marcado);
    btnLlamar->setEnabled(marcado);
    btnLlamar->setVisible(marcado);
}

void frmConsultaCenso::cargar()
{
    opcionMarcado();
    lblTfnoInmueble->clear();
    txtInformacion->clear();
    QList<FilaCenso> filas;
    std::optional<RegistroCenso> primero;
    CuentaResidentes cuenta;
    const bool leido = AccionBD(ctx_, this, [&](BaseDatos& bd) {
        filas = ConsultarCenso(bd, {});
        if (!filas.isEmpty())
            primero = LeerCenso(bd, filas.constFirst().id_censo);
        cuenta = ContarPropietariosInquilinos(bd, ctx_.idioma);
    });
    if (!leido)
        return;
    const int unidades = int(filas.size());
    // On the window's load the telephones show in bold.
    modelo_->fijarNegritas({kColumnaTelefonoCenso});
    mostrar(std::move(filas), primero);
    setWindowTitle(ctx_.texto(91) + QStringLiteral(": ") +
                   TextoCuentaCenso(ctx_.idioma, unidades, cuenta));
}

QList<QLineEdit*> frmConsultaCenso::camposBusqueda() const
{
    QList<QLineEdit*> campos;
    for (const CampoBuscador& c : kBuscador)
        campos << this->*c.campo;
    return campos;
}

BusquedaCenso frmConsultaCenso::leerBusqueda() const
{
    BusquedaCenso b;
    for (const CampoBuscador& c : kBuscador)
        b.*c.valor = (this->*c.campo)->text();
    return b;
}

bool frmConsultaCenso::busquedaCorrecta(const BusquedaCenso& busqueda)
{
    const auto avisar = [this](int slot, QLineEdit* campo) {
        ctx_.dialogos.mostrar(this, {ctx_.texto(slot), QString(), Dialogos::Icono::Ninguno});
        campo->setFocus();
        return false;
    };
    switch (RevisarBusquedaCenso(busqueda)) {
    case FalloBusquedaCenso::Ninguno:
        return true;
    case FalloBusquedaCenso::Torre:
        return avisar(112, txtTorre);
    case FalloBusquedaCenso::Telefono:
        return avisar(113, txtTfnoInmueble);
    }
    return false;
}

bool frmConsultaCenso::realizarConsulta()
{
    const BusquedaCenso busqueda = leerBusqueda();
    if (!busquedaCorrecta(busqueda))
        return false;
    QList<FilaCenso> filas;
    std::optional<RegistroCenso> primero;
    CuentaResidentes cuenta;
    const bool leido = AccionBD(ctx_, this, [&](BaseDatos& bd) {
        filas = ConsultarCenso(bd, busqueda);
        ctx_.registrar(QStringLiteral("Consulta censo"));
        if (filas.isEmpty())
            return;
        primero = LeerCenso(bd, filas.constFirst().id_censo);
        cuenta = ContarPropietariosInquilinos(bd, ctx_.idioma);
    });
    if (!leido)
        return false;
    if (filas.isEmpty()) {
        // The list, detail and counts stay as they were.
        ctx_.dialogos.informar(this, ctx_.texto(114));
        return false;
    }
    const int unidades = int(filas.size());
    modelo_->fijarNegritas({});
    mostrar(std::move(filas), primero);
    setWindowTitle(TextoCuentaCenso(ctx_.idioma, unidades, cuenta));
    return true;
}

void frmConsultaCenso::mostrar(QList<FilaCenso> filas, const std::optional<RegistroCenso>& primero)
{
    QList<QStringList> textos;
    QList<int> ids;
    textos.reserve(filas.size());
    ids.reserve(filas.size());
    for (FilaCenso& fila : filas) {
        ids << fila.id_censo;
        textos << std::move(fila.columnas);
    }
    modelo_->fijarFilas(std::move(textos), std::move(ids));
    if (modelo_->rowCount() == 0) {
        idCensoSel_ = 0;
        return;
    }
    ListView1->setCurrentIndex(modelo_->index(0, 0));
    idCensoSel_ = modelo_->id(0);
    lblTfnoInmueble->setText(modelo_->texto(0, kColumnaTelefonoCenso));
    txtInformacion->setPlainText(primero ? TextoDetalleCenso(*primero, ctx_.idioma) : QString());
}

void frmConsultaCenso::seleccionar(const QModelIndex& indice)
{
    if (!indice.isValid())
        return;
    const int fila = indice.row();
    lblTfnoInmueble->setText(modelo_->texto(fila, kColumnaTelefonoCenso));
    idCensoSel_ = modelo_->id(fila);
    std::optional<RegistroCenso> registro;
    if (!AccionBD(ctx_, this, [&](BaseDatos& bd) { registro = LeerCenso(bd, idCensoSel_); }))
        return;
    // A dwelling deleted at another terminal shows no detail rather than
    // the previous one's.
    txtInformacion->setPlainText(registro ? TextoDetalleCenso(*registro, ctx_.idioma) : QString());
}

void frmConsultaCenso::verTodoCenso()
{
    for (QLineEdit* campo : camposBusqueda())
        campo->clear();
    realizarConsulta();
    ctx_.registrar(QStringLiteral("Consulta todo el censo"));
}

void frmConsultaCenso::verNotas()
{
    std::optional<QString> notas;
    const bool leido = AccionBD(ctx_, this, [&](BaseDatos& bd) {
        notas = LeerNotasCenso(bd, idCensoSel_);
        ctx_.registrar(QStringLiteral("Consulta notas adicionales"));
    });
    if (leido && notas && !notas->isEmpty())
        ctx_.dialogos.informar(this, *notas);
}

void frmConsultaCenso::abrirEdicion(bool revisarPermisos)
{
    const QModelIndex actual = ListView1->currentIndex();
    if (!actual.isValid() || !editarCenso)
        return;
    if (revisarPermisos && !ctx_.permisos.tiene(Permiso::ModificarCenso) &&
        !ctx_.permisos.tiene(Permiso::EliminarCenso))
        return;
    idCensoSel_ = modelo_->id(actual.row());
    editarCenso(idCensoSel_);
}

void frmConsultaCenso::editar(int idCenso)
{
    // Acted on once the editing window is gone: it belongs to this window,
    // which must outlive it.
    bool cambiado = false;
    bool vacio = false;
    frmNuevoCenso::Abrir(ctx_, this, idCenso, [&](frmNuevoCenso& ventana) {
        connect(&ventana, &frmNuevoCenso::guardado, this, [&] { cambiado = true; });
        connect(&ventana, &frmNuevoCenso::eliminado, this, [&](bool censoVacio) {
            cambiado = true;
            vacio = censoVacio;
        });
    });
    if (vacio)
        CerrarPanel(this);
    else if (cambiado)
        cargar();
}

void frmConsultaCenso::alEnterNumInmueble()
{
    const bool encontrado = realizarConsulta();
    // Only a search that found a dwelling offers its telephone: a refused
    // or empty one would offer the dwelling listed before it.
    if (encontrado && chkLlamadaAuto->isChecked())
        marcadoAuto();
}

void frmConsultaCenso::marcadoAuto()
{
    if (!chkLlamadaAuto->isChecked())
        return;
    const QString pregunta = ctx_.texto(120) + lblTfnoInmueble->text() + ctx_.texto(121);
    const auto respuesta =
        ctx_.dialogos.mostrar(this, {pregunta, ctx_.texto(122), Dialogos::Icono::Exclamacion,
                                     Dialogos::Botones::SiNo, Dialogos::Respuesta::Si});
    if (respuesta != Dialogos::Respuesta::No)
        marcar();
}

void frmConsultaCenso::llamar()
{
    if (marcando_)
        return;
    marcar();
    ctx_.registrar(QStringLiteral("Marca teléfono (botón)"));
}

void frmConsultaCenso::marcar()
{
    // The wait lets the guard go on using the window: a second dialing
    // would find the port taken by the first.
    if (marcando_)
        return;
    marcando_ = true;
    btnLlamar->setEnabled(false);
    modem_ = crearModem();
    marcarNumeroTelefono(ctx_, this, *modem_, lblTfnoInmueble->text(), esperaModem);
    btnLlamar->setEnabled(ctx_.cfg.EfectuarMarcadoAuto);
    marcando_ = false;
}

bool frmConsultaCenso::eventFilter(QObject* objeto, QEvent* evento)
{
    if (objeto == ListView1 && evento->type() == QEvent::KeyPress) {
        const int tecla = static_cast<QKeyEvent*>(evento)->key();
        if (tecla == Qt::Key_Return || tecla == Qt::Key_Enter) {
            abrirEdicion(false);
            return true;
        }
    }
    return Panel::eventFilter(objeto, evento);
}

void frmConsultaCenso::closeEvent(QCloseEvent* evento)
{
    // The dialing still runs inside this window's handler.
    if (marcando_) {
        evento->ignore();
        return;
    }
    Panel::closeEvent(evento);
}
