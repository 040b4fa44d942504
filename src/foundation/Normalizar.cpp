#include "Normalizar.h"

#include <QList>

namespace {

bool EsSeparador(char32_t c)
{
    return c == U' ' || c == U'\t' || c == U'\n' || c == U'\v' || c == U'\f' || c == U'\r' ||
           c == U'\0';
}

// Character by character, so that the text keeps its length ("ß" stays one letter).
template <typename Regla> QString Transformar(const QString& texto, Regla regla)
{
    QString salida;
    salida.reserve(texto.size());
    bool inicioPalabra = true;
    for (char32_t c : texto.toUcs4()) {
        const char32_t nuevo = regla(c, inicioPalabra);
        inicioPalabra = EsSeparador(c);
        salida.append(QString::fromUcs4(&nuevo, 1));
    }
    return salida;
}

} // namespace

QString NombrePropio(const QString& texto)
{
    return Transformar(texto, [](char32_t c, bool inicio) {
        return inicio ? QChar::toUpper(c) : QChar::toLower(c);
    });
}

QString Mayusculas(const QString& texto)
{
    return Transformar(texto, [](char32_t c, bool) { return QChar::toUpper(c); });
}

QString PrimeraMayuscula(const QString& texto)
{
    if (texto.isEmpty())
        return texto;
    const QList<uint> ucs = texto.toUcs4();
    const char32_t primera = QChar::toUpper(ucs.first());
    return QString::fromUcs4(&primera, 1) +
           texto.mid(QChar::requiresSurrogates(ucs.first()) ? 2 : 1);
}

QString ClaveBusqueda(const QString& texto)
{
    return texto.toCaseFolded();
}

QString FinDePrefijo(const QString& clave)
{
    // U+10FFFF sorts after every character in SQLite's byte order.
    const char32_t maximo = 0x10FFFF;
    return clave + QString::fromUcs4(&maximo, 1);
}

QString PatronContiene(const QString& texto)
{
    QString patron;
    patron.reserve(texto.size() + 2);
    patron += u'%';
    for (const QChar c : texto) {
        if (c == u'%' || c == u'_' || c == u'\\')
            patron += u'\\';
        patron += c;
    }
    patron += u'%';
    return patron;
}

bool SoloCifras(const QString& texto)
{
    if (texto.isEmpty())
        return false;
    for (const QChar c : texto)
        if (c < u'0' || c > u'9')
            return false;
    return true;
}
