#include "design/tap_grading.h"

#include "building/escalera.h"
#include "building/planta.h"
#include "building/proyecto.h"
#include "building/vivienda.h"
#include "catalogue/almacen_elementos.h"
#include "design/level_sample.h"
#include "design/network_elements.h"
#include "model/lin_amp.h"
#include "model/multiswitch.h"
#include "model/pin.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <string>

namespace ixo {
namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
// Tilts tried between a source's ends.
constexpr int kTiltSteps = 40;
constexpr int kPasses = 3;
// A choice must gain more than this to replace the one held (dB): rounding never moves a floor.
constexpr double kGainNeeded = 1e-6;
// The weight of the sum of the floors' shortfalls beside the segment's worst margin: with the worst
// alone a floor that does not bind could never move, though moving it lets the binding one move later.
constexpr double kShortfallWeight = 1e-3;

// How far the outlets of a floor lie inside their limits, band by band: low above the minimum, high
// below the maximum (the lowest of the floor's outlets and polarities).
struct FloorMargins {
    std::array<double, kBandCount> low;
    std::array<double, kBandCount> high;
    // How far the floor's multiswitch inputs may rise before they stand kMaximumGuard below their
    // maximum (infinity where none is rated).
    std::array<double, kBandCount> inputs;
    FloorMargins() {
        low.fill(kInfinity);
        high.fill(kInfinity);
        inputs.fill(kInfinity);
    }
};

// A model's gains on the paths the grading looks at: input to tap and input to the through output of
// the same line, the terrestrial bands from the terrestrial input, the satellite ones from the first
// satellite input.
struct PathGains {
    const TMultiswitch* model = nullptr; // null: the element as it stands
    LevelVector tap;
    LevelVector through;
};

PathGains GainsOf(const TMultiswitch& multiswitch) {
    PathGains gains;
    const TPin* tap = multiswitch.PinesDERIVACION().empty() ? nullptr : multiswitch.PinesDERIVACION().front();
    if (tap == nullptr) {
        return gains;
    }
    const auto outputOf = [&](std::int32_t polarity) -> const TPin* {
        for (const TPin* out : multiswitch.PinesSALIDA()) {
            if (out->polaridad == polarity) {
                return out;
            }
        }
        return nullptr;
    };
    for (const std::int32_t polarity : {-1, 0}) {
        LevelVector tapGains;
        LevelVector throughGains;
        if (!multiswitch.PathGains(polarity, *tap, tapGains)) {
            continue; // no such input (a satellite-only model): those bands carry nothing of it
        }
        if (const TPin* out = outputOf(polarity)) {
            multiswitch.PathGains(polarity, *out, throughGains);
        }
        const std::size_t first = polarity == -1 ? 0 : kFirstSatelliteBand;
        const std::size_t last = polarity == -1 ? kFirstSatelliteBand : kBandCount;
        for (std::size_t band = first; band < last; ++band) {
            gains.tap[band] = tapGains[band];
            gains.through[band] = throughGains[band];
        }
    }
    return gains;
}

std::string Letters(const PinList& pins) {
    std::string text;
    for (const TPin* pin : pins) {
        text += pin->Prefijo;
    }
    return text;
}

// The current passive models of element's family with its pins (and so its taps), in catalogue order.
std::vector<const TMultiswitch*> Grades(const Tproyecto& project, const TMultiswitch& element) {
    std::vector<const TMultiswitch*> grades;
    const TalmacenElementos* store = project.Almacen();
    const ElementList* list = store != nullptr ? store->ListOfKind(TMultiswitch::kKind) : nullptr;
    if (list == nullptr) {
        return grades;
    }
    for (const ElementListItem& item : *list) {
        const auto* model = item.Object.As<TMultiswitch>();
        if (model == nullptr || model->Familia != element.Familia || model->Indice == element.Indice ||
            model->Obsoleto || model->Activo || !model->LPG().empty() ||
            model->CascadeableCabecera != element.CascadeableCabecera ||
            Letters(model->PinesENTRADA()) != Letters(element.PinesENTRADA()) ||
            Letters(model->PinesSALIDA()) != Letters(element.PinesSALIDA()) ||
            Letters(model->PinesDERIVACION()) != Letters(element.PinesDERIVACION())) {
            continue;
        }
        grades.push_back(model);
    }
    return grades;
}

struct Floor {
    const tplanta* floor = nullptr;
    TMultiswitch* element = nullptr;
    FloorMargins margins;
    std::vector<PathGains> options; // the element as it stands first, then its family's grades
    std::size_t choice = 0;
};

// A riser segment's worst outlet margin for the choices of its floors (see PlanTapGrades), and the sum
// of its floors' shortfalls (<= 0).
struct SegmentMargins {
    double worst = 0.0;
    double shortfall = 0.0;
};

SegmentMargins Margins(const std::vector<Floor>& floors, const std::array<double, kBandCount>& room) {
    double worst = kInfinity;
    double shortfall = 0.0;
    for (std::size_t band = 0; band < kBandCount; ++band) {
        double low = kInfinity;
        double high = kInfinity;
        double lift = 0.0; // what the through losses above change at this floor
        std::vector<std::pair<double, double>> moved;
        moved.reserve(floors.size());
        for (const Floor& floor : floors) {
            if (floor.margins.low[band] == kInfinity) {
                continue; // no outlet of the floor is checked at this band
            }
            const PathGains& now = floor.options.front();
            const PathGains& chosen = floor.options[floor.choice];
            const double shift = lift + chosen.tap[band] - now.tap[band];
            moved.emplace_back(floor.margins.low[band] + shift, floor.margins.high[band] - shift);
            low = std::min(low, moved.back().first);
            high = std::min(high, moved.back().second);
            lift += chosen.through[band] - now.through[band];
        }
        if (moved.empty()) {
            continue;
        }
        // The shift that balances the two ends, bounded by what the segment's source has left.
        const double shift = std::min((high - low) / 2.0, room[band]);
        worst = std::min(worst, std::min(low + shift, high - shift));
        for (const auto& [floorLow, floorHigh] : moved) {
            shortfall += std::min(0.0, std::min(floorLow + shift, floorHigh - shift));
        }
    }
    return {worst == kInfinity ? 0.0 : worst, shortfall};
}

// The segment's worst margin with one shift per band group, a level a and a tilt c (the shift at band b
// is a + c (b - first) / (top - first)), within room: the tilt between its ends, the lift band by band.
// shift, when given, receives that shift band by band (band 0, below the first group band, as the
// terrestrial line extended; 0 where the group carries nothing).
double TiltedMargin(const std::vector<Floor>& floors, const SourceRoom& room,
                    std::array<double, kBandCount>* shift = nullptr) {
    std::array<double, kBandCount> low;
    std::array<double, kBandCount> high;
    std::array<double, kBandCount> lifts = room.lift; // the source's, and below every floor's input maximum
    low.fill(kInfinity);
    high.fill(kInfinity);
    for (std::size_t band = 0; band < kBandCount; ++band) {
        double lift = 0.0;
        for (const Floor& floor : floors) {
            lifts[band] = std::min(lifts[band], floor.margins.inputs[band] - lift);
            if (floor.margins.low[band] == kInfinity) {
                continue;
            }
            const PathGains& now = floor.options.front();
            const PathGains& chosen = floor.options[floor.choice];
            const double shift = lift + chosen.tap[band] - now.tap[band];
            low[band] = std::min(low[band], floor.margins.low[band] + shift);
            high[band] = std::min(high[band], floor.margins.high[band] - shift);
            lift += chosen.through[band] - now.through[band];
        }
    }
    double worst = kInfinity;
    for (std::size_t group = 0; group < 2; ++group) {
        const std::size_t first = kTiltBands[group][0];
        const std::size_t top = kTiltBands[group][1];
        const double from = std::max(room.tiltLow[group], -40.0);
        const double to = std::min(room.tiltHigh[group], 40.0);
        double best = -kInfinity;
        double bestTilt = 0.0;
        double bestLevel = 0.0;
        bool any = false;
        for (int step = 0; step <= kTiltSteps; ++step) {
            const double tilt = from + (to - from) * step / kTiltSteps;
            double lows = kInfinity;
            double highs = kInfinity;
            double cap = kInfinity;
            for (std::size_t band = first; band <= top; ++band) {
                if (low[band] == kInfinity) {
                    continue;
                }
                any = true;
                const double at = tilt * static_cast<double>(band - first) / static_cast<double>(top - first);
                lows = std::min(lows, low[band] + at);
                highs = std::min(highs, high[band] - at);
                cap = std::min(cap, lifts[band] - at);
            }
            const double level = std::min((highs - lows) / 2.0, cap);
            const double reached = std::min(lows + level, highs - level);
            if (reached > best) {
                best = reached;
                bestTilt = tilt;
                bestLevel = level;
            }
            if (to <= from) {
                break;
            }
        }
        if (any) {
            worst = std::min(worst, best);
        }
        if (shift != nullptr) {
            const bool finite = any && std::isfinite(bestLevel) && std::isfinite(bestTilt);
            for (std::size_t band = group == 0 ? 0 : first; band <= top; ++band) {
                const double at = (static_cast<double>(band) - static_cast<double>(first)) /
                                  static_cast<double>(top - first);
                (*shift)[band] = finite ? bestLevel + bestTilt * at : 0.0;
            }
        }
    }
    return worst == kInfinity ? 0.0 : worst;
}

// A riser segment's score for the choices of its floors: its worst margin, ties broken by the
// shortfalls.
double Score(const std::vector<Floor>& floors, const std::array<double, kBandCount>& room) {
    const SegmentMargins margins = Margins(floors, room);
    return margins.worst + kShortfallWeight * margins.shortfall;
}

void Grade(std::vector<Floor>& segment, const std::array<double, kBandCount>& room) {
    for (int pass = 0; pass < kPasses; ++pass) {
        bool moved = false;
        for (Floor& floor : segment) {
            const std::size_t held = floor.choice;
            std::size_t best = held;
            double bestScore = Score(segment, room);
            for (std::size_t option = 0; option < floor.options.size(); ++option) {
                if (option == held) {
                    continue;
                }
                floor.choice = option;
                const double score = Score(segment, room);
                if (score > bestScore + kGainNeeded) {
                    best = option;
                    bestScore = score;
                }
            }
            floor.choice = best;
            moved = moved || best != held;
        }
        if (!moved) {
            break;
        }
    }
}

std::map<const tplanta*, FloorMargins> MarginsByFloor(const LevelSample& sample) {
    std::map<const tplanta*, FloorMargins> margins;
    for (std::size_t i = 0; i < sample.Size(); ++i) {
        const Tvivienda* flat = sample.flats[i];
        if (sample.outlets[i] == nullptr) {
            const auto* multiswitch = dynamic_cast<const TMultiswitch*>(sample.elements[i]);
            const auto* floor =
                multiswitch != nullptr ? dynamic_cast<const tplanta*>(multiswitch->Container()) : nullptr;
            if (floor != nullptr) {
                double& room = margins[floor].inputs[sample.bands[i]];
                room = std::min(room, sample.bounds[i].maximum - kMaximumGuard - sample.levels[i]);
            }
            continue;
        }
        if (flat == nullptr || flat->Planta() == nullptr) {
            continue;
        }
        FloorMargins& floor = margins[flat->Planta()];
        const std::size_t band = sample.bands[i];
        floor.low[band] = std::min(floor.low[band], sample.levels[i] - sample.bounds[i].minimum);
        floor.high[band] = std::min(floor.high[band], sample.bounds[i].maximum - sample.levels[i]);
    }
    return margins;
}

// The floor as the grading sees it: its margins and its options, the element as it stands first.
Floor GradedFloor(const Tproyecto& project, const tplanta* floor, TMultiswitch* entry,
                  const FloorMargins& margins) {
    Floor graded;
    graded.floor = floor;
    graded.element = entry;
    graded.margins = margins;
    graded.options.push_back(GainsOf(*entry));
    for (const TMultiswitch* model : Grades(project, *entry)) {
        PathGains option = GainsOf(*model);
        option.model = model;
        graded.options.push_back(option);
    }
    return graded;
}

} // namespace

