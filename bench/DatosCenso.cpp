#include "DatosCenso.h"

#include "DatosVisitas.h"
#include "Generador.h"

#include "foundation/Esquema.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <map>
#include <mutex>

namespace {

// Ten towers to a complex, as a large site shares one gatehouse.
const char* const kUnidades[] = {
    "Conjunto Los Almendros",
    "Torres de San Ángel",
    "Conjunto Peñas Blancas",
    "Reserva del Río Ñuble",
};

const char* const kTipos[] = {"Propietario", "Inquilino", "Propietario - Inquilino"};

const char* const kModelos[] = {
    "Renault Logan", "Chevrolet Spark", "Mazda 3",       "Kia Picanto",    "Toyota Hilux",
    "Nissan Versa",  "Volkswagen Gol",  "Suzuki Swift",  "Ford Escape",    "Hyundai Tucson",
    "Yamaha Nmax",   "Honda Cb 190",    "Bajaj Pulsar",  "Renault Duster", "Citroën C3",
    "Peugeot 208",   "Škoda Fabia",     "Mercedes Vito", "Chevrolet N300", "Kia Sportage",
};
// The type each model is (same order).
const char* const kTiposVehiculo[] = {
    "Carro", "Carro",     "Carro",     "Carro",     "Camioneta", "Carro",     "Carro",
    "Carro", "Camioneta", "Camioneta", "Moto",      "Moto",      "Moto",      "Camioneta",
    "Carro", "Carro",     "Carro",     "Furgoneta", "Furgoneta", "Camioneta",
};
static_assert(std::size(kModelos) == std::size(kTiposVehiculo));
const char* const kColores[] = {"Gris", "Blanco", "Negro", "Rojo", "Azul", "Plata", "Beige"};

const char* const kNotas[] = {
    "Tiene mascota (perro)",
    "No recibe domicilios después de las 10 pm",
    "Empleada doméstica de lunes a viernes",
    "Arrendado por inmobiliaria; llamar al propietario ante cualquier novedad",
    "Persona mayor: avisar a la familia si no contesta",
    "Autoriza la entrada del técnico de gas",
    "Paquetes se dejan en portería",
    "Residente con silla de ruedas; usar la rampa norte",
    "Obra en el apartamento hasta fin de mes\r\nHorario de 8 am a 5 pm",
    "Parqueadero de visitantes asignado: V-12",
};

// How many people live in a dwelling and how many vehicles it keeps.
const double kPesosResidentes[] = {0.05, 0.20, 0.30, 0.25, 0.12, 0.08};
const double kPesosVehiculos[] = {0.25, 0.40, 0.22, 0.08, 0.03, 0.02};

constexpr std::uint64_t kSemilla = 20261206;
constexpr int kPisos = 25;

int Sorteo(Azar& azar, std::span<const double> pesos)
{
    double r = azar.real();
    for (std::size_t n = 0; n < pesos.size(); ++n) {
        if (r < pesos[n])
            return int(n);
        r -= pesos[n];
    }
    return int(pesos.size()) - 1;
}

// Colombian plates: three letters and three digits for a car, two digits and
// a letter at the end for a motorbike.
QString Placa(Azar& azar, bool moto)
{
    static const char letras[] = "ABCDEFGHJKLMNPRSTUVWXYZ";
    QString placa;
    for (int n = 0; n < 3; ++n)
        placa += QLatin1Char(letras[azar.hasta(23)]);
    placa +=
        QStringLiteral("%1").arg(azar.hasta(moto ? 100 : 1000), moto ? 2 : 3, 10, QLatin1Char('0'));
    if (moto)
        placa += QLatin1Char(letras[azar.hasta(23)]);
    return placa;
}

ViviendaGenerada Vivienda(Azar& azar, int n, int porTorre)
{
    ViviendaGenerada v;
    v.id_censo = n + 1;
    v.torre = n / porTorre + 1;
    const int k = n % porTorre;
    const int porPiso = (porTorre + kPisos - 1) / kPisos;
    v.num_inmueble = QString::number(std::min(k / porPiso + 1, kPisos) * 100 + k % porPiso + 1);
    v.nom_unidad =
        QString::fromUtf8(kUnidades[std::min<int>((v.torre - 1) / 10, std::size(kUnidades) - 1)]);
    if (azar.real() < 0.9)
        v.tfno_inmueble =
            QStringLiteral("601%1").arg(azar.hasta(10000000), 7, 10, QLatin1Char('0'));

    // A household: most share the first resident's surnames; owners live in
    // some, tenants in others, both in a few.
    v.cuantosResidentes = Sorteo(azar, kPesosResidentes);
    const QString ape1 = azar.elegir(Apellidos());
    const QString ape2 = azar.elegir(Apellidos());
    const double hogar = azar.real();
    const int tipoHogar = hogar < 0.6 ? 0 : hogar < 0.92 ? 1 : 2;
    for (int r = 0; r < 5; ++r) {
        ViviendaGenerada::Residente& p = v.residentes[std::size_t(r)];
        if (r >= v.cuantosResidentes) {
            p.tipo = QStringLiteral(" ");
            continue;
        }
        p.nombre = azar.elegir(NombresDePila());
        const bool familia = r == 0 || azar.real() < 0.7;
        p.ape1 = familia ? ape1 : azar.elegir(Apellidos());
        p.ape2 = familia ? (r == 0 || azar.real() < 0.5 ? ape2 : azar.elegir(Apellidos()))
                         : azar.elegir(Apellidos());
        // Some types were never chosen: a single blank.
        p.tipo = azar.real() < 0.05 ? QStringLiteral(" ") : QString::fromUtf8(kTipos[tipoHogar]);
    }

    v.cuantosVehiculos = Sorteo(azar, kPesosVehiculos);
    for (int c = 0; c < 5; ++c) {
        if (c >= v.cuantosVehiculos)
            continue;
        ViviendaGenerada::Vehiculo& veh = v.vehiculos[std::size_t(c)];
        const auto modelo = std::size_t(azar.hasta(std::size(kModelos)));
        veh.tipo = QString::fromUtf8(kTiposVehiculo[modelo]);
        veh.placa = Placa(azar, veh.tipo == QStringLiteral("Moto"));
        veh.descr = QString::fromUtf8(kModelos[modelo]) + u' ' + azar.elegir(kColores) + u' ' +
                    QString::number(2005 + azar.hasta(21));
    }

    if (azar.real() < 0.15)
        v.notas = azar.elegir(kNotas);
    return v;
}

std::vector<ViviendaGenerada> Generar(int viviendas)
{
    Azar azar(kSemilla ^ std::uint64_t(viviendas));
    const int porTorre = std::max(1, (viviendas + kTorresCenso - 1) / kTorresCenso);
    std::vector<ViviendaGenerada> censo;
    censo.reserve(std::size_t(viviendas));
    for (int n = 0; n < viviendas; ++n)
        censo.push_back(Vivienda(azar, n, porTorre));
    return censo;
}

void Llenar(const QString& ruta, const std::vector<ViviendaGenerada>& censo)
{
    QString error;
    if (!CrearBaseDatos(ruta,
                        PrimerUsuario{QStringLiteral("Admin"), QStringLiteral("Secreto1"),
                                      QStringLiteral("Ana"), QStringLiteral("Pérez"),
                                      QStringLiteral("Núñez")},
                        &error))
        Fallar(error);

    QStringList columnas{"id_censo", "nom_unidad", "num_inmueble", "torre", "tfno_inmueble"};
    for (int n = 1; n <= 5; ++n)
        columnas << QStringLiteral("nombre%1").arg(n) << QStringLiteral("ape1_%1").arg(n)
                 << QStringLiteral("ape2_%1").arg(n) << QStringLiteral("tipo_usu%1").arg(n);
    for (int n = 1; n <= 5; ++n)
        columnas << QStringLiteral("veh_placa%1").arg(n) << QStringLiteral("veh_descr%1").arg(n)
                 << QStringLiteral("veh_tipo%1").arg(n);
    columnas << QStringLiteral("notas");

    // The editing window stores an empty field as '', never as Null.
    auto texto = [](const QString& t) { return t.isNull() ? QStringLiteral("") : t; };
    ConexionDirecta conexion(ruta);
    QSqlQuery q(conexion.db());
    Ejecutar(q, QStringLiteral("BEGIN"));
    if (!q.prepare(QStringLiteral("INSERT INTO censos (%1) VALUES (%2)")
                       .arg(columnas.join(u','),
                            QStringList(columnas.size(), QStringLiteral("?")).join(u','))))
        Fallar(q.lastError().text());
    for (const ViviendaGenerada& v : censo) {
        int c = 0;
        q.bindValue(c++, v.id_censo);
        q.bindValue(c++, texto(v.nom_unidad));
        q.bindValue(c++, texto(v.num_inmueble));
        q.bindValue(c++, v.torre);
        q.bindValue(c++, texto(v.tfno_inmueble));
        for (const auto& r : v.residentes)
            for (const QString& campo : {r.nombre, r.ape1, r.ape2, r.tipo})
                q.bindValue(c++, texto(campo));
        for (const auto& veh : v.vehiculos)
            for (const QString& campo : {veh.placa, veh.descr, veh.tipo})
                q.bindValue(c++, texto(campo));
        q.bindValue(c++, texto(v.notas));
        if (!q.exec())
            Fallar(q.lastError().text());
    }
    Ejecutar(q, QStringLiteral("COMMIT"));
}

} // namespace

const std::vector<ViviendaGenerada>& CensoGenerado(int viviendas)
{
    static std::mutex cerrojo;
    static std::map<int, std::vector<ViviendaGenerada>> hechos;
    const std::lock_guard bloqueo(cerrojo);
    auto it = hechos.find(viviendas);
    if (it == hechos.end())
        it = hechos.emplace(viviendas, Generar(viviendas)).first;
    return it->second;
}

QString ArchivoCenso(int viviendas)
{
    return ArchivoGuardado(
        QStringLiteral("censo-v2-tipos-%1.sqlite").arg(viviendas),
        [viviendas](const QString& temporal) { Llenar(temporal, CensoGenerado(viviendas)); });
}
