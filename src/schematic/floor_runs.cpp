#include "schematic/floor_runs.h"

#include "building/comprueba_errores.h"
#include "building/escalera.h"
#include "building/planta.h"
#include "building/proyecto.h"
#include "common/decimal_text.h"
#include "model/pin.h"
#include "model/toma_tv.h"
#include "schematic/flat_frame.h"
#include "schematic/layout_lists.h"
#include "schematic/symbols.h"
#include "schematic/wire.h"

#include <algorithm>
#include <typeinfo>

namespace ixo {

namespace {

bool IsWire(const TBaseGrafMS* object) {
    return dynamic_cast<const Tgraflinea*>(object) != nullptr;
}

template <typename Visit> void ForEachObject(const Tgrafplantas& floor, Visit&& visit) {
    for (const TBaseGrafMS* object : floor.Symbols) {
        visit(object);
    }
    for (const auto& space : floor.FlatSpaces) {
        for (const TBaseGrafMS* object : space->Objects) {
            visit(object);
        }
    }
}

void AppendNumber(std::string& out, std::int64_t value) {
    out += std::to_string(value);
    out += ',';
}

const TTomaTV* OutletOf(const TBaseGrafMS* object) {
    if (dynamic_cast<const TgrafToma*>(object) == nullptr || object->Element() == nullptr ||
        !object->Element()->Is<TTomaTV>()) {
        return nullptr;
    }
    return static_cast<const TTomaTV*>(object->Element());
}

void TakeLevels(const Tgrafplantas& floor, const OutletStates& states, FloorRun& run) {
    ForEachObject(floor, [&](const TBaseGrafMS* object) {
        const TTomaTV* outlet = OutletOf(object);
        if (outlet == nullptr || outlet->PinesDERIVACION().empty()) {
            return;
        }
        ++run.outlets;
        if (const auto found = states.find(outlet); found != states.end() && found->second != 0) {
            ++run.failing;
        }
        const LevelVector& level = outlet->PinesDERIVACION().front()->Levels();
        // Band 0 (47 MHz) has no limit: the terrestrial range starts at 175 MHz.
        const auto tv = std::minmax_element(level.band.begin() + 1, level.band.begin() + kFirstSatelliteBand);
        const auto sat = std::minmax_element(level.band.begin() + kFirstSatelliteBand, level.band.end());
        if (!run.hasLevels) {
            run.lowestTerrestrial = *tv.first;
            run.highestTerrestrial = *tv.second;
            run.lowestSatellite = *sat.first;
            run.highestSatellite = *sat.second;
            run.hasLevels = true;
            return;
        }
        run.lowestTerrestrial = std::min(run.lowestTerrestrial, *tv.first);
        run.highestTerrestrial = std::max(run.highestTerrestrial, *tv.second);
        run.lowestSatellite = std::min(run.lowestSatellite, *sat.first);
        run.highestSatellite = std::max(run.highestSatellite, *sat.second);
    });
}

} // namespace

OutletStates OutletStatesOf(const Tproyecto& project) {
    OutletStates states;
    for (const auto& entry : project.Escaleras()) {
        if (entry.Object == nullptr) {
            continue;
        }
        const TCompruebaErrores& errors = entry.Object->ErroresEscalera();
        for (std::size_t i = 0; i < errors.Count(); ++i) {
            states[errors[i].Toma] |= errors[i].Estado;
        }
    }
    return states;
}

Rect FloorSymbolBounds(const Tgrafplantas& floor) {
    Rect r;
    ForEachObject(floor, [&](const TBaseGrafMS* object) {
        if (!IsWire(object)) {
            r = Union(r, object->GetBounds());
        }
    });
    return r;
}

std::string FloorSignature(const Tgrafplantas& floor, const OutletStates& states) {
    const Rect anchor = FloorSymbolBounds(floor);
    std::string signature;
    signature.reserve(64 * (floor.Symbols.size() + 8 * floor.FlatSpaces.size()));
    ForEachObject(floor, [&](const TBaseGrafMS* object) {
        signature += typeid(*object).name();
        signature += '|';
        // A flat frame's caption is the flat's name, which differs floor by floor.
        if (dynamic_cast<const TrectanguloPunteado*>(object) == nullptr) {
            signature += object->Caption;
        }
        signature += '|';
        const Rect b = object->GetBounds();
        AppendNumber(signature, b.left - anchor.left);
        AppendNumber(signature, b.top - anchor.top);
        AppendNumber(signature, b.Width());
        AppendNumber(signature, b.Height());
        if (const auto* wire = dynamic_cast<const Tgraflinea*>(object)) {
            AppendNumber(signature, wire->ShowLabel() ? 1 : 0);
        }
        if (const TTomaTV* outlet = OutletOf(object)) {
            const auto found = states.find(outlet);
            AppendNumber(signature, found != states.end() ? found->second : 0);
        }
        signature += ';';
    });
    return signature;
}

std::vector<FloorRun> FloorRuns(const TgrafEscalera& stair, const OutletStates& states, bool everyFloor) {
    std::vector<const Tgrafplantas*> floors;
    for (const auto& floor : stair.Floors) {
        if (floor->Planta != nullptr && !floor->Planta->HeaderPl && !FloorSymbolBounds(*floor).IsEmpty()) {
            floors.push_back(floor.get());
        }
    }
    // Drawn from the highest floor down, as the layout stacks them.
    std::sort(floors.begin(), floors.end(),
              [](const Tgrafplantas* a, const Tgrafplantas* b) { return a->Nivel > b->Nivel; });
    std::vector<FloorRun> runs;
    // Floors drawn alike share one run, also when other floors lie between them (a powered multiswitch
    // every ninth floor): the run is drawn where its highest floor is.
    std::unordered_map<std::string, std::size_t> runOf;
    for (const Tgrafplantas* floor : floors) {
        std::size_t index = runs.size();
        if (!everyFloor) {
            index = runOf.try_emplace(FloorSignature(*floor, states), runs.size()).first->second;
        }
        if (index == runs.size()) {
            runs.emplace_back();
        }
        runs[index].floors.push_back(floor);
        TakeLevels(*floor, states, runs[index]);
    }
    return runs;
}

namespace {

// The floors' levels as ranges of consecutive levels, highest first.
std::vector<std::pair<std::int32_t, std::int32_t>>
LevelRanges(const std::vector<const Tgrafplantas*>& floors) {
    std::vector<std::int32_t> levels;
    for (const Tgrafplantas* floor : floors) {
        levels.push_back(floor->Nivel);
    }
    std::sort(levels.begin(), levels.end());
    std::vector<std::pair<std::int32_t, std::int32_t>> ranges;
    for (std::int32_t level : levels) {
        if (!ranges.empty() && ranges.back().second + 1 == level) {
            ranges.back().second = level;
        } else {
            ranges.emplace_back(level, level);
        }
    }
    return ranges;
}

std::string RangeText(std::int32_t low, std::int32_t high) {
    return low == high ? std::to_string(low) : std::to_string(low) + " to " + std::to_string(high);
}

} // namespace

std::string RunCaption(const FloorRun& run) {
    if (run.floors.empty()) {
        return {};
    }
    const auto ranges = LevelRanges(run.floors);
    const std::string count = " (\xD7" + std::to_string(run.floors.size()) + ")";
    if (ranges.size() == 1) {
        if (run.floors.size() == 1) {
            return "FLOOR " + std::to_string(ranges.front().first);
        }
        return "FLOOR " + std::to_string(ranges.front().first) + " to FLOOR " +
               std::to_string(ranges.front().second) + count;
    }
    // Either the ranges one by one, or the whole span less the floors between that are drawn otherwise:
    // the shorter.
    std::string listed = "FLOOR ";
    for (std::size_t i = 0; i < ranges.size(); ++i) {
        listed += (i > 0 ? ", " : "") + RangeText(ranges[i].first, ranges[i].second);
    }
    std::string gaps;
    for (std::size_t i = 1; i < ranges.size(); ++i) {
        gaps += (gaps.empty() ? "" : ", ") + RangeText(ranges[i - 1].second + 1, ranges[i].first - 1);
    }
    const std::string spanned = "FLOOR " + std::to_string(ranges.front().first) + " to FLOOR " +
                                std::to_string(ranges.back().second) + " but " + gaps;
    return (spanned.size() < listed.size() ? spanned : listed) + count;
}

std::string RunLevelNote(const FloorRun& run) {
    if (!run.hasLevels) {
        return {};
    }
    auto level = [](double value) {
        return value < kLowestShownLevel ? "< " + OneDecimalText(kLowestShownLevel) : OneDecimalText(value);
    };
    auto range = [&](double low, double high) {
        return level(low) == level(high) ? level(low) : level(low) + " to " + level(high);
    };
    std::string note = "Outlets: TV " + range(run.lowestTerrestrial, run.highestTerrestrial) +
                       " dB\xB5V, SAT " + range(run.lowestSatellite, run.highestSatellite) + " dB\xB5V";
    if (run.failing > 0) {
        note += "; " + std::to_string(run.failing) + " of " + std::to_string(run.outlets) + " out of limits";
    }
    return note;
}

} // namespace ixo
