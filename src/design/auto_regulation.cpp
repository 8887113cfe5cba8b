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

constexpr double kProbeStep = 10.0; // percent
constexpr double kNoEffect = 1e-7;  // dB per percent
constexpr int kMaxSweeps = 30;
constexpr int kMaxRounds = 3;

// The levels as affine functions of the positions: coefficient (dB per percent) of each control on
// each level it moves.
struct Sensitivity {
    std::vector<std::pair<std::size_t, double>> effects; // (level index, dB per percent)
};

class Regulator {
public:
    Regulator(NetworkEditor& editor, std::vector<TPotenciometroBase8*> controls)
        : m_editor(editor), m_project(editor.Project()), m_controls(std::move(controls)) {}

    AutoRegulationResult Run() {
        AutoRegulationResult result;
        std::vector<double> opening = Positions();
        Measure(m_base);
        result.marginBefore = m_base.Worst();
        std::vector<double> best = opening;
        double bestMargin = result.marginBefore;
        for (int round = 0; round < kMaxRounds; ++round) {
            const std::vector<double> around = Positions();
            Probe(around);
            std::vector<double> chosen = Optimise(around);
            Set(chosen);
            LevelSample check;
            Measure(check);
            const double margin = check.Worst();
            if (margin <= bestMargin + 0.01) {
                break; // the linear model no longer finds a better point
            }
            best = chosen;
            bestMargin = margin;
            m_base = std::move(check);
        }
        Set(opening);
        m_editor.Recalculate();
        ++m_recalculations;
        result.marginAfter = bestMargin;
        if (best != opening) {
            result.applied = Apply(opening, best);
            ++m_recalculations;
            for (std::size_t c = 0; c < m_controls.size(); ++c) {
                if (best[c] != opening[c]) {
                    result.changes.push_back(ChangeOf(*m_controls[c], opening[c], best[c]));
                }
            }
        }
        result.recalculations = m_recalculations;
        return result;
    }

private:
    std::vector<double> Positions() const {
        std::vector<double> positions;
        for (const TPotenciometroBase8* control : m_controls) {
            positions.push_back(control->Ajuste);
        }
        return positions;
    }

    // Sets the positions directly (Ajuste, not SetAjuste: the controls are chosen one by one, so moving
    // controls of equal caption together would undo the choice).
    void Set(const std::vector<double>& positions) {
        for (std::size_t c = 0; c < m_controls.size(); ++c) {
            m_controls[c]->Ajuste = positions[c];
        }
    }

    void Measure(LevelSample& sample) {
        m_editor.Recalculate();
        ++m_recalculations;
        sample.Take(m_project);
    }

    void Probe(const std::vector<double>& around) {
        m_sensitivity.assign(m_controls.size(), {});
        LevelSample probe;
        for (std::size_t c = 0; c < m_controls.size(); ++c) {
            const double step = around[c] <= 50.0 ? kProbeStep : -kProbeStep;
            m_controls[c]->Ajuste = around[c] + step;
            Measure(probe);
            m_controls[c]->Ajuste = around[c];
            if (probe.levels.size() != m_base.levels.size()) {
                continue; // cannot happen with a fixed network; a control without effect is left alone
            }
            for (std::size_t i = 0; i < probe.levels.size(); ++i) {
                const double slope = (probe.levels[i] - m_base.levels[i]) / step;
                if (std::abs(slope) > kNoEffect) {
                    m_sensitivity[c].effects.emplace_back(i, slope);
                }
            }
        }
    }

    // Coordinate ascent on the worst margin of the affine model, exact in each coordinate.
    std::vector<double> Optimise(const std::vector<double>& around) {
        std::vector<double> positions = around;
        std::vector<double> levels = m_base.levels;
        const auto& bounds = m_base.bounds;
        std::vector<char> moved(levels.size(), 0);
        for (int sweep = 0; sweep < kMaxSweeps; ++sweep) {
            bool improved = false;
            for (std::size_t c = 0; c < m_controls.size(); ++c) {
                const auto& effects = m_sensitivity[c].effects;
                if (effects.empty()) {
                    continue;
                }
                for (const auto& [i, slope] : effects) {
                    moved[i] = 1;
                }
                double rest = std::numeric_limits<double>::infinity();
                for (std::size_t i = 0; i < levels.size(); ++i) {
                    if (!moved[i]) {
                        rest = std::min(rest, MarginOf(levels[i], bounds[i]));
                    }
                }
                const auto marginAt = [&](double x) {
                    double margin = rest;
                    const double shift = x - positions[c];
                    for (const auto& [i, slope] : effects) {
                        margin = std::min(margin, MarginOf(levels[i] + slope * shift, bounds[i]));
                    }
                    return margin;
                };
                const double current = marginAt(positions[c]);
                const double x = MaximiseConcave(marginAt);
                if (marginAt(x) > current + 1e-6) {
                    const double shift = x - positions[c];
                    for (const auto& [i, slope] : effects) {
                        levels[i] += slope * shift;
                    }
                    positions[c] = x;
                    improved = true;
                }
                for (const auto& [i, slope] : effects) {
                    moved[i] = 0;
                }
            }
            if (!improved) {
                break;
            }
        }
        return positions;
    }

    // The maximum over [0, 100] of a concave function, to a hundredth of a percent (the positions are
    // then rounded to that).
    template <typename F> static double MaximiseConcave(const F& f) {
        double low = 0.0;
        double high = 100.0;
        while (high - low > 0.01) {
            const double a = low + (high - low) / 3.0;
            const double b = high - (high - low) / 3.0;
            if (f(a) < f(b)) {
                low = a;
            } else {
                high = b;
            }
        }
        const double x = std::round((low + high) / 2.0 * 100.0) / 100.0;
        // A flat maximum (a control that only binds one side) may leave the search anywhere on it.
        return f(x) >= f(low) ? x : low;
    }

    bool Apply(const std::vector<double>& before, const std::vector<double>& after) {
        return m_editor.Apply([&](EditJournal& journal) {
            for (std::size_t c = 0; c < m_controls.size(); ++c) {
                if (before[c] != after[c]) {
                    journal.Set(m_controls[c]->Ajuste, after[c]);
                }
            }
            return true;
        });
    }

    static ControlChange ChangeOf(const TPotenciometroBase8& control, double before, double after) {
        ControlChange change;
        if (const auto* owner = dynamic_cast<const TPCLectorFichero*>(control.Owner())) {
            change.element = owner->Name();
            change.model = owner->Modelo;
        }
        change.control = control.Caption;
        change.before = before;
        change.after = after;
        return change;
    }

    NetworkEditor& m_editor;
    Tproyecto& m_project;
    std::vector<TPotenciometroBase8*> m_controls;
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
    Regulator regulator(editor, controls.empty() ? AdjustableControls(editor.Project()) : controls);
    return regulator.Run();
}

} // namespace ixo
