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

// The key under which a name is searched: letter case folded (á = Á, ñ = Ñ),
// accents kept. Stored beside the name so that prefix searches use an index.
QString ClaveBusqueda(const QString& texto);

// The smallest text greater than every text that begins with the key: a
// prefix search is the key range [clave, FinDePrefijo(clave)).
QString FinDePrefijo(const QString& clave);

// The pattern for "column LIKE ? ESCAPE '\'" that finds the typed text
// anywhere in the column, its own %, _ and \ as ordinary characters. The
// program's like() ignores letter case beyond ASCII.
QString PatronContiene(const QString& texto);

// One or more digits 0-9 and nothing else: no sign, blank or decimal point.
bool SoloCifras(const QString& texto);
