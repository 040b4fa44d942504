#pragma once

#include <QString>

#include <array>
#include <vector>

// A generated census for the benchmarks, cached on disk between runs.

inline constexpr int kViviendasCenso = 20000;
inline constexpr int kTorresCenso = 40;

// One dwelling as stored: the text of every column, unused resident and
// vehicle slots left as the editing window leaves them ("" and, for the type,
// a single blank).
struct ViviendaGenerada
{
    struct Residente
    {
        QString nombre, ape1, ape2, tipo;
    };
    struct Vehiculo
    {
        QString placa, descr, tipo;
    };
    int id_censo = 0;
    QString nom_unidad;
    QString num_inmueble;
    int torre = 0;
    QString tfno_inmueble;
    std::array<Residente, 5> residentes;
    std::array<Vehiculo, 5> vehiculos;
    QString notas;
    int cuantosResidentes = 0;
    int cuantosVehiculos = 0;
};

// The dwellings of a census of that size, in id_censo order. Deterministic,
// so a benchmark knows what a cached file holds without reading it (a
// surname, a plate, a telephone that exist).
const std::vector<ViviendaGenerada>& CensoGenerado(int viviendas);

// Path of a database (the program's schema) whose census holds that many
// dwellings, towers 1 to 40, generated on first use under CarpetaDatos().
// Throws std::runtime_error.
QString ArchivoCenso(int viviendas = kViviendasCenso);
