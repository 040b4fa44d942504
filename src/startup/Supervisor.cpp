#include "Supervisor.h"

#include "foundation/ArchivosTexto.h"

#include "foundation/Contexto.h"
#include "platform/AccionBD.h"
#include "platform/CajasUnicas.h"
#include "platform/Dialogos.h"

#include <QDir>
#include <QFileInfo>
#include <QThread>
#include <QTimer>
#include <QWidget>
#include <QtDebug>

namespace {

constexpr int kSegundosTick = 60;
// A copy's temporary file untouched this long belongs to a copy that was cut off.
constexpr int kCopiaAbandonadaS = 120;
const QString kSalto = QStringLiteral("\r\n");

const QString kCajaCopia = QStringLiteral("copia");
const QString kCajaTamano = QStringLiteral("tamano");
const QString kCajaBaseDatos = QStringLiteral("basedatos");

} // namespace

Supervisor::Supervisor(Contexto& ctx, QWidget* ventana)
    : QObject(ventana), ctx_(ctx), ventana_(ventana), cajas_(new CajasUnicas(this)),
      reintento_(new QTimer(this)), copiar_(CopiarBaseDatos)
{
    reintento_->setSingleShot(true);
    reintento_->setInterval(kReintentoMs);
    connect(reintento_, &QTimer::timeout, this, &Supervisor::lanzarTrabajo);
}

Supervisor::~Supervisor()
{
    // A copy in progress is finished rather than cut: its file would stay
    // half-written. The tick's work is short (bounded by the lock wait).
    if (hiloCopia_)
        hiloCopia_->wait();
    if (hiloTrabajo_)
        hiloTrabajo_->wait();
}

void Supervisor::fijarReintento(int milisegundos)
{
    reintento_->setInterval(milisegundos);
}

void Supervisor::tick()
{
    if (ctx_.cfg.EfectuarRespaldo)
        pendientes_ += kSegundosTick;
    // Work still running (a busy database) takes this minute at its next round.
    if (hiloTrabajo_)
        otraVuelta_ = true;
    else
        lanzarTrabajo();
    tamano();
}

void Supervisor::lanzarTrabajo()
{
    reintento_->stop();
    if (hiloTrabajo_)
        return;
    if (!ctx_.cfg.EfectuarRespaldo && !ctx_.cfg.EfectuarAviso && !devolverTurno_)
        return;
    otraVuelta_ = false;
    pedido_ = PedidoTick{};
    pedido_.rutaBD = ctx_.bd().ruta();
    pedido_.respaldo = ctx_.cfg.EfectuarRespaldo;
    pedido_.segundos = pendientes_;
    // Right after a failed copy the counter stands at the interval again: the
    // copy is tried at the next minute, not in a loop now.
    pedido_.puedeCopiar = !hiloCopia_ && !devolverTurno_;
    pedido_.devolverTurno = devolverTurno_;
    pedido_.avisos = ctx_.cfg.EfectuarAviso;
    pedido_.ahora = ctx_.reloj.ahora();
    lanzar(
        hiloTrabajo_, [this] { resultado_ = TrabajoTick(pedido_); },
        &Supervisor::alTerminarTrabajo);
}

void Supervisor::lanzar(QThread*& hilo, std::function<void()> trabajo,
                        void (Supervisor::*alTerminar)())
{
    QThread* nuevo = QThread::create(std::move(trabajo));
    // Owned here too: a window closed while the copy runs waits for it in the
    // destructor, and the finished thread must go with the supervisor.
    nuevo->setParent(this);
    hilo = nuevo;
    // Only this thread's end is handled: a late signal of an earlier, already
    // handled one must not stand for a newer one.
    connect(nuevo, &QThread::finished, this, [this, &hilo, nuevo, alTerminar] {
        if (hilo == nuevo)
            (this->*alTerminar)();
    });
    nuevo->start();
}

bool Supervisor::esperar(QThread* hilo, int milisegundos, void (Supervisor::*alTerminar)())
{
    if (hilo && !hilo->wait(milisegundos))
        return false;
    (this->*alTerminar)();
    return true;
}

bool Supervisor::esperarTrabajo(int milisegundos)
{
    return esperar(hiloTrabajo_, milisegundos, &Supervisor::alTerminarTrabajo);
}

void Supervisor::alTerminarTrabajo()
{
    if (!hiloTrabajo_)
        return; // already handled by esperarTrabajo
    hiloTrabajo_->deleteLater();
    hiloTrabajo_ = nullptr;
    const ResultadoTick r = resultado_;
    if (r.turnoDevuelto)
        devolverTurno_.reset();
    if (r.contadorHecho)
        pendientes_ -= pedido_.segundos;
    if (r.error)
        avisarFallo(*r.error);
    else
        avisarOcupada_ = true;
    if (r.contadorHecho && r.turno.toca)
        iniciarCopia(r.turno.respaldoCada);
    if (r.avisosLeidos)
        emit avisosRevisados(r.hayVencidos);
    if (otraVuelta_)
        lanzarTrabajo();
    else if (r.error && r.error->ocupada())
        reintento_->start();
}

