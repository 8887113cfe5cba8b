#include "building/build_omission.h"

#include "building/proyecto.h"

namespace ixo {

void RecordOmission(const TPrimerComponente* component, BuildOmission omission) {
    if (Tproyecto* project = ProyectoDe(component)) {
        project->Omissions().push_back(std::move(omission));
    }
}

} // namespace ixo
