#include "frmAvisos.h"

#include "Avisos.h"
#include "foundation/Contexto.h"
#include "foundation/FechasTexto.h"
#include "platform/AccionBD.h"
#include "platform/Dialogos.h"
#include "platform/Imagenes.h"
#include "platform/ListaInforme.h"
#include "platform/ModeloTabla.h"
#include "platform/Twips.h"

#include <QCloseEvent>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

frmAvisos::frmAvisos(Contexto& ctx, QWidget* padre) : Panel(padre), ctx_(ctx)
{
    setObjectName(QStringLiteral("frmAvisos"));
    setWindowIcon(CargarIcono(ctx_.carpetaPrograma(), QStringLiteral("ico/visitas_actuales.ico")));
    modelo_ = new ModeloTabla(this);
    QStringList encabezados;
    for (int slot = 65; slot <= 72; ++slot)
        encabezados << ctx_.texto(slot);
    modelo_->fijarEncabezados(encabezados);

    ListView1 = CrearListaInforme(this, modelo_, {800, 2500, 1100, 2500, 1000, 1200, 2500, 2500});
    connect(ListView1, &QTreeView::doubleClicked, this, &frmAvisos::eliminarSeleccionado);

    auto* capa = new QVBoxLayout(this);
    capa->setContentsMargins(0, 0, 0, 0);
    capa->addWidget(ListView1);
    resize(Px(9000), Px(3500));
    CerrarConEscape(this);

    Timer1 = new QTimer(this);
    Timer1->setInterval(60000);
    connect(Timer1, &QTimer::timeout, this, &frmAvisos::alTemporizador);
}

namespace {

// Marks the panel busy for the length of a scope.
class Ocupado
{
public:
    explicit Ocupado(int& cuenta) : cuenta_(cuenta) { ++cuenta_; }
    ~Ocupado() { --cuenta_; }

private:
    int& cuenta_;
};

} // namespace

int frmAvisos::llenar(bool conSegundos)
{
    Ocupado ocupado(ocupado_);
    const QDateTime ahora = ctx_.reloj.ahora();
    QList<AvisoVencido> avisos;
    if (!AccionBD(ctx_, this, [&](BaseDatos& bd) { avisos = AvisosVencidos(bd, ahora); }))
        return -1;
    QList<QStringList> filas;
    QList<int> ids;
    for (const AvisoVencido& a : avisos) {
        filas.append({QString::number(a.id_es),
                      conSegundos ? TextoFechaLista(a.FechaEntrada)
                                  : TextoFechaListaSinSegundos(a.FechaEntrada),
                      QString::number(MinutosDesde(a.FechaEntrada, ahora)), a.NombreVisitante,
                      a.NAcomp, a.PlacaVehiculo, a.AutorizaIngreso, a.Observaciones});
        ids.append(a.id_es);
    }
    modelo_->fijarFilas(std::move(filas), std::move(ids));
    return int(avisos.size());
}

void frmAvisos::cargar()
{
    const int cuenta = llenar(true);
    setWindowTitle(ctx_.texto(232) + QString::number(qMax(cuenta, 0)));
    Timer1->start();
}

void frmAvisos::alTemporizador()
{
    // A tick that comes while the guard answers a box waits for the next one.
    if (ocupado())
        return;
    const int cuenta = llenar(false);
    if (cuenta == 0)
        return CerrarPanel(this);
    if (cuenta > 0)
        setWindowTitle(ctx_.texto(61) + QString::number(cuenta));
}

void frmAvisos::eliminarSeleccionado()
{
    Ocupado ocupado(ocupado_);
    const int fila = ListView1->currentIndex().row();
    if (fila < 0)
        return;
    const int id = modelo_->id(fila);
    const QString textoId = QString::number(id);
    ctx_.registrar(QStringLiteral("Se pregunta si desea eliminar el aviso ID: ") + textoId +
                   QStringLiteral(", realizando doble click en el listado"));
    if (!ctx_.dialogos.confirmar(this, ctx_.texto(62) + textoId, ctx_.texto(63),
                                 Dialogos::Icono::Informacion))
        return;
    if (!AccionBD(ctx_, this, [&](BaseDatos& bd) { EliminarAvisos(bd, id); }))
        return;
    ctx_.registrar(QStringLiteral("Se eliminó el aviso ID: ") + textoId +
                   QStringLiteral(", realizando doble click en el listado"));
    // A fresh load in place: the list read again, the caption as at opening.
    cargar();
    ctx_.dialogos.informar(this, ctx_.texto(64));
}

void frmAvisos::closeEvent(QCloseEvent* evento)
{
    // The next opening comes back here.
    const QWidget* marco = parentWidget() ? parentWidget() : this;
    ctx_.traspaso.AvisosLeft = marco->x() * 15;
    ctx_.traspaso.AvisosTop = marco->y() * 15;
    Timer1->stop();
    Panel::closeEvent(evento);
}
