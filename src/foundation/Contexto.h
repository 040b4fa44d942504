#pragma once

#include "BaseDatos.h"
#include "Configuracion.h"
#include "Idiomas.h"
#include "Permisos.h"
#include "Reloj.h"

#include <QString>

#include <array>
#include <functional>
#include <memory>

class Camara;
class Dialogos;

// The logged-in user, fixed for the run by a successful login.
struct UsuarioActual
{
    int UsuarioId = 0;
    QString UsuarioSr;
    QString UsuarioNivel;
    QString UsuarioNombre;
    QString UsuarioApe1;
    QString UsuarioApe2;

    // "nombre ape1 ape2", as the caption and the greeting show it.
    QString nombreCompleto() const;
};

// What outlives a window: where the notices panel was left, for its next opening.
struct Traspaso
{
    int AvisosLeft = 11000; // twips
    int AvisosTop = 0;
};

enum class LecturaConfiguracion { Correcta, NoExiste, SinPuntoControl };

// The program's shared module: configuration, language tables, logged-in user,
// permissions, the notices panel's place, event log and database. Created once at
// start-up and handed to every window; tests make a fresh one each.
class Contexto
{
public:
    Contexto(QString carpetaPrograma, Reloj& reloj, Dialogos& dialogos);

    const QString& carpetaPrograma() const { return carpetaPrograma_; }
    QString carpetaDatos() const { return CarpetaDatos(cfg, carpetaPrograma_); }

    Configuracion cfg;
    TablasIdioma idioma;
    QString codigoIdioma;
    UsuarioActual usuario;
    Permisos permisos;
    Traspaso traspaso;

    Reloj& reloj;
    Dialogos& dialogos;

    QString texto(int slot) const { return idioma.texto(slot); }

    // The gate's webcam, made when a panel first needs it; tests put a
    // stand-in here. Empty: the machine's own camera.
    std::function<std::shared_ptr<Camara>()> crearCamara;

    // Appends a line to the day's event log. A line that cannot be written
    // never stops the action that produced it.
    void registrar(const QString& texto);
    const QString& ultimoErrorSucesos() const { return ultimoErrorSucesos_; }
    // Called once when lines stop reaching the file (escribe false, with the
    // reason) and once when they reach it again (true). Set by the windows'
    // side, which tells the guard; it runs inside whatever action logged, so
    // it must not open a box there and then.
    std::function<void(bool escribe, const QString& motivo)> alCambiarRegistroSucesos;

    // Reads zelvora.cfg into cfg, writing its event texts.
    LecturaConfiguracion LeerConfiguracion();

    // The connection, pointed at the configured database on every use.
    BaseDatos& bd();

    // The fatal start-up conditions end the program through here, so that
    // tests can see the end without the test process ending.
    void pedirFin(int codigo);
    bool finPedido() const { return finPedido_; }
    int codigoFin() const { return codigoFin_; }
    std::function<void(int)> alPedirFin;

private:
    QString carpetaPrograma_;
    BaseDatos bd_;
    QString ultimoErrorSucesos_;
    bool sucesosFallan_ = false;
    bool finPedido_ = false;
    int codigoFin_ = 0;
};
