#include "ExportarCsv.h"

#include <QSaveFile>

namespace {

QString Campo(const QString& texto, QChar separador)
{
    const bool citar = texto.contains(separador) || texto.contains(u'"') || texto.contains(u'\n') ||
                       texto.contains(u'\r');
    if (!citar)
        return texto;
    QString citado = texto;
    citado.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return u'"' + citado + u'"';
}

} // namespace

QChar SeparadorCsv(const QString& codigoIdioma)
{
    return codigoIdioma == u"us" || codigoIdioma == u"en" ? u',' : u';';
}

QByteArray TextoCsv(const QList<QStringList>& filas, QChar separador)
{
    QString texto;
    for (const QStringList& fila : filas) {
        QStringList campos;
        campos.reserve(fila.size());
        for (const QString& campo : fila)
            campos << Campo(campo, separador);
        texto += campos.join(separador) + QStringLiteral("\r\n");
    }
    return QByteArrayLiteral("\xEF\xBB\xBF") + texto.toUtf8();
}

bool EscribirArchivoCsv(const QString& ruta, const QByteArray& contenido, QString* error)
{
    QSaveFile archivo(ruta);
    if (archivo.open(QIODevice::WriteOnly) && archivo.write(contenido) == contenido.size() &&
        archivo.commit())
        return true;
    *error = archivo.errorString();
    return false;
}
