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

// The shifts of a floor's (or a segment's) riser level that serve it, band by band.
struct ShiftWindow {
    std::array<double, kBandCount> low;
    std::array<double, kBandCount> high;

    ShiftWindow() {
        low.fill(-kInfinity);
        high.fill(kInfinity);
    }
    void Meet(const ShiftWindow& other) {
        for (std::size_t band = 0; band < kBandCount; ++band) {
            low[band] = std::max(low[band], other.low[band]);
            high[band] = std::min(high[band], other.high[band]);
        }
    }
    void Bound(const std::array<double, kBandCount>& bound) {
        for (std::size_t band = 0; band < kBandCount; ++band) {
            high[band] = std::min(high[band], bound[band]);
        }
    }
    // 47 MHz is left out: the sloped line amplifiers do not carry it, and its maximum is the
    // regulation's hard constraint.
    bool Empty() const {
        for (std::size_t band = 1; band < kBandCount; ++band) {
            if (low[band] > high[band]) {
                return true;
            }
        }
        return false;
    }
};

// The riser's level at the multiswitch's inputs, band by band: the terrestrial input's at the terrestrial
// bands, the highest satellite input's at the satellite ones.
LevelVector RiserLevel(const TMultiswitch& multiswitch) {
    LevelVector level = LevelVector::Filled(-kInfinity);
    for (const TPin* in : multiswitch.PinesENTRADA()) {
        if (!in->IsConnected()) {
            continue;
        }
        const bool satellite = in->polaridad >= 0;
        for (std::size_t band = satellite ? kFirstSatelliteBand : 0;
             band < (satellite ? kBandCount : kFirstSatelliteBand); ++band) {
            level[band] = std::max(level[band], in->Levels()[band]);
        }
    }
    return level;
}

// The highest shift an amplifier of model with its output at the level `at` allows.
std::array<double, kBandCount> AmplifierBound(const TAmpliBase& model, const LevelVector& at) {
    std::array<double, kBandCount> bound;
    for (std::size_t band = 0; band < kBandCount; ++band) {
        const double maximum = model.NivelmaxSignal()[band];
        bound[band] = maximum > 0.0 && at[band] > -kInfinity ? maximum - kMaximumGuard - at[band] : kInfinity;
    }
    return bound;
}

std::map<const tplanta*, ShiftWindow> FloorWindows(const Tproyecto& project, const LevelSample& sample) {
    std::map<const tplanta*, ShiftWindow> windows;
    std::map<const tplanta*, TapReach> reaches;
    const auto reachOf = [&](const tplanta* floor) -> const TapReach& {
        auto found = reaches.find(floor);
        if (found == reaches.end()) {
            const TMultiswitch* entry = RiserEntry(*floor);
            found =
                reaches.emplace(floor, entry != nullptr ? TapGradeReach(project, *entry) : TapReach{}).first;
        }
        return found->second;
    };
    for (std::size_t i = 0; i < sample.Size(); ++i) {
        const std::size_t band = sample.bands[i];
        const LevelBound& bound = sample.bounds[i];
        const double level = sample.levels[i];
        if (sample.outlets[i] != nullptr) {
            const Tvivienda* flat = sample.flats[i];
            const tplanta* floor = flat != nullptr ? flat->Planta() : nullptr;
            if (floor == nullptr || floor->HeaderPl) {
                continue;
            }
            const TapReach& reach = reachOf(floor);
            ShiftWindow& window = windows[floor];
            window.low[band] = std::max(window.low[band], bound.minimum - level - reach.up[band]);
            window.high[band] = std::min(window.high[band], bound.maximum - level + reach.down[band]);
            continue;
        }
        const auto* floor = sample.elements[i] != nullptr
                                ? dynamic_cast<const tplanta*>(sample.elements[i]->Container())
                                : nullptr;
        if (floor != nullptr && !floor->HeaderPl && dynamic_cast<const TMultiswitch*>(sample.elements[i])) {
            ShiftWindow& window = windows[floor];
            window.high[band] = std::min(window.high[band], bound.maximum - kMaximumGuard - level);
        }
    }
    return windows;
}

} // namespace

std::vector<const tplanta*> PlanLineAmplifiers(const Tproyecto& project, const LevelSample& sample,
                                               const std::array<double, kBandCount>& headendRoom,
                                               const AmplifierModelFor& modelFor) {
    const std::map<const tplanta*, ShiftWindow> windows = FloorWindows(project, sample);
    std::vector<const tplanta*> cuts;
    for (const auto& stairEntry : project.Escaleras()) {
        if (stairEntry.Object == nullptr) {
            continue;
        }
        const auto& floors = stairEntry.Object->ListaPlantas();
        ShiftWindow segment;
        segment.Bound(headendRoom);
        // Top floor first: each amplifier lifts every floor below it.
        for (std::size_t k = floors.Count(); k-- > 0;) {
            const tplanta* floor = floors[k].Object;
            auto found = floor != nullptr ? windows.find(floor) : windows.end();
            TMultiswitch* entry = found != windows.end() && !floor->HeaderPl ? RiserEntry(*floor) : nullptr;
            if (entry == nullptr) {
                continue;
            }
            if (const TLinAmp* amplifier = AmplifierFeeding(*entry)) {
                // The amplifier in place starts a segment; its output is the floor's input level.
                segment = found->second;
                segment.Bound(AmplifierBound(*amplifier, RiserLevel(*entry)));
                continue;
            }
            ShiftWindow joined = segment;
            joined.Meet(found->second);
            if (!joined.Empty()) {
                segment = joined;
                continue;
            }
            const TAmpliBase* model = modelFor(*entry);
            if (model == nullptr) {
                continue;
            }
            ShiftWindow fresh = found->second;
            fresh.Bound(AmplifierBound(*model, RiserLevel(*entry)));
            if (!fresh.Empty()) {
                cuts.push_back(floor);
                segment = fresh;
            }
        }
    }
    return cuts;
}

} // namespace ixo
