#include "frmVisitasPendientes.h"

#include "Visitas.h"
#include "foundation/Contexto.h"
#include "frmSalida.h"
#include "platform/AccionBD.h"
#include "platform/Imagenes.h"
#include "platform/ListaInforme.h"
#include "platform/ModeloTabla.h"
#include "platform/Paneles.h"
#include "platform/Twips.h"

#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QTreeView>
#include <QVBoxLayout>

void MostrarVisitas(ModeloTabla& modelo, const QList<Visita>& visitas)
{
    QList<QStringList> filas;
    QList<int> ids;
    filas.reserve(visitas.size());
    ids.reserve(visitas.size());
    for (const Visita& v : visitas) {
        filas.append(FilaVisita(v));
        ids.append(v.id_es);
    }
    modelo.fijarFilas(std::move(filas), std::move(ids));
}

frmVisitasPendientes::frmVisitasPendientes(Contexto& ctx, QWidget* padre) : Panel(padre), ctx_(ctx)
{
    setObjectName(QStringLiteral("frmVisitasPendientes"));
    setWindowIcon(CargarIcono(ctx_.carpetaPrograma(), QStringLiteral("ico/visitas_actuales.ico")));
    setWindowTitle(ctx_.texto(284) + u'0');

    modelo_ = new ModeloTabla(this);
    QStringList encabezados;
    for (int slot = 276; slot <= 282; ++slot)
        encabezados << ctx_.texto(slot);
    modelo_->fijarEncabezados(encabezados);

    ListView1 = CrearListaInforme(this, modelo_, {800, 2500, 2500, 1000, 1600, 2500, 2500});
    PonerFondo(ListView1->viewport(), ctx_.carpetaPrograma(), QStringLiteral("img/fondo6.jpg"));
    ListView1->installEventFilter(this);
    connect(ListView1, &QTreeView::doubleClicked, this, &frmVisitasPendientes::abrirSalida);

    auto* capa = new QVBoxLayout(this);
    capa->setContentsMargins(0, 0, 0, 0);
    capa->addWidget(ListView1);
    resize(Px(14000), Px(5000));
    CerrarConEscape(this);
}

bool frmVisitasPendientes::eventFilter(QObject* objeto, QEvent* evento)
{
    if (objeto == ListView1) {
        // The list is read again whenever it gets the focus, e.g. when the exit panel closes.
        // After a failed read, only the guard's own click or Tab retries, not the
        // focus coming back from the error box itself.
        if (evento->type() == QEvent::FocusIn) {
            const Qt::FocusReason razon = static_cast<QFocusEvent*>(evento)->reason();
            if (!fallo_ || razon == Qt::MouseFocusReason || razon == Qt::TabFocusReason)
                recargar();
        }
        if (evento->type() == QEvent::KeyPress) {
            const int tecla = static_cast<QKeyEvent*>(evento)->key();
            if (tecla == Qt::Key_Return || tecla == Qt::Key_Enter) {
                abrirSalida();
                return true;
            }
        }
    }
    return Panel::eventFilter(objeto, evento);
}

void frmVisitasPendientes::recargar()
{
    QList<Visita> visitas;
    fallo_ = !AccionBD(ctx_, this, [&](BaseDatos& bd) { visitas = VisitasActuales(bd); });
    if (fallo_)
        return;
    // The same visitor stays selected, whatever moved around it; the first
    // reading selects the newest entry.
    const int filaAntes = ListView1->currentIndex().row();
    const int elegido = modelo_->id(filaAntes);
    MostrarVisitas(*modelo_, visitas);
    const int filaNueva = filaAntes < 0 ? 0 : modelo_->fila(elegido);
    if (filaNueva >= 0 && filaNueva < modelo_->rowCount())
        ListView1->setCurrentIndex(modelo_->index(filaNueva, 0));
    setWindowTitle(ctx_.texto(284) + QString::number(visitas.size()));
}

void frmVisitasPendientes::abrirSalida()
{
    const int fila = ListView1->currentIndex().row();
    if (!ctx_.permisos.tiene(Permiso::RegistrarSalidas) || fila < 0)
        return;
    // Back from a saved exit or correction: up again, read again.
    frmSalida::Abrir(ctx_, this, modelo_->id(fila), [this](bool) {
        TraerPanel(this);
        recargar();
    });
}
