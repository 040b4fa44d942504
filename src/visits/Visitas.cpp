#include "Visitas.h"

#include "foundation/BaseDatos.h"
#include "foundation/FechasTexto.h"
#include "foundation/Normalizar.h"

#include <QCollator>
#include <QLocale>
#include <QSqlError>
#include <QSqlRecord>

#include <algorithm>
#include <utility>
#include <vector>

namespace {

constexpr int kMaximoNombres = 100;

const QString kColumnas = QStringLiteral(
    "id_es, FechaEntrada, FechaSalida, NombreVisitante, NAcomp, AutorizaIngreso, PlacaVehiculo, "
    "Observaciones");

Visita LeerFila(const QSqlQuery& q)
{
    Visita v;
    v.id_es = q.value(0).toInt();
    v.datos.FechaEntrada = FechaDesdeBD(q.value(1));
    v.FechaSalida = FechaDesdeBD(q.value(2));
    v.datos.NombreVisitante = q.value(3).toString();
    v.datos.NAcomp = q.value(4).toInt();
    v.textoNAcomp = q.value(4).isNull() ? QString() : q.value(4).toString();
    v.datos.AutorizaIngreso = q.value(5).toString();
    v.datos.PlacaVehiculo = q.value(6).toString();
    v.datos.Observaciones = q.value(7).toString();
    return v;
}

QVariantList ValoresDatos(const DatosVisita& d)
{
    return {TextoFechaBD(d.FechaEntrada),
            d.NombreVisitante,
            d.NAcomp,
            d.AutorizaIngreso,
            d.PlacaVehiculo,
            d.Observaciones,
            ClaveBusqueda(d.NombreVisitante),
            ClaveBusqueda(d.AutorizaIngreso)};
}

// A stored key with the name shown for it (the first of its spellings).
struct Nombre
{
    QString clave;
    QString texto;
};

bool Seguro(QStringView caracter)
{
    // Space, digits and unaccented letters: their byte order in the key is
    // also their Spanish order, and each one is a letter of its own.
    if (caracter.size() != 1)
        return false;
    const char16_t c = caracter.front().unicode();
    return c == u' ' || (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'z');
}

// The next key a jump over safe characters may land on: past the run of
// letters, digits or spaces the found character belongs to.
QString TrasSeguros(QStringView caracter)
{
    const char16_t c = caracter.front().unicode();
    return QString(QChar(c >= u'a' ? u'{' : c >= u'0' ? u':' : u'!'));
}

qsizetype LargoCaracter(const QString& texto, qsizetype i)
{
    return texto.at(i).isHighSurrogate() && i + 1 < texto.size() ? 2 : 1;
}

// Made once: setting up the collation costs more than sorting a list with it.
const QCollator& OrdenEspanol()
{
    static const QCollator orden = [] {
        QCollator c{QLocale(QLocale::Spanish)};
        c.setCaseSensitivity(Qt::CaseInsensitive);
        return c;
    }();
    return orden;
}

// The first names of a key range in Spanish order, from the key index alone.
// The keys are lower case but keep their accents, so their byte order puts
// "maría" after every "marz..." and "ñ" after "z". The index gives the first
// keys in byte order; a key beyond them differs from the last of them at some
// character, and the range of keys that differ there by a character that may
// still sort before the names found is searched on its own.
class NombresPorClave
{
public:
    NombresPorClave(BaseDatos& bd, const QString& tabla, const QString& columna)
        : bd_(bd), tabla_(tabla), columna_(columna), clave_(columna + QStringLiteral("Clave")),
          orden_(OrdenEspanol())
    {
    }

    // Only names up to `tope` (in Spanish order) are needed, when there is one.
    QList<Nombre> primeros(const QString& prefijo, int cuantos, bool* hayMas,
                           const QString& tope = QString())
    {
        QList<Nombre> nombres = enOrdenDeBytes(prefijo, cuantos + 1);
        *hayMas = nombres.size() > cuantos;
        if (!*hayMas) {
            ordenar(nombres);
            return nombres;
        }
        const QString ultima = nombres.last().clave;
        ordenar(nombres);
        // A key left out that sorts after the last name offered cannot be offered.
        QString limite = nombres.at(cuantos - 1).clave;
        if (!tope.isNull() && orden_.compare(tope, limite) < 0)
            limite = tope;
        for (qsizetype i = prefijo.size(); i < ultima.size(); i += LargoCaracter(ultima, i))
            nombres += adelantados(ultima, i, limite, cuantos);
        ordenar(nombres);
        return nombres.mid(0, cuantos);
    }

private:
    // One seek per distinct key, however many visits each key has.
    QList<Nombre> enOrdenDeBytes(const QString& prefijo, int limite)
    {
        const QString sql =
            QStringLiteral(
                "WITH RECURSIVE claves(c) AS ("
                " SELECT (SELECT min(%1) FROM %3 WHERE %1 >= ?)"
                " UNION ALL"
                " SELECT (SELECT min(%1) FROM %3 WHERE %1 > claves.c) FROM claves WHERE c < ?)"
                " SELECT c, (SELECT %2 FROM %3 WHERE %1 = claves.c ORDER BY %2 LIMIT 1)"
                " FROM claves WHERE c IS NOT NULL AND c < ? LIMIT ?")
                .arg(clave_, columna_, tabla_);
        const QString fin = FinDePrefijo(prefijo);
        QSqlQuery q = bd_.ejecutar(sql, {prefijo, fin, fin, limite});
        QList<Nombre> nombres;
        while (q.next())
            nombres.append({q.value(0).toString(), q.value(1).toString()});
        return nombres;
    }

