#include "builder/cascade_end_models.h"

#include "builder/tabla_ms.h"
#include "catalogue/almacen_elementos.h"
#include "catalogue/catalogue_lookups.h"

#include <algorithm>

namespace ixo {

std::vector<std::string> CascadeEndModelNames(const TalmacenElementos& store, std::int32_t family) {
    std::vector<MsPrototipo> prototypes = MsPrototypesOfFamily(store, family, MsTableKey::ATMedia);
    std::stable_sort(prototypes.begin(), prototypes.end(), [](const MsPrototipo& a, const MsPrototipo& b) {
        return a.Nderivaciones != b.Nderivaciones ? a.Nderivaciones < b.Nderivaciones
                                                  : a.Celda.Clave < b.Celda.Clave;
    });
    std::vector<std::string> names;
    for (std::size_t i = 0; i < prototypes.size() && i < 2; ++i) {
        names.push_back(store.Catalogue() != nullptr
                            ? ModelName(*store.Catalogue(), prototypes[i].Indice, family)
                            : std::to_string(prototypes[i].Indice));
    }
    return names;
}

} // namespace ixo
