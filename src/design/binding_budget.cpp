#include "design/binding_budget.h"

#include "building/escalera.h"
#include "building/planta.h"
#include "building/vivienda.h"
#include "common/decimal_text.h"
#include "design/level_sample.h"
#include "design/network_elements.h"
#include "model/cbft.h"
#include "model/level_vector.h"
#include "model/pin.h"

#include <map>
#include <optional>

namespace ixo {

namespace {

constexpr double kBindingTolerance = 0.3; // dB: an element this near its guarded maximum binds

const TEscalera* StairOf(const TCBFT* element) {
    const auto* floor = element != nullptr ? dynamic_cast<const tplanta*>(element->Container()) : nullptr;
    return floor != nullptr && !floor->HeaderPl ? floor->Escalera() : nullptr;
}

// The sampled level of an element's pin at a band, when that band is rated there.
std::optional<double> LevelAt(const LevelSample& sample, const TPin* pin, std::size_t band) {
    for (std::size_t j = 0; j < sample.Size(); ++j) {
        if (sample.pins[j] == pin && sample.outlets[j] == nullptr && sample.bands[j] == band) {
            return sample.levels[j];
        }
    }
    return std::nullopt;
}

std::string Budget(const LevelSample& sample, const TEscalera* stair, std::size_t i) {
    const bool satellite = sample.bands[i] >= kFirstSatelliteBand;
    const auto bandText = [](std::size_t band) { return OneDecimalText(kBandFrequenciesMHz[band]) + " MHz"; };
    const Tvivienda& flat = *sample.flats[i];
    std::string text =
        (stair != nullptr ? "STAIR" + std::to_string(stair->Numero_Interno()) : std::string("?")) + ": " +
        OutletPlace(flat, *sample.outlets[i]) + " gets " + OneDecimalText(sample.levels[i]) + " dBµV at " +
        bandText(sample.bands[i]) + ", " + OneDecimalText(sample.bounds[i].minimum - sample.levels[i]) +
        " dB below the minimum " + OneDecimalText(sample.bounds[i].minimum);
    std::size_t binding = sample.Size();
    for (std::size_t j = 0; j < sample.Size(); ++j) {
        if (sample.outlets[j] != nullptr || (sample.bands[j] >= kFirstSatelliteBand) != satellite ||
            sample.bounds[j].maximum - sample.levels[j] > kMaximumGuard + kBindingTolerance) {
            continue;
        }
        const TEscalera* where = StairOf(sample.elements[j]);
        if (where != stair && where != nullptr) {
            continue;
        }
        const bool better =
            binding == sample.Size() || (where == stair && StairOf(sample.elements[binding]) != stair) ||
            (where == StairOf(sample.elements[binding]) && sample.levels[j] < sample.levels[binding]);
        if (better) {
            binding = j;
        }
    }
    if (binding == sample.Size()) {
        return text + "; no element stands at its maximum: the gain controls and amplifiers that feed it " +
               "reached the ends of their ranges";
    }
    const TCBFT& element = *sample.elements[binding];
    const double maximum = sample.bounds[binding].maximum;
    // The outlet's level at the maximum's band: an outlet's bands are sampled one after the other.
    std::size_t same = i;
    const std::size_t at = i + sample.bands[binding] - sample.bands[i];
    if (at < sample.Size() && sample.outlets[at] == sample.outlets[i] &&
        sample.polarities[at] == sample.polarities[i] && sample.bands[at] == sample.bands[binding]) {
        same = at;
    }
    const double loss = sample.levels[binding] - sample.levels[same];
    const double window = maximum - sample.bounds[i].minimum;
    text += ", while " + element.Name() + " (" + element.Modelo + ") " +
            (sample.pins[binding]->Kind() == PinKind::Input ? "input " : "output ") +
            std::to_string(sample.pins[binding]->Numeracion) + " stands at its maximum " +
            OneDecimalText(maximum) + " dBµV at " + bandText(sample.bands[binding]) + ": " +
            OneDecimalText(loss) + " dB of through, cable and tap losses lie between them at " +
            bandText(sample.bands[same]);
    if (loss > window) {
        return text + ", more than the " + OneDecimalText(window) +
               " dB between that maximum and the outlet minimum (a line amplifier nearer the outlet, a "
               "lower tap loss or a lower-loss cable would close it)";
    }
    // The losses at the maximum's band fit its window: the outlet falls short at another band, by the
    // tilt of the losses between the two bands.
    text += ", within the " + OneDecimalText(window) + " dB between that maximum and the outlet minimum";
    if (const std::optional<double> there = LevelAt(sample, sample.pins[binding], sample.bands[i])) {
        const double lossThere = *there - sample.levels[i];
        text += "; at " + bandText(sample.bands[i]) + " they are " + OneDecimalText(lossThere) + " dB, " +
                OneDecimalText(lossThere - loss) + " dB more";
    }
    return text + ": the tilt between the bands binds (a slope control, a sloped line amplifier or an "
                  "equaliser ahead of the outlet would close it)";
}

} // namespace

// Per stair, its worst outlet below its minimum and the maximum that holds it down: the element of
// the stair (else of the headend) standing at its maximum in the same band group, nearest the
// outlet's level. The figures say how much loss lies between them and how much the window between
// that maximum and the outlet minimum allows.
std::vector<std::string> BindingBudgets(const LevelSample& sample) {
    std::map<const TEscalera*, std::size_t> worst;
    std::vector<std::string> budgets;
    for (std::size_t i = 0; i < sample.Size(); ++i) {
        if (sample.outlets[i] == nullptr || sample.levels[i] >= sample.bounds[i].minimum) {
            continue;
        }
        const tplanta* floor = sample.flats[i] != nullptr ? sample.flats[i]->Planta() : nullptr;
        const TEscalera* stair = floor != nullptr ? floor->Escalera() : nullptr;
        const auto [at, inserted] = worst.emplace(stair, i);
        if (!inserted && MarginOf(sample.levels[i], sample.bounds[i]) <
                             MarginOf(sample.levels[at->second], sample.bounds[at->second])) {
            at->second = i;
        }
    }
    for (const auto& [stair, i] : worst) {
        budgets.push_back(Budget(sample, stair, i));
    }
    return budgets;
}

} // namespace ixo
