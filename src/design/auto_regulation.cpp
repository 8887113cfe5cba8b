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
#include <map>
#include <string>
#include <string_view>
#include <unordered_map>

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
            journal.Set(*control, control->Ajuste, value);
            return;
        }
        TCabeceraTerrestre* target = headend;
        const LevelVector before = target->NivelTerr();
        const LevelVector after = WithTerrestrialLevel(before, value);
        target->SetNivelTerr(after);
        journal.MarkTouched(target);
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

// Settings moved together by one amount, and the merged coefficients of the levels they move.
struct Direction {
    std::vector<std::size_t> members;
    std::vector<std::pair<std::size_t, double>> effects;
};

class Regulator {
public:
    Regulator(NetworkEditor& editor, std::vector<Setting> settings)
        : m_editor(editor), m_project(editor.Project()), m_settings(std::move(settings)) {}

    AutoRegulationResult Run() {
        AutoRegulationResult result;
        const std::vector<double> opening = Values();
        {
            // The probes need the levels, not the outlet check's error lists: the check only runs on a
            // calculated installation, so the flag is down while they run (the last recalculation, by
            // the edit, checks again).
            const CheckSuspension suspension(m_project);
            Search(opening, result);
        }
        return Finish(opening, result);
    }

private:
    class CheckSuspension {
    public:
        explicit CheckSuspension(Tproyecto& project)
            : m_project(project), m_was(project.finalizadocalculoTV) {
            project.finalizadocalculoTV = false;
        }
        ~CheckSuspension() { m_project.finalizadocalculoTV = m_was; }
        CheckSuspension(const CheckSuspension&) = delete;
        CheckSuspension& operator=(const CheckSuspension&) = delete;

    private:
        Tproyecto& m_project;
        bool m_was;
    };

    void Search(const std::vector<double>& opening, AutoRegulationResult& result) {
        Measure(m_base);
        result.marginBefore = m_base.Worst();
        m_best = opening;
        m_bestMargin = result.marginBefore;
        for (int round = 0; round < kMaxRounds; ++round) {
            const std::vector<double> around = Values();
            // The coefficients barely change from one point to the next (only clipping and the
            // terrestrial mix are not affine): the probes run once, later rounds start from a new base.
            if (round == 0) {
                Probe(around);
            } else {
                Compress();
            }
            const std::vector<double> chosen = Optimise(around);
            SetAll(chosen);
            LevelSample check;
            Measure(check);
            const double margin = check.Worst();
            if (margin <= m_bestMargin + 0.01) {
                break; // the affine model finds nothing better around this point
            }
            m_best = chosen;
            m_bestMargin = margin;
            m_base = std::move(check);
        }
        SetAll(opening);
    }

