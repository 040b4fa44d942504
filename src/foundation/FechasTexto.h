#pragma once

#include <QDateTime>
#include <QString>
#include <QVariant>

// How moments are shown and read back. Lists and stored moments shown to the
// user are day first with a 12-hour clock and a lower-case am/pm; live time
// fields use the machine's short date (the default locale, which is the
// machine's unless a test sets another). Either is read back with the pattern
// it was shown with, whatever the machine's locale.

// "dd/mm/yyyy hh:mm:ss am/pm"
QString TextoFechaLista(const QDateTime& momento);
// System short date, a blank, "hh:mm:ss am/pm"
QString TextoFechaViva(const QDateTime& momento);

enum class FormatoFecha { Lista, Viva };

// Reads a typed or shown moment; tries the pattern the field was shown with
// first, then the other one. An invalid QDateTime when neither fits.
QDateTime LeerFechaMostrada(const QString& texto, FormatoFecha mostrado);

// "12/06/2026 03:07:09 pm": an example for messages about a wrong moment.
QString EjemploFecha(FormatoFecha formato, const QDateTime& momento);

// List times: "dd/mm/yyyy hh:mm am/pm", the minute refresh of the notices.
QString TextoFechaListaSinSegundos(const QDateTime& momento);

// Dates are stored as text "yyyy-MM-dd HH:mm:ss", which sorts and compares.
QString TextoFechaBD(const QDateTime& momento);
QDateTime FechaDesdeBD(const QVariant& valor);
// A whole day as stored moments: its first and its last second.
QString TextoInicioDiaBD(const QDate& dia);
QString TextoFinDiaBD(const QDate& dia);

// The event log: the day in its file name ("yyyymmdd"), and the date and
// time fields of a line ("dd-mm-yyyy", "hh:mm:ss" on a 24-hour clock).
QString TextoDiaArchivoSucesos(const QDate& dia);
QString TextoDiaSuceso(const QDateTime& momento);
QString TextoHoraSuceso(const QDateTime& momento);

// The moment in a backup's file name: "dd-mm-yyyy hh-mm-ss", 24-hour clock.
QString TextoFechaRespaldo(const QDateTime& momento);

// The printed listings' header: the weekday ("dddd, dd", every word with a
// capital) and the month of the regional settings, whatever the program's
// language, joined by a Spanish " de ": "Miércoles, 05 de Agosto de 2026".
QString TextoFechaEncabezadoListado(const QDate& dia);
// "hh:mm:ss am/pm", the time beside it.
QString TextoHoraListado(const QTime& hora);
// The moment in the name of a listing's PDF file: "yyyyMMdd-HHmmss".
QString TextoFechaArchivoListado(const QDateTime& momento);

// The moment a picture was taken, "yyyy-mm-dd hh-mm-ss"; invalid when empty.
QDateTime LeerFechaFoto(const QString& texto);
QString TextoFechaFoto(const QDateTime& momento);
