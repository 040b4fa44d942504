#include "FechasTexto.h"

#include <QLocale>

#include <cstdio>

namespace {

// The machine's regional settings: the program never sets another default
// locale, while a test can set the one it means.
QLocale Regional()
{
    return QLocale();
}

const QString kHora = QStringLiteral("hh:mm:ss ap");
const QString kFormatoFoto = QStringLiteral("yyyy-MM-dd HH-mm-ss");

QString FormatoCorto()
{
    return Regional().dateFormat(QLocale::ShortFormat);
}

bool CortoSinAmbiguedad()
{
    const QString formato = FormatoCorto();
    return formato.contains(QStringLiteral("MMM")) || formato.indexOf(u'd') < formato.indexOf(u'M');
}

QTime LeerHora(const QString& texto)
{
    // As shown (12-hour with am/pm), or as a guard may type it (24-hour, no seconds).
    for (const char* formato : {"h:mm:ss ap", "h:mm ap", "H:mm:ss", "H:mm"}) {
        const QTime hora = QLocale::c().toTime(texto, QString::fromLatin1(formato));
        if (hora.isValid())
            return hora;
    }
    return QTime();
}

QDate LeerDia(const QString& texto, FormatoFecha formato)
{
    if (formato == FormatoFecha::Lista)
        return QLocale::c().toDate(texto, QStringLiteral("d/M/yyyy"));
    QDate dia = Regional().toDate(texto, FormatoCorto());
    // Qt reads a two-digit year as 19xx; the gatehouse lives in this century.
    if (dia.isValid() && !FormatoCorto().contains(QStringLiteral("yyyy")) && dia.year() < 2000)
        dia = dia.addYears(100);
    return dia;
}

QDateTime LeerCon(const QString& texto, FormatoFecha formato)
{
    QStringList partes = texto.simplified().split(u' ', Qt::SkipEmptyParts);
    const bool conSufijo =
        !partes.isEmpty() && (partes.last().compare(u"am", Qt::CaseInsensitive) == 0 ||
                              partes.last().compare(u"pm", Qt::CaseInsensitive) == 0);
    const int partesHora = conSufijo ? 2 : 1;
    if (partes.size() <= partesHora)
        return QDateTime();
    const QTime hora = LeerHora(partes.mid(partes.size() - partesHora).join(u' ').toLower());
    const QDate dia = LeerDia(partes.mid(0, partes.size() - partesHora).join(u' '), formato);
    return dia.isValid() && hora.isValid() ? QDateTime(dia, hora) : QDateTime();
}

// Upper-cases the first letter of every word, the rest as the locale wrote it.
QString ConMayusculas(QString texto, bool cadaPalabra)
{
    bool inicio = true;
    for (QChar& letra : texto) {
        if (inicio && letra.isLetter()) {
            letra = letra.toUpper();
            inicio = false;
            if (!cadaPalabra)
                break;
        } else if (letra.isSpace()) {
            inicio = true;
        } else {
            inicio = false;
        }
    }
    return texto;
}

} // namespace

QString TextoFechaLista(const QDateTime& momento)
{
    // Written by hand, as "dd/MM/yyyy hh:mm:ss ap" in the C locale: the
    // visitor log writes two a row, and on a list of 100 000 visits the
    // general formatter took half the time of filling it.
    if (!momento.isValid())
        return QString();
    const QDate dia = momento.date();
    const QTime hora = momento.time();
    const int hora12 = hora.hour() % 12 == 0 ? 12 : hora.hour() % 12;
    char texto[40];
    std::snprintf(texto, sizeof texto, "%02d/%02d/%04d %02d:%02d:%02d %s", dia.day(), dia.month(),
                  dia.year(), hora12, hora.minute(), hora.second(), hora.hour() < 12 ? "am" : "pm");
    return QString::fromLatin1(texto);
}

QString TextoFechaViva(const QDateTime& momento)
{
    return Regional().toString(momento.date(), QLocale::ShortFormat) + u' ' +
           QLocale::c().toString(momento.time(), kHora);
}

