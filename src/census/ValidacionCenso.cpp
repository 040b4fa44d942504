#include "ValidacionCenso.h"

#include "foundation/Normalizar.h"

RegistroCenso NormalizarCenso(RegistroCenso registro)
{
    registro.nom_unidad = PrimeraMayuscula(registro.nom_unidad);
    for (ResidenteCenso& residente : registro.residentes) {
        residente.nombre = NombrePropio(residente.nombre);
        residente.ape1 = PrimeraMayuscula(residente.ape1);
        residente.ape2 = PrimeraMayuscula(residente.ape2);
        residente.tipo_usu = NombrePropio(residente.tipo_usu);
    }
    for (VehiculoCenso& vehiculo : registro.vehiculos) {
        vehiculo.placa = Mayusculas(vehiculo.placa);
        vehiculo.descr = NombrePropio(vehiculo.descr);
        vehiculo.tipo = NombrePropio(vehiculo.tipo);
    }
    return registro;
}

std::optional<CampoCenso> ValidarCenso(const RegistroCenso& registro)
{
    // Blanks are not empty: only a field with nothing in it is missing.
    if (registro.nom_unidad.isEmpty())
        return CampoCenso::NomUnidad;
    if (registro.num_inmueble.isEmpty())
        return CampoCenso::NumInmueble;
    if (!registro.tfno_inmueble.isEmpty() && !EsNumeroTelefono(registro.tfno_inmueble))
        return CampoCenso::TfnoInmueble;
    return std::nullopt;
}

bool EsNumeroTelefono(const QString& texto)
{
    return SoloCifras(texto);
}
