#include "ValidacionVisita.h"

#include <QLocale>

#include <cmath>

namespace {

// The message slots of each form, in the order of its checks.
struct SlotsForma
{
    int nombre;
    int fecha;
    int acompanantes;
    int autoriza;
};
constexpr SlotsForma kNuevaEntrada{160, 161, 162, 163};
constexpr SlotsForma kCorreccion{295, 296, 297, 298};
constexpr SlotsForma kSalida{300, 301, 303, 304};
constexpr int kSalidaVacia = 302;

FalloVisita Falla(CampoVisita campo, int slot)
{
    return {campo, slot, {}, FormatoFecha::Lista};
}

FalloVisita Ilegible(CampoVisita campo, FormatoFecha formato)
{
    return {campo, 0, QStringLiteral("XFechaInvalida"), formato};
}

// Name and entry time, the first two checks of every form.
std::optional<FalloVisita> Cabecera(const TextosVisita& t, const SlotsForma& forma,
                                    FormatoFecha formato, QDateTime* entrada)
{
    if (t.nombre.isEmpty())
        return Falla(CampoVisita::Nombre, forma.nombre);
    if (t.fechaEntrada.isEmpty())
        return Falla(CampoVisita::FechaEntrada, forma.fecha);
    *entrada = LeerFechaMostrada(t.fechaEntrada, formato);
    if (!entrada->isValid())
        return Ilegible(CampoVisita::FechaEntrada, formato);
    return std::nullopt;
}

// Companions and authoriser, the last two checks of every form.
std::optional<FalloVisita> Cola(const TextosVisita& t, const SlotsForma& forma, int* acompanantes)
{
    const std::optional<int> leidos = LeerAcompanantes(t.nAcomp);
    if (!leidos)
        return Falla(CampoVisita::Acompanantes, forma.acompanantes);
    if (t.autoriza.isEmpty())
        return Falla(CampoVisita::Autoriza, forma.autoriza);
    *acompanantes = *leidos;
    return std::nullopt;
}

DatosVisita Datos(const TextosVisita& t, const QDateTime& entrada, int acompanantes)
{
    return {entrada, t.nombre, acompanantes, t.autoriza, t.placa, t.observaciones};
}

std::optional<double> LeerMinutosAviso(const QString& texto)
{
    QString limpio = texto.trimmed();
    limpio.replace(u',', u'.');
    bool ok = false;
    const double minutos = QLocale::c().toDouble(limpio, &ok);
    if (ok && std::isfinite(minutos) && minutos >= 0 && minutos <= 999)
        return minutos;
    return std::nullopt;
}

} // namespace

Validacion<NuevaEntrada> ValidarNuevaEntrada(const TextosVisita& textos,
                                             const std::optional<QString>& textoAviso)
{
    QDateTime entrada;
    int acompanantes = 0;
    if (auto fallo = Cabecera(textos, kNuevaEntrada, FormatoFecha::Viva, &entrada))
        return {std::nullopt, fallo};
    if (auto fallo = Cola(textos, kNuevaEntrada, &acompanantes))
        return {std::nullopt, fallo};
    NuevaEntrada nueva{Datos(textos, entrada, acompanantes), std::nullopt};
    if (textoAviso) {
        nueva.minutosAviso = LeerMinutosAviso(*textoAviso);
        if (!nueva.minutosAviso)
            return {std::nullopt,
                    FalloVisita{CampoVisita::Aviso, 0, QStringLiteral("XAvisoMinutos"),
                                FormatoFecha::Lista}};
    }
    return {nueva, std::nullopt};
}

Validacion<DatosVisita> ValidarCorreccion(const TextosVisita& textos)
{
    QDateTime entrada;
    int acompanantes = 0;
    if (auto fallo = Cabecera(textos, kCorreccion, FormatoFecha::Lista, &entrada))
        return {std::nullopt, fallo};
    if (auto fallo = Cola(textos, kCorreccion, &acompanantes))
        return {std::nullopt, fallo};
    return {Datos(textos, entrada, acompanantes), std::nullopt};
}

Validacion<Salida> ValidarSalida(const TextosVisita& textos, const QString& textoSalida)
{
    QDateTime entrada;
    int acompanantes = 0;
    if (auto fallo = Cabecera(textos, kSalida, FormatoFecha::Lista, &entrada))
        return {std::nullopt, fallo};
    if (textoSalida.isEmpty())
        return {std::nullopt, Falla(CampoVisita::FechaSalida, kSalidaVacia)};
    const QDateTime salida = LeerFechaMostrada(textoSalida, FormatoFecha::Viva);
    if (!salida.isValid())
        return {std::nullopt, Ilegible(CampoVisita::FechaSalida, FormatoFecha::Viva)};
    if (auto fallo = Cola(textos, kSalida, &acompanantes))
        return {std::nullopt, fallo};
    return {Salida{Datos(textos, entrada, acompanantes), salida}, std::nullopt};
}

QDateTime MomentoAviso(const QDateTime& entrada, double minutos)
{
    return entrada.addMSecs(qRound64(minutos * 60000.0));
}

QDateTime MomentoEntrada(const QDateTime& escrito, const QString& fechaHoraFoto)
{
    const QDateTime foto = LeerFechaFoto(fechaHoraFoto);
    return foto.isValid() ? foto : escrito;
}
