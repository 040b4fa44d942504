#pragma once

#include "platform/Impresora.h"

#include <QPainter>

class QPagedPaintDevice;

// The grid of character cells drawn with a QPainter on a paged device (a
// printer or a PDF writer). The devices differ only in how a document starts
// and how it is handed over.
class ImpresoraPintada : public Impresora
{
public:
    void escribir(int columna, int fila, const QString& texto) override;
    void nuevaPagina() override;
    int pagina() const override { return pagina_; }
    bool fallo() const override { return !error_.isEmpty(); }
    QString error() const override { return error_; }

protected:
    // Starts painting; a device that cannot start is the failure.
    void empezar(QPagedPaintDevice& dispositivo);
    // Ends painting; false when that failed (the document is then incomplete).
    bool acabar();
    // Stops painting an unfinished document; derived destructors call it
    // before their device goes, after dropping what they can.
    void abandonar();
    void fallar(const QString& motivo);
    bool pintando() const { return pintor_.isActive(); }

private:
    double x(int columna) const;
    double y(int fila) const;

    QPainter pintor_;
    QPagedPaintDevice* dispositivo_ = nullptr;
    int pagina_ = 1;
    QString error_;
};
