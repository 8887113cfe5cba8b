#include "design/amplifier_placement.h"

#include "building/escalera.h"
#include "building/planta.h"
#include "building/proyecto.h"
#include "building/vivienda.h"
#include "catalogue/almacen_elementos.h"
#include "design/auto_regulation.h"
#include "design/level_sample.h"
#include "design/network_elements.h"
#include "design/tap_grading.h"
#include "model/ampli_base.h"
#include "model/ampli_header.h"
#include "model/cabecera_terrestre.h"
#include "model/lin_amp.h"
#include "model/multiswitch.h"
#include "model/pin.h"
#include "model/potenciometro.h"

#include <algorithm>
#include <limits>
#include <map>

namespace ixo {
namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr int kAmplifierKind = 0;            // the amplifier table
constexpr std::int32_t kHeadendLocation = 0; // catalogue location of headend amplifiers
// A line amplifier is a model for the riser (catalogue location 1), whatever class its family gives its
// prototype: the editor inserts every one as a line amplifier.
constexpr std::int32_t kRiserLocation = 1;

std::map<char, int> ConnectedInputLetters(const TMultiswitch& multiswitch) {
    std::map<char, int> letters;
    for (const TPin* in : multiswitch.PinesENTRADA()) {
        if (in->IsConnected()) {
            ++letters[in->Prefijo];
        }
    }
    return letters;
}

} // namespace

std::vector<const TAmpliBase*> FittingAmplifiers(const Tproyecto& project, const TMultiswitch& multiswitch) {
    std::vector<const TAmpliBase*> fitting;
    const TalmacenElementos* store = project.Almacen();
    const ElementList* list = store != nullptr ? store->ListOfKind(kAmplifierKind) : nullptr;
    if (list == nullptr) {
        return fitting;
    }
    const std::map<char, int> needed = ConnectedInputLetters(multiswitch);
    for (const ElementListItem& item : *list) {
        const auto* amplifier = item.Object.As<TAmpliBase>();
        if (amplifier == nullptr || amplifier->interiorviv || amplifier->Localizacion != kRiserLocation) {
            continue;
        }
        std::map<char, int> has;
        for (const TPin* in : amplifier->PinesENTRADA()) {
            ++has[in->Prefijo];
        }
        bool fits = true;
        for (const auto& [letter, count] : needed) {
            fits = fits && has[letter] >= count;
        }
        if (fits) {
            fitting.push_back(amplifier);
        }
    }
    std::stable_sort(fitting.begin(), fitting.end(), [](const TAmpliBase* a, const TAmpliBase* b) {
        if (a->Obsoleto != b->Obsoleto) {
            return !a->Obsoleto;
        }
        if (a->PinesENTRADA().size() != b->PinesENTRADA().size()) {
            return a->PinesENTRADA().size() < b->PinesENTRADA().size();
        }
        // A model with slope controls takes out the tilt of the riser segment it feeds.
        return a->LPP().size() > b->LPP().size();
    });
    return fitting;
}

// How far the headend can still lift each band of a riser, dB: for the satellite bands the least
// headroom of the headend amplifiers' gain controls, for the terrestrial ones what the terrestrial
// headend's level has left below its maximum, and no more than takes a headend amplifier's output to
// its rated maximum. The riser's first segment cannot be lifted further
// without a line amplifier.
std::array<double, kBandCount> HeadendReach(const Tproyecto& project, const LevelSample& sample) {
    std::array<double, kBandCount> reach;
    reach.fill(kInfinity);
    for (TCBFT* element : NetworkElements(project)) {
        if (const auto* headend = dynamic_cast<const TCabeceraTerrestre*>(element)) {
            const double room = headend->NivelmaxSignal()[1] - headend->NivelTerr()[kFirstSatelliteBand - 1];
            for (std::size_t band = 1; band < kFirstSatelliteBand; ++band) {
                reach[band] = std::min(reach[band], room);
            }
        } else if (const auto* amplifier = dynamic_cast<const TAmpliHeader*>(element)) {
            if (amplifier->Localizacion != kHeadendLocation) {
                continue;
            }
            for (const TPotenciometroBase8* control : amplifier->LPG()) {
                if (control == nullptr) {
                    continue;
                }
                const LevelVector now = control->Value();
                for (std::size_t band = kFirstSatelliteBand; band < kBandCount; ++band) {
                    reach[band] = std::min(reach[band], control->MostGain(band) - now[band]);
                }
            }
        }
    }
    // Nor past the rated output maximum of a headend amplifier (less the guard).
    for (std::size_t i = 0; i < sample.Size(); ++i) {
        const auto* amplifier = dynamic_cast<const TAmpliHeader*>(sample.elements[i]);
        if (amplifier != nullptr && amplifier->Localizacion == kHeadendLocation) {
            const std::size_t band = sample.bands[i];
            reach[band] = std::min(reach[band], sample.bounds[i].maximum - kMaximumGuard - sample.levels[i]);
        }
    }
    return reach;
}

