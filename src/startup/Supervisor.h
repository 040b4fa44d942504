#pragma once

#include "Supervision.h"

#include <QObject>

#include <functional>

class CajasUnicas;
class Contexto;
class QThread;
class QTimer;
class QWidget;

// The chores of the main window's minute tick. Their database work and the
// backup copy run off the interface thread, so the guard's window never waits
// for another terminal's lock nor for a large copy; their boxes are queued,
// one of a kind at a time, so that none of them stops the next minute.
class Supervisor : public QObject
{
    Q_OBJECT

public:
    using FuncionCopia =
        std::function<bool(const QString& origen, const QString& destino, QString* error)>;

    Supervisor(Contexto& ctx, QWidget* ventana);
    ~Supervisor() override;

    // The minute: counts it, sends the database work, checks the size.
    void tick();

    // The copy itself; tests put a slower or failing one in its place.
    void fijarCopia(FuncionCopia copia) { copiar_ = std::move(copia); }

    bool copiando() const { return hiloCopia_ != nullptr; }
    // Wait for the running copy or tick work to end and handle it; false on timeout.
    bool esperarCopia(int milisegundos);
    bool esperarTrabajo(int milisegundos);
    bool trabajando() const { return hiloTrabajo_ != nullptr; }

    // Seconds of this terminal's minutes not yet in the shared counter.
    int segundosPendientes() const { return pendientes_; }
    const CajasUnicas& cajas() const { return *cajas_; }

    // A busy database is tried again after this long, instead of a minute later.
    static constexpr int kReintentoMs = 5000;
    void fijarReintento(int milisegundos);

signals:
    void copiaTerminada(bool correcta);
    // The notices chore's answer: whether a notice has fallen due.
    void avisosRevisados(bool hayVencidos);

private:
    // Runs trabajo on a thread kept in hilo; alTerminar handles its end.
    void lanzar(QThread*& hilo, std::function<void()> trabajo, void (Supervisor::*alTerminar)());
    bool esperar(QThread* hilo, int milisegundos, void (Supervisor::*alTerminar)());
    void lanzarTrabajo();
    void alTerminarTrabajo();
    void iniciarCopia(int respaldoCada);
    void alTerminarCopia();
    void avisarFallo(const ErrorBD& error);
    void avisarCopiaFallida(int respaldoCada);
    void tamano();

    Contexto& ctx_;
    QWidget* ventana_;
    CajasUnicas* cajas_;
    QTimer* reintento_;
    FuncionCopia copiar_;

    // The tick's database work, one at a time.
    QThread* hiloTrabajo_ = nullptr;
    PedidoTick pedido_;
    ResultadoTick resultado_;
    int pendientes_ = 0;
    bool otraVuelta_ = false;
    bool avisarOcupada_ = true;
    std::optional<int> devolverTurno_;

    // The copy.
    QThread* hiloCopia_ = nullptr;
    bool correcta_ = false;
    QString error_;
    int respaldoCada_ = 0;
};
