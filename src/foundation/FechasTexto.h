#pragma once

#include <QDateTime>
#include <QString>

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
