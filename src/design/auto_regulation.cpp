#include "design/auto_regulation.h"

#include "building/proyecto.h"
#include "design/level_sample.h"
#include "design/network_elements.h"
#include "editing/edit_journal.h"
#include "editing/network_editor.h"
#include "model/cabecera_terrestre.h"
#include "model/multiswitch.h"
#include "model/potenciometro.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace ixo {
namespace {

constexpr double kProbeShare = 0.1; // of a setting's range
constexpr double kNoEffect = 1e-7;  // dB per unit
constexpr int kMaxSweeps = 30;
constexpr int kMaxRounds = 3;

// One setting the regulation chooses: a control's position or a terrestrial headend's level.
struct Setting {
    TPotenciometroBase8* control = nullptr;
    TCabeceraTerrestre* headend = nullptr;
    double low = 0.0;
    double high = 100.0;

    double Get() const { return control != nullptr ? control->Ajuste : headend->NivelTerr()[1]; }
    // Ajuste is set directly, not with SetAjuste: the settings are chosen one by one, so moving the
    // controls of equal caption together would undo the choice.
    void Set(double value) const {
        if (control != nullptr) {
            control->Ajuste = value;
        } else {
            headend->SetNivelTerr(WithTerrestrialLevel(headend->NivelTerr(), value));
        }
    }
    static LevelVector WithTerrestrialLevel(LevelVector level, double value) {
        for (std::size_t band = 0; band < kFirstSatelliteBand; ++band) {
            level[band] = value;
        }
        return level;
    }
    void Record(EditJournal& journal, double value) const {
        if (control != nullptr) {
            journal.Set(control->Ajuste, value);
            return;
        }
        TCabeceraTerrestre* target = headend;
        const LevelVector before = target->NivelTerr();
        const LevelVector after = WithTerrestrialLevel(before, value);
        target->SetNivelTerr(after);
        journal.Record([target, before] { target->SetNivelTerr(before); },
                       [target, after] { target->SetNivelTerr(after); });
    }
    ControlChange Change(double before, double after) const {
        ControlChange change;
        const TPCLectorFichero* owner =
            control != nullptr ? dynamic_cast<const TPCLectorFichero*>(control->Owner()) : headend;
        if (owner != nullptr) {
            change.element = owner->Name();
            change.model = owner->Modelo;
        }
        change.control = control != nullptr ? control->Caption : std::string("level");
        change.unit = control != nullptr ? "%" : "dBuV";
        change.before = before;
        change.after = after;
        return change;
    }
};

// The levels as affine functions of the settings: coefficient (dB per unit) of each setting on each
// level it moves.
struct Sensitivity {
    std::vector<std::pair<std::size_t, double>> effects; // (level index, dB per unit)
};

class Regulator {
public:
    Regulator(NetworkEditor& editor, std::vector<Setting> settings)
        : m_editor(editor), m_project(editor.Project()), m_settings(std::move(settings)) {}

    AutoRegulationResult Run() {
        AutoRegulationResult result;
        const std::vector<double> opening = Values();
        Measure(m_base);
        result.marginBefore = m_base.Worst();
        std::vector<double> best = opening;
        double bestMargin = result.marginBefore;
        for (int round = 0; round < kMaxRounds; ++round) {
            const std::vector<double> around = Values();
            Probe(around);
            const std::vector<double> chosen = Optimise(around);
            SetAll(chosen);
            LevelSample check;
            Measure(check);
            const double margin = check.Worst();
            if (margin <= bestMargin + 0.01) {
                break; // the affine model finds nothing better around this point
            }
            best = chosen;
            bestMargin = margin;
            m_base = std::move(check);
        }
        SetAll(opening);
        result.marginAfter = bestMargin;
        if (best != opening) {
            result.applied = Apply(opening, best);
            ++m_recalculations;
            for (std::size_t s = 0; s < m_settings.size(); ++s) {
                if (best[s] != opening[s]) {
                    result.changes.push_back(m_settings[s].Change(opening[s], best[s]));
                }
            }
        } else {
            m_editor.Recalculate();
            ++m_recalculations;
        }
        result.recalculations = m_recalculations;
        return result;
    }

private:
    std::vector<double> Values() const {
        std::vector<double> values;
        for (const Setting& setting : m_settings) {
            values.push_back(setting.Get());
        }
        return values;
    }

    void SetAll(const std::vector<double>& values) {
        for (std::size_t s = 0; s < m_settings.size(); ++s) {
            m_settings[s].Set(values[s]);
        }
    }

    void Measure(LevelSample& sample) {
        m_editor.Recalculate();
        ++m_recalculations;
        sample.Take(m_project);
    }

