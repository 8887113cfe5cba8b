#pragma once

#include "settings/level_limits.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ixo {

// A named set of outlet limits a design is handed in against: the level window of the terrestrial and
// of the satellite IF bands at every outlet, the lowest carrier-to-noise ratio each band group must
// keep there and, for some, the largest spread of level across the satellite IF band (its tilt). The
// figures and where they come from are listed in docs/standards.md.
struct StandardPreset {
    std::string name;              // what the user types, e.g. "EN60728-1"
    std::string title;             // e.g. "EN 60728-1 (CENELEC)"
    double terrestrialMinimum = 0; // dBµV
    double terrestrialMaximum = 0;
    double satelliteMinimum = 0;
    double satelliteMaximum = 0;
    double terrestrialMinimumCn = 0; // dB
    double satelliteMinimumCn = 0;
    std::optional<double> maximumSatelliteTilt; // dB across 950-2150 MHz
    std::string note;                           // what the figures are for, one line
    // The project's own two limits ("Custom"): the window comes from the project, not from here.
    bool custom = false;
};

// Every preset, "Custom" last.
const std::vector<StandardPreset>& StandardPresets();

// The preset of that name, compared without regard to ASCII case; null when there is none.
const StandardPreset* FindStandardPreset(std::string_view name);

// The limits with the preset's level windows (terrestrial and satellite) in them, the default limits
// first where they are missing; the project's own limits as they are for "Custom".
TMatestructuranivel WithPresetLimits(const StandardPreset& preset, TMatestructuranivel limits);

// The preset names separated by ", " (for messages).
std::string StandardPresetNames();

} // namespace ixo
