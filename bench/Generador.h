#pragma once

#include <QSqlDatabase>
#include <QString>

#include <cstdint>
#include <span>

class QSqlQuery;

// What the generated benchmark databases share: a fixed random sequence, the
// Spanish names people are given, and a connection for filling a file.

// SplitMix64: its sequence is fixed by the algorithm, unlike the standard
// distributions, so a cached file and the names derived here always agree.
class Azar
{
public:
    explicit Azar(std::uint64_t semilla) : estado_(semilla) {}

    std::uint64_t siguiente()
    {
        std::uint64_t z = (estado_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    double real() { return double(siguiente() >> 11) * 0x1.0p-53; }
    std::int64_t hasta(std::int64_t n) { return std::int64_t(real() * double(n)); }

    // One of the list, evenly.
    QString elegir(std::span<const char* const> lista)
    {
        return QString::fromUtf8(lista[std::size_t(hasta(std::int64_t(lista.size())))]);
    }

private:
    std::uint64_t estado_;
};

// Given names (some of two words) and surnames, accents and ñ included.
std::span<const char* const> NombresDePila();
std::span<const char* const> Apellidos();

// Throws std::runtime_error with the text.
[[noreturn]] void Fallar(const QString& que);
void Ejecutar(QSqlQuery& q, const QString& sql);

// A connection for filling a file the program does not hold; released on
// leaving. Fast and unsafe: nothing else has the file, and a crash leaves a
// .tmp that is discarded.
class ConexionDirecta
{
public:
    explicit ConexionDirecta(const QString& ruta);
    ~ConexionDirecta();
    QSqlDatabase db() const;

private:
    QString nombre_;
};
