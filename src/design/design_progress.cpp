#include "design/design_progress.h"

#include "building/planta.h"
#include "building/vivienda.h"
#include "design/level_sample.h"

#include <algorithm>
#include <limits>
#include <map>

namespace ixo {

std::vector<double> StairMargins(const LevelSample& sample) {
    std::map<const void*, double> worst;
    // The levels of one flat come together: its stair is looked up once for them.
    const Tvivienda* lastFlat = nullptr;
    double* margin = nullptr;
    for (std::size_t i = 0; i < sample.Size(); ++i) {
        const Tvivienda* flat = sample.flats[i];
        if (sample.outlets[i] == nullptr || flat == nullptr) {
            continue;
        }
        if (flat != lastFlat) {
            const tplanta* floor = flat->Planta();
            const void* stair = floor != nullptr ? static_cast<const void*>(floor->Escalera()) : nullptr;
            margin = &worst.emplace(stair, std::numeric_limits<double>::infinity()).first->second;
            lastFlat = flat;
        }
        *margin = std::min(*margin, MarginOf(sample.levels[i], sample.bounds[i]));
    }
    std::vector<double> margins;
    margins.reserve(worst.size());
    for (const auto& [stair, margin] : worst) {
        margins.push_back(margin);
    }
    std::sort(margins.begin(), margins.end());
    return margins;
}

Standing StandingOf(const LevelSample& sample) {
    return {sample.Score(), StairMargins(sample)};
}

bool Improves(const Standing& before, const Standing& after, double tolerance) {
    if (after.score > before.score + tolerance) {
        return true;
    }
    if (after.score < before.score - tolerance) {
        return false;
    }
    for (std::size_t s = 0; s < std::min(before.stairs.size(), after.stairs.size()); ++s) {
        if (after.stairs[s] > before.stairs[s] + tolerance) {
            return true;
        }
        if (after.stairs[s] < before.stairs[s] - tolerance) {
            return false;
        }
    }
    return false;
}

bool Improves(const Standing& before, const LevelSample& after, double tolerance) {
    const double score = after.Score();
    if (score > before.score + tolerance || score < before.score - tolerance) {
        return score > before.score + tolerance; // the stairs are not looked at
    }
    return Improves(before, Standing{score, StairMargins(after)}, tolerance);
}

bool Improves(const LevelSample& before, const LevelSample& after, double tolerance) {
    return Improves(StandingOf(before), after, tolerance);
}

} // namespace ixo
