#pragma once

#include <QString>

// The three letter-case rules applied to typed names, plates and descriptions.
// Case follows Unicode, so accented letters and ñ change like any other
// letter; nothing else (blanks, punctuation, accents) is touched.

// Every letter that starts a word upper case, the rest lower case; only blanks
// and control separators start a word (a hyphen or apostrophe does not).
QString NombrePropio(const QString& texto);

// Every letter upper case.
QString Mayusculas(const QString& texto);

// The first character upper case, the rest exactly as typed.
QString PrimeraMayuscula(const QString& texto);
