#include "design/unserved_outlets.h"

#include "building/vivienda.h"
#include "common/decimal_text.h"
#include "design/auto_design.h"
#include "design/level_sample.h"
#include "design/network_elements.h"
#include "design/tap_grading.h"
#include "model/level_vector.h"
#include "model/toma_tv.h"

#include <algorithm>
#include <limits>
#include <map>
#include <string>

namespace ixo {
namespace {

// The lowest and highest outlet level of a flat, band by band: an amplifier lifts each band of
// everything below it by the same amount, so a flat fits when each band's spread fits the window of its
// limits (the tilt between bands is the slope controls' business).
struct Spread {
    std::array<double, kBandCount> low;
    std::array<double, kBandCount> high;

    Spread() {
        low.fill(std::numeric_limits<double>::infinity());
        high.fill(-std::numeric_limits<double>::infinity());
    }
    void Take(double level, std::size_t band) {
        low[band] = std::min(low[band], level);
        high[band] = std::max(high[band], level);
    }
    double Width(std::size_t band) const { return high[band] > low[band] ? high[band] - low[band] : 0.0; }
};

// Why an outlet of sample is out of limits.
struct Reasons {
    const LevelSample& sample;
    const std::array<double, 2>& window;
    const std::set<const tplanta*>& refusedFloors;
    bool amplify;

    double Window(std::size_t band) const { return window[band >= kFirstSatelliteBand ? 1 : 0]; }

    std::string Of(std::size_t i, const Tvivienda& flat, const Spread& spread) const {
        for (std::size_t band = 1; band < kBandCount; ++band) {
            if (spread.Width(band) > Window(band)) {
                return "the levels inside the flat spread over " + OneDecimalText(spread.Width(band)) +
                       " dB at " + OneDecimalText(kBandFrequenciesMHz[band]) + " MHz, more than the " +
                       OneDecimalText(Window(band)) + " dB between the limits";
            }
        }
        // A whole band group (terrestrial, satellite) wider than the window: the tilt of the cables
        // between its lowest and highest frequency is more than the slope controls took out.
        for (int group = 0; group < 2; ++group) {
            const std::size_t first = kTiltBands[group][0];
            const std::size_t last = kTiltBands[group][1] + 1;
            double low = std::numeric_limits<double>::infinity();
            double high = -std::numeric_limits<double>::infinity();
            for (std::size_t band = first; band < last; ++band) {
                low = std::min(low, spread.low[band]);
                high = std::max(high, spread.high[band]);
            }
            if (high - low > window[group]) {
                return std::string("its ") + (group ? "satellite" : "terrestrial") + " levels span " +
                       OneDecimalText(high - low) + " dB from " + OneDecimalText(kBandFrequenciesMHz[first]) +
                       " to " + OneDecimalText(kBandFrequenciesMHz[last - 1]) +
                       " MHz (cable tilt), more than the " + OneDecimalText(window[group]) +
                       " dB between the limits after the slope controls were set";
            }
        }
        if (flat.Planta() != nullptr && refusedFloors.count(flat.Planta()) != 0) {
            return "no line amplifier could be inserted on its floor (see the refusals)";
        }
        const double level = sample.levels[i];
        const LevelBound& bound = sample.bounds[i];
        const std::string band = OneDecimalText(kBandFrequenciesMHz[sample.bands[i]]) + " MHz";
        if (level < bound.minimum) {
            return OneDecimalText(level) + " dBµV at " + band + " stays below the minimum " +
                   OneDecimalText(bound.minimum) +
                   (amplify ? " with every control and amplifier the catalogue offers"
                            : " (amplifiers were not allowed)");
        }
        return OneDecimalText(level) + " dBµV at " + band + " stays above the maximum " +
               OneDecimalText(bound.maximum) +
               " after the regulation (the controls upstream cannot lower it without taking other levels "
               "out)";
    }
};

} // namespace

std::vector<UnservedOutlet> UnservedOutlets(const LevelSample& sample, const std::array<double, 2>& window,
                                            const std::set<const tplanta*>& refusedFloors, bool amplify) {
    const Reasons reasons{sample, window, refusedFloors, amplify};
    std::vector<UnservedOutlet> unserved;
    std::map<const Tvivienda*, Spread> flatSpreads;
    for (std::size_t i = 0; i < sample.Size(); ++i) {
        if (sample.flats[i] != nullptr) {
            flatSpreads[sample.flats[i]].Take(sample.levels[i], sample.bands[i]);
        }
    }
    std::set<const TTomaTV*> named;
    for (std::size_t i = 0; i < sample.Size(); ++i) {
        const TTomaTV* outlet = sample.outlets[i];
        if (outlet == nullptr || MarginOf(sample.levels[i], sample.bounds[i]) >= 0.0 ||
            !named.insert(outlet).second) {
            continue;
        }
        const Tvivienda& flat = *sample.flats[i];
        unserved.push_back({OutletPlace(flat, *outlet), reasons.Of(i, flat, flatSpreads[&flat])});
    }
    return unserved;
}

} // namespace ixo
