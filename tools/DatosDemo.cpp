#include "DatosDemo.h"

#include "foundation/BaseDatos.h"
#include "foundation/Claves.h"
#include "foundation/Normalizar.h"

#include <QStringList>

namespace {

struct Residente
{
    const char* nombre;
    const char* ape1;
    const char* ape2;
    const char* tipo;
};

struct Vivienda
{
    const char* numero;
    int torre;
    const char* telefono;
    Residente residentes[2];
    const char* placa;
    const char* vehiculo;
};

const Vivienda kViviendas[] = {
    {"101",
     1,
     "6041234501",
     {{"María José", "Gómez", "Peña", "Propietario"}, {"Andrés", "Gómez", "Ruiz", "Propietario"}},
     "ABC123",
     "Renault Logan gris"},
    {"102", 1, "6041234502", {{"Ángela", "Núñez", "Castaño", "Arrendatario"}, {}}, "", ""},
    {"201",
     1,
     "6041234503",
     {{"Julián", "Muñoz", "Ortiz", "Propietario"}, {"Lucía", "Ibáñez", "Soto", "Propietario"}},
     "KJH482",
     "Mazda 3 azul"},
    {"202",
     1,
     "6041234504",
     {{"Sebastián", "O'Neill", "Díaz", "Arrendatario"}, {}},
     "FTR915",
     "Chevrolet Spark rojo"},
    {"101", 2, "6041234505", {{"Camila", "Restrepo", "Ángel", "Propietario"}, {}}, "", ""},
    {"102",
     2,
     "6041234506",
     {{"Óscar", "Peñalosa", "Vélez", "Propietario"}, {"Inés", "Vélez", "Mejía", "Propietario"}},
     "MNB207",
     "Toyota Corolla blanco"},
    {"201", 2, "6041234507", {{"Valentina", "Zúñiga", "Rojas", "Arrendatario"}, {}}, "", ""},
    {"202",
     2,
     "6041234508",
     {{"Tomás", "Echeverría", "Luna", "Propietario"}, {}},
     "QWE774",
     "Kia Picanto negro"},
};

const char* const kVisitantes[] = {
    "Carlos Andrés Pérez", "Luz Marina Ospina", "José Ñañez",       "Rosa Elena Cárdenas",
    "Pedro Pablo Ruiz",    "Ana Sofía Beltrán", "Jorge Iván Mora",  "Martha Lucía Ángel",
    "Iván Darío Quintero", "Paola Andrea Ríos", "Héctor Fabio Gil", "Diana Patricia Úsuga",
};

void AgregarVivienda(BaseDatos& bd, const Vivienda& v)
{
    QVariantList valores = {QStringLiteral("Conjunto Residencial Los Almendros"),
                            QString::fromUtf8(v.numero), v.torre, QString::fromUtf8(v.telefono)};
    for (int n = 0; n < 5; ++n) {
        const Residente r = n < 2 ? v.residentes[n] : Residente{};
        for (const char* campo : {r.nombre, r.ape1, r.ape2, r.tipo})
            valores << QString::fromUtf8(campo ? campo : "");
    }
    for (int n = 0; n < 5; ++n) {
        const bool tiene = n == 0 && *v.placa;
        valores << (tiene ? QString::fromUtf8(v.placa) : QString())
                << (tiene ? QString::fromUtf8(v.vehiculo) : QString())
                << (tiene ? QStringLiteral("Automóvil") : QString());
    }
    valores << QString();

    QStringList marcas;
    for (int i = 0; i < valores.size(); ++i)
        marcas << QStringLiteral("?");
    QStringList columnas = {QStringLiteral("nom_unidad"), QStringLiteral("num_inmueble"),
                            QStringLiteral("torre"), QStringLiteral("tfno_inmueble")};
    for (int n = 1; n <= 5; ++n)
        columnas << QStringLiteral("nombre%1").arg(n) << QStringLiteral("ape1_%1").arg(n)
                 << QStringLiteral("ape2_%1").arg(n) << QStringLiteral("tipo_usu%1").arg(n);
    for (int n = 1; n <= 5; ++n)
        columnas << QStringLiteral("veh_placa%1").arg(n) << QStringLiteral("veh_descr%1").arg(n)
                 << QStringLiteral("veh_tipo%1").arg(n);
    columnas << QStringLiteral("notas");
    bd.ejecutar(QStringLiteral("INSERT INTO censos (%1) VALUES (%2)")
                    .arg(columnas.join(u','), marcas.join(u',')),
                valores);
}

QString Autorizador(int i)
{
    const Residente& r = kViviendas[i % std::size(kViviendas)].residentes[0];
    return QString::fromUtf8(r.nombre) + u' ' + QString::fromUtf8(r.ape1);
}

void AgregarVisita(BaseDatos& bd, int i, const QDateTime& entrada, const QDateTime& salida)
{
    const Vivienda& v = kViviendas[i % std::size(kViviendas)];
    const QString nombre = QString::fromUtf8(kVisitantes[i % std::size(kVisitantes)]);
    const QString autoriza = Autorizador(i);
    bd.ejecutar(
        QStringLiteral("INSERT INTO entradas_salidas (FechaEntrada, FechaSalida, NombreVisitante, "
                       "NAcomp, AutorizaIngreso, PlacaVehiculo, Observaciones, "
                       "NombreVisitanteClave, AutorizaIngresoClave) "
                       "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"),
        {TextoFechaBD(entrada), salida.isValid() ? QVariant(TextoFechaBD(salida)) : QVariant(),
         nombre, i % 3, autoriza, i % 4 == 0 ? QStringLiteral("XYZ%1").arg(100 + i) : QString(),
         QStringLiteral("Torre %1 apto %2").arg(v.torre).arg(QString::fromUtf8(v.numero)),
         ClaveBusqueda(nombre), ClaveBusqueda(autoriza)});
}

void AgregarGuardia(BaseDatos& bd)
{
    const QVariant idSr =
        bd.ejecutar(QStringLiteral("INSERT INTO sr (sr, dw, nombre, ape1, ape2, nivel) VALUES "
                                   "('guardia', ?, 'Ramón', 'Estrada', 'Núñez', '1')"),
                    {CifrarClave(QStringLiteral("guardia"))})
            .lastInsertId();
    // Entries and exits, current visitors, the visitor log and the census query.
    const QList<int> concedidos = {1, 2, 3, 4, 7, 9, 16};
    for (int n = 1; n <= 16; ++n)
        bd.ejecutar(QStringLiteral("INSERT INTO UsuariosPermisos VALUES (?, ?, ?)"),
                    {idSr, n, concedidos.contains(n) ? 1 : 0});
}

} // namespace

void AgregarDatosDemo(BaseDatos& bd, const QDateTime& ahora)
{
    BaseDatos::Transaccion transaccion(bd);
    for (const Vivienda& v : kViviendas)
        AgregarVivienda(bd, v);
    AgregarGuardia(bd);
    // Forty past visits over the last four weeks, and four visitors inside now.
    for (int i = 0; i < 40; ++i) {
        const QDateTime entrada = ahora.addSecs(-3600 * (16 * (40 - i) + 3));
        AgregarVisita(bd, i, entrada, entrada.addSecs(1800 + 600 * (i % 7)));
    }
    for (int i = 0; i < 4; ++i)
        AgregarVisita(bd, 40 + i, ahora.addSecs(-900 * (4 - i)), QDateTime());
    transaccion.confirmar();
}
