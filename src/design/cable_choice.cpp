#include "design/cable_choice.h"

#include "building/preferencias_proyecto.h"
#include "building/proyecto.h"
#include "catalogue/almacen_elementos.h"
#include "design/network_elements.h"
#include "model/cable_tv.h"
#include "model/cbft.h"
#include "model/level_vector.h"
#include "model/pin.h"

#include <algorithm>

namespace ixo {
namespace {

constexpr double kCableGain = 1e-4; // dB per metre: a cable losing no less is no better

} // namespace

double LongestRun(const Tproyecto& project, int kind) {
    const TCableTV* cable = project.Preferencias().Cable(kind);
    double longest = 0.0;
    if (cable == nullptr) {
        return longest;
    }
    // Every connection ends at an input, which holds the connection's cable and length.
    for (const TCBFT* element : NetworkElements(project)) {
        for (const TPin* in : element->PinesENTRADA()) {
            if (in->IsConnected() && in->Cable() == cable) {
                longest = std::max(longest, in->MetrosCable);
            }
        }
    }
    return longest;
}

const TCableTV* LowerLossCable(const Tproyecto& project, int kind, double minimumGain) {
    const TCableTV* current = project.Preferencias().Cable(kind);
    const TalmacenElementos* store = project.Almacen();
    const ElementList* list = store != nullptr ? store->ListOfKind(TCableTV::kKind) : nullptr;
    if (current == nullptr || list == nullptr) {
        return nullptr;
    }
    const std::size_t top = kBandCount - 1;
    const TCableTV* best = nullptr;
    for (const ElementListItem& item : *list) {
        const auto* cable = item.Object.As<TCableTV>();
        if (cable == nullptr || cable->Obsoleto || cable->InteriorVivienda) {
            continue;
        }
        // Coefficients are gains per metre (a loss is negative): the largest loses least.
        const double reference = best != nullptr ? best->Coefficients()[top] : current->Coefficients()[top];
        if (cable->Coefficients()[top] > reference + kCableGain) {
            best = cable;
        }
    }
    if (best == nullptr || minimumGain <= 0.0) {
        return best;
    }
    const double gain = (best->Coefficients()[top] - current->Coefficients()[top]) * LongestRun(project, kind);
    return gain >= minimumGain ? best : nullptr;
}

} // namespace ixo
