#include "PaginaCenso.h"

#include "census/Censo.h"
#include "foundation/BaseDatos.h"
#include "foundation/Idiomas.h"
#include "foundation/LineaImpresa.h"
#include "platform/Impresora.h"

#include <QRegularExpression>

namespace {

// The notes are the one field typed on several lines, and up to 200
// characters long: each line of them gets rows of its own, wrapped at a blank
// where it can be, so that nothing runs off the sheet. Blank lines are
// dropped; notes with no text at all still take their row.
QStringList RenglonesNotas(const QString& notas)
{
    static const QRegularExpression saltos(QStringLiteral("\r\n|\r|\n"));
    constexpr int ancho = PaginaCenso::kCaracteresNotas;
    QStringList renglones;
    for (QString linea : notas.split(saltos)) {
        linea = EnUnaLinea(linea);
        while (linea.size() > ancho) {
            qsizetype corte = linea.lastIndexOf(u' ', ancho);
            const bool enBlanco = corte > 0;
            if (!enBlanco)
                corte = ancho;
            renglones << linea.left(corte);
            linea = linea.mid(corte + (enBlanco ? 1 : 0));
        }
        if (!linea.trimmed().isEmpty())
            renglones << linea;
    }
    if (renglones.isEmpty())
        renglones << QString();
    return renglones;
}

QString Residente(const ResidenteCenso& r)
{
    return EnUnaLinea(r.nombre) + u' ' + EnUnaLinea(r.ape1) + u' ' + EnUnaLinea(r.ape2) + u' ' +
           EnUnaLinea(r.tipo_usu);
}

QString Vehiculo(const VehiculoCenso& v)
{
    return EnUnaLinea(v.placa) + u' ' + EnUnaLinea(v.descr) + u' ' + EnUnaLinea(v.tipo);
}

} // namespace

TextosListadoCenso LeerTextosListadoCenso(const TablasIdioma& idioma)
{
    TextosListadoCenso t;
    t.usuarios = idioma.texto(45);
    t.numero = idioma.texto(46);
    t.torre = idioma.texto(47);
    t.tfno = idioma.texto(48);
    t.vehiculos = idioma.texto(49);
    t.notas = idioma.texto(50);
    t.pagina = idioma.texto(51);
    return t;
}

ViviendaListado LineasViviendaCenso(const TextosListadoCenso& t, const RegistroCenso& r)
{
    ViviendaListado v;
    v.nomUnidad = EnUnaLinea(r.nom_unidad);
    v.lineas << t.numero + EnUnaLinea(r.num_inmueble) + QStringLiteral("\t\t") + t.torre +
                    EnUnaLinea(r.torre) + QStringLiteral("\t\t") + t.tfno +
                    EnUnaLinea(r.tfno_inmueble);
    // The headings look at the first slot only: a later slot filled under an
    // empty first one prints without its heading.
    if (!r.residentes[0].nombre.isEmpty())
        v.lineas << t.usuarios;
    for (const ResidenteCenso& residente : r.residentes)
        if (!residente.nombre.isEmpty())
            v.lineas << Residente(residente);
    if (!r.vehiculos[0].placa.isEmpty())
        v.lineas << t.vehiculos;
    for (const VehiculoCenso& vehiculo : r.vehiculos)
        if (!vehiculo.placa.isEmpty())
            v.lineas << Vehiculo(vehiculo);
    if (!r.notas.isEmpty())
        v.lineas << t.notas << RenglonesNotas(r.notas);
    return v;
}

QList<ViviendaListado> LeerListadoCenso(BaseDatos& bd, const TextosListadoCenso& textos)
{
    QSqlQuery q =
        bd.ejecutar(QStringLiteral("SELECT ") + ColumnasSelectCenso() +
                    QStringLiteral(" FROM censos ORDER BY num_inmueble NULLS FIRST, id_censo"));
    QList<ViviendaListado> viviendas;
    while (q.next())
        viviendas << LineasViviendaCenso(textos, CensoDeFila(q));
    q.finish();
    return viviendas;
}

PaginaCenso::PaginaCenso(Impresora& impresora, TextosListadoCenso textos)
    : impresora_(impresora), textos_(std::move(textos))
{
}

void PaginaCenso::encabezado(const QString& nomUnidad, int filasEnBlanco)
{
    impresora_.escribir(0, 1, nomUnidad.toUpper());
    fila_ = 2 + filasEnBlanco;
    lineas_ = 0;
}

void PaginaCenso::vivienda(const ViviendaListado& vivienda)
{
    if (!empezada_) {
        encabezado(vivienda.nomUnidad, 1);
        empezada_ = true;
    } else if (lineas_ >= kLineasPorPagina) {
        // Later pages leave two blank rows under the heading.
        EscribirNumeroPagina(impresora_, fila_, textos_.pagina);
        impresora_.nuevaPagina();
        encabezado(vivienda.nomUnidad, 2);
    }
    for (const QString& linea : vivienda.lineas)
        impresora_.escribir(0, fila_++, linea);
    // The blank row after the dwelling counts as one of its lines.
    ++fila_;
    lineas_ += int(vivienda.lineas.size()) + 1;
}

void PaginaCenso::acabar()
{
    EscribirNumeroPagina(impresora_, fila_, textos_.pagina);
}
