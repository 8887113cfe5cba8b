#include "settings/standard_presets.h"

#include "common/ascii_case.h"

namespace ixo {
namespace {

std::vector<StandardPreset> MakePresets() {
    std::vector<StandardPreset> presets;
    // EN 60728-1: DVB-T 64-QAM 2/3 45-74 dBµV, DVB-S/S2 47-77 dBµV at the system outlet.
    presets.push_back({"EN60728-1", "EN 60728-1 (CENELEC)", 45.0, 74.0, 47.0, 77.0, 25.0, 11.0, std::nullopt,
                       "DVB-T 64-QAM 2/3 and DVB-S/S2 at the system outlet", false});
    // Spain, common telecommunication infrastructure in buildings: DVB-T 47-70 dBµV, C/N >= 25 dB.
    presets.push_back({"ICT", "ICT (Spain)", 47.0, 70.0, 47.0, 77.0, 25.0, 11.0, std::nullopt,
                       "DVB-T 47-70 dBµV with C/N of 25 dB; satellite IF 47-77 dBµV", false});
    // Italy, CEI 100-7 guide: DVB-T 47-74 dBµV with C/N of 25 dB, satellite IF 47-77 dBµV.
    presets.push_back({"CEI100-7", "CEI 100-7 (Italy)", 47.0, 74.0, 47.0, 77.0, 25.0, 11.0, std::nullopt,
                       "DVB-T 47-74 dBµV with C/N of 25 dB; satellite IF 47-77 dBµV (53 dBµV recommended as "
                       "the design minimum)",
                       false});
    // United Kingdom practice: DTT 45-65 dBµV at the outlet.
    presets.push_back({"UK", "UK practice", 45.0, 65.0, 47.0, 77.0, 25.0, 11.0, std::nullopt,
                       "DTT 45-65 dBµV at the outlet; satellite IF 47-77 dBµV", false});
    StandardPreset custom;
    custom.name = "Custom";
    custom.title = "Custom (the project's own limits)";
    custom.terrestrialMinimumCn = 25.0;
    custom.satelliteMinimumCn = 11.0;
    custom.note = "the project's two level limits; C/N minimums as EN 60728-1";
    custom.custom = true;
    presets.push_back(custom);
    return presets;
}

} // namespace

const std::vector<StandardPreset>& StandardPresets() {
    static const std::vector<StandardPreset> presets = MakePresets();
    return presets;
}

const StandardPreset* FindStandardPreset(std::string_view name) {
    for (const StandardPreset& preset : StandardPresets()) {
        if (EqualsIgnoringAsciiCase(preset.name, name)) {
            return &preset;
        }
    }
    return nullptr;
}

std::string StandardPresetNames() {
    std::string names;
    for (const StandardPreset& preset : StandardPresets()) {
        if (!names.empty()) {
            names += ", ";
        }
        names += preset.name;
    }
    return names;
}

TMatestructuranivel WithPresetLimits(const StandardPreset& preset, TMatestructuranivel limits) {
    if (preset.custom) {
        return limits;
    }
    if (limits.size() < kLevelLimitCount) {
        DefaultLevelLimits(limits);
    }
    limits[kTerrestrialLimit].minimum = preset.terrestrialMinimum;
    limits[kTerrestrialLimit].maximum = preset.terrestrialMaximum;
    limits[kSatelliteLimit].minimum = preset.satelliteMinimum;
    limits[kSatelliteLimit].maximum = preset.satelliteMaximum;
    return limits;
}

} // namespace ixo
