#include "Supervisor.h"

#include "Supervision.h"
#include "foundation/Contexto.h"
#include "platform/AccionBD.h"
#include "platform/Dialogos.h"

#include <QDir>
#include <QFileInfo>
#include <QThread>
#include <QWidget>
#include <QtDebug>

namespace {

constexpr int kSegundosTick = 60;
const QString kSalto = QStringLiteral("\r\n");

} // namespace

Supervisor::Supervisor(Contexto& ctx, QWidget* ventana)
    : QObject(ventana), ctx_(ctx), ventana_(ventana)
{
}

Supervisor::~Supervisor()
{
    // A copy in progress is finished rather than cut: its file would stay half-written.
    if (hilo_)
        hilo_->wait();
}

void Supervisor::respaldo()
{
    if (!ctx_.cfg.EfectuarRespaldo)
        return;
    ctx_.traspaso.SegundosCiclo = kSegundosTick;
    // While the copy claimed at an earlier tick still runs (it reports
    // itself), this minute is only counted.
    TurnoRespaldo turno;
    if (!AccionBD(ctx_, ventana_, [&] {
            SesionBD sesion(ctx_.bd());
            turno = AvanzarContadorRespaldo(ctx_.bd(), ctx_.traspaso.SegundosCiclo, !hilo_);
        }))
        return;
    ctx_.traspaso.SegundosCiclo = 0;
    if (!turno.toca)
        return;
    respaldoCada_ = turno.respaldoCada;
    QDir(ctx_.carpetaDatos()).mkdir(QStringLiteral("respaldos"));
    const QString origen = ctx_.bd().ruta();
    const QString destino = ctx_.carpetaDatos() + QStringLiteral("/respaldos/") +
                            NombreRespaldo(ctx_.reloj.ahora(), ctx_.cfg.PuntoControl);
    hilo_ = QThread::create(
        [this, origen, destino] { correcta_ = CopiarBaseDatos(origen, destino, &error_); });
    // Only this copy's end is reported: a late signal of an earlier, already
    // reported copy must not stand for a newer one.
    QThread* hilo = hilo_;
    connect(hilo, &QThread::finished, this, [this, hilo] {
        if (hilo_ == hilo)
            alTerminarCopia();
    });
    hilo_->start();
}

bool Supervisor::esperarCopia(int milisegundos)
{
    if (!hilo_)
        return true;
    if (!hilo_->wait(milisegundos))
        return false;
    alTerminarCopia();
    return true;
}

void Supervisor::alTerminarCopia()
{
    if (!hilo_)
        return; // already reported by esperarCopia
    hilo_->deleteLater();
    hilo_ = nullptr;
    if (correcta_) {
        ctx_.registrar(QStringLiteral("Se ha realizado la copia de seguridad correctamente"));
        emit copiaTerminada(true);
        return;
    }
    qWarning().noquote() << "backup failed:" << error_;
    ctx_.registrar(QStringLiteral("La copia de seguridad no se ha podido realizar"));
    // The counter stands at the interval at once, so that the next tick tries
    // again even while this box waits for the guard.
    AccionBD(ctx_, ventana_, [&] {
        SesionBD sesion(ctx_.bd());
        DevolverTurnoRespaldo(ctx_.bd(), respaldoCada_);
    });
    ctx_.dialogos.informar(ventana_, ctx_.texto(23) + kSalto + ctx_.texto(24) + kSalto + kSalto +
                                         ctx_.texto(25) + kSalto + ctx_.texto(26) +
                                         TextoHorasIntervalo(respaldoCada_) + ctx_.texto(27) +
                                         kSalto + kSalto + ctx_.texto(28) + kSalto + kSalto +
                                         ctx_.texto(29));
    emit copiaTerminada(false);
}

void Supervisor::tamano()
{
    if (!ctx_.cfg.VerificarSizeBD)
        return;
    const QFileInfo archivo(RutaBaseDatos(ctx_.cfg, ctx_.carpetaPrograma()));
    if (!archivo.isFile()) {
        ctx_.dialogos.informar(ventana_, ctx_.texto(32) + kSalto + ctx_.texto(33) + kSalto +
                                             kSalto + ctx_.texto(34) + kSalto + kSalto +
                                             ctx_.texto(35));
        ctx_.registrar(QStringLiteral(
            "No se ha podido determinar el tamaño de la base de datos para avisos de soporte"));
        return;
    }
    const qint64 bytes = archivo.size();
    const AvisoTamano aviso = EvaluarTamano(bytes, ctx_.cfg);
    if (aviso == AvisoTamano::Ninguno)
        return;
    if (aviso == AvisoTamano::Revisar)
        ctx_.dialogos.informar(ventana_, ctx_.texto(30));
    else
        ctx_.dialogos.advertir(ventana_, ctx_.texto(31));
    ctx_.registrar(QStringLiteral("Tamaño de la base de datos: ") + QString::number(bytes) +
                   QStringLiteral(" bytes"));
}
