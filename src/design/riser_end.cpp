#include "design/riser_end.h"

#include "building/escalera.h"
#include "building/planta.h"
#include "building/proyecto.h"
#include "catalogue/almacen_elementos.h"
#include "design/level_sample.h"
#include "design/network_elements.h"
#include "model/level_vector.h"
#include "model/multiswitch.h"
#include "model/pin.h"

#include <limits>
#include <string>

namespace ixo {
namespace {

std::string Letters(const PinList& pins) {
    std::string text;
    for (const TPin* pin : pins) {
        text += pin->Prefijo;
    }
    return text;
}

bool Passive(const TMultiswitch& model) {
    return !model.Activo && model.LPG().empty();
}

// The gain from the input of polarity to the first tap at band (-infinity without such a path).
double TapGain(const TMultiswitch& model, std::int32_t polarity, std::size_t band) {
    if (model.PinesDERIVACION().empty()) {
        return -std::numeric_limits<double>::infinity();
    }
    LevelVector gains;
    if (!model.PathGains(polarity, *model.PinesDERIVACION().front(), gains)) {
        return -std::numeric_limits<double>::infinity();
    }
    return gains[band];
}

// The passive cascadable model of end's family with the lowest tap loss, or null.
const TMultiswitch* LowestLossPassive(const Tproyecto& project, const TMultiswitch& end) {
    const TalmacenElementos* store = project.Almacen();
    const ElementList* list = store != nullptr ? store->ListOfKind(TMultiswitch::kKind) : nullptr;
    if (list == nullptr) {
        return nullptr;
    }
    const bool satellite = end.InputOfPolarity(0) != nullptr;
    const std::int32_t polarity = satellite ? 0 : -1;
    const std::size_t band = satellite ? kBandCount - 1 : kFirstSatelliteBand - 1;
    const TMultiswitch* best = nullptr;
    double bestGain = -std::numeric_limits<double>::infinity();
    for (const ElementListItem& item : *list) {
        const auto* model = item.Object.As<TMultiswitch>();
        if (model == nullptr || model->Familia != end.Familia || model->Obsoleto || !Passive(*model) ||
            !model->IsCascadable() || model->CascadeableCabecera != end.CascadeableCabecera ||
            Letters(model->PinesENTRADA()) != Letters(end.PinesENTRADA()) ||
            Letters(model->PinesDERIVACION()) != Letters(end.PinesDERIVACION())) {
            continue;
        }
        const double gain = TapGain(*model, polarity, band);
        if (best == nullptr || gain > bestGain) {
            best = model;
            bestGain = gain;
        }
    }
    return best;
}

// Whether one of floor's active multiswitches stands within kEndTolerance of its guarded input maximum.
bool EndBinds(const LevelSample& sample, const tplanta& floor) {
    for (std::size_t i = 0; i < sample.Size(); ++i) {
        const auto* multiswitch = dynamic_cast<const TMultiswitch*>(sample.elements[i]);
        if (multiswitch == nullptr || multiswitch->Container() != &floor || Passive(*multiswitch)) {
            continue;
        }
        if (sample.bounds[i].maximum - kMaximumGuard - sample.levels[i] <= kEndTolerance) {
            return true;
        }
    }
    return false;
}

} // namespace

std::vector<TapGrade> PlanPassiveEnds(const Tproyecto& project, const LevelSample& sample, bool binding) {
    std::vector<TapGrade> plan;
    for (const auto& stairEntry : project.Escaleras()) {
        if (stairEntry.Object == nullptr) {
            continue;
        }
        const auto& floors = stairEntry.Object->ListaPlantas();
        // Floors are listed from the bottom up: the riser ends at the first one it feeds.
        for (std::size_t k = 0; k < floors.Count(); ++k) {
            const tplanta* floor = floors[k].Object;
            TMultiswitch* end = floor != nullptr && !floor->HeaderPl ? RiserEntry(*floor) : nullptr;
            if (end == nullptr) {
                continue;
            }
            if (!Passive(*end) && end->TieneMaxnivelentrada && (!binding || EndBinds(sample, *floor))) {
                if (const TMultiswitch* model = LowestLossPassive(project, *end)) {
                    plan.push_back({floor, end, model});
                }
            }
            break;
        }
    }
    return plan;
}

} // namespace ixo
