#include "builder/elementos_planta.h"

#include "builder/skipped_parts.h"
#include "building/planta.h"
#include "building/proyecto.h"
#include "catalogue/almacen_elementos.h"
#include "model/cbft.h"
#include "model/multiswitch.h"
#include "model/padre_tv.h"

namespace ixo {

TCBFT* NuevoElementoCatalogo(Tproyecto& project, std::int32_t family, std::int32_t model) {
    const TalmacenElementos* store = project.Almacen();
    if (store == nullptr) {
        return nullptr;
    }
    const TCBFT* prototype = store->ElementByFamily(model, family).As<TCBFT>();
    if (prototype == nullptr) {
        RecordMissingModel(project, family, model);
        return nullptr;
    }
    return dynamic_cast<TCBFT*>(prototype->Clone(&project.RedTV()));
}

void InsertarAlFrente(tplanta& floor, const std::vector<TCBFT*>& elements) {
    std::size_t position = 0;
    for (TCBFT* element : elements) {
        element->SetContainer(&floor);
        floor.ETV().Insert(position++, element);
    }
}

void EnlazarSocios(const std::vector<TCBFT*>& members) {
    if (members.size() > 1) {
        members[0]->SetDoublePartner(members[1]);
    }
    if (members.size() > 2) {
        members[0]->SetTriplePartner(members[2]);
    }
}

std::vector<TMultiswitch*> MultiswitchesDe(const tplanta& floor) {
    std::vector<TMultiswitch*> result;
    for (const auto& entry : floor.ETV()) {
        if (auto* multiswitch = dynamic_cast<TMultiswitch*>(entry.Object)) {
            result.push_back(multiswitch);
        }
    }
    return result;
}

int TamanoGrupo(const tplanta& floor) {
    const TCBFT* first = floor.ETV().Empty() ? nullptr : dynamic_cast<const TCBFT*>(floor.ETV().Object(0));
    if (first == nullptr) {
        return 1;
    }
    if (first->TriplePartner() != nullptr) {
        return 3;
    }
    return first->DoublePartner() != nullptr ? 2 : 1;
}

} // namespace ixo
