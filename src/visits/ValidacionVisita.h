#pragma once

#include "Visitas.h"
#include "foundation/FechasTexto.h"

#include <optional>

// The rules of the visit forms, in the order the guard is sent back: each
// form's check gives its first failure, or the visit as typed.

// What the guard typed in the six fields of a visit.
struct TextosVisita
{
    QString fechaEntrada;
    QString nombre;
    QString nAcomp;
    QString placa;
    QString autoriza;
    QString observaciones;
};

// The field a failure sends the guard back to.
enum class CampoVisita { Nombre, FechaEntrada, FechaSalida, Acompanantes, Autoriza, Aviso };

// A failure: its field and its message, a text slot or a message key.
// "XFechaInvalida" names the field and shows an example in `formato`.
struct FalloVisita
{
    CampoVisita campo;
    int slot = 0;
    QString clave;
    FormatoFecha formato = FormatoFecha::Lista;

    bool operator==(const FalloVisita&) const = default;
};

// A check's outcome: the visit, or why not.
template <typename Datos> struct Validacion
{
    std::optional<Datos> datos;
    std::optional<FalloVisita> fallo;
};

// A new entry: name, entry time, companions, authoriser; then, when the
// notice is asked for, its minutes (0 to 999, a comma or a point as decimal mark).
struct NuevaEntrada
{
    DatosVisita visita;
    std::optional<double> minutosAviso;
};
Validacion<NuevaEntrada> ValidarNuevaEntrada(const TextosVisita& textos,
                                             const std::optional<QString>& textoAviso);

// A correction of a stored entry, shown in list form: the same order, no notice.
Validacion<DatosVisita> ValidarCorreccion(const TextosVisita& textos);

// An exit: the correction's checks with the exit time after the entry time.
struct Salida
{
    DatosVisita visita;
    QDateTime momento;
};
Validacion<Salida> ValidarSalida(const TextosVisita& textos, const QString& textoSalida);

// When the notice falls due: the minutes after the entry, to the millisecond.
QDateTime MomentoAviso(const QDateTime& entrada, double minutos);

// A picture taken for the entry fixes its time; otherwise the time typed.
QDateTime MomentoEntrada(const QDateTime& escrito, const QString& fechaHoraFoto);
