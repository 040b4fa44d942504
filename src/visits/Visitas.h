#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class BaseDatos;
class QSqlQuery;

// The statements of the visitor's road: check-in, name completion and
// carry-over, current visitors, exit and correction.

struct DatosVisita
{
    QDateTime FechaEntrada;
    QString NombreVisitante;
    int NAcomp = 0;
    QString AutorizaIngreso;
    QString PlacaVehiculo;
    QString Observaciones;
};

struct Visita
{
    int id_es = 0;
    DatosVisita datos;
    QDateTime FechaSalida; // invalid while the visitor is inside
    // The stored texts of columns that may be Null, as shown (empty when Null).
    QString textoNAcomp;
};

enum class TablaVisitas { Entradas, Programadas };
QString NombreTabla(TablaVisitas tabla);

// An entry of that visitor (compared without letter case) still without exit.
std::optional<int> BuscarVisitaAbierta(BaseDatos& bd, const QString& nombre);

// Stores the entry and, when given, its notice, in one transaction: both or
// neither. Returns the new entry's id_es.
int AgregarEntrada(BaseDatos& bd, const DatosVisita& datos,
                   const std::optional<QDateTime>& avisoEn);

// Distinct stored names that begin with the typed text (letter case ignored),
// each once: the first hundred in Spanish alphabetical order. hayMas tells
// whether more names begin with it.
QStringList NombresQueEmpiezanPor(BaseDatos& bd, TablaVisitas tabla, const QString& prefijo,
                                  bool* hayMas = nullptr);
QStringList AutorizadoresQueEmpiezanPor(BaseDatos& bd, const QString& prefijo,
                                        bool* hayMas = nullptr);

// The visitor's most recent record: by latest exit among past entries (those
// still inside after all others), or by latest expected time among scheduled visits.
std::optional<Visita> UltimaVisita(BaseDatos& bd, TablaVisitas tabla, const QString& nombre);

// Everybody inside, newest entry first.
QList<Visita> VisitasActuales(BaseDatos& bd);

// The columns a visit shows in a list: id, entry time, name, companions,
// plate, authoriser, observations.
QStringList FilaVisita(const Visita& visita);

std::optional<Visita> LeerVisita(BaseDatos& bd, int idEs);

// The columns a statement selects for VisitaDeFila, in its order.
QString ColumnasVisita();
Visita VisitaDeFila(const QSqlQuery& q);

// Both return false when the entry no longer exists (deleted elsewhere).
bool ModificarEntrada(BaseDatos& bd, int idEs, const DatosVisita& datos);
bool RegistrarSalida(BaseDatos& bd, int idEs, const DatosVisita& datos, const QDateTime& salida,
                     bool borrarAvisos);

// Companions as typed: empty is 0; otherwise a whole number from 0 to 99.
std::optional<int> LeerAcompanantes(const QString& texto);
