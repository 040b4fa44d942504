#pragma once

#include <functional>

class Contexto;
class QWidget;

class BaseDatos;

// Runs one database action of a window on the open connection (opened for it,
// closed after it, also when it throws). A failure (database missing, locked
// past the timeout, statement refused) closes the connection, writes the
// event log and shows the reason; the window stays usable. Returns whether the
// action ran to its end.
using SentenciasBD = std::function<void(BaseDatos& bd)>;
bool AccionBD(Contexto& ctx, QWidget* ventana, const SentenciasBD& accion);

// The same for reads that run while the guard types (name completion): a
// failure is written to the event log but shows no box, so typing goes on.
bool AccionBDSinAviso(Contexto& ctx, const SentenciasBD& accion);

class ErrorBD;
class QString;

// The pieces of the above, for failures that come back from work done off
// the interface thread: the event-log line, the box text in the interface
// language (the engine's words follow as a detail), and the box.
void RegistrarErrorBD(Contexto& ctx, const ErrorBD& error);
QString TextoErrorBD(const Contexto& ctx, const ErrorBD& error);
void MostrarErrorBD(Contexto& ctx, QWidget* ventana, const ErrorBD& error);