    AutoRegulationResult Finish(const std::vector<double>& opening, AutoRegulationResult& result) {
        const std::vector<double>& best = m_best;
        result.marginAfter = m_bestMargin;
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
        m_probed.assign(m_settings.size(), {});
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
                    m_probed[s].effects.emplace_back(i, slope);
                }
            }
        }
        Compress();
    }

    // Levels with the same value, bounds and coefficients move alike (the outlets of a star flat, the
    // polarities of one multiswitch tap): one of each is enough for the optimisation.
    void Compress() {
        std::vector<std::vector<std::pair<std::size_t, double>>> byLevel(m_base.Size());
        for (std::size_t s = 0; s < m_probed.size(); ++s) {
            for (const auto& [i, slope] : m_probed[s].effects) {
                byLevel[i].emplace_back(s, slope);
            }
        }
        std::unordered_map<std::string, std::size_t> seen;
        m_levels.clear();
        m_bounds.clear();
        std::vector<Sensitivity> compressed(m_probed.size());
        std::string key;
        for (std::size_t i = 0; i < m_base.Size(); ++i) {
            key.clear();
            const auto append = [&key](const auto& value) {
                key.append(reinterpret_cast<const char*>(&value), sizeof value);
            };
            append(m_base.levels[i]);
            append(m_base.bounds[i].minimum);
            append(m_base.bounds[i].maximum);
            for (const auto& [setting, slope] : byLevel[i]) {
                append(setting);
                append(slope);
            }
            const auto [at, inserted] = seen.emplace(key, m_levels.size());
            if (!inserted) {
                continue;
            }
            m_levels.push_back(m_base.levels[i]);
            m_bounds.push_back(m_base.bounds[i]);
            for (const auto& [setting, slope] : byLevel[i]) {
                compressed[setting].effects.emplace_back(at->second, slope);
            }
        }
        m_sensitivity = std::move(compressed);
    }

    // The directions the ascent moves along: every setting alone, then groups of settings moved by the
    // same amount. Moving one channel of an amplifier cannot raise a worst margin that its other
    // channels share, so the gain (slope) controls of one element move together too, and so do the gain
    // (slope) controls of every element of one class: the ascent does not stall where every one of them
    // would have to move at once.
    void MakeDirections() {
        m_directions.clear();
        m_moved.assign(m_levels.size(), 0);
        std::map<std::pair<const void*, int>, std::vector<std::size_t>> byElement;
        std::map<std::pair<std::string_view, int>, std::vector<std::size_t>> byClass;
        for (std::size_t s = 0; s < m_settings.size(); ++s) {
            m_directions.push_back({{s}, {}});
            const TPotenciometroBase8* control = m_settings[s].control;
            if (control == nullptr) {
                continue;
            }
            const int kind = control->Tipo * 2 + (control->Caption.find("TER") != std::string::npos ? 1 : 0);
            byElement[{control->Owner(), kind}].push_back(s);
            byClass[{control->Owner()->ClassName(), kind}].push_back(s);
        }
        const auto addGroups = [this](const auto& groups) {
            for (const auto& [key, members] : groups) {
                if (members.size() > 1) {
                    m_directions.push_back({members, {}});
                }
            }
        };
        addGroups(byElement);
        addGroups(byClass);
        for (Direction& direction : m_directions) {
            std::map<std::size_t, double> merged;
            for (std::size_t s : direction.members) {
                for (const auto& [i, slope] : m_sensitivity[s].effects) {
                    merged[i] += slope;
                }
            }
            direction.effects.assign(merged.begin(), merged.end());
        }
    }

    // Coordinate ascent on the worst margin of the affine model, along each direction in turn. The worst
    // margin alone stalls where several levels bind at once (raising one lowers another), so the ascent
    // first follows a smooth minimum of all margins, -T log sum exp(-margin / T), with T shrinking from
    // 4 dB to 0.05 dB: it keeps moving while any margin near the worst can gain; the last passes take
    // the exact minimum.
    std::vector<double> Optimise(const std::vector<double>& around) {
        MakeDirections();
        std::vector<double> values = around;
        std::vector<double> levels = m_levels;
        for (double temperature : {2.0, 0.3, 0.05, 0.0}) {
            for (int sweep = 0; sweep < kMaxSweeps; ++sweep) {
                bool improved = false;
                for (const Direction& direction : m_directions) {
                    improved = Step(direction, temperature, values, levels) || improved;
                }
                if (!improved) {
                    break;
                }
            }
        }
        return values;
    }

    // One move along direction; true when it improved the (smooth) minimum.
    bool Step(const Direction& direction, double temperature, std::vector<double>& values,
              std::vector<double>& levels) {
        const auto& effects = direction.effects;
        const auto& bounds = m_bounds;
        if (effects.empty()) {
            return false;
        }
        double low = -std::numeric_limits<double>::infinity();
        double high = std::numeric_limits<double>::infinity();
        for (std::size_t s : direction.members) {
            low = std::max(low, m_settings[s].low - values[s]);
            high = std::min(high, m_settings[s].high - values[s]);
        }
        if (!(low < high)) {
            return false;
        }
        for (const auto& effect : effects) {
            m_moved[effect.first] = 1;
        }
        // The levels the direction does not move: their minimum, or their sum of exponentials around a
        // reference (the current worst margin) for the smooth minimum.
        double reference = std::numeric_limits<double>::infinity();
        for (std::size_t i = 0; i < levels.size(); ++i) {
            reference = std::min(reference, MarginOf(levels[i], bounds[i]));
        }
        double rest = temperature > 0.0 ? 0.0 : std::numeric_limits<double>::infinity();
        for (std::size_t i = 0; i < levels.size(); ++i) {
            if (!m_moved[i]) {
                const double margin = MarginOf(levels[i], bounds[i]);
                rest = temperature > 0.0 ? rest + Exponential(margin, reference, temperature)
                                         : std::min(rest, margin);
            }
        }
        const auto objective = [&](double shift) {
            if (temperature > 0.0) {
                double sum = rest;
                for (const auto& [i, slope] : effects) {
                    sum +=
                        Exponential(MarginOf(levels[i] + slope * shift, bounds[i]), reference, temperature);
                }
                return reference - temperature * std::log(sum);
            }
            double margin = rest;
            for (const auto& [i, slope] : effects) {
                margin = std::min(margin, MarginOf(levels[i] + slope * shift, bounds[i]));
            }
            return margin;
        };
        const double shift = MaximiseConcave(objective, std::min(0.0, low), std::max(0.0, high));
        const bool improved = shift != 0.0 && objective(shift) > objective(0.0) + 1e-6;
        if (improved) {
            for (const auto& [i, slope] : effects) {
                levels[i] += slope * shift;
            }
            for (std::size_t s : direction.members) {
                values[s] = std::clamp(values[s] + shift, m_settings[s].low, m_settings[s].high);
            }
        }
        for (const auto& effect : effects) {
            m_moved[effect.first] = 0;
        }
        return improved;
    }

    // exp(-(margin - reference) / temperature), kept finite.
    static double Exponential(double margin, double reference, double temperature) {
        return std::exp(std::min(700.0, -(margin - reference) / temperature));
    }

    // The maximum over [low, high] of a concave function, to a hundredth (values are rounded to that).
    template <typename F> static double MaximiseConcave(const F& f, double low, double high) {
        // Golden-section search: one evaluation per step.
        constexpr double kRatio = 0.6180339887498949;
        const double lowest = low;
        const double highest = high;
        double a = high - kRatio * (high - low);
        double b = low + kRatio * (high - low);
        double fa = f(a);
        double fb = f(b);
        while (high - low > 0.005) {
            if (fa < fb) {
                low = a;
                a = b;
                fa = fb;
                b = low + kRatio * (high - low);
                fb = f(b);
            } else {
                high = b;
                b = a;
                fb = fa;
                a = high - kRatio * (high - low);
                fa = f(a);
            }
        }
        return std::clamp(std::round((low + high) / 2.0 * 100.0) / 100.0, lowest, highest);
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
    std::vector<Sensitivity> m_probed;      // by level of the sample
    std::vector<Sensitivity> m_sensitivity; // by compressed level
    std::vector<Direction> m_directions;
    std::vector<double> m_levels; // the compressed levels of the base sample, and their bounds
    std::vector<LevelBound> m_bounds;
    std::vector<char> m_moved; // scratch: the levels the current direction moves
    LevelSample m_base;
    int m_recalculations = 0;
    std::vector<double> m_best;
    double m_bestMargin = 0.0;
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
