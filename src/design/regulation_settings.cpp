#include "design/auto_regulation.h"

#include "building/proyecto.h"
#include "design/level_sample.h"
#include "design/network_elements.h"
#include "editing/edit_journal.h"
#include "editing/regulation.h"
#include "model/ampli_base.h"
#include "model/cabecera_terrestre.h"
#include "model/multiswitch.h"
#include "model/potenciometro.h"

#include <unordered_map>

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

void RecordSetting(const RegulationSetting& setting, EditJournal& journal, double value) {
    if (setting.control != nullptr) {
        journal.Set(*setting.control, setting.control->Ajuste, value);
        return;
    }
    TCabeceraTerrestre* target = setting.headend;
    const LevelVector before = target->NivelTerr();
    setting.Set(value);
    const LevelVector after = target->NivelTerr();
    journal.MarkTouched(target);
    journal.Record([target, before] { target->SetNivelTerr(before); },
                   [target, after] { target->SetNivelTerr(after); });
}

namespace {

// The change of setting from before to after but its slider's label.
ControlChange ChangeWithoutLabel(const RegulationSetting& setting, double before, double after) {
    ControlChange change;
    const TPotenciometroBase8* control = setting.control;
    const TPCLectorFichero* owner =
        control != nullptr ? dynamic_cast<const TPCLectorFichero*>(control->Owner()) : setting.headend;
    if (owner != nullptr) {
        change.element = owner->Name();
        change.model = owner->Modelo;
    }
    change.control = control != nullptr ? control->Caption : std::string(setting.tilt ? "tilt" : "level");
    change.unit = control != nullptr ? "%" : (setting.tilt ? "dB" : "dBµV");
    change.before = before;
    change.after = after;
    return change;
}

TCBFT* ControlElement(const RegulationSetting& setting) {
    return setting.control != nullptr ? dynamic_cast<TCBFT*>(setting.control->Owner()) : nullptr;
}

} // namespace

std::vector<ControlChange> ChangesOfSettings(Tproyecto& project,
                                             const std::vector<RegulationSetting>& settings,
                                             const std::vector<double>& before,
                                             const std::vector<double>& after) {
    // A multiswitch's sixteen gains moved together would build its regulation sixteen times for one
    // label each: the labels of an element are taken once, for every slider.
    std::unordered_map<const TCBFT*, std::unordered_map<const TPotenciometroBase8*, std::string>> labels;
    std::vector<ControlChange> changes;
    for (std::size_t s = 0; s < settings.size(); ++s) {
        if (before[s] == after[s]) {
            continue;
        }
        ControlChange change = ChangeWithoutLabel(settings[s], before[s], after[s]);
        if (TCBFT* element = ControlElement(settings[s])) {
            const auto [at, inserted] = labels.try_emplace(element);
            if (inserted) {
                for (auto& [control, label] : Regulation::LabelsOf(project, *element)) {
                    at->second.try_emplace(control, std::move(label));
                }
            }
            if (const auto found = at->second.find(settings[s].control); found != at->second.end()) {
                change.slider = found->second;
            }
        }
        changes.push_back(std::move(change));
    }
    return changes;
}

} // namespace ixo
