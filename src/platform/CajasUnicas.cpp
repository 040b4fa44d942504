#include "CajasUnicas.h"

#include <QTimer>

bool CajasUnicas::mostrar(const QString& clase, std::function<void()> caja)
{
    if (pendientes_.contains(clase)) {
        ++omitidas_[clase];
        return false;
    }
    pendientes_.insert(clase);
    QTimer::singleShot(0, this, [this, clase, caja = std::move(caja)] {
        caja();
        pendientes_.remove(clase);
    });
    return true;
}
