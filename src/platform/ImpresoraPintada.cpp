#include "ImpresoraPintada.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>

#include <cmath>

void ImpresoraPintada::empezar(QPagedPaintDevice& dispositivo)
{
    dispositivo_ = &dispositivo;
    // With no printer to go to, QPainter::begin() refuses quietly: that is the
    // failure, not an empty document.
    if (!pintor_.begin(&dispositivo)) {
        fallar(QStringLiteral("The printer could not start the document"));
        return;
    }
    // "Times New Roman" resolves to a metric-compatible face (Liberation Serif).
    pintor_.setFont(QFont(QStringLiteral("Times New Roman"), 10));
    pintor_.setPen(Qt::black);
}

double ImpresoraPintada::x(int columna) const
{
    return (kMargenColumnas + columna) * dispositivo_->logicalDpiX() / double(kColumnasPorPulgada);
}

double ImpresoraPintada::y(int fila) const
{
    return fila * dispositivo_->logicalDpiY() / double(kFilasPorPulgada);
}

void ImpresoraPintada::escribir(int columna, int fila, const QString& texto)
{
    if (fallo() || !pintando())
        return;
    // Tabs are expanded here, to tab stops on the cell grid: QPainter's own tab
    // handling differs between its overloads and can push text off the page.
    const QFontMetricsF medidas(pintor_.font(), dispositivo_);
    const double origen = x(0);
    const double tabulador = x(kColumnasTabulador) - origen;
    const double base = y(fila) + medidas.ascent();
    double posicion = x(columna);
    const QStringList trozos = texto.split(u'\t');
    for (qsizetype n = 0; n < trozos.size(); ++n) {
        if (n > 0)
            posicion = origen + (std::floor((posicion - origen) / tabulador) + 1) * tabulador;
        if (trozos[n].isEmpty())
            continue;
        pintor_.drawText(QPointF(posicion, base), trozos[n]);
        posicion += medidas.horizontalAdvance(trozos[n]);
    }
}

void ImpresoraPintada::nuevaPagina()
{
    if (fallo() || !pintando())
        return;
    if (!dispositivo_->newPage())
        fallar(QStringLiteral("The printer refused a new page"));
    ++pagina_;
}

bool ImpresoraPintada::acabar()
{
    if (!pintando())
        return false;
    if (!pintor_.end()) {
        fallar(QStringLiteral("The printer could not finish the document"));
        return false;
    }
    return true;
}

void ImpresoraPintada::abandonar()
{
    if (pintando())
        pintor_.end();
}

void ImpresoraPintada::fallar(const QString& motivo)
{
    if (error_.isEmpty())
        error_ = motivo;
}