    // The keys after `ultima` in byte order that share its first i characters
    // and differ in the next one: the first names of each range of them that
    // may hold names up to `limite`.
    QList<Nombre> adelantados(const QString& ultima, qsizetype i, const QString& limite,
                              int cuantos)
    {
        const QString comun = ultima.left(i);
        const QString hasta = FinDePrefijo(comun);
        QString desde = FinDePrefijo(ultima.left(i + LargoCaracter(ultima, i)));
        QList<Nombre> nombres;
        while (const std::optional<QString> clave = primeraDesde(desde, hasta)) {
            const QString inicio = clave->left(i + LargoCaracter(*clave, i));
            desde = FinDePrefijo(inicio);
            // Every key of the range sorts at or after its beginning.
            if (orden_.compare(inicio, limite) > 0) {
                // And so do the ranges of the letters or digits that follow it.
                if (Seguro(QStringView(inicio).mid(i)))
                    desde = comun + TrasSeguros(QStringView(inicio).mid(i));
                continue;
            }
            bool masDeEsos = false;
            nombres += primeros(inicio, cuantos, &masDeEsos, limite);
        }
        return nombres;
    }

    std::optional<QString> primeraDesde(const QString& desde, const QString& hasta)
    {
        if (!busqueda_) {
            busqueda_ =
                bd_.ejecutar(QStringLiteral("SELECT min(%1) FROM %2 WHERE %1 >= ? AND %1 < ?")
                                 .arg(clave_, tabla_),
                             {desde, hasta});
        } else {
            busqueda_->bindValue(0, desde);
            busqueda_->bindValue(1, hasta);
            if (!busqueda_->exec())
                throw ErrorBD(ErrorBD::Tipo::Sentencia, busqueda_->lastError().text(), bd_.ruta());
        }
        std::optional<QString> clave;
        if (busqueda_->next() && !busqueda_->isNull(0))
            clave = busqueda_->value(0).toString();
        busqueda_->finish();
        return clave;
    }

    // Each key's collation key is made once: comparing those is a plain byte
    // comparison, comparing the texts runs the whole collation each time.
    void ordenar(QList<Nombre>& nombres) const
    {
        std::vector<std::pair<QCollatorSortKey, Nombre>> conClave;
        conClave.reserve(nombres.size());
        for (Nombre& nombre : nombres)
            conClave.emplace_back(orden_.sortKey(nombre.clave), std::move(nombre));
        std::sort(conClave.begin(), conClave.end(),
                  [](const auto& a, const auto& b) { return a.first.compare(b.first) < 0; });
        nombres.clear();
        for (auto& [clave, nombre] : conClave)
            nombres.append(std::move(nombre));
    }

    BaseDatos& bd_;
    QString tabla_;
    QString columna_;
    QString clave_;
    const QCollator& orden_;
    std::optional<QSqlQuery> busqueda_;
};

QStringList DistintosPorClave(BaseDatos& bd, const QString& tabla, const QString& columna,
                              const QString& prefijo, bool* hayMas)
{
    bool masQueLosOfrecidos = false;
    QStringList textos;
    for (const Nombre& nombre :
         NombresPorClave(bd, tabla, columna)
             .primeros(ClaveBusqueda(prefijo), kMaximoNombres, &masQueLosOfrecidos))
        textos << nombre.texto;
    if (hayMas)
        *hayMas = masQueLosOfrecidos;
    return textos;
}

} // namespace

QString NombreTabla(TablaVisitas tabla)
{
    return tabla == TablaVisitas::Entradas ? QStringLiteral("entradas_salidas")
                                           : QStringLiteral("visitas_programadas");
}

std::optional<int> BuscarVisitaAbierta(BaseDatos& bd, const QString& nombre)
{
    QSqlQuery q = bd.ejecutar(QStringLiteral("SELECT id_es FROM entradas_salidas "
                                             "WHERE NombreVisitanteClave = ? AND FechaSalida IS "
                                             "NULL ORDER BY id_es LIMIT 1"),
                              {ClaveBusqueda(nombre)});
    if (q.next())
        return q.value(0).toInt();
    return std::nullopt;
}