namespace {

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

} // namespace

SourceRoom::SourceRoom() {
    lift.fill(kInfinity);
}

void SourceRoom::OpenTilts() {
    tiltLow.fill(-kInfinity);
    tiltHigh.fill(kInfinity);
}

void SourceRoom::TakeSlopes(const std::vector<TPotenciometroBase8*>& slopes) {
    std::array<bool, 2> seen{false, false};
    std::array<double, 2> low{-kInfinity, -kInfinity};
    std::array<double, 2> high{kInfinity, kInfinity};
    for (const TPotenciometroBase8* control : slopes) {
        if (control == nullptr) {
            continue;
        }
        for (std::size_t group = 0; group < 2; ++group) {
            const std::size_t first = kTiltBands[group][0];
            const std::size_t last = kTiltBands[group][1];
            const double at0 = control->GainsAt0()[last] - control->GainsAt0()[first];
            const double at100 = control->GainsAt100()[last] - control->GainsAt100()[first];
            if (std::abs(at0 - at100) < 1e-9) {
                continue; // the control does not tilt this group
            }
            const double now = at0 + control->Ajuste / 100.0 * (at100 - at0);
            seen[group] = true;
            low[group] = std::max(low[group], std::min(at0, at100) - now);
            high[group] = std::min(high[group], std::max(at0, at100) - now);
        }
    }
    for (std::size_t group = 0; group < 2; ++group) {
        if (seen[group]) {
            tiltLow[group] = std::max(tiltLow[group], std::min(0.0, low[group]));
            tiltHigh[group] = std::min(tiltHigh[group], std::max(0.0, high[group]));
        }
    }
}

