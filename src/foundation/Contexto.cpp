#include "Contexto.h"

#include "RegistroSucesos.h"

#include <QtDebug>

QString UsuarioActual::nombreCompleto() const
{
    return UsuarioNombre + u' ' + UsuarioApe1 + u' ' + UsuarioApe2;
}

Contexto::Contexto(QString carpetaPrograma, Reloj& reloj_, Dialogos& dialogos_)
    : reloj(reloj_), dialogos(dialogos_), carpetaPrograma_(std::move(carpetaPrograma))
{
}

void Contexto::registrar(const QString& texto)
{
    bool cambio = false;
    if (cfg.EfectuarRegistroDeSucesos) {
        const AutorSuceso autor{cfg.PuntoControl, usuario.UsuarioSr, usuario.UsuarioNombre,
                                usuario.UsuarioApe1, usuario.UsuarioApe2};
        QString error;
        const bool escrito = AnexarSuceso(carpetaDatos(), reloj.ahora(), autor, texto, &error);
        if (!escrito)
            qWarning().noquote() << "event log not written:" << error << "-" << texto;
        ultimoErrorSucesos_ = error;
        // Only the change is told: a guard warned once is not warned at every line.
        cambio = escrito == sucesosFallan_;
        sucesosFallan_ = !escrito;
    }
    if (cambio && alCambiarRegistroSucesos)
        alCambiarRegistroSucesos(!sucesosFallan_, ultimoErrorSucesos_);
}

LecturaConfiguracion Contexto::LeerConfiguracion()
{
    cfg = Configuracion::PorDefecto();
    const QString linea = LeerLineaConfiguracion(carpetaPrograma_);
    cfg = InterpretarLineaConfiguracion(linea);

    registrar(QStringLiteral("Configuración de Inicio: ") + linea);
    if (linea.isEmpty()) {
        registrar(QStringLiteral("El archivo de configuración no existe - Error de configuración"));
        return LecturaConfiguracion::NoExiste;
    }
    if (cfg.PuntoControl.isEmpty()) {
        registrar(QStringLiteral("El archivo de configuración es incorrecto - El punto de "
                                 "control no está asignado"));
        return LecturaConfiguracion::SinPuntoControl;
    }
    return LecturaConfiguracion::Correcta;
}

BaseDatos& Contexto::bd()
{
    bd_.fijarRuta(RutaBaseDatos(cfg, carpetaPrograma_));
    return bd_;
}

void Contexto::pedirFin(int codigo)
{
    if (finPedido_)
        return;
    finPedido_ = true;
    codigoFin_ = codigo;
    if (alPedirFin)
        alPedirFin(codigo);
}
