#pragma once

#include <QString>

// Passwords are kept in column dw of table sr as salted, slow hashes
// (Argon2id, salt and cost inside the stored text), so that neither the
// database file nor its backups hold what a user typed.

// The text to store for a typed password. Empty only when the machine could
// not spare the memory the hash needs; the caller then stores nothing.
QString CifrarClave(const QString& tecleada);

// Whether the stored value is a hash made by CifrarClave.
bool EsClaveCifrada(const QString& guardada);

// Whether the typed password is the one stored. A row written before hashes
// were used still holds the typed text: it is compared exactly, letter case
// included. An empty typed password never matches.
bool ClaveCoincide(const QString& guardada, const QString& tecleada);
