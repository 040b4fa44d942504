#include "frmRegistroVisitas.h"

#include "ListadoVisitas.h"

#include "ExportarCsv.h"
#include "foundation/Contexto.h"
#include "foundation/FechasTexto.h"
#include "platform/AccionBD.h"
#include "platform/Dialogos.h"
#include "platform/Formularios.h"
#include "platform/Imagenes.h"
#include "platform/ListaInforme.h"
#include "platform/ModeloTabla.h"
#include "platform/Twips.h"
#include "visits/frmSalida.h"

#include <QDateEdit>
#include <QDir>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

QDateEdit* Calendario(QWidget* ventana, const char* nombre)
{
    auto* calendario = Control<QDateEdit>(ventana, nombre);
    calendario->setCalendarPopup(true);
    return calendario;
}

} // namespace

frmRegistroVisitas::frmRegistroVisitas(Contexto& ctx, QWidget* padre) : Panel(padre), ctx_(ctx)
{
    setObjectName(QStringLiteral("frmRegistroVisitas"));
    setWindowIcon(CargarIcono(ctx_.carpetaPrograma(), QStringLiteral("ico/registro_visitas.ico")));
    setWindowTitle(ctx_.texto(241));
    crearControles();
    colocarControles();

    btnESListadoPdf->setVisible(ctx_.permisos.tiene(Permiso::EstadisticasVisitas));
    btnExportar->setVisible(ctx_.permisos.tiene(Permiso::EstadisticasVisitas));
    const QDate hoy = ctx_.reloj.ahora().date();
    calFechaInicial->setDate(hoy);
    calFechaFinal->setDate(hoy);
    optEntradas->setChecked(true);

    connect(btnRealizarConsulta, &QPushButton::clicked, this,
            &frmRegistroVisitas::realizarConsulta);
    for (QRadioButton* opcion : {optEntradas, optVisitasActuales, optSalidas})
        connect(opcion, &QRadioButton::clicked, this, &frmRegistroVisitas::realizarConsulta);
    for (QLineEdit* campo :
         {txtNombreVisitante, txtPlacaVehiculo, txtAutorizaIngreso, txtObservaciones, txtNAcomp})
        connect(campo, &QLineEdit::returnPressed, this, &frmRegistroVisitas::realizarConsulta);
    connect(ListView1, &QTreeView::doubleClicked, this, &frmRegistroVisitas::abrirSalida);
    connect(btnESListadoPdf, &QPushButton::clicked, this, &frmRegistroVisitas::imprimirListado);
    connect(btnExportar, &QPushButton::clicked, this, &frmRegistroVisitas::exportar);
    installEventFilter(this);
    CerrarConEscape(this);
}

void frmRegistroVisitas::crearControles()
{
    Label1 = Control<QLabel>(this, "Label1");
    calFechaInicial = Calendario(this, "calFechaInicial");
    Label8 = Control<QLabel>(this, "Label8");
    calFechaFinal = Calendario(this, "calFechaFinal");
    optEntradas = Control<QRadioButton>(this, "optEntradas");
    optVisitasActuales = Control<QRadioButton>(this, "optVisitasActuales");
    optSalidas = Control<QRadioButton>(this, "optSalidas");
    Label3 = Control<QLabel>(this, "Label3");
    txtNombreVisitante = Campo(this, "txtNombreVisitante", 60);
    Label6 = Control<QLabel>(this, "Label6");
    txtPlacaVehiculo = Campo(this, "txtPlacaVehiculo", 10);
    Label5 = Control<QLabel>(this, "Label5");
    txtAutorizaIngreso = Campo(this, "txtAutorizaIngreso", 60);
    Label7 = Control<QLabel>(this, "Label7");
    txtObservaciones = Campo(this, "txtObservaciones", 100);
    Label4 = Control<QLabel>(this, "Label4");
    txtNAcomp = Campo(this, "txtNAcomp", 2);
    btnESListadoPdf = Control<QPushButton>(this, "btnESListadoPdf");
    btnExportar = Control<QPushButton>(this, "btnExportar");
    btnRealizarConsulta = Control<QPushButton>(this, "btnRealizarConsulta");

    Label1->setText(ctx_.texto(242));
    Label8->setText(ctx_.texto(243));
    optEntradas->setText(ctx_.texto(244));
    optVisitasActuales->setText(ctx_.texto(245));
    optSalidas->setText(ctx_.texto(246));
    Label3->setText(ctx_.texto(247));
    Label6->setText(ctx_.texto(248));
    Label5->setText(ctx_.texto(249));
    Label7->setText(ctx_.texto(250));
    Label4->setText(ctx_.texto(251));
    btnESListadoPdf->setText(ctx_.texto(252));
    btnExportar->setText(ctx_.idioma.mensaje(QStringLiteral("XExportar")));
    btnRealizarConsulta->setText(ctx_.texto(253));
    const QString carpeta = ctx_.carpetaPrograma();
    btnESListadoPdf->setIcon(CargarIcono(carpeta, QStringLiteral("ico/imprimir.ico")));
    btnExportar->setIcon(CargarIcono(carpeta, QStringLiteral("ico/guardar.ico")));
    btnRealizarConsulta->setIcon(CargarIcono(carpeta, QStringLiteral("ico/registro_visitas.ico")));

    modelo_ = new ModeloTabla(this);
    QStringList encabezados;
    for (int slot = 233; slot <= 240; ++slot)
        encabezados << ctx_.texto(slot);
    modelo_->fijarEncabezados(encabezados);
    ListView1 = CrearListaInforme(this, modelo_, {800, 2500, 2500, 2500, 1000, 1200, 2500, 2500});
}

