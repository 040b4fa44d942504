#pragma once

#include "Censo.h"

#include <optional>

// The census form's rules: its letter case and its checks, before a save.

// Unit name and surnames with a first capital; given names, resident types,
// vehicle descriptions and types in proper case; plates in upper case. The
// number, tower, telephone and notes are kept exactly as typed.
RegistroCenso NormalizarCenso(RegistroCenso registro);

// The field of the first failed check, in the order the form checks them.
enum class CampoCenso { NomUnidad, NumInmueble, TfnoInmueble };
std::optional<CampoCenso> ValidarCenso(const RegistroCenso& registro);

// A telephone number: one or more digits 0-9 and nothing else.
bool EsNumeroTelefono(const QString& texto);
