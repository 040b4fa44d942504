#pragma once

#include <array>

// The sixteen permissions, numbered as the catalogue orders them by VarN:
// permission n is the user's n-th grant row in that order.
enum class Permiso {
    MostrarEntradasSalidas = 1,
    NuevaEntrada,
    VisitasActuales,
    RegistroVisitas,
    EstadisticasVisitas,
    ListadoEntradasSalidas,
    MostrarCenso,
    NuevoCenso,
    ConsultarCenso,
    ListadoCenso,
    ModificarCenso,
    EliminarCenso,
    MostrarSistema,
    GestionUsuarios,
    CambiarContrasena,
    RegistrarSalidas,
};

inline constexpr int kNumeroPermisos = 16;

// The logged-in user's grants; none until they are read.
class Permisos
{
public:
    bool tiene(Permiso permiso) const { return concedidos_[indice(permiso)]; }
    void fijar(Permiso permiso, bool concedido) { concedidos_[indice(permiso)] = concedido; }
    // Permission n of the catalogue order, 1 to 16.
    void fijar(int n, bool concedido) { fijar(static_cast<Permiso>(n), concedido); }
    void quitarTodos() { concedidos_.fill(false); }

private:
    static int indice(Permiso permiso) { return static_cast<int>(permiso) - 1; }

    std::array<bool, kNumeroPermisos> concedidos_{};
};
