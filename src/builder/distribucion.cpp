#include "builder/distribucion.h"

#include "building/planta.h"
#include "building/preferencias_proyecto.h"
#include "building/proyecto.h"
#include "levels/calculo_niveles.h"

namespace ixo {

int ConstruirDistribucion(Tproyecto& project, Progress& progress) {
    tplanta* headend = project.PlantaCabecera();
    if (headend == nullptr) {
        return -2;
    }
    const int result = project.Preferencias().TipoDistribucionCab == 0
                           ? DistribuirDesdeCabecera(project, *headend, progress)
                           : DistribuirTroncal(project, *headend, progress);
    if (result > 0) {
        CalcularNiveles(project, *headend, true);
    }
    return result;
}

} // namespace ixo
