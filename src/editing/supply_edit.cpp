#include "editing/supply_edit.h"

#include "editing/edit_support.h"

namespace ixo {

using namespace edit_support;

bool AddSupply(Tproyecto& project, TComponenteBase& element, EditJournal& journal, EditRefusal* why) {
    auto* cbft = dynamic_cast<TCBFT*>(&element);
    if (cbft == nullptr || cbft->Feeder() != nullptr) {
        return Refuse(why, element.Name() + " already has its supply");
    }
    AddSupplies(project, journal, &element, nullptr, nullptr);
    if (cbft->Feeder() == nullptr) {
        const TpreferenciasProyecto& prefs = project.Preferencias();
        return Refuse(why, "the catalogue has no supply " + std::to_string(prefs.DIS_FAMILIAFUENTE) + "/" +
                               std::to_string(prefs.DIS_MODELOFUENTE));
    }
    return true;
}

} // namespace ixo
