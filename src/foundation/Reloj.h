#pragma once

#include <QDateTime>

// Every "now" of the program comes from here, so that tests can set the time
// (a notice due at midnight, the day's log file) instead of waiting for it.
class Reloj
{
public:
    virtual ~Reloj() = default;
    virtual QDateTime ahora() const = 0;
};

class RelojSistema : public Reloj
{
public:
    QDateTime ahora() const override { return QDateTime::currentDateTime(); }
};