void frmRegistroVisitas::colocarControles()
{
    auto* fechas = new QGridLayout;
    FilaFormulario(fechas, 0, Label1, calFechaInicial);
    FilaFormulario(fechas, 1, Label8, calFechaFinal);
    auto* opciones = new QVBoxLayout;
    opciones->addWidget(optEntradas);
    opciones->addWidget(optVisitasActuales);
    opciones->addWidget(optSalidas);
    fechas->addLayout(opciones, 2, 0, 1, 2);

    auto* filtros = new QGridLayout;
    FilaFormulario(filtros, 0, Label3, txtNombreVisitante);
    FilaFormulario(filtros, 1, Label6, txtPlacaVehiculo);
    FilaFormulario(filtros, 2, Label5, txtAutorizaIngreso);
    FilaFormulario(filtros, 3, Label7, txtObservaciones);
    FilaFormulario(filtros, 4, Label4, txtNAcomp);

    auto* botones = new QVBoxLayout;
    botones->addWidget(btnRealizarConsulta);
    botones->addWidget(btnESListadoPdf);
    botones->addWidget(btnExportar);
    botones->addStretch();

    auto* arriba = new QHBoxLayout;
    arriba->addLayout(fechas);
    arriba->addLayout(filtros, 1);
    arriba->addLayout(botones);
    auto* capa = new QVBoxLayout(this);
    capa->addLayout(arriba);
    capa->addWidget(ListView1, 1);
    resize(Px(16000), Px(7500));
}

void frmRegistroVisitas::alAbrir()
{
    realizarConsulta();
    abierto_ = true;
}

bool frmRegistroVisitas::eventFilter(QObject* objeto, QEvent* evento)
{
    if (objeto == this) {
        if (evento->type() == QEvent::ParentChange)
            seguirActivacion();
        // Alone (outside the main window's frame) the panel is a window of its own.
        const bool activada = evento->type() == QEvent::WindowActivate && isWindow();
        if (abierto_ && (activada || evento->type() == QEvent::FocusIn)) {
            if (trasAviso_)
                trasAviso_ = false;
            else
                realizarConsulta();
        }
    }
    return Panel::eventFilter(objeto, evento);
}

// Whenever the frame becomes the active one, the log is read again: another
// terminal may have registered entries or exits meanwhile.
void frmRegistroVisitas::seguirActivacion()
{
    auto* marco = qobject_cast<QMdiSubWindow*>(parentWidget());
    if (!marco)
        return;
    connect(marco, &QMdiSubWindow::windowStateChanged, this,
            [this](Qt::WindowStates antes, Qt::WindowStates ahora) {
                if (!abierto_ || !((ahora & ~antes) & Qt::WindowActive))
                    return;
                if (trasAviso_)
                    trasAviso_ = false;
                else
                    realizarConsulta();
            });
}

