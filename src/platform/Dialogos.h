#pragma once

#include <QString>

class QDialog;
class QWidget;

// Every message box and modal window goes through here: the program shows the
// real ones, tests answer them and read what a guard would have read.
class Dialogos
{
public:
    enum class Icono { Ninguno, Informacion, Exclamacion, Critico };
    enum class Botones { Aceptar, SiNo };
    enum class Respuesta { Aceptar, Si, No };

    struct Mensaje
    {
        QString texto;
        QString titulo; // empty: the program title "Zelvora"
        Icono icono = Icono::Informacion;
        Botones botones = Botones::Aceptar;
        Respuesta porDefecto = Respuesta::Aceptar;
    };

    virtual ~Dialogos() = default;
    virtual Respuesta mostrar(QWidget* padre, const Mensaje& mensaje) = 0;
    virtual int ejecutarModal(QDialog& ventana) = 0;
    // The name of a file to write, the guard's choice; empty when cancelled.
    // filtro as Qt's file dialogs take it ("CSV (*.csv)"), its extension added
    // when the guard types none.
    virtual QString elegirArchivoGuardar(QWidget* padre, const QString& titulo,
                                         const QString& propuesto, const QString& filtro) = 0;

    // The common shapes.
    void informar(QWidget* padre, const QString& texto, const QString& titulo = QString());
    void advertir(QWidget* padre, const QString& texto, const QString& titulo = QString());
    bool confirmar(QWidget* padre, const QString& texto, const QString& titulo,
                   Icono icono = Icono::Exclamacion, Respuesta porDefecto = Respuesta::Si);
};

inline const QString kTituloPrograma = QStringLiteral("Zelvora");

class DialogosQt : public Dialogos
{
public:
    Respuesta mostrar(QWidget* padre, const Mensaje& mensaje) override;
    int ejecutarModal(QDialog& ventana) override;
    QString elegirArchivoGuardar(QWidget* padre, const QString& titulo, const QString& propuesto,
                                 const QString& filtro) override;
};
