#pragma once

#include "census/Marcado.h"

class Contexto;
class QWidget;

// Dials numero on the terminal's modem (DispositivoModem()) and tells the
// guard: lift the handset once it has dialed, or what went wrong. Failures
// are also written to the event log. The interface keeps running while the
// modem dials, so the caller must not go away until this returns.
ResultadoMarcado marcarNumeroTelefono(Contexto& ctx, QWidget* ventana, Modem& modem,
                                      const QString& numero,
                                      std::chrono::milliseconds espera = kEsperaMarcado);
