#include "builder/instalacion.h"

#include "builder/cabecera.h"
#include "builder/distribucion.h"
#include "building/proyecto.h"

namespace ixo {

int ConstruirInstalacion(Tproyecto& project, Progress& progress) {
    project.finalizadocalculoTV = false;
    if (ConstruirCabecera(project) <= 0) {
        return 0;
    }
    const int result = ConstruirDistribucion(project, progress);
    if (result > 0) {
        project.finalizadocalculoTV = true;
        return result;
    }
    return 0;
}

} // namespace ixo
