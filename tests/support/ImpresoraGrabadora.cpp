#include "ImpresoraGrabadora.h"

#include <QDebug>
#include <QProcess>

#include <algorithm>

void ImpresoraGrabadora::escribir(int columna, int fila, const QString& texto)
{
    if (fallo() || terminada)
        return;
    if (fallarEnLinea == int(lineas.size())) {
        fallido_ = true;
        return;
    }
    lineas.push_back({pagina(), columna, fila, texto});
}

void ImpresoraGrabadora::nuevaPagina()
{
    if (!fallo() && !terminada)
        ++paginasNuevas;
}

bool ImpresoraGrabadora::terminar()
{
    if (!fallarAlEmpezar)
        terminada = true;
    return !fallo();
}

QString ImpresoraGrabadora::error() const
{
    return fallo() ? QStringLiteral("The printer failed (test)") : QString();
}

QStringList ImpresoraGrabadora::hoja(int numero) const
{
    std::vector<Linea> enPagina;
    for (const Linea& linea : lineas)
        if (linea.pagina == numero)
            enPagina.push_back(linea);
    std::stable_sort(enPagina.begin(), enPagina.end(), [](const Linea& a, const Linea& b) {
        return a.fila != b.fila ? a.fila < b.fila : a.columna < b.columna;
    });
    QStringList filas;
    for (const Linea& linea : enPagina) {
        while (filas.size() <= linea.fila)
            filas << QString();
        if (linea.columna != 0)
            filas[linea.fila] += QStringLiteral("[%1]").arg(linea.columna);
        filas[linea.fila] += linea.texto;
    }
    return filas;
}

QList<QStringList> PaginasPdf(const QString& pdf)
{
    QProcess proceso;
    proceso.start(QStringLiteral("pdftotext"),
                  {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    if (!proceso.waitForFinished(30000) || proceso.exitCode() != 0)
        qWarning() << "pdftotext failed:" << proceso.readAllStandardError();
    QStringList hojas = QString::fromUtf8(proceso.readAllStandardOutput()).split(u'\f');
    if (!hojas.isEmpty() && hojas.last().trimmed().isEmpty())
        hojas.removeLast();
    QList<QStringList> paginas;
    for (const QString& hoja : hojas) {
        QStringList lineas;
        for (const QString& linea : hoja.split(u'\n'))
            if (!linea.trimmed().isEmpty())
                lineas << linea.simplified();
        paginas << lineas;
    }
    return paginas;
}
