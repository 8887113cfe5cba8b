#include "design/amplifier_placement.h"

#include "building/escalera.h"
#include "building/planta.h"
#include "building/proyecto.h"
#include "building/vivienda.h"
#include "design/level_sample.h"
#include "design/network_elements.h"
#include "design/tap_grading.h"
#include "model/ampli_base.h"
#include "model/lin_amp.h"
#include "model/multiswitch.h"
#include "model/pin.h"

#include <algorithm>
#include <limits>
#include <map>

namespace ixo {
namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

} // namespace

std::vector<const tplanta*> PlanLineAmplifiers(const Tproyecto& project, const LevelSample& sample,
                                               const SourceRoom& headendRoom,
                                               const AmplifierModelFor& modelFor, double target) {
    const RiserBudget budget(project, sample);
    std::vector<const tplanta*> cuts;
    for (const auto& stairEntry : project.Escaleras()) {
        if (stairEntry.Object == nullptr) {
            continue;
        }
        const auto& floors = stairEntry.Object->ListaPlantas();
        std::vector<const tplanta*> segment;
        SourceRoom room = headendRoom;
        // Top floor first: each amplifier lifts every floor below it.
        for (std::size_t k = floors.Count(); k-- > 0;) {
            const tplanta* floor = floors[k].Object;
            TMultiswitch* entry =
                floor != nullptr && !floor->HeaderPl && budget.Has(floor) ? RiserEntry(*floor) : nullptr;
            if (entry == nullptr) {
                continue;
            }
            if (const TLinAmp* amplifier = AmplifierFeeding(*entry)) {
                // The amplifier in place starts a segment; its output is the floor's input level.
                segment.assign(1, floor);
                room = AmplifierRoom(*amplifier, *entry);
                continue;
            }
            std::vector<const tplanta*> extended = segment;
            extended.push_back(floor);
            const double margin = budget.SegmentMargin(extended, room);
            const TAmpliBase* model = margin < target ? modelFor(*entry) : nullptr;
            if (model != nullptr) {
                const SourceRoom bound = AmplifierRoom(*model, *entry);
                const std::vector<const tplanta*> alone(1, floor);
                const double served = budget.SegmentMargin(alone, bound);
                if (served >= 0.0 && served > margin + kAmplifierGain) {
                    cuts.push_back(floor);
                    segment = alone;
                    room = bound;
                    continue;
                }
            }
            segment = std::move(extended);
        }
    }
    return cuts;
}

} // namespace ixo