void Supervisor::avisarFallo(const ErrorBD& error)
{
    // Busy: the minute is kept and tried again shortly; one log line for the
    // whole spell, and no box, since nothing is lost.
    if (error.ocupada()) {
        qWarning().noquote() << "tick delayed:" << error.detalle();
        if (avisarOcupada_)
            RegistrarErrorBD(ctx_, error);
        avisarOcupada_ = false;
        return;
    }
    RegistrarErrorBD(ctx_, error);
    cajas_->mostrar(kCajaBaseDatos, [this, error] { MostrarErrorBD(ctx_, ventana_, error); });
}

void Supervisor::iniciarCopia(int respaldoCada)
{
    respaldoCada_ = respaldoCada;
    const QString carpeta = ctx_.carpetaDatos() + QStringLiteral("/respaldos");
    CrearCarpetaCompartida(carpeta);
    const QString origen = ctx_.bd().ruta();
    const bool servidor = ctx_.bd().enServidor();
    if (servidor && ProgramaVolcado().isEmpty()) {
        // Not a failure: nothing to try again, and the counter stays claimed.
        ctx_.registrar(QStringLiteral("No se hace la copia de seguridad: pg_dump no está "
                                      "instalado; valen las copias del propio servidor"));
        return;
    }
    const QDateTime ahora = ctx_.reloj.ahora();
    const QString destino = carpeta + u'/' + NombreRespaldo(ahora, ctx_.cfg.PuntoControl, servidor);
    const QString punto = ctx_.cfg.PuntoControl;
    lanzar(
        hiloCopia_,
        [this, carpeta, punto, origen, destino] {
            BorrarCopiasInterrumpidas(carpeta, punto,
                                      QDateTime::currentDateTime().addSecs(-kCopiaAbandonadaS));
            correcta_ = copiar_(origen, destino, &error_);
        },
        &Supervisor::alTerminarCopia);
}

bool Supervisor::esperarCopia(int milisegundos)
{
    return esperar(hiloCopia_, milisegundos, &Supervisor::alTerminarCopia);
}

void Supervisor::alTerminarCopia()
{
    if (!hiloCopia_)
        return; // already reported by esperarCopia
    hiloCopia_->deleteLater();
    hiloCopia_ = nullptr;
    if (correcta_) {
        ctx_.registrar(QStringLiteral("Se ha realizado la copia de seguridad correctamente"));
        emit copiaTerminada(true);
        return;
    }
    qWarning().noquote() << "backup failed:" << error_;
    ctx_.registrar(QStringLiteral("La copia de seguridad no se ha podido realizar"));
    // The counter is put back to the interval at once (off this thread), so
    // that the next tick tries again even while the box waits for the guard.
    devolverTurno_ = respaldoCada_;
    if (hiloTrabajo_)
        otraVuelta_ = true;
    else
        lanzarTrabajo();
    avisarCopiaFallida(respaldoCada_);
    emit copiaTerminada(false);
}

void Supervisor::avisarCopiaFallida(int respaldoCada)
{
    const QString texto = ctx_.texto(23) + kSalto + ctx_.texto(24) + kSalto + kSalto +
                          ctx_.texto(25) + kSalto + ctx_.texto(26) +
                          TextoHorasIntervalo(respaldoCada) + ctx_.texto(27) + kSalto + kSalto +
                          ctx_.texto(28) + kSalto + kSalto + ctx_.texto(29);
    cajas_->mostrar(kCajaCopia, [this, texto] { ctx_.dialogos.informar(ventana_, texto); });
}

void Supervisor::tamano()
{
    if (!ctx_.cfg.VerificarSizeBD)
        return;
    qint64 bytes = -1;
    try {
        bytes = TamanoBaseDatos(ctx_.bd());
    } catch (const ErrorBD&) {
        // Told below, as the old platform told a missing file.
    }
    if (bytes < 0) {
        const QString texto = ctx_.texto(32) + kSalto + ctx_.texto(33) + kSalto + kSalto +
                              ctx_.texto(34) + kSalto + kSalto + ctx_.texto(35);
        cajas_->mostrar(kCajaTamano, [this, texto] { ctx_.dialogos.informar(ventana_, texto); });
        ctx_.registrar(QStringLiteral(
            "No se ha podido determinar el tamaño de la base de datos para avisos de soporte"));
        return;
    }
    const AvisoTamano aviso = EvaluarTamano(bytes, ctx_.cfg);
    if (aviso == AvisoTamano::Ninguno)
        return;
    cajas_->mostrar(kCajaTamano, [this, aviso] {
        if (aviso == AvisoTamano::Revisar)
            ctx_.dialogos.informar(ventana_, ctx_.texto(30));
        else
            ctx_.dialogos.advertir(ventana_, ctx_.texto(31));
    });
    ctx_.registrar(QStringLiteral("Tamaño de la base de datos: ") + QString::number(bytes) +
                   QStringLiteral(" bytes"));
}