// The headend as the source of every riser's first segment: its lift (HeadendReach), the tilt its
// IF amplifiers' slope controls have left at the satellite bands, and the tilt the terrestrial
// headend has left (its 47 MHz output 0 to kTerrestrialTiltRange dB below its 862 MHz output,
// linear in frequency: a share of it falls between 175 and 862 MHz).
SourceRoom HeadendSource(const Tproyecto& project, const LevelSample& sample) {
    SourceRoom room;
    room.lift = HeadendReach(project, sample);
    room.OpenTilts();
    bool terrestrial = false;
    for (TCBFT* element : NetworkElements(project)) {
        if (const auto* headend = dynamic_cast<const TCabeceraTerrestre*>(element)) {
            const LevelVector& level = headend->NivelTerr();
            const double tilt = level[kFirstSatelliteBand - 1] - level[0];
            const double share = (kBandFrequenciesMHz[kFirstSatelliteBand - 1] - kBandFrequenciesMHz[1]) /
                                 (kBandFrequenciesMHz[kFirstSatelliteBand - 1] - kBandFrequenciesMHz[0]);
            room.tiltLow[0] = std::max(room.tiltLow[0], std::min(0.0, -tilt * share));
            room.tiltHigh[0] =
                std::min(room.tiltHigh[0], std::max(0.0, (kTerrestrialTiltRange - tilt) * share));
            terrestrial = true;
        } else if (const auto* amplifier = dynamic_cast<const TAmpliHeader*>(element)) {
            if (amplifier->Localizacion == kHeadendLocation) {
                room.TakeSlopes(amplifier->LPP());
            }
        }
    }
    if (!terrestrial) {
        room.tiltLow[0] = room.tiltHigh[0] = 0.0;
    }
    return room;
}

std::vector<const tplanta*> PlanLineAmplifiers(const Tproyecto& project, const LevelSample& sample,
                                               const SourceRoom& headendRoom,
                                               const AmplifierModelFor& modelFor, double target,
                                               std::vector<std::array<double, kBandCount>>* gains) {
    const RiserBudget budget(project, sample);
    SourceRoom unbounded;
    unbounded.OpenTilts();
    std::vector<const tplanta*> cuts;
    for (const auto& stairEntry : project.Escaleras()) {
        if (stairEntry.Object == nullptr) {
            continue;
        }
        const auto& floors = stairEntry.Object->ListaPlantas();
        std::vector<const tplanta*> segment;
        SourceRoom room = headendRoom;
        // The shift the segments above have given the riser at the current segment's first floor, and
        // the fit of the current segment as it stands (what it passes on to a segment cut below it).
        std::array<double, kBandCount> offset{};
        SegmentFit fit;
        fit.exit = offset;
        // A segment's source starts from the levels the segments above leave at its input.
        const auto startSegment = [&](const tplanta* floor, SourceRoom source) {
            offset = fit.exit;
            for (std::size_t band = 0; band < kBandCount; ++band) {
                source.lift[band] -= offset[band];
            }
            segment.assign(1, floor);
            room = source;
            fit = budget.FitSegment(segment, room, offset);
        };
        // The worst margin the current segment's floors could reach each on its own from a source
        // without bounds (below 0: its own flats' spread or its input maximum keeps a floor out of
        // limits whatever feeds it).
        double reach = kInfinity;
        // Top floor first: each amplifier lifts every floor below it.
        for (std::size_t k = floors.Count(); k-- > 0;) {
            const tplanta* floor = floors[k].Object;
            TMultiswitch* entry =
                floor != nullptr && !floor->HeaderPl && budget.Has(floor) ? RiserEntry(*floor) : nullptr;
            if (entry == nullptr) {
                continue;
            }
            const std::vector<const tplanta*> alone(1, floor);
            // (judged at the levels the segments above leave it: a tall riser's tilt from the headend
            // down is more than any slope takes out)
            const double reachable = budget.FitSegment(alone, unbounded, fit.exit).margin;
            if (const TLinAmp* amplifier = AmplifierFeeding(*entry)) {
                // The amplifier in place starts a segment; its output is the floor's input level.
                startSegment(floor, AmplifierRoom(*amplifier, *entry));
                reach = reachable;
                continue;
            }
            std::vector<const tplanta*> extended = segment;
            extended.push_back(floor);
            const SegmentFit grown = budget.FitSegment(extended, room, offset);
            const double grownReach = std::min(reach, reachable);
            // A segment of floors that cannot all be served is asked to stay within target of what its
            // floors could reach, not to reach target (every floor would want an amplifier of its own).
            const double wanted = grownReach >= 0.0 ? target : grownReach - target;
            const TAmpliBase* model = grown.margin < wanted ? modelFor(*entry) : nullptr;
            if (model != nullptr) {
                SourceRoom bound = AmplifierRoom(*model, *entry);
                for (std::size_t band = 0; band < kBandCount; ++band) {
                    bound.lift[band] -= fit.exit[band];
                }
                const SegmentFit served = budget.FitSegment(alone, bound, fit.exit);
                // The amplifier serves the floor, or brings it as near as any source could.
                if (served.margin >= std::min(0.0, reachable - kAmplifierGain) &&
                    served.margin > grown.margin + kAmplifierGain) {
                    cuts.push_back(floor);
                    if (gains != nullptr) {
                        gains->push_back(served.source);
                    }
                    offset = fit.exit;
                    segment = alone;
                    room = bound;
                    fit = served;
                    reach = reachable;
                    continue;
                }
            }
            segment = std::move(extended);
            fit = grown;
            reach = grownReach;
            if (gains != nullptr && !cuts.empty() && segment.front() == cuts.back()) {
                gains->back() = grown.source; // the planned amplifier's segment grew
            }
        }
    }
    return cuts;
}

} // namespace ixo
