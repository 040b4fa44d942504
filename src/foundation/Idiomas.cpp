#include "Idiomas.h"

#include "ArchivosTexto.h"

#include <QFile>

namespace {

QString Desescapar(QStringView texto)
{
    QString salida;
    salida.reserve(texto.size());
    for (qsizetype i = 0; i < texto.size(); ++i) {
        const QChar c = texto[i];
        if (c != u'\\' || i + 1 == texto.size()) {
            salida.append(c);
            continue;
        }
        const QChar siguiente = texto[++i];
        if (siguiente == u't')
            salida.append(u'\t');
        else if (siguiente == u'r')
            salida.append(u'\r');
        else if (siguiente == u'n')
            salida.append(u'\n');
        else
            salida.append(siguiente);
    }
    return salida;
}

int ColumnaDelCodigo(const QString& codigo)
{
    if (codigo == u"es")
        return 1;
    if (codigo == u"co")
        return 2;
    if (codigo == u"us" || codigo == u"en")
        return 3;
    return -1;
}

// The tables are data compiled into the program (textos.tsv).
const QList<QStringList>& FilasTextos()
{
    static const QList<QStringList> filas = [] {
        QList<QStringList> resultado;
        QFile archivo(QStringLiteral(":/zelvora/idiomas/textos.tsv"));
        if (!archivo.open(QIODevice::ReadOnly))
            return resultado;
        const QString contenido = QString::fromUtf8(archivo.readAll());
        for (QStringView linea : QStringView(contenido).split(u'\n')) {
            if (linea.endsWith(u'\r'))
                linea.chop(1);
            if (linea.isEmpty() || linea.startsWith(u'#'))
                continue;
            QStringList campos;
            for (QStringView campo : linea.split(u'\t'))
                campos.append(Desescapar(campo));
            if (campos.size() == 4)
                resultado.append(campos);
        }
        return resultado;
    }();
    return filas;
}

void Asignar(TablasIdioma* tablas, const QString& clave, const QString& texto)
{
    bool ok = false;
    const int numero = clave.mid(1).toInt(&ok);
    if (clave.startsWith(u'T') && ok && numero >= 0 && numero < kSlotsTexto)
        tablas->TextoIdioma[numero] = texto;
    else if (clave.startsWith(u'P') && ok && numero >= 1 && numero <= kSlotsPermiso)
        tablas->PermisoIdioma[numero] = texto;
    else if (clave.startsWith(u'X'))
        tablas->mensajes.insert(clave, texto);
}

} // namespace

QString TablasIdioma::texto(int slot) const
{
    return slot >= 0 && slot < TextoIdioma.size() ? TextoIdioma[slot] : QString();
}

QString TablasIdioma::permiso(int numero) const
{
    return numero >= 1 && numero < PermisoIdioma.size() ? PermisoIdioma[numero] : QString();
}

QString TablasIdioma::mensaje(const QString& clave) const
{
    // Our own messages fall back to Spanish: a database failure must never
    // show an empty box, even under an unknown language code.
    const QString texto = mensajes.value(clave);
    if (!texto.isEmpty())
        return texto;
    for (const QStringList& fila : FilasTextos())
        if (fila[0] == clave)
            return fila[1];
    return QString();
}

bool CargarTablasIdioma(const QString& codigo, TablasIdioma* tablas)
{
    *tablas = TablasIdioma();
    const int columna = ColumnaDelCodigo(codigo);
    if (columna < 0)
        return false;
    for (const QStringList& fila : FilasTextos())
        Asignar(tablas, fila[0], fila[columna]);
    return true;
}

QString TraduccionQt(const QString& codigo)
{
    return codigo == u"es" || codigo == u"co" ? QStringLiteral("qtbase_es") : QString();
}

bool LeerArchivoIdioma(const QString& carpetaPrograma, QString* codigo)
{
    QByteArray contenido;
    // An empty file counts as no choice, as a failed read would.
    if (!LeerArchivo(carpetaPrograma + u'/' + kArchivoIdioma, &contenido) || contenido.isEmpty())
        return false;
    *codigo = PrimerCampo(DecodificarTexto(contenido));
    return true;
}

bool EscribirArchivoIdioma(const QString& carpetaPrograma, const QString& codigo, QString* error)
{
    return EscribirLineaUnica(carpetaPrograma + u'/' + kArchivoIdioma, codigo, error);
}

QString EscaparTexto(const QString& texto)
{
    QString salida;
    salida.reserve(texto.size());
    for (QChar c : texto) {
        if (c == u'\\')
            salida.append(QStringLiteral("\\\\"));
        else if (c == u'\t')
            salida.append(QStringLiteral("\\t"));
        else if (c == u'\r')
            salida.append(QStringLiteral("\\r"));
        else if (c == u'\n')
            salida.append(QStringLiteral("\\n"));
        else
            salida.append(c);
    }
    return salida;
}
