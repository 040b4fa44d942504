#pragma once

#include <QString>

struct TablasIdioma;

// The fifteen values of the terminal's zelvora.cfg, in file order.
// A default-constructed value is the state before the file is read: all empty
// and false, which keeps the event log off until then.
struct Configuracion
{
    QString RutaBD;
    QString PuntoControl;
    bool EfectuarRespaldo = false;
    bool EfectuarMarcadoAuto = false;
    bool EfectuarRegistroDeSucesos = false;
    bool EfectuarAviso = false;
    bool AvisoDefecto = false;
    QString TiempoAvisoDefecto;
    bool VerificarSizeBD = false;
    QString RangoMinSizeBD;
    QString RangoMaxSizeBD;
    QString MaxSizeBD;
    bool VisitasProgramadas = false;
    bool TomarFotografia = false;
    bool DuplicarEntrada = false;

    // The values a reading starts from: backups, log and size check on.
    static Configuracion PorDefecto();
};

inline const QString kArchivoConfiguracion = QStringLiteral("zelvora.cfg");

// Reads a configuration line field by field: ";" separates fields, a
// truth-value field takes the truth of its last digit ("0" false, other digits
// true) and keeps its value on any other character; fields past the fifteenth
// are ignored.
Configuracion InterpretarLineaConfiguracion(const QString& linea);

// The line the file holds for these values (truth values as 0 or 1).
QString LineaConfiguracion(const Configuracion& cfg);

// The value the file holds now, read the way the old platform's field input
// read it (the first comma- or line-delimited field). Empty when the file is
// missing or unreadable.
QString LeerLineaConfiguracion(const QString& carpetaPrograma);

// RutaBD names either the folder of the database file or, on a site with
// several PCs, a PostgreSQL server: postgresql://user@host:port/dbname.
bool EsUriPostgres(const QString& rutaBD);
// Folder of the event log and backups: the database's folder, else (no
// RutaBD, or a server's URI) the program folder.
QString CarpetaDatos(const Configuracion& cfg, const QString& carpetaPrograma);
// The database file's path, or the server's URI as configured.
QString RutaBaseDatos(const Configuracion& cfg, const QString& carpetaPrograma);

// Whether a name can be a control point: it names the terminal's event-log and
// backup files and is a field of zelvora.cfg, so it must make a valid file name
// (no "/", "\\", control characters, not "." or "..", not too long) and must
// not hold the reader's separators ";" and ",". Blanks, accents and quotes are
// fine. When it cannot, motivo says why in the language of the tables.
bool PuntoControlValido(const QString& punto, const TablasIdioma& idioma, QString* motivo);
