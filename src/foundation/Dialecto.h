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
};
