#pragma once

#include "Permisos.h"

#include <QHash>
#include <QString>
#include <QStringList>

inline constexpr int kSlotsTexto = 378;               // TextoIdioma 0..377
inline constexpr int kSlotsPermiso = kNumeroPermisos; // PermisoIdioma 1..16
inline const QString kArchivoIdioma = QStringLiteral("zelvora_idioma.cfg");

// The two text tables every window reads by slot, plus the few messages this
// platform adds (database errors), keyed by name.
struct TablasIdioma
{
    QStringList TextoIdioma = QStringList(kSlotsTexto);
    QStringList PermisoIdioma = QStringList(kSlotsPermiso + 1); // slot 0 unused
    QHash<QString, QString> mensajes;

    QString texto(int slot) const;
    QString permiso(int numero) const;
    QString mensaje(const QString& clave) const;
};

// "es" and "co" load the two Spanish sets, "us" and "en" the English one; any
// other code leaves every slot empty and returns false.
bool CargarTablasIdioma(const QString& codigo, TablasIdioma* tablas);

// The base name of Qt's own translation (standard buttons: Yes, No, OK,
// Cancel) for a language code: "qtbase_es" for es and co, empty for the
// English codes and unknown ones.
QString TraduccionQt(const QString& codigo);

// Reads the terminal's language choice; false when there is none.
bool LeerArchivoIdioma(const QString& carpetaPrograma, QString* codigo);
bool EscribirArchivoIdioma(const QString& carpetaPrograma, const QString& codigo, QString* error);

// "\", tab, CR and LF written as \\, \t, \r, \n: one text per line.
QString EscaparTexto(const QString& texto);
