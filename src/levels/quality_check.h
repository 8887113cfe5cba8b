#pragma once

#include "levels/carrier_noise.h"

#include <optional>
#include <string>
#include <vector>

namespace ixo {

class TpreferenciasProyecto;
class Tproyecto;
struct StandardPreset;

// The limits every outlet is judged against: the level window of each band group, the lowest C/N and,
// when the standard sets one, the largest tilt over the satellite IF band.
struct QualityLimits {
    std::string standard; // the preset's name
    double terrestrialMinimum = 0;
    double terrestrialMaximum = 0;
    double satelliteMinimum = 0;
    double satelliteMaximum = 0;
    double terrestrialMinimumCn = 0;
    double satelliteMinimumCn = 0;
    std::optional<double> maximumSatelliteTilt;
    bool terrestrial = true; // the terrestrial bands are checked (HD_ICTERR)
};

// The preset's limits; "Custom" takes the level window from the project's two limits.
QualityLimits LimitsOf(const StandardPreset& preset, const TpreferenciasProyecto& preferences);

// One criterion at one outlet.
struct CriterionResult {
    std::string criterion; // "TER level", "SAT level", "TER C/N", "SAT C/N", "SAT tilt"
    bool passes = true;
    // The worst value found and its band (levels dBµV, C/N and tilt dB); band -1 for the tilt.
    double worst = 0;
    int band = -1;
    std::string limit; // e.g. "47.0-77.0 dBµV", ">= 25.0 dB"
};

struct OutletVerdict {
    OutletQuality quality;
    std::vector<CriterionResult> criteria;
    bool Passes() const;
    // The failing criteria, e.g. "TER C/N 21.3 dB at 862 MHz (>= 25.0 dB)"; empty when it passes.
    std::string FailureText() const;
    // The same for the criteria beyond the level windows (C/N, tilt): what the outlet check of the level
    // limits does not already report. Empty when they pass.
    std::string FailureTextBeyondLevels() const;
};

// Where the outlet is, e.g. "STAIR1 FLOOR2 FL3 T1".
std::string OutletPlace(const OutletQuality& quality);

// Judges one outlet against the limits. Band 0 (47 MHz) is never judged, as in the outlet check.
OutletVerdict JudgeOutlet(OutletQuality quality, const QualityLimits& limits);

// Measures and judges every outlet of the project (see MeasureOutletQuality).
std::vector<OutletVerdict> CheckQuality(Tproyecto& project, const QualityLimits& limits);

} // namespace ixo
