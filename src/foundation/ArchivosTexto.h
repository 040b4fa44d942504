#pragma once

#include <QByteArray>
#include <QString>

// Small text-file helpers shared by the configuration, language and event-log
// files. Files are written in UTF-8 with CR LF; a file carried over from the
// old platform (Windows-1252) is still read correctly.

QString DecodificarTexto(const QByteArray& bytes);

// The first comma- or line-delimited field, the way the old platform's field
// input read it: leading blanks skipped, a quoted value runs to the next quote
// on the same line. A value never spans lines.
QString PrimerCampo(const QString& contenido);

bool LeerArchivo(const QString& ruta, QByteArray* contenido);

// Replaces the file with one line ended by CR LF; a new name is written and
// renamed into place, so a failure never leaves half a file. The file gets
// kModoPrivado.
bool EscribirLineaUnica(const QString& ruta, const QString& linea, QString* error);

// Appends one line ended by CR LF in a single write, so that terminals sharing
// a folder never interleave parts of their lines. A file left ending in a
// partial line gets the line on a line of its own. The error names the file.
// A new file gets kModoCompartido.
bool AnexarLinea(const QString& ruta, const QString& linea, QString* error);

// The modes of the site's files, whatever the umask: the accounts of the
// site's group share them, no other account reads them. The database and the
// event log are written by every terminal; the rest by the one that made it.
inline constexpr int kModoCompartido = 0660;
inline constexpr int kModoPrivado = 0640;

// Creates ruta empty with exactly that mode, only when no file has the name.
// It is never readable by others, not even for a moment.
bool CrearArchivoConModo(const QString& ruta, int modo, QString* error);

// Makes the last level of ruta (never its parents) as a folder every
// account of the group writes in, keeping the setgid bit it inherits so new
// files keep the site's group. True when it is there as a folder.
bool CrearCarpetaCompartida(const QString& ruta);

// Gives an open file that mode when it is this account's own (another
// account's file is left as its owner made it).
void AjustarModo(int descriptor, int modo);

// A new empty file beside ruta, under a name no other process uses, with that
// mode. Removed when the object goes, which is harmless once it has been
// published under its name.
class ArchivoNuevo
{
public:
    explicit ArchivoNuevo(const QString& ruta, int modo = kModoPrivado);
    ~ArchivoNuevo();
    ArchivoNuevo(const ArchivoNuevo&) = delete;
    ArchivoNuevo& operator=(const ArchivoNuevo&) = delete;

    bool creado() const { return !nombre_.isEmpty(); }
    const QString& nombre() const { return nombre_; }
    const QString& error() const { return error_; }

private:
    QString nombre_;
    QString error_;
};

// Gives a finished file (built under a temporary name in the same folder) its
// final name, only when no file has that name: never replaces one that
// another process made meanwhile. *yaExiste tells that case from a failure.
// The temporary name stays for the caller to remove.
bool PublicarSinReemplazar(const QString& temporal, const QString& ruta, bool* yaExiste,
                           QString* error);

// Creates a file holding one line ended by CR LF, only when none exists; the
// file appears whole or not at all, with kModoPrivado.
bool CrearLineaUnica(const QString& ruta, const QString& linea, bool* yaExiste, QString* error);
