#include "design/network_elements.h"

#include "building/proyecto.h"
#include "building/vivienda.h"
#include "model/cbft.h"
#include "model/padre_tv.h"

namespace ixo {
namespace {

void CollectFrom(const TPrimerComponente& owner, std::vector<TCBFT*>& elements) {
    for (TPrimerComponente* child : owner.Components()) {
        if (auto* element = dynamic_cast<TCBFT*>(child)) {
            elements.push_back(element);
        }
    }
}

} // namespace

std::vector<TCBFT*> NetworkElements(const Tproyecto& project) {
    std::vector<TCBFT*> elements;
    CollectFrom(project.RedTV(), elements);
    for (const auto& flat : project.ListaViviendas()) {
        if (flat.Object != nullptr && flat.Object->Contenedor() != nullptr) {
            CollectFrom(*flat.Object->Contenedor(), elements);
        }
    }
    return elements;
}

} // namespace ixo
