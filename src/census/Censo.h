#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

class BaseDatos;
class QSqlQuery;

// The statements of the census: one dwelling per row of `censos`.

struct ResidenteCenso
{
    QString nombre;
    QString ape1;
    QString ape2;
    QString tipo_usu;

    bool operator==(const ResidenteCenso&) const = default;
};

struct VehiculoCenso
{
    QString placa;
    QString descr;
    QString tipo;

    bool operator==(const VehiculoCenso&) const = default;
};

// One dwelling. A Null column reads as a null QString.
struct RegistroCenso
{
    static constexpr int kResidentes = 5;
    static constexpr int kVehiculos = 5;
    static constexpr int kCampos = 40;

    int id_censo = 0;
    QString nom_unidad;
    QString num_inmueble;
    QString torre; // stored as a number when it reads as one
    QString tfno_inmueble;
    std::array<ResidenteCenso, kResidentes> residentes;
    std::array<VehiculoCenso, kVehiculos> vehiculos;
    QString notas;

    bool operator==(const RegistroCenso&) const = default;
};

// The forty columns in the order the program always writes them: unit name,
// number, tower, telephone, then per resident name, surnames and type, then
// per vehicle plate, description and type, then the notes.
const QStringList& ColumnasCenso();
// The forty values in that order, and back (missing ones stay null).
QStringList TextosCenso(const RegistroCenso& registro);
RegistroCenso CensoDeTextos(const QStringList& textos, int idCenso = 0);

// "id_censo, nom_unidad, ..." for a SELECT read back by CensoDeFila: the id
// at column `desde`, the forty values after it.
QString ColumnasSelectCenso();
RegistroCenso CensoDeFila(const QSqlQuery& q, int desde = 0);

std::optional<RegistroCenso> LeerCenso(BaseDatos& bd, int idCenso);
// The record with the highest id_censo, whoever added it.
std::optional<RegistroCenso> UltimoCenso(BaseDatos& bd);
int ContarCensos(BaseDatos& bd);

// Returns the new record's id_censo.
int AgregarCenso(BaseDatos& bd, const RegistroCenso& registro);
// Both return false when the record no longer exists (deleted elsewhere).
bool ModificarCenso(BaseDatos& bd, int idCenso, const RegistroCenso& registro);
bool EliminarCenso(BaseDatos& bd, int idCenso);

// A save over the record as it was read: refused when another terminal
// deleted it or changed it meanwhile, so that nobody's changes are lost
// without a word. When it was changed, `actual` receives it as it is now.
enum class ResultadoGuardar { Guardado, NoExiste, Cambiado };
ResultadoGuardar ModificarCensoLeido(BaseDatos& bd, const RegistroCenso& leido,
                                     const RegistroCenso& nuevo, RegistroCenso* actual = nullptr);