bool frmRegistroVisitas::leerFiltro(FiltroRegistro* filtro)
{
    filtro->desde = calFechaInicial->date();
    filtro->hasta = calFechaFinal->date();
    filtro->busqueda = optSalidas->isChecked()           ? BusquedaRegistro::Salidas
                       : optVisitasActuales->isChecked() ? BusquedaRegistro::VisitasActuales
                                                         : BusquedaRegistro::Entradas;
    filtro->NombreVisitante = txtNombreVisitante->text();
    filtro->PlacaVehiculo = txtPlacaVehiculo->text();
    filtro->AutorizaIngreso = txtAutorizaIngreso->text();
    filtro->Observaciones = txtObservaciones->text();
    if (LeerFiltroAcompanantes(txtNAcomp->text(), &filtro->NAcomp))
        return true;
    trasAviso_ = true;
    ctx_.dialogos.informar(this, ctx_.texto(274));
    txtNAcomp->setFocus();
    return false;
}

bool frmRegistroVisitas::realizarConsulta()
{
    FiltroRegistro filtro;
    if (!leerFiltro(&filtro))
        return false;
    QList<Visita> visitas;
    if (!AccionBD(ctx_, this, [&](BaseDatos& bd) { visitas = ConsultarRegistro(bd, filtro); })) {
        trasAviso_ = true;
        return false;
    }
    trasAviso_ = false;
    ctx_.registrar(QStringLiteral("Realiza consulta del registro de entradas y salidas"));
    QList<QStringList> filas;
    QList<int> ids;
    filas.reserve(visitas.size());
    ids.reserve(visitas.size());
    for (const Visita& v : visitas) {
        filas.append(FilaRegistro(v));
        ids.append(v.id_es);
    }
    modelo_->fijarFilas(std::move(filas), std::move(ids));
    visitas_ = std::move(visitas);
    setWindowTitle(ctx_.texto(275) + QString::number(visitas_.size()));
    return true;
}

void frmRegistroVisitas::abrirSalida()
{
    const int fila = ListView1->currentIndex().row();
    if (!ctx_.permisos.tiene(Permiso::RegistrarSalidas) || fila < 0)
        return;
    const int idEs = modelo_->id(fila);
    // Read again: another terminal may have registered the exit meanwhile.
    std::optional<Visita> visita;
    if (!AccionBD(ctx_, this, [&](BaseDatos& bd) { visita = LeerVisita(bd, idEs); }))
        return;
    if (visita && visita->FechaSalida.isValid())
        return;
    frmSalida::Abrir(ctx_, this, idEs, [this](bool) {
        TraerPanel(this);
        realizarConsulta();
    });
}

void frmRegistroVisitas::imprimirListado()
{
    ImprimirListadoVisitas(ctx_, this, visitas_);
}

void frmRegistroVisitas::exportar()
{
    auto mensaje = [this](const char* clave) {
        return ctx_.idioma.mensaje(QString::fromLatin1(clave));
    };
    if (visitas_.isEmpty())
        return ctx_.dialogos.informar(this, mensaje("XExportarVacio"));
    const QString propuesto = QDir::home().filePath(
        mensaje("XExportarNombre").arg(TextoDiaArchivoSucesos(ctx_.reloj.ahora().date())));
    const QString ruta = ctx_.dialogos.elegirArchivoGuardar(this, mensaje("XExportarTitulo"),
                                                            propuesto, mensaje("XExportarFiltro"));
    if (ruta.isEmpty())
        return;

    // Exactly what the list shows, its captions first.
    QList<QStringList> filas;
    QStringList encabezados;
    for (int c = 0; c < modelo_->columnCount(); ++c)
        encabezados << modelo_->headerData(c, Qt::Horizontal).toString();
    filas << encabezados;
    for (int n = 0; n < modelo_->rowCount(); ++n) {
        QStringList fila;
        for (int c = 0; c < modelo_->columnCount(); ++c)
            fila << modelo_->texto(n, c);
        filas << fila;
    }
    QString error;
    if (!EscribirArchivoCsv(ruta, TextoCsv(filas, SeparadorCsv(ctx_.codigoIdioma)), &error)) {
        ctx_.registrar(QStringLiteral("No se pudo exportar el registro de entradas y salidas a ") +
                       ruta + QStringLiteral(": ") + error);
        return ctx_.dialogos.advertir(this, mensaje("XExportarFallo").arg(ruta, error));
    }
    ctx_.registrar(QStringLiteral("Exporta el registro de entradas y salidas a ") + ruta);
    ctx_.dialogos.informar(this, mensaje("XExportarHecho").arg(modelo_->rowCount()).arg(ruta));
}
