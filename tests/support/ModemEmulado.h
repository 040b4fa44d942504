#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>

class QSocketNotifier;

// A modem at the far end of a pseudo-terminal pair: the program opens
// dispositivo() as its serial port, and this object, run by the same event
// loop, takes the commands and answers them.
class ModemEmulado : public QObject
{
public:
    enum class Modo {
        Responde, // echoes each command, then "OK"
        APedazos, // the same, the "OK" split in two writes a moment apart
        Calla,    // never answers
    };

    explicit ModemEmulado(Modo inicial = Modo::Responde);
    ~ModemEmulado() override;

    Modo modo; // may change between commands
    // Puts bytes on the line towards the program, as the modem would.
    void escribir(const QByteArray& datos);

    QString dispositivo() const { return esclavo_; }
    // Everything the program sent, as it arrived.
    QByteArray recibido;
    // The commands, without their carriage return.
    QList<QByteArray> ordenes() const;

    // The line as the program set it up. Only the speed and the stop bits
    // show on a pseudo-terminal: Linux forces it to 8 bits without parity.
    int baudios() const;
    int bitsDeParada() const;

private:
    void leer();
    void responder(const QByteArray& orden);

    int maestro_ = -1;
    // Held open so the pair lives on while the program closes and reopens.
    int esclavoAbierto_ = -1;
    QString esclavo_;
    QSocketNotifier* aviso_ = nullptr;
    QByteArray pendiente_;
};
