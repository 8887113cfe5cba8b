#include "ui/standard_choice.h"

#include "building/preferencias_proyecto.h"
#include "building/proyecto.h"
#include "settings/ini_values.h"
#include "settings/level_limits.h"
#include "settings/standard_presets.h"

#include <cstdio>

namespace ixo {
namespace {

constexpr double kLowest = -50.0;
constexpr double kHighest = 150.0;

std::string Text(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.1f", value);
    return text;
}

std::optional<double> Value(const std::string& text) {
    const std::optional<double> value = ParseIniDecimal(text);
    if (!value || *value < kLowest || *value > kHighest) {
        return std::nullopt;
    }
    return value;
}

} // namespace

StandardChoice::StandardChoice(const Tproyecto& project) : m_original(project.Quality()) {
    const auto& presets = StandardPresets();
    for (std::size_t i = 0; i < presets.size(); ++i) {
        if (presets[i].name == m_original.standard) {
            m_selected = static_cast<int>(i) + 1;
        }
    }
    m_antennaLevel = Text(m_original.terrestrialAntennaLevel);
    m_lnbCn = Text(m_original.satelliteLnbCn[0]);
}

std::vector<std::string> StandardChoice::Choices() const {
    std::vector<std::string> choices = {"None"};
    for (const StandardPreset& preset : StandardPresets()) {
        choices.push_back(preset.title);
    }
    return choices;
}

void StandardChoice::Select(int index) {
    if (index >= 0 && index <= static_cast<int>(StandardPresets().size())) {
        m_selected = index;
    }
}

std::optional<std::string> StandardChoice::Problem() const {
    if (!Value(m_antennaLevel)) {
        return "The antenna level must be a number from " + Text(kLowest) + " to " + Text(kHighest) + " dBµV";
    }
    if (!Value(m_lnbCn)) {
        return "The LNB C/N must be a number from " + Text(kLowest) + " to " + Text(kHighest) + " dB";
    }
    return std::nullopt;
}

std::string StandardChoice::WindowText() const {
    if (m_selected == 0) {
        return "";
    }
    const StandardPreset& preset = StandardPresets()[static_cast<std::size_t>(m_selected - 1)];
    if (preset.custom) {
        return "The project's own limits; C/N at least " + Text(preset.terrestrialMinimumCn) + " dB (TER), " +
               Text(preset.satelliteMinimumCn) + " dB (SAT)";
    }
    return "TER " + Text(preset.terrestrialMinimum) + "-" + Text(preset.terrestrialMaximum) + " dBµV, SAT " +
           Text(preset.satelliteMinimum) + "-" + Text(preset.satelliteMaximum) + " dBµV; C/N at least " +
           Text(preset.terrestrialMinimumCn) + " / " + Text(preset.satelliteMinimumCn) + " dB";
}

SignalQuality StandardChoice::Chosen() const {
    SignalQuality quality = m_original;
    quality.standard =
        m_selected == 0 ? std::string() : StandardPresets()[static_cast<std::size_t>(m_selected - 1)].name;
    quality.terrestrialAntennaLevel = *Value(m_antennaLevel);
    const double lnb = *Value(m_lnbCn);
    // One figure for the four IF bands, unless the project keeps four different ones unchanged.
    if (Text(m_original.satelliteLnbCn[0]) != m_lnbCn) {
        quality.satelliteLnbCn = {lnb, lnb, lnb, lnb};
    }
    return quality;
}

bool StandardChoice::Apply(Tproyecto& project) const {
    if (Problem()) {
        return false;
    }
    const SignalQuality quality = Chosen();
    bool changed = quality != project.Quality();
    project.Quality() = quality;
    if (m_selected > 0) {
        const StandardPreset& preset = StandardPresets()[static_cast<std::size_t>(m_selected - 1)];
        if (!preset.custom) {
            TMatestructuranivel limits;
            project.Preferencias().LeerNiveles(limits);
            if (limits.size() < kLevelLimitCount) {
                DefaultLevelLimits(limits);
            }
            TMatestructuranivel updated = limits;
            updated[kTerrestrialLimit].minimum = preset.terrestrialMinimum;
            updated[kTerrestrialLimit].maximum = preset.terrestrialMaximum;
            updated[kSatelliteLimit].minimum = preset.satelliteMinimum;
            updated[kSatelliteLimit].maximum = preset.satelliteMaximum;
            if (updated != limits) {
                project.Preferencias().AsignarNiveles(updated);
                changed = true;
            }
        }
    }
    if (changed) {
        project.Modificado = true;
    }
    return changed;
}

} // namespace ixo
