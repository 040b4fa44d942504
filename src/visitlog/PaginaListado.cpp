#include "PaginaListado.h"

#include "foundation/BaseDatos.h"
#include "foundation/FechasTexto.h"
#include "foundation/Idiomas.h"
#include "foundation/LineaImpresa.h"
#include "visits/Visitas.h"

TextosListado LeerTextosListado(const TablasIdioma& idioma)
{
    TextosListado t;
    t.impresion = idioma.texto(260);
    t.impresionSiguiente = idioma.texto(271);
    t.entrada = idioma.texto(263);
    t.salida = idioma.texto(264);
    t.visitante = idioma.texto(265);
    t.acomp = idioma.texto(266);
    t.placa = idioma.texto(267);
    t.autoriza = idioma.texto(268);
    t.observaciones = idioma.texto(269);
    t.paginaSalto = idioma.texto(270);
    t.paginaFin = idioma.texto(272);
    return t;
}

QString NombreUnidadListado(BaseDatos& bd)
{
    // An unnamed census row would otherwise blank the header of every page.
    QSqlQuery q =
        bd.ejecutar(QStringLiteral("SELECT nom_unidad FROM censos WHERE nom_unidad <> '' "
                                   "ORDER BY %1, nom_unidad LIMIT 1")
                        .arg(bd.dialecto().ordenSinMayusculas(QStringLiteral("nom_unidad"))));
    const QString nombre = q.next() ? q.value(0).toString().toUpper() : QString();
    q.finish();
    return nombre;
}

QStringList LineasVisitaListado(const TextosListado& t, const Visita& v)
{
    const QString salida = v.FechaSalida.isValid() ? TextoFechaLista(v.FechaSalida) : QString();
    return {t.entrada + TextoFechaLista(v.datos.FechaEntrada) + u'\t' + t.salida + salida + u'\t' +
                t.visitante + EnUnaLinea(v.datos.NombreVisitante),
            t.acomp + v.textoNAcomp + u'\t' + t.placa + EnUnaLinea(v.datos.PlacaVehiculo) + u'\t' +
                t.autoriza + EnUnaLinea(v.datos.AutorizaIngreso),
            t.observaciones + EnUnaLinea(v.datos.Observaciones)};
}

PaginaListado::PaginaListado(Impresora& impresora, TextosListado textos,
                             EncabezadoListado encabezado)
    : impresora_(impresora), textos_(std::move(textos)), encabezado_(std::move(encabezado))
{
}

void PaginaListado::empezar()
{
    encabezado(textos_.impresion);
}

void PaginaListado::encabezado(const QString& impresion)
{
    // Row 0 stays blank; two rows are skipped below the header.
    impresora_.escribir(0, 1, encabezado_.unidad);
    impresora_.escribir(0, 2,
                        impresion + encabezado_.fecha + QStringLiteral(" - ") + encabezado_.hora);
    fila_ = kFilaPrimeraVisita;
    visitasEnPagina_ = 0;
}

void PaginaListado::visita(const Visita& visita)
{
    if (visitasEnPagina_ == kVisitasPorPagina) {
        EscribirNumeroPagina(impresora_, fila_, textos_.paginaSalto);
        impresora_.nuevaPagina();
        encabezado(textos_.impresionSiguiente);
    }
    const QStringList lineas = LineasVisitaListado(textos_, visita);
    for (int n = 0; n < lineas.size(); ++n)
        impresora_.escribir(0, fila_ + n, lineas[n]);
    fila_ += kFilasPorVisita;
    ++visitasEnPagina_;
}

void PaginaListado::acabar()
{
    EscribirNumeroPagina(impresora_, fila_, textos_.paginaFin);
}
