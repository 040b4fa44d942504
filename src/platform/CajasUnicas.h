#pragma once

#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>

#include <functional>

// Boxes raised by work that runs on its own (the minute tick, a copy that
// ends): each is shown only after the handler that raised it has returned, so
// that a box waiting for the guard never stops the timer that raised it, and
// at most one box of a kind is open or waiting at a time. The others are
// counted, not shown.
class CajasUnicas : public QObject
{
public:
    explicit CajasUnicas(QObject* padre) : QObject(padre) {}

    // Returns whether the box will be shown.
    bool mostrar(const QString& clase, std::function<void()> caja);

    bool pendiente(const QString& clase) const { return pendientes_.contains(clase); }
    int omitidas(const QString& clase) const { return omitidas_.value(clase); }

private:
    QSet<QString> pendientes_;
    QHash<QString, int> omitidas_;
};
