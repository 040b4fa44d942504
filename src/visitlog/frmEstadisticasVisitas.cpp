#include "frmEstadisticasVisitas.h"

#include "EstadisticasVisitas.h"
#include "foundation/Contexto.h"
#include "platform/AccionBD.h"
#include "platform/Dialogos.h"
#include "platform/Imagenes.h"
#include "platform/Twips.h"

#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kIcono = QStringLiteral("ico/estadisticas_visitas.ico");

} // namespace

frmEstadisticasVisitas::frmEstadisticasVisitas(Contexto& ctx, QWidget* padre)
    : Panel(padre), ctx_(ctx)
{
    setObjectName(QStringLiteral("frmEstadisticasVisitas"));
    setWindowIcon(CargarIcono(ctx_.carpetaPrograma(), kIcono));
    setWindowTitle(ctx_.texto(313));

    btnEstadistica1 = crearBoton("btnEstadistica1", 188, Estadistica::Visitantes);
    btnEstadistica2 = crearBoton("btnEstadistica2", 189, Estadistica::Autorizadores);
    btnEstadistica3 = crearBoton("btnEstadistica3", 190, Estadistica::Placas);

    auto* capa = new QVBoxLayout(this);
    for (QPushButton* boton : {btnEstadistica1, btnEstadistica2, btnEstadistica3})
        capa->addWidget(boton);
    resize(Px(5000), Px(2400));
    CerrarConEscape(this);
}

QPushButton* frmEstadisticasVisitas::crearBoton(const char* nombre, int slot,
                                                Estadistica estadistica)
{
    auto* boton =
        new QPushButton(CargarIcono(ctx_.carpetaPrograma(), kIcono), ctx_.texto(slot), this);
    boton->setObjectName(QLatin1String(nombre));
    connect(boton, &QPushButton::clicked, this, [this, estadistica] { mostrar(estadistica); });
    return boton;
}

void frmEstadisticasVisitas::mostrar(Estadistica estadistica)
{
    ResultadoEstadistica resultado;
    if (!AccionBD(ctx_, this,
                  [&](BaseDatos& bd) { resultado = CalcularEstadistica(bd, estadistica); }))
        return;
    const QString texto = TextoEstadistica(ctx_.idioma, estadistica, resultado);
    if (!texto.isEmpty())
        ctx_.dialogos.informar(this, texto);
}
