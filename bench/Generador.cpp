#include "Generador.h"

#include <QSqlError>
#include <QSqlQuery>

#include <iterator>
#include <stdexcept>

namespace {

const char* const kNombres[] = {
    "José",
    "José Luis",
    "José Manuel",
    "José Antonio",
    "Juan",
    "Juan Carlos",
    "Juan José",
    "Jesús",
    "Javier",
    "Jorge",
    "Julia",
    "Josefa",
    "Antonio",
    "Ana",
    "Ana María",
    "Andrés",
    "Alejandro",
    "Alberto",
    "Álvaro",
    "Adrián",
    "Alicia",
    "Ángel",
    "Ángela",
    "Ángeles",
    "Beatriz",
    "Begoña",
    "Carlos",
    "Carmen",
    "Cristina",
    "Concepción",
    "Daniel",
    "David",
    "Diego",
    "Dolores",
    "Elena",
    "Emilio",
    "Enrique",
    "Eva",
    "Francisco",
    "Fernando",
    "Francisca",
    "Gonzalo",
    "Guillermo",
    "Héctor",
    "Inés",
    "Iñaki",
    "Iñigo",
    "Isabel",
    "Ignacio",
    "Joaquín",
    "Laura",
    "Lucía",
    "Luis",
    "Lorena",
    "María",
    "María José",
    "María Jesús",
    "María Teresa",
    "María del Carmen",
    "María Isabel",
    "Mario",
    "Marta",
    "Marcos",
    "Martín",
    "Manuel",
    "Manuela",
    "Marina",
    "Miguel",
    "Mónica",
    "Mercedes",
    "Nuria",
    "Óscar",
    "Pablo",
    "Pedro",
    "Paula",
    "Pilar",
    "Rafael",
    "Raquel",
    "Ramón",
    "Rocío",
    "Rubén",
    "Sergio",
    "Silvia",
    "Sofía",
    "Tomás",
    "Víctor",
    "Verónica",
    "Úrsula",
};

const char* const kApellidos[] = {
    "García",    "Martínez", "López",     "González",  "Rodríguez", "Fernández", "Pérez",
    "Sánchez",   "Gómez",    "Díaz",      "Hernández", "Álvarez",   "Jiménez",   "Ruiz",
    "Moreno",    "Muñoz",    "Romero",    "Alonso",    "Gutiérrez", "Navarro",   "Torres",
    "Domínguez", "Vázquez",  "Ramos",     "Gil",       "Ramírez",   "Serrano",   "Blanco",
    "Suárez",    "Molina",   "Morales",   "Ortega",    "Delgado",   "Castro",    "Ortiz",
    "Rubio",     "Marín",    "Sanz",      "Núñez",     "Iglesias",  "Medina",    "Garrido",
    "Cortés",    "Castillo", "Santos",    "Lozano",    "Guerrero",  "Cano",      "Prieto",
    "Méndez",    "Cruz",     "Calvo",     "Gallego",   "Vidal",     "León",      "Márquez",
    "Herrera",   "Peña",     "Flores",    "Cabrera",   "Campos",    "Vega",      "Fuentes",
    "Carrasco",  "Díez",     "Caballero", "Reyes",     "Nieto",     "Aguilar",   "Pascual",
    "Santana",   "Herrero",  "Lorenzo",   "Montero",   "Hidalgo",   "Giménez",   "Ibáñez",
    "Ferrer",    "Durán",    "Santiago",  "Benítez",   "Mora",      "Vicente",   "Vargas",
    "Arias",     "Carmona",  "Crespo",    "Román",     "Pastor",    "Soto",      "Sáez",
    "Velasco",   "Moya",     "Soler",     "Parra",     "Esteban",   "Bravo",     "Gallardo",
    "Rojas",     "Pardo",    "Merino",    "Franco",    "Espinosa",  "Izquierdo", "Lara",
    "Rivas",     "Silva",    "Rivera",    "Ordóñez",   "Zúñiga",    "Yáñez",     "Patiño",
    "Castañeda", "Quiñones", "Cañete",    "Montaño",   "Ávila",     "Úbeda",
};

} // namespace

std::span<const char* const> NombresDePila()
{
    return kNombres;
}

std::span<const char* const> Apellidos()
{
    return kApellidos;
}

void Fallar(const QString& que)
{
    throw std::runtime_error(que.toStdString());
}

void Ejecutar(QSqlQuery& q, const QString& sql)
{
    if (!q.exec(sql))
        Fallar(sql + QStringLiteral(": ") + q.lastError().text());
}

ConexionDirecta::ConexionDirecta(const QString& ruta)
    : nombre_(QStringLiteral("zelvora-bench-generar"))
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), nombre_);
    db.setDatabaseName(ruta);
    if (!db.open())
        Fallar(ruta + QStringLiteral(": ") + db.lastError().text());
    QSqlQuery q(db);
    Ejecutar(q, QStringLiteral("PRAGMA synchronous = OFF"));
    Ejecutar(q, QStringLiteral("PRAGMA journal_mode = MEMORY"));
    Ejecutar(q, QStringLiteral("PRAGMA cache_size = -524288"));
}

ConexionDirecta::~ConexionDirecta()
{
    QSqlDatabase::database(nombre_, false).close();
    QSqlDatabase::removeDatabase(nombre_);
}

QSqlDatabase ConexionDirecta::db() const
{
    return QSqlDatabase::database(nombre_, false);
}