    void Probe(const std::vector<double>& around) {
        m_sensitivity.assign(m_settings.size(), {});
        LevelSample probe;
        for (std::size_t s = 0; s < m_settings.size(); ++s) {
            const Setting& setting = m_settings[s];
            const double span = (setting.high - setting.low) * kProbeShare;
            const double step = around[s] + span <= setting.high ? span : -span;
            setting.Set(around[s] + step);
            Measure(probe);
            setting.Set(around[s]);
            if (probe.Size() != m_base.Size()) {
                continue; // cannot happen with an unchanged network; such a setting is left alone
            }
            for (std::size_t i = 0; i < probe.Size(); ++i) {
                const double slope = (probe.levels[i] - m_base.levels[i]) / step;
                if (std::abs(slope) > kNoEffect) {
                    m_sensitivity[s].effects.emplace_back(i, slope);
                }
            }
        }
    }

    // Coordinate ascent on the worst margin of the affine model, exact in each coordinate.
    std::vector<double> Optimise(const std::vector<double>& around) {
        std::vector<double> values = around;
        std::vector<double> levels = m_base.levels;
        const auto& bounds = m_base.bounds;
        std::vector<char> moved(levels.size(), 0);
        for (int sweep = 0; sweep < kMaxSweeps; ++sweep) {
            bool improved = false;
            for (std::size_t s = 0; s < m_settings.size(); ++s) {
                const auto& effects = m_sensitivity[s].effects;
                if (effects.empty()) {
                    continue;
                }
                for (const auto& effect : effects) {
                    moved[effect.first] = 1;
                }
                double rest = std::numeric_limits<double>::infinity();
                for (std::size_t i = 0; i < levels.size(); ++i) {
                    if (!moved[i]) {
                        rest = std::min(rest, MarginOf(levels[i], bounds[i]));
                    }
                }
                const double from = values[s];
                const auto marginAt = [&](double x) {
                    double margin = rest;
                    const double shift = x - from;
                    for (const auto& [i, slope] : effects) {
                        margin = std::min(margin, MarginOf(levels[i] + slope * shift, bounds[i]));
                    }
                    return margin;
                };
                const double x = MaximiseConcave(marginAt, m_settings[s].low, m_settings[s].high);
                if (marginAt(x) > marginAt(from) + 1e-6) {
                    for (const auto& [i, slope] : effects) {
                        levels[i] += slope * (x - from);
                    }
                    values[s] = x;
                    improved = true;
                }
                for (const auto& effect : effects) {
                    moved[effect.first] = 0;
                }
            }
            if (!improved) {
                break;
            }
        }
        return values;
    }

    // The maximum over [low, high] of a concave function, to a hundredth (values are rounded to that).
    template <typename F> static double MaximiseConcave(const F& f, double low, double high) {
        const double lowest = low;
        const double highest = high;
        while (high - low > 0.005) {
            const double a = low + (high - low) / 3.0;
            const double b = high - (high - low) / 3.0;
            if (f(a) < f(b)) {
                low = a;
            } else {
                high = b;
            }
        }
        const double x = std::clamp(std::round((low + high) / 2.0 * 100.0) / 100.0, lowest, highest);
        return x;
    }

    bool Apply(const std::vector<double>& before, const std::vector<double>& after) {
        return m_editor.Apply([&](EditJournal& journal) {
            for (std::size_t s = 0; s < m_settings.size(); ++s) {
                if (before[s] != after[s]) {
                    m_settings[s].Record(journal, after[s]);
                }
            }
            return true;
        });
    }

    NetworkEditor& m_editor;
    Tproyecto& m_project;
    std::vector<Setting> m_settings;
    std::vector<Sensitivity> m_sensitivity;
    LevelSample m_base;
    int m_recalculations = 0;
};

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

AutoRegulationResult RegulateAutomatically(NetworkEditor& editor,
                                           const std::vector<TPotenciometroBase8*>& controls) {
    std::vector<Setting> settings;
    for (TPotenciometroBase8* control : controls.empty() ? AdjustableControls(editor.Project()) : controls) {
        settings.push_back({control, nullptr, 0.0, 100.0});
    }
    if (controls.empty()) {
        for (TCBFT* element : NetworkElements(editor.Project())) {
            auto* headend = dynamic_cast<TCabeceraTerrestre*>(element);
            const double maximum = headend != nullptr ? headend->NivelmaxSignal()[1] : 0.0;
            if (maximum > 0.0) {
                settings.push_back({nullptr, headend, maximum - kTerrestrialRange, maximum});
            }
        }
    }
    Regulator regulator(editor, std::move(settings));
    return regulator.Run();
}

} // namespace ixo