SourceRoom AmplifierRoom(const TAmpliBase& model, const TMultiswitch& fed) {
    const LevelVector at = RiserLevel(fed);
    SourceRoom room;
    for (std::size_t band = 0; band < kBandCount; ++band) {
        const double maximum = model.NivelmaxSignal()[band];
        room.lift[band] =
            maximum > 0.0 && at[band] > -kInfinity ? maximum - kMaximumGuard - at[band] : kInfinity;
    }
    room.OpenTilts();
    room.TakeSlopes(model.LPP());
    if (model.LPP().empty()) {
        room.tiltLow.fill(0.0);
        room.tiltHigh.fill(0.0);
    }
    return room;
}

struct RiserBudget::Floors {
    std::map<const tplanta*, Floor> floors;
};

RiserBudget::RiserBudget(const Tproyecto& project, const LevelSample& sample)
    : m_floors(std::make_unique<Floors>()) {
    for (const auto& [floor, margins] : MarginsByFloor(sample)) {
        TMultiswitch* entry = floor != nullptr && !floor->HeaderPl ? RiserEntry(*floor) : nullptr;
        if (entry != nullptr) {
            m_floors->floors.emplace(floor, GradedFloor(project, floor, entry, margins));
        }
    }
}

RiserBudget::~RiserBudget() = default;