int AgregarEntrada(BaseDatos& bd, const DatosVisita& datos, const std::optional<QDateTime>& avisoEn)
{
    BaseDatos::Transaccion transaccion(bd);
    const int idEs =
        bd.ejecutar(QStringLiteral("INSERT INTO entradas_salidas (FechaEntrada, NombreVisitante, "
                                   "NAcomp, AutorizaIngreso, PlacaVehiculo, Observaciones, "
                                   "NombreVisitanteClave, AutorizaIngresoClave) "
                                   "VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
                    ValoresDatos(datos))
            .lastInsertId()
            .toInt();
    // The notice belongs to this very row, whatever other terminals inserted meanwhile.
    if (avisoEn)
        bd.ejecutar(QStringLiteral("INSERT INTO avisos (id_es, FechaAviso) VALUES (?, ?)"),
                    {idEs, TextoFechaBD(*avisoEn)});
    transaccion.confirmar();
    return idEs;
}

QStringList NombresQueEmpiezanPor(BaseDatos& bd, TablaVisitas tabla, const QString& prefijo,
                                  bool* hayMas)
{
    return DistintosPorClave(bd, NombreTabla(tabla), QStringLiteral("NombreVisitante"), prefijo,
                             hayMas);
}

QStringList AutorizadoresQueEmpiezanPor(BaseDatos& bd, const QString& prefijo, bool* hayMas)
{
    return DistintosPorClave(bd, QStringLiteral("entradas_salidas"),
                             QStringLiteral("AutorizaIngreso"), prefijo, hayMas);
}

std::optional<Visita> UltimaVisita(BaseDatos& bd, TablaVisitas tabla, const QString& nombre)
{
    const QString orden = tabla == TablaVisitas::Entradas ? QStringLiteral("FechaSalida")
                                                          : QStringLiteral("FechaEntrada");
    QSqlQuery q = bd.ejecutar(QStringLiteral("SELECT %1 FROM %2 WHERE NombreVisitanteClave = ? "
                                             "ORDER BY %3 DESC NULLS LAST, id_es DESC LIMIT 1")
                                  .arg(kColumnas, NombreTabla(tabla), orden),
                              {ClaveBusqueda(nombre)});
    if (q.next())
        return LeerFila(q);
    return std::nullopt;
}

QList<Visita> VisitasActuales(BaseDatos& bd)
{
    QSqlQuery q = bd.ejecutar(QStringLiteral("SELECT %1 FROM entradas_salidas WHERE FechaSalida "
                                             "IS NULL ORDER BY FechaEntrada DESC, id_es DESC")
                                  .arg(kColumnas));
    QList<Visita> visitas;
    while (q.next())
        visitas << LeerFila(q);
    return visitas;
}

QStringList FilaVisita(const Visita& v)
{
    return {QString::number(v.id_es), TextoFechaLista(v.datos.FechaEntrada),
            v.datos.NombreVisitante,  v.textoNAcomp,
            v.datos.PlacaVehiculo,    v.datos.AutorizaIngreso,
            v.datos.Observaciones};
}

QString ColumnasVisita()
{
    return kColumnas;
}

Visita VisitaDeFila(const QSqlQuery& q)
{
    return LeerFila(q);
}

std::optional<Visita> LeerVisita(BaseDatos& bd, int idEs)
{
    QSqlQuery q = bd.ejecutar(
        QStringLiteral("SELECT %1 FROM entradas_salidas WHERE id_es = ?").arg(kColumnas), {idEs});
    if (q.next())
        return LeerFila(q);
    return std::nullopt;
}

bool ModificarEntrada(BaseDatos& bd, int idEs, const DatosVisita& datos)
{
    QVariantList valores = ValoresDatos(datos);
    valores << idEs;
    return bd.ejecutar(QStringLiteral("UPDATE entradas_salidas SET FechaEntrada = ?, "
                                      "NombreVisitante = ?, NAcomp = ?, AutorizaIngreso = ?, "
                                      "PlacaVehiculo = ?, Observaciones = ?, "
                                      "NombreVisitanteClave = ?, AutorizaIngresoClave = ? "
                                      "WHERE id_es = ?"),
                       valores)
               .numRowsAffected() > 0;
}

bool RegistrarSalida(BaseDatos& bd, int idEs, const DatosVisita& datos, const QDateTime& salida,
                     bool borrarAvisos)
{
    BaseDatos::Transaccion transaccion(bd);
    QVariantList valores = ValoresDatos(datos);
    valores << TextoFechaBD(salida) << idEs;
    const bool existe =
        bd.ejecutar(QStringLiteral("UPDATE entradas_salidas SET FechaEntrada = ?, "
                                   "NombreVisitante = ?, NAcomp = ?, AutorizaIngreso = ?, "
                                   "PlacaVehiculo = ?, Observaciones = ?, "
                                   "NombreVisitanteClave = ?, AutorizaIngresoClave = ?, "
                                   "FechaSalida = ? WHERE id_es = ?"),
                    valores)
            .numRowsAffected() > 0;
    if (!existe)
        return false;
    if (borrarAvisos)
        bd.ejecutar(QStringLiteral("DELETE FROM avisos WHERE id_es = ?"), {idEs});
    transaccion.confirmar();
    return true;
}

std::optional<int> LeerAcompanantes(const QString& texto)
{
    if (texto.isEmpty())
        return 0;
    bool ok = false;
    const int numero = texto.toInt(&ok);
    if (!ok || numero < 0 || numero > 99 || texto.trimmed() != texto)
        return std::nullopt;
    return numero;
}
