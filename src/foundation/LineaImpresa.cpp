#include "LineaImpresa.h"

#include "platform/Impresora.h"

QString EnUnaLinea(QString texto)
{
    for (QChar& c : texto)
        if (c == u'\r' || c == u'\n' || c == u'\t')
            c = u' ';
    return texto;
}

void EscribirNumeroPagina(Impresora& impresora, int fila, const QString& etiqueta)
{
    impresora.escribir(0, fila, etiqueta + QString::number(impresora.pagina()));
}
