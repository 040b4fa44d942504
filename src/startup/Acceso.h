#pragma once

#include "foundation/Contexto.h"

#include <optional>

class BaseDatos;

// The user whose name matches exactly, letter case included, and whose stored
// password is the typed one. The database compares names without case, so its
// rows are checked again here. A password still stored as typed is replaced by
// its hash at this login.
std::optional<UsuarioActual> BuscarUsuario(BaseDatos& bd, const QString& sr, const QString& dw);

// Event text of the n-th failed attempt (1 to 3). The typed password is
// never written to the log.
QString TextoIntentoFallido(int intento, const QString& sr);

inline constexpr int kIntentosMaximos = 3;