QDateTime LeerFechaMostrada(const QString& texto, FormatoFecha mostrado)
{
    const FormatoFecha otro =
        mostrado == FormatoFecha::Lista ? FormatoFecha::Viva : FormatoFecha::Lista;
    QDateTime momento = LeerCon(texto, mostrado);
    // The other pattern only where it cannot swap day and month: a month-first
    // machine date ("8/5/26") and a day-first list date read the same digits apart.
    if (!momento.isValid() && CortoSinAmbiguedad())
        momento = LeerCon(texto, otro);
    return momento;
}

QString EjemploFecha(FormatoFecha formato, const QDateTime& momento)
{
    return formato == FormatoFecha::Lista ? TextoFechaLista(momento) : TextoFechaViva(momento);
}

QString TextoFechaListaSinSegundos(const QDateTime& momento)
{
    return QLocale::c().toString(momento, QStringLiteral("dd/MM/yyyy hh:mm ap"));
}

QString TextoFechaBD(const QDateTime& momento)
{
    return momento.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QString TextoInicioDiaBD(const QDate& dia)
{
    return TextoFechaBD(QDateTime(dia, QTime(0, 0, 0)));
}

QString TextoFinDiaBD(const QDate& dia)
{
    return TextoFechaBD(QDateTime(dia, QTime(23, 59, 59)));
}

QDateTime FechaDesdeBD(const QVariant& valor)
{
    // Read by hand: a list of thousands of visits reads one per row, and the
    // general format parser costs several times more.
    const QString texto = valor.toString();
    if (valor.isNull() || texto.size() != 19)
        return QDateTime();
    auto numero = [&texto](int desde, int largo) {
        int n = 0;
        for (int i = desde; i < desde + largo; ++i) {
            const int cifra = texto[i].digitValue();
            if (cifra < 0)
                return -1;
            n = n * 10 + cifra;
        }
        return n;
    };
    const QDate dia(numero(0, 4), numero(5, 2), numero(8, 2));
    const QTime hora(numero(11, 2), numero(14, 2), numero(17, 2));
    if (!dia.isValid() || !hora.isValid() || texto[4] != u'-' || texto[10] != u' ')
        return QDateTime();
    return QDateTime(dia, hora);
}

QString TextoDiaArchivoSucesos(const QDate& dia)
{
    return dia.toString(QStringLiteral("yyyyMMdd"));
}

QString TextoDiaSuceso(const QDateTime& momento)
{
    return momento.toString(QStringLiteral("dd-MM-yyyy"));
}

QString TextoHoraSuceso(const QDateTime& momento)
{
    return momento.toString(QStringLiteral("HH:mm:ss"));
}

QString TextoFechaRespaldo(const QDateTime& momento)
{
    return momento.toString(QStringLiteral("dd-MM-yyyy HH-mm-ss"));
}

QString TextoFechaEncabezadoListado(const QDate& dia)
{
    const QLocale regional = Regional();
    // The standalone month: " de " already joins it, as in "04 de diciembre".
    return ConMayusculas(regional.dayName(dia.dayOfWeek(), QLocale::LongFormat), true) +
           QStringLiteral(", %1 de ").arg(dia.day(), 2, 10, QLatin1Char('0')) +
           ConMayusculas(regional.standaloneMonthName(dia.month(), QLocale::LongFormat), false) +
           QStringLiteral(" de %1").arg(dia.year(), 4, 10, QLatin1Char('0'));
}

QString TextoHoraListado(const QTime& hora)
{
    return QLocale::c().toString(hora, kHora);
}

QString TextoFechaArchivoListado(const QDateTime& momento)
{
    return momento.toString(QStringLiteral("yyyyMMdd-HHmmss"));
}

QDateTime LeerFechaFoto(const QString& texto)
{
    return QDateTime::fromString(texto, kFormatoFoto);
}

QString TextoFechaFoto(const QDateTime& momento)
{
    return momento.toString(kFormatoFoto);
}
