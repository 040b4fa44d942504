#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantList>

#include <optional>

class BaseDatos;
class Dialecto;
class TablasIdioma;
struct RegistroCenso;

// The census query: the list, the search by twelve fields, the owner and
// tenant counts, and the detail and notes of one dwelling.

// The twelve search fields as typed; an empty one narrows nothing. Texts are
// found anywhere in their columns, letter case ignored (accented letters
// too), their own ', %, _ and \ taken literally.
struct BusquedaCenso
{
    QString nom_unidad;
    QString num_inmueble;
    QString torre;         // a whole number: "02" is tower 2
    QString tfno_inmueble; // digits, found anywhere in the telephone
    QString notas;
    QString nombre; // in any of the five residents, as the next three
    QString ape1;
    QString ape2;
    QString tipo_usu;
    QString veh_placa; // in any of the five vehicles, as the next two
    QString veh_descr;
    QString veh_tipo;
};

// The tower and the telephone must read as numbers (digits only), checked
// in that order.
enum class FalloBusquedaCenso { Ninguno, Torre, Telefono };
FalloBusquedaCenso RevisarBusquedaCenso(const BusquedaCenso& busqueda);

// One line of the list: the id and the thirteen columns it shows (the id
// itself, unit, number, tower, telephone, the first resident's four fields,
// the first vehicle's three, notes), "" for a Null.
struct FilaCenso
{
    int id_censo = 0;
    QStringList columnas;
};
constexpr int kColumnaTelefonoCenso = 4;

// The statement ConsultarCenso runs and its values, in order (also for the
// benchmarks, which run it through the sqlite3 tool too).
QString SentenciaConsultaCenso(const Dialecto& dialecto, const BusquedaCenso& busqueda,
                               QVariantList* valores);
// The statement that counts owners and tenants.
QString SentenciaTiposCenso();

// The dwellings the search selects (all of them with no field filled), by
// unit number. The search must have passed RevisarBusquedaCenso. Throws ErrorBD.
QList<FilaCenso> ConsultarCenso(BaseDatos& bd, const BusquedaCenso& busqueda);

// Residents typed as owners and as tenants over the whole census, whatever
// the search: resident slots, not dwellings, so "Propietario - Inquilino"
// counts once as each. The words are those of the language in use.
struct CuentaResidentes
{
    int propietarios = 0;
    int inquilinos = 0;
};
CuentaResidentes ContarPropietariosInquilinos(BaseDatos& bd, const TablasIdioma& idioma);

// "Inmuebles: 12 -  Prop.: 15 - Inq.: 4" in the language in use.
QString TextoCuentaCenso(const TablasIdioma& idioma, int inmuebles, const CuentaResidentes& cuenta);

// The detail of one dwelling: its residents, vehicles and notes under their
// headings, every line ended by CR LF.
QString TextoDetalleCenso(const RegistroCenso& registro, const TablasIdioma& idioma);

// The notes of one dwelling; none when it no longer exists. Throws ErrorBD.
std::optional<QString> LeerNotasCenso(BaseDatos& bd, int idCenso);