bool RiserBudget::Has(const tplanta* floor) const {
    return m_floors->floors.count(floor) != 0;
}

double RiserBudget::SegmentMargin(const std::vector<const tplanta*>& floors, const SourceRoom& room) const {
    std::array<double, kBandCount> none;
    none.fill(0.0);
    return FitSegment(floors, room, none).margin;
}

SegmentFit RiserBudget::FitSegment(const std::vector<const tplanta*>& floors, const SourceRoom& room,
                                   const std::array<double, kBandCount>& offset) const {
    std::vector<Floor> segment;
    segment.reserve(floors.size());
    for (const tplanta* floor : floors) {
        auto found = m_floors->floors.find(floor);
        if (found == m_floors->floors.end()) {
            continue;
        }
        segment.push_back(found->second);
        FloorMargins& margins = segment.back().margins;
        for (std::size_t band = 0; band < kBandCount; ++band) {
            if (margins.low[band] != kInfinity) {
                margins.low[band] += offset[band];
            }
            if (margins.high[band] != kInfinity) {
                margins.high[band] -= offset[band];
            }
            if (margins.inputs[band] != kInfinity) {
                margins.inputs[band] -= offset[band];
            }
        }
    }
    Grade(segment, room.lift);
    SegmentFit fit;
    std::array<double, kBandCount> shift;
    shift.fill(0.0);
    fit.margin = TiltedMargin(segment, room, &shift);
    for (std::size_t band = 0; band < kBandCount; ++band) {
        double through = 0.0;
        for (const Floor& floor : segment) {
            through += floor.options[floor.choice].through[band] - floor.options.front().through[band];
        }
        fit.exit[band] = offset[band] + shift[band] + through;
        fit.source[band] = shift[band];
    }
    return fit;
}

std::vector<TapGrade> PlanTapGrades(const Tproyecto& project, const LevelSample& sample,
                                    const std::array<double, kBandCount>& headendRoom) {
    const std::map<const tplanta*, FloorMargins> margins = MarginsByFloor(sample);
    std::array<double, kBandCount> open;
    open.fill(kInfinity);
    std::vector<TapGrade> grades;
    for (const auto& stairEntry : project.Escaleras()) {
        if (stairEntry.Object == nullptr) {
            continue;
        }
        const auto& floors = stairEntry.Object->ListaPlantas();
        std::vector<std::vector<Floor>> segments(1);
        // From the headend (the top floor) down; a line amplifier starts a segment of its own.
        for (std::size_t k = floors.Count(); k-- > 0;) {
            const tplanta* floor = floors[k].Object;
            auto found = floor != nullptr ? margins.find(floor) : margins.end();
            TMultiswitch* entry = floor != nullptr && !floor->HeaderPl ? RiserEntry(*floor) : nullptr;
            if (entry == nullptr || found == margins.end()) {
                continue;
            }
            if (AmplifierFeeding(*entry) != nullptr && !segments.back().empty()) {
                segments.emplace_back();
            }
            segments.back().push_back(GradedFloor(project, floor, entry, found->second));
        }
        for (std::size_t s = 0; s < segments.size(); ++s) {
            std::vector<Floor>& segment = segments[s];
            const bool fromHeadend =
                s == 0 && (segment.empty() || AmplifierFeeding(*segment.front().element) == nullptr);
            const TLinAmp* amplifier = segment.empty() ? nullptr : AmplifierFeeding(*segment.front().element);
            Grade(segment, fromHeadend ? headendRoom
                                       : (amplifier != nullptr
                                              ? AmplifierRoom(*amplifier, *segment.front().element).lift
                                              : open));
            for (const Floor& floor : segment) {
                if (floor.choice != 0) {
                    grades.push_back({floor.floor, floor.element, floor.options[floor.choice].model});
                }
            }
        }
    }
    return grades;
}

} // namespace ixo
