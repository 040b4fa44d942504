#pragma once

#include <QString>

#include <QStringList>
#include <functional>

// Generated visitor logs for the benchmarks, cached on disk between runs.

// Visitors ranked by how often they come (0 comes most often) and the
// residents who authorise them. Deterministic for a given log size, so the
// benchmarks know the names in a cached file without reading it.
struct Poblacion
{
    QStringList visitantes;
    QStringList residentes;
};
const Poblacion& PoblacionPara(int visitas);

// The most frequent visitor holds the newest entry and is inside; the second
// most frequent is never inside, so both probes of the open-visit check hit a
// name with thousands of visits.
inline constexpr int kRangoDentro = 0;
inline constexpr int kRangoFuera = 1;

// The generated log holds this many open visits: the newest fifty plus old
// entries whose exit was never recorded. Variants with fewer are derived from it.
inline constexpr int kDentroMaximo = 5000;
inline constexpr int kDentroRecientes = 50;

// ZELVORA_BENCH_DIR, else /tmp/zelvora-bench.
QString CarpetaDatos();

// The file of that name in CarpetaDatos(), built by llenar the first time
// under a temporary name, so that an interrupted run leaves nothing that looks
// finished.
QString ArchivoGuardado(const QString& nombre, const std::function<void(const QString&)>& llenar);

// Path of a log of `visitas` visits with `dentro` (50 or 5000) visitors inside,
// generated on first use. Throws std::runtime_error.
QString ArchivoVisitas(int visitas, int dentro);
