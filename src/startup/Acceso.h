#pragma once

#include "foundation/Contexto.h"

#include <optional>

class BaseDatos;

// The user whose name and password match exactly, letter case included. The
// database compares without case, so its rows are checked again here.
std::optional<UsuarioActual> BuscarUsuario(BaseDatos& bd, const QString& sr, const QString& dw);

// Event text of the n-th failed attempt (1 to 3). The typed password is
// never written to the log.
QString TextoIntentoFallido(int intento, const QString& sr);

inline constexpr int kIntentosMaximos = 3;
