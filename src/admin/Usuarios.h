#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

class BaseDatos;
struct TablasIdioma;

// A row of table sr as the users panel lists it. The stored password never
// leaves the database: only a hash is kept there, and nobody can read it back.
struct FilaUsuario
{
    int id_sr = 0;
    QString sr;
    QVariant nombre; // Null stays Null
    QVariant ape1;
    QVariant ape2;
};

// One grant of a user, in the catalogue's PermisoOrden.
struct PermisoUsuario
{
    int id_permiso = 0;
    QVariant PermisoAutorizado; // as stored; Null when missing
};

// What the panel's text boxes hold for a user.
struct DatosUsuario
{
    QString sr;
    QString nombre;
    QString ape1;
    QString ape2;
};

// The password of an add or a modify: what the administrator typed, or, when
// the field was left as the panel filled it, the stored one of user copiarDe.
struct ClaveUsuario
{
    QString tecleada;
    int copiarDe = 0;

    bool sinCambios() const { return copiarDe != 0; }
};

// Users by name and surnames, as the listing shows them.
QList<FilaUsuario> ListarUsuarios(BaseDatos& bd);

// The user's grants joined to the catalogue, in PermisoOrden order.
QList<PermisoUsuario> LeerPermisosUsuario(BaseDatos& bd, int idSr);

// The grant cell: "Autorizado" when not 0, "No Autorizado" when 0, empty when Null.
QString TextoPermisoAutorizado(const TablasIdioma& idioma, const QVariant& autorizado);

enum class ResultadoUsuario {
    Hecho,
    Duplicado,           // same name and password as another user
    UltimoAdministrador, // nobody would be left to manage users
    NoExiste,            // the user is gone (another terminal deleted it)
    SinMemoria,          // the password could not be hashed
};

// The number of the permission that opens the users panel.
inline constexpr int kPermisoGestionUsuarios = 14;

// Adds the user with level "1" and one grant row, not granted, per catalogue
// row, all or nothing. idNuevo receives the new user's number; sucesos the
// event texts of a done add (the password left out).
ResultadoUsuario AgregarUsuario(BaseDatos& bd, const DatosUsuario& datos, const ClaveUsuario& clave,
                                int* idNuevo, QStringList* sucesos);

// Stores the user's data and every grant listed (permission number, granted),
// all or nothing. A password sinCambios keeps the user's own stored one.
// Refused when it would take the users panel away from the last user who can
// open it.
ResultadoUsuario ModificarUsuario(BaseDatos& bd, int idSr, const DatosUsuario& datos,
                                  const ClaveUsuario& clave,
                                  const QList<std::pair<int, bool>>& permisos,
                                  QStringList* sucesos);

// Deletes the user and its grants, all or nothing; refused for the last user
// who can open the users panel.
ResultadoUsuario EliminarUsuario(BaseDatos& bd, int idSr, QStringList* sucesos);
