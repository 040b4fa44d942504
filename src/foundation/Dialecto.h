#pragma once

#include <QString>
#include <QStringList>

// What the SQL text depends on the database engine for. Each fragment names
// one column and leaves the value as a bound ?, so a value is never pasted
// into the statement.
class Dialecto
{
public:
    virtual ~Dialecto() = default;

    // The statements that open a writing transaction, run in order.
    virtual QStringList inicioEscritura() const = 0;
    // "col equals ?" ignoring letter case (beyond ASCII) but not accents.
    virtual QString igualSinMayusculas(const QString& columna) const = 0;
    // "col matches the pattern ?" ignoring letter case, with \ escaping the
    // pattern's %, _ and \ (the pattern comes from PatronContiene).
    virtual QString contiene(const QString& columna) const = 0;
    // An ORDER BY term: letter case ignored, otherwise code point order.
    virtual QString ordenSinMayusculas(const QString& columna) const = 0;

    // Schema: a key numbered by the engine, and text that sorts and compares
    // by code point whatever the server's language (the name keys rely on it).
    virtual QString claveNumerada() const = 0;
    // What the schema's statements rely on, created first.
    virtual QStringList preparacionEsquema() const = 0;
    virtual QString texto() const = 0;
    // A column for a number or, when it is not one, the text as typed.
    virtual QString cifraOTexto() const = 0;
    // The statements that create an AFTER trigger on tabla running cuerpo (SQL
    // statements over NEW and OLD, each ending in ';') for each row; evento is
    // "INSERT", "DELETE" or "UPDATE OF col, ...".
    virtual QStringList disparador(const QString& nombre, const QString& evento,
                                   const QString& tabla, const QString& cuerpo) const = 0;
    // Opens a read transaction that sees one moment of the database, however
    // long it reads while others write.
    virtual QStringList inicioLecturaFija() const = 0;
    // The highest key the engine has given in that table (deleted rows
    // included), as a query of one value; Null when it never gave one.
    virtual QString ultimaClave(const QString& tabla, const QString& columna) const = 0;
    // After rows were copied in with their own keys: the statements that make
    // the next new row's key follow both ultima and the highest key present.
    virtual QStringList fijarUltimaClave(const QString& tabla, const QString& columna,
                                         qint64 ultima) const = 0;
    // Whether an error (its native code) means another terminal held a lock
    // past the wait, so that trying again later may work.
    virtual bool ocupada(const QString& codigoError) const = 0;
};

// SQLite with the comparison RegistrarComparacionTexto puts on every
// connection: collation ES_CI and the overridden like().
class DialectoSqlite : public Dialecto
{
public:
    QStringList inicioEscritura() const override;
    QString igualSinMayusculas(const QString& columna) const override;
    QString contiene(const QString& columna) const override;
    QString ordenSinMayusculas(const QString& columna) const override;
    QString claveNumerada() const override;
    QStringList preparacionEsquema() const override;
    QString texto() const override;
    QString cifraOTexto() const override;
    QStringList disparador(const QString& nombre, const QString& evento, const QString& tabla,
                           const QString& cuerpo) const override;
    QStringList inicioLecturaFija() const override;
    QString ultimaClave(const QString& tabla, const QString& columna) const override;
    QStringList fijarUltimaClave(const QString& tabla, const QString& columna,
                                 qint64 ultima) const override;
    bool ocupada(const QString& codigoError) const override;
};

// PostgreSQL: letter case ignored through ICU (collation zelvora_ci, made with
// the schema), writers taking one advisory lock in turn as SQLite's writers
// take the file's lock.
class DialectoPostgres : public Dialecto
{
public:
    QStringList inicioEscritura() const override;
    QString igualSinMayusculas(const QString& columna) const override;
    QString contiene(const QString& columna) const override;
    QString ordenSinMayusculas(const QString& columna) const override;
    QString claveNumerada() const override;
    QStringList preparacionEsquema() const override;
    QString texto() const override;
    QString cifraOTexto() const override;
    QStringList disparador(const QString& nombre, const QString& evento, const QString& tabla,
                           const QString& cuerpo) const override;
    QStringList inicioLecturaFija() const override;
    QString ultimaClave(const QString& tabla, const QString& columna) const override;
    QStringList fijarUltimaClave(const QString& tabla, const QString& columna,
                                 qint64 ultima) const override;
    bool ocupada(const QString& codigoError) const override;
};
