#pragma once

#include <QString>

class BaseDatos;

// The text slot of the first thing wrong with a password change as typed
// (56: no current password; 57: the new one empty or not confirmed exactly),
// or 0 when it may be tried.
int RevisarCambioClave(const QString& actual, const QString& nueva, const QString& confirme);

// Every user named exactly sr (letter case included) whose password is actual
// gets nueva, stored as a hash, in one transaction. False when no such user
// exists (nothing written). Throws ErrorBD.
bool CambiarClave(BaseDatos& bd, const QString& sr, const QString& actual, const QString& nueva);

// For an administrator who forgot the password: the ids of the users named
// exactly sr.
QList<int> UsuariosLlamados(BaseDatos& bd, const QString& sr);

// Gives that user a new password, stored as a hash. Throws ErrorBD.
void FijarClave(BaseDatos& bd, int idSr, const QString& nueva);
