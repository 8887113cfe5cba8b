#include "ui/project/standard_choice.h"

#include "building/preferencias_proyecto.h"
#include "building/proyecto.h"
#include "common/decimal_text.h"
#include "settings/ini_values.h"
#include "settings/level_limits.h"
#include "settings/standard_presets.h"

#include <algorithm>

namespace ixo {
namespace {

static_assert(std::tuple_size_v<decltype(SignalQuality::satelliteLnbCn)> == StandardChoice::kLnbBands);

constexpr double kLowest = -50.0;
constexpr double kHighest = 150.0;

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
    m_antennaLevel = OneDecimalText(m_original.terrestrialAntennaLevel);
    for (std::size_t band = 0; band < kLnbBands; ++band) {
        m_lnbCnBands[band] = OneDecimalText(m_original.satelliteLnbCn[band]);
    }
    const bool same = std::all_of(m_lnbCnBands.begin(), m_lnbCnBands.end(),
                                  [this](const std::string& text) { return text == m_lnbCnBands[0]; });
    m_lnbCn = same ? m_lnbCnBands[0] : std::string();
}

void StandardChoice::SetLnbCnText(std::string text) {
    m_lnbCn = std::move(text);
    m_lnbCnBands.fill(m_lnbCn);
}

std::string StandardChoice::LnbCnBandText(std::size_t band) const {
    return band < kLnbBands ? m_lnbCnBands[band] : std::string();
}

void StandardChoice::SetLnbCnBandText(std::size_t band, std::string text) {
    if (band < kLnbBands) {
        m_lnbCnBands[band] = std::move(text);
    }
}

std::string StandardChoice::LnbBandName(std::size_t band) {
    static constexpr const char* kNames[kLnbBands] = {"950 MHz", "1350 MHz", "1750 MHz", "2150 MHz"};
    return band < kLnbBands ? kNames[band] : std::string();
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
        return "The antenna level must be a number from " + OneDecimalText(kLowest) + " to " +
               OneDecimalText(kHighest) + " dBµV";
    }
    const bool oneForAll = std::all_of(m_lnbCnBands.begin(), m_lnbCnBands.end(),
                                       [this](const std::string& text) { return text == m_lnbCnBands[0]; });
    for (std::size_t band = 0; band < kLnbBands; ++band) {
        if (!Value(m_lnbCnBands[band])) {
            return "The LNB C/N" + (oneForAll ? std::string() : " at " + LnbBandName(band)) +
                   " must be a number from " + OneDecimalText(kLowest) + " to " + OneDecimalText(kHighest) +
                   " dB";
        }
    }
    return std::nullopt;
}

std::string StandardChoice::WindowText() const {
    if (m_selected == 0) {
        return "";
    }
    const StandardPreset& preset = StandardPresets()[static_cast<std::size_t>(m_selected - 1)];
    if (preset.custom) {
        return "The project's own limits; C/N at least " + OneDecimalText(preset.terrestrialMinimumCn) +
               " dB (TER), " + OneDecimalText(preset.satelliteMinimumCn) + " dB (SAT)";
    }
    return "TER " + OneDecimalText(preset.terrestrialMinimum) + "-" +
           OneDecimalText(preset.terrestrialMaximum) + " dBµV, SAT " +
           OneDecimalText(preset.satelliteMinimum) + "-" + OneDecimalText(preset.satelliteMaximum) +
           " dBµV; C/N at least " + OneDecimalText(preset.terrestrialMinimumCn) + " / " +
           OneDecimalText(preset.satelliteMinimumCn) + " dB";
}

SignalQuality StandardChoice::Chosen() const {
    SignalQuality quality = m_original;
    quality.standard =
        m_selected == 0 ? std::string() : StandardPresets()[static_cast<std::size_t>(m_selected - 1)].name;
    quality.terrestrialAntennaLevel = *Value(m_antennaLevel);
    // A band whose text is unchanged keeps the project's figure exactly (the text shows one decimal).
    for (std::size_t band = 0; band < kLnbBands; ++band) {
        if (OneDecimalText(m_original.satelliteLnbCn[band]) != m_lnbCnBands[band]) {
            quality.satelliteLnbCn[band] = *Value(m_lnbCnBands[band]);
        }
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
            const TMatestructuranivel updated = WithPresetLimits(preset, limits);
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
