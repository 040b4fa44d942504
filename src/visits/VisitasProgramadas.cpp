#include "VisitasProgramadas.h"

#include "foundation/BaseDatos.h"
#include "foundation/FechasTexto.h"
#include "foundation/Normalizar.h"

#include <QSqlQuery>

namespace {

// The message slots of the scheduling, in the order of its checks.
constexpr int kSlotNombre = 182;
constexpr int kSlotFecha = 183;
constexpr int kSlotAcompanantes = 184;
constexpr int kSlotAutoriza = 185;

FalloVisita Falla(CampoVisita campo, int slot)
{
    return {campo, slot, {}, FormatoFecha::Lista};
}

} // namespace

std::optional<RangoMomentos> RangoFiltro(FiltroProgramadas filtro, const QDate& hoy)
{
    switch (filtro) {
    case FiltroProgramadas::Hoy:
        return RangoMomentos{TextoInicioDiaBD(hoy), TextoFinDiaBD(hoy)};
    case FiltroProgramadas::UltimoMes:
        return RangoMomentos{TextoInicioDiaBD(hoy.addMonths(-1)), TextoFinDiaBD(hoy)};
    case FiltroProgramadas::Todas:
        break;
    }
    return std::nullopt;
}

QDateTime MomentoProgramado(const QDate& dia, const QTime& hora)
{
    return QDateTime(dia, QTime(hora.hour(), hora.minute(), hora.second()));
}

Validacion<DatosVisita> ValidarProgramacion(const TextosVisita& t, const QDateTime& prevista)
{
    if (t.nombre.isEmpty())
        return {std::nullopt, Falla(CampoVisita::Nombre, kSlotNombre)};
    if (t.fechaEntrada.isEmpty())
        return {std::nullopt, Falla(CampoVisita::FechaEntrada, kSlotFecha)};
    const std::optional<int> acompanantes = LeerAcompanantes(t.nAcomp);
    if (!acompanantes)
        return {std::nullopt, Falla(CampoVisita::Acompanantes, kSlotAcompanantes)};
    if (t.autoriza.isEmpty())
        return {std::nullopt, Falla(CampoVisita::Autoriza, kSlotAutoriza)};
    return {DatosVisita{prevista, t.nombre, *acompanantes, t.autoriza, t.placa, t.observaciones},
            std::nullopt};
}

bool MomentoProgramadoAdmitido(const QDateTime& prevista, const QDateTime& ahora)
{
    // Whole seconds on both sides: the pickers hold no fraction, the clock does.
    return prevista >= ahora.addMSecs(-ahora.time().msec());
}

int AgregarVisitaProgramada(BaseDatos& bd, const DatosVisita& d)
{
    return bd
        .ejecutar(QStringLiteral("INSERT INTO visitas_programadas (FechaEntrada, "
                                 "NombreVisitante, NAcomp, AutorizaIngreso, PlacaVehiculo, "
                                 "Observaciones, NombreVisitanteClave, AutorizaIngresoClave) "
                                 "VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
                  {TextoFechaBD(d.FechaEntrada), d.NombreVisitante, d.NAcomp, d.AutorizaIngreso,
                   d.PlacaVehiculo, d.Observaciones, ClaveBusqueda(d.NombreVisitante),
                   ClaveBusqueda(d.AutorizaIngreso)})
        .lastInsertId()
        .toInt();
}

QList<Visita> LeerVisitasProgramadas(BaseDatos& bd, FiltroProgramadas filtro, const QDate& hoy)
{
    // Stored moments are "yyyy-MM-dd HH:mm:ss" text, so comparing texts compares moments.
    const std::optional<RangoMomentos> rango = RangoFiltro(filtro, hoy);
    const QString donde =
        rango ? QStringLiteral(" WHERE FechaEntrada >= ? AND FechaEntrada <= ?") : QString();
    QVariantList valores;
    if (rango)
        valores << rango->desde << rango->hasta;
    QSqlQuery q =
        bd.ejecutar(QStringLiteral("SELECT %1 FROM visitas_programadas%2 ORDER BY FechaEntrada "
                                   "DESC, id_es DESC")
                        .arg(ColumnasVisita(), donde),
                    valores);
    QList<Visita> visitas;
    while (q.next())
        visitas << VisitaDeFila(q);
    return visitas;
}

bool EliminarVisitaProgramada(BaseDatos& bd, int idEs)
{
    return bd.ejecutar(QStringLiteral("DELETE FROM visitas_programadas WHERE id_es = ?"), {idEs})
               .numRowsAffected() > 0;
}
