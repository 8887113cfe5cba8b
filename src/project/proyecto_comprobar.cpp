#include "project/escalera.h"
#include "project/proyecto.h"

namespace ixo {

// Kept apart from the rest of the project: the stair check belongs to the level run, so only programs
// that run the check link it.
bool Tproyecto::ComprobarErrores() {
    bool result = false;
    for (const auto& entry : m_escaleras) {
        if (entry.Object != nullptr) {
            entry.Object->ComprobarErrores();
            result = result || !entry.Object->ErroresEscalera().Empty();
        }
    }
    ConErrores = result && finalizadocalculoTV;
    return result;
}

} // namespace ixo
