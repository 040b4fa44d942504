#pragma once

#include <QObject>

class Contexto;
class QThread;
class QWidget;

// The backup and size chores of the main window's minute tick. The copy runs
// off the interface thread, so the guard keeps working while a large
// database is copied.
class Supervisor : public QObject
{
    Q_OBJECT

public:
    Supervisor(Contexto& ctx, QWidget* ventana);
    ~Supervisor() override;

    void respaldo();
    void tamano();

    bool copiando() const { return hilo_ != nullptr; }
    // Waits for a running copy to end and reports it; false on timeout.
    bool esperarCopia(int milisegundos);

signals:
    void copiaTerminada(bool correcta);

private:
    void alTerminarCopia();

    Contexto& ctx_;
    QWidget* ventana_;
    QThread* hilo_ = nullptr;
    bool correcta_ = false;
    QString error_;
    int respaldoCada_ = 0;
};
