#include "design/auto_regulation.h"

#include "design/level_sample.h"
#include "design/network_elements.h"
#include "model/ampli_base.h"
#include "model/cabecera_terrestre.h"
#include "model/multiswitch.h"
#include "model/potenciometro.h"

// What the automatic regulation may move: every gain and slope control of the amplifiers (not the
// terrestrial headend's, whose output level and tilt are settings of their own) and of the
// multiswitches, and the terrestrial headend's output level and tilt.
namespace ixo {
namespace {

void AddControls(const ControlList& list, std::vector<TPotenciometroBase8*>& controls) {
    for (TPotenciometroBase8* control : list) {
        if (control != nullptr) {
            controls.push_back(control);
        }
    }
}

} // namespace

std::vector<TPotenciometroBase8*> AdjustableControls(const Tproyecto& project) {
    std::vector<TPotenciometroBase8*> controls;
    for (TCBFT* element : NetworkElements(project)) {
        if (auto* amplifier = dynamic_cast<TAmpliBase*>(element)) {
            if (dynamic_cast<TCabeceraTerrestre*>(amplifier) == nullptr) {
                AddControls(amplifier->LPG(), controls);
                AddControls(amplifier->LPP(), controls);
            }
        } else if (auto* multiswitch = dynamic_cast<TMultiswitch*>(element)) {
            for (const auto& entry : multiswitch->LPG()) {
                if (entry.control != nullptr) {
                    controls.push_back(entry.control);
                }
            }
        }
    }
    return controls;
}

double WorstMargin(Tproyecto& project) {
    LevelSample sample;
    sample.Take(project);
    return sample.Worst();
}

std::vector<RegulationSetting> RegulationSettings(const Tproyecto& project) {
    std::vector<RegulationSetting> settings;
    for (TPotenciometroBase8* control : AdjustableControls(project)) {
        settings.push_back({control, nullptr, 0.0, 100.0});
    }
    for (TCBFT* element : NetworkElements(project)) {
        auto* headend = dynamic_cast<TCabeceraTerrestre*>(element);
        const double maximum = headend != nullptr ? headend->NivelmaxSignal()[1] : 0.0;
        if (maximum > 0.0) {
            settings.push_back({nullptr, headend, maximum - kTerrestrialRange, maximum});
            settings.push_back({nullptr, headend, 0.0, kTerrestrialTiltRange, true});
        }
    }
    return settings;
}

} // namespace ixo
