#include "design/binding_budget.h"

#include "building/escalera.h"
#include "building/planta.h"
#include "building/proyecto.h"
#include "building/vivienda.h"
#include "common/decimal_text.h"
#include "design/level_sample.h"
#include "design/network_elements.h"
#include "model/ampli_header.h"
#include "model/cabecera_terrestre.h"
#include "model/cbft.h"
#include "model/level_vector.h"
#include "model/pin.h"
#include "model/potenciometro.h"

#include <algorithm>
#include <limits>
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

// The headend feeding outlet level i that has nothing left to give, in words and figures (see
// BindingBudgets); the controls downstream are then at their ends too.
std::string HeadendAtItsEnd(const Tproyecto& project, const LevelSample& sample, std::size_t i) {
    const std::size_t band = sample.bands[i];
    const auto bandText = [](std::size_t b) { return OneDecimalText(kBandFrequenciesMHz[b]) + " MHz"; };
    const auto losses = [&](const std::string& what, double level, double highest) {
        const double loss = level - sample.levels[i];
        const double window = highest - sample.bounds[i].minimum;
        return "; no element stands at its maximum, while " + what + OneDecimalText(level) + " dBµV at " +
               bandText(band) + ": " + OneDecimalText(loss) +
               " dB of losses lie between it and the outlet, " +
               (loss > window ? "more than the " : "within the ") + OneDecimalText(window) +
               " dB between its highest level " + OneDecimalText(highest) +
               " dBµV and the outlet minimum (a line amplifier, a lower tap loss or a lower-loss cable would "
               "close it)";
    };
    for (TCBFT* element : NetworkElements(project)) {
        if (band < kFirstSatelliteBand) {
            const auto* headend = dynamic_cast<const TCabeceraTerrestre*>(element);
            if (headend == nullptr) {
                continue;
            }
            const double highest = headend->NivelmaxSignal()[1];
            const double level = headend->NivelTerr()[band];
            if (highest - headend->NivelTerr()[kFirstSatelliteBand - 1] <= kBindingTolerance) {
                return losses(headend->Name() + " (" + headend->Modelo +
                                  ") stands at its highest output level, ",
                              level, highest);
            }
            continue;
        }
        const auto* amplifier = dynamic_cast<const TAmpliHeader*>(element);
        if (amplifier == nullptr || amplifier->Localizacion != 0 || amplifier->LPG().empty()) {
            continue;
        }
        bool atEnd = true;
        for (const TPotenciometroBase8* control : amplifier->LPG()) {
            const bool rising = control->GainsAt100()[band] >= control->GainsAt0()[band];
            atEnd = atEnd && (rising ? control->Ajuste >= 100.0 : control->Ajuste <= 0.0);
        }
        double level = -std::numeric_limits<double>::infinity();
        for (const TPin* out : amplifier->PinesSALIDA()) {
            level = std::max(level, out->Levels()[band]);
        }
        if (atEnd && level > -std::numeric_limits<double>::infinity()) {
            return losses(amplifier->Name() + " (" + amplifier->Modelo +
                              ") has every gain control at its highest gain, its output ",
                          level, amplifier->NivelmaxSignal()[band]);
        }
    }
    return "; no element stands at its maximum: the gain controls and amplifiers that feed it reached the "
           "ends of their ranges";
}

std::string Budget(const Tproyecto& project, const LevelSample& sample, const TEscalera* stair,
                   std::size_t i) {
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
        return text + HeadendAtItsEnd(project, sample, i);
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
std::vector<std::string> BindingBudgets(const Tproyecto& project, const LevelSample& sample) {
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
        budgets.push_back(Budget(project, sample, stair, i));
    }
    return budgets;
}

} // namespace ixo
