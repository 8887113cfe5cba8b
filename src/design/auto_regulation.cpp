#include "design/auto_regulation.h"

#include "building/proyecto.h"
#include "building/vivienda.h"
#include "design/check_suspension.h"
#include "design/control_effects.h"
#include "design/direction_coefficients.h"
#include "design/level_sample.h"
#include "design/network_elements.h"
#include "design/regulation_rows.h"
#include "design/setting_groups.h"
#include "design/slope_classes.h"
#include "editing/edit_journal.h"
#include "editing/network_editor.h"
#include "editing/regulation.h"
#include "model/cabecera_terrestre.h"
#include "model/multiswitch.h"
#include "model/potenciometro.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace ixo {
namespace {

using regulation::Direction;
using regulation::Effects;
using regulation::kNoClass;
using regulation::MinimumTree;
using regulation::Row;
using regulation::SlopeClass;
using regulation::SlopeClasses;

constexpr double kNoEffect = 1e-7; // dB per unit
constexpr int kMaxSweeps = 30;
constexpr std::array<double, 4> kTemperatures{2.0, 0.3, 0.05, 0.0}; // dB: the smooth phases, then the exact
constexpr int kMaxRounds = 3;
constexpr double kSweepGain = 5e-3;      // dB: a sweep gaining less ends the ascent at its temperature
constexpr double kModelAgreement = 0.02; // dB between the margin the model predicts and the one measured
// Coefficients visited by one optimisation at most: on the largest buildings (hundreds of floors, every
// control moving every level below it) the ascent stops there; what it reached is then measured like
// any other result.
constexpr std::size_t kWorkBudget = 15'000'000;
// The merged coefficients of the directions of several settings held at most (the others are merged
// again each time they are moved along): on the tallest buildings they would outgrow the settings' own.
constexpr std::size_t kHeldCoefficients = 1'000'000;
using regulation::kInfinity;
// A move gaining less than kMoveGain (dB) is not made; one whose tangent bound stays under kSparedGain
// is not searched (half of it, for the rounding of the objective).
constexpr double kMoveGain = 1e-6;
constexpr double kSparedGain = kMoveGain / 2;
constexpr double kZeroExponent = -746.0; // exp of anything below is 0 in double precision

// The effect of a setting (or of settings moved together) on the rows it moves: dB per unit.
struct Sensitivity {
    Effects effects; // in row order
};

// How many settings upstream of a setting get a compensating direction with it, and the share of the
// work budget their coefficients may take at most (one in kCompensatingShare).
constexpr std::size_t kCompensated = 4;
constexpr std::size_t kCompensatingShare = 20;

class Regulator {
public:
    Regulator(NetworkEditor& editor, std::vector<RegulationSetting> settings, RegulationMethod method)
        : m_editor(editor), m_project(editor.Project()), m_settings(std::move(settings)), m_method(method) {}

    // The caller's sample of the levels as they stand: the regulation starts from it instead of a
    // recalculation of its own, and leaves in it the levels at the positions applied.
    void KeepSample(LevelSample& sample) { m_kept = &sample; }

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
        result.structural = m_structural;
        return Finish(opening, result);
    }

private:
    void Search(const std::vector<double>& opening, AutoRegulationResult& result) {
        if (m_kept != nullptr) {
            m_base = std::move(*m_kept);
            m_measuredAt = opening; // the caller's sample is of the levels as they stand
        } else {
            Measure(m_base);
        }
        result.marginBefore = m_base.Worst();
        m_best = opening;
        m_bestMargin = m_base.Score();
        for (int round = 0; round < kMaxRounds; ++round) {
            const std::vector<double> around = Values();
            // Structural coefficients are traced again around each new point (a multiswitch tap may
            // change which of its inputs arrives); probed ones are measured once, later rounds start
            // from a new base with them.
            if (!Coefficients(round)) {
                break;
            }
            const std::vector<double> chosen = Optimise(around);
            ReleaseModel();
            SetAll(chosen);
            LevelSample check;
            Measure(check);
            const double margin = check.Score();
            if (margin <= m_bestMargin + 0.01) {
                break; // the affine model finds nothing better around this point
            }
            m_best = chosen;
            m_bestMargin = margin;
            m_base = std::move(check);
            if (m_structural && std::abs(margin - m_tree.Minimum()) < kModelAgreement) {
                // The levels moved as the model said: another round would start where it ends.
                result.settled = m_workDone < kWorkBudget;
                break;
            }
        }
        SetAll(opening);
    }

    // The affine model (coefficients, directions, rows) is made again for every round: it is let go
    // before the levels are measured, so that the largest buildings do not hold both at once. The
    // minimum tree stays (the margin the model predicted).
    void ReleaseModel() {
        m_directions = {};
        m_coefficients.reset();
        m_bySetting = {};
        m_sensitivity = {};
        m_upstream = {};
        m_rows = {};
        m_work = {};
        m_terms = {};
    }

    bool Coefficients(int round) {
        if (m_method != RegulationMethod::Probes && (round == 0 || m_structural)) {
            ControlEffects effects(m_settings);
            if (effects.Trace(m_base)) {
                m_structural = true;
                Rows(effects);
                return true;
            }
            if (m_method == RegulationMethod::Structure) {
                return false;
            }
        }
        if (round == 0) {
            Probe(Values());
        }
        RowsFromProbes();
        return true;
    }

    AutoRegulationResult Finish(const std::vector<double>& opening, AutoRegulationResult& result) {
        const std::vector<double>& best = m_best;
        result.marginAfter = m_base.Worst(); // the sample at the best positions
        // Where the caller keeps the outlet check out (the automatic design: it checks once at its
        // end) and the last recalculation was at the positions applied, the network's levels are
        // already those of the result: no recalculation is needed after the edit.
        const bool current = m_kept != nullptr && !m_project.finalizadocalculoTV && m_measuredAt == best;
        if (best != opening) {
            const bool recalculate = m_editor.RecalculatesAfterEdits();
            m_editor.SetRecalculateAfterEdits(recalculate && !current);
            result.applied = Apply(opening, best);
            m_editor.SetRecalculateAfterEdits(recalculate);
            m_recalculations += current ? 0 : 1;
            result.changes = ChangesOfSettings(m_project, m_settings, opening, best);
        } else if (!current) {
            m_editor.Recalculate();
            ++m_recalculations;
        }
        if (m_kept != nullptr) {
            // The base sample is always the one measured at the best positions (the opening ones or the
            // last improvement), and the edit or the recalculation above has put the network there.
            *m_kept = std::move(m_base);
        }
        result.recalculations = m_recalculations;
        return result;
    }

    std::vector<double> Values() const {
        std::vector<double> values;
        for (const RegulationSetting& setting : m_settings) {
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
        m_measuredAt = Values();
        sample.Reserve(m_base.Size()); // the network is unchanged: as many levels as the base
        sample.Take(m_project);
    }

    // One recalculation per setting moved by a tenth of its range: the coefficients of every level.
    void Probe(const std::vector<double>& around) {
        m_probed.assign(m_settings.size(), {});
        LevelSample probe;
        for (std::size_t s = 0; s < m_settings.size(); ++s) {
            const RegulationSetting& setting = m_settings[s];
            const double step = setting.Step();
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
    }

    // The rows of the traced chains: levels of one chain, band and bounds move alike.
    void Rows(const ControlEffects& effects) {
        struct RowKey {
            const EffectLink* chain;
            std::size_t band;
            double minimum;
            double maximum;
            bool operator==(const RowKey&) const = default;
        };
        struct RowKeyHash {
            std::size_t operator()(const RowKey& key) const {
                std::size_t h = std::hash<const void*>()(key.chain) * 31 + key.band;
                h ^= std::hash<double>()(key.minimum) + 0x9e3779b97f4a7c15ULL + (h << 6);
                return h ^ (std::hash<double>()(key.maximum) + (h >> 2));
            }
        };
        std::unordered_map<RowKey, std::size_t, RowKeyHash> index;
        m_rows.clear();
        m_sensitivity.assign(m_settings.size(), {});
        m_upstream.assign(m_settings.size(), {});
        m_upstreamNoted.assign(m_settings.size(), 0);
        // The levels of one flat come outlet after outlet with the bands in turn, most of them behind one
        // chain per band group (terrestrial, satellite): the rows of each band of the last two chains are
        // kept to spare the index a lookup.
        struct ChainRows {
            const EffectLink* chain = nullptr;
            std::array<std::size_t, kBandCount> row{};
            std::array<LevelBound, kBandCount> bound{};
            std::array<bool, kBandCount> known{};
        };
        std::array<ChainRows, 2> kept;
        std::size_t current = 0;
        kept[0].chain = kept[1].chain = reinterpret_cast<const EffectLink*>(&kept); // no chain yet
        // The chain and band of each row made, in the order made; the links of a chain, gathered once for
        // the rows of all its bands.
        std::vector<std::pair<const EffectLink*, std::size_t>> made;
        std::vector<const EffectLink*> links;
        for (std::size_t i = 0; i < m_base.Size(); ++i) {
            const EffectLink* chain = effects.ChainOf(i);
            const std::size_t band = m_base.bands[i];
            const LevelBound& bound = m_base.bounds[i];
            if (chain != kept[current].chain) {
                current = 1 - current;
                if (chain != kept[current].chain) {
                    kept[current] = ChainRows{};
                    kept[current].chain = chain;
                }
            }
            ChainRows& rows = kept[current];
            if (rows.known[band] && rows.bound[band].minimum == bound.minimum &&
                rows.bound[band].maximum == bound.maximum) {
                m_rows[rows.row[band]].Take(m_base.levels[i]);
                continue;
            }
            const RowKey key{chain, band, bound.minimum, bound.maximum};
            const auto [at, inserted] = index.emplace(key, m_rows.size());
            rows.known[band] = true;
            rows.row[band] = at->second;
            rows.bound[band] = bound;
            if (inserted) {
                m_rows.push_back({});
                SetBound(m_rows.back(), i);
                made.push_back({chain, band});
            }
            m_rows[at->second].Take(m_base.levels[i]);
        }
        // The coefficients of the new rows, in the order of the rows and of their chains' links: counted
        // first, so that each setting's list is made at its size (they run to millions).
        std::vector<std::size_t> counts(m_settings.size(), 0);
        for (const auto& [chain, band] : made) {
            for (const EffectLink* link = chain; link != nullptr; link = link->up) {
                counts[link->setting] += std::abs(link->slope[band]) > kNoEffect ? 1 : 0;
            }
        }
        for (std::size_t s = 0; s < m_settings.size(); ++s) {
            m_sensitivity[s].effects.reserve(counts[s]);
        }
        const EffectLink* gatheredChain = nullptr;
        bool gathered = false;
        for (std::size_t row = 0; row < made.size(); ++row) {
            const auto& [chain, band] = made[row];
            if (!gathered || chain != gatheredChain) {
                links.clear();
                for (const EffectLink* link = chain; link != nullptr; link = link->up) {
                    links.push_back(link);
                }
                gatheredChain = chain;
                gathered = true;
            }
            for (std::size_t k = 0; k < links.size(); ++k) {
                const EffectLink* link = links[k];
                if (std::abs(link->slope[band]) > kNoEffect) {
                    m_sensitivity[link->setting].effects.emplace_back(row, link->slope[band]);
                    NoteUpstream(links, k, band);
                }
            }
        }
    }

    // The coefficients grew one by one; on the largest buildings the room left over was a third of them.
    void ShrinkSensitivities() {
        for (Sensitivity& sensitivity : m_sensitivity) {
            sensitivity.effects.shrink_to_fit();
        }
    }

    // The row's bounds and weight as WeighedMargin has them: an element's maximum kMaximumGuard lower and
    // kMaximumWeight heavier.
    void SetBound(Row& row, std::size_t i) const {
        row.bound = m_base.bounds[i];
        if (m_base.outlets[i] == nullptr) {
            row.bound.maximum -= kMaximumGuard;
            row.weight = kMaximumWeight;
        }
    }

    // The first time a setting is seen, the settings nearest above it on the level's path and how far
    // each moves that level against it: moving one up and the setting down by that ratio keeps every
    // level below the setting where it is, while the levels between them move (the headend's level up
    // and a line amplifier's gain down lifts the floors above the amplifier alone). Coordinate moves
    // alone stall where the amplifier's output is at its maximum and the floors above it are short.
    void NoteUpstream(const std::vector<const EffectLink*>& links, std::size_t k, std::size_t band) {
        const std::size_t setting = links[k]->setting;
        if (m_upstreamNoted[setting]) {
            return;
        }
        m_upstreamNoted[setting] = 1;
        for (std::size_t j = k + 1; j < links.size() && m_upstream[setting].size() < kCompensated; ++j) {
            if (std::abs(links[j]->slope[band]) > kNoEffect) {
                m_upstream[setting].emplace_back(links[j]->setting,
                                                 links[j]->slope[band] / links[k]->slope[band]);
            }
        }
    }

    // The rows of probed coefficients: levels with the same bounds and coefficients move alike.
    void RowsFromProbes() {
        std::vector<std::vector<std::pair<std::size_t, double>>> byLevel(m_base.Size());
        for (std::size_t s = 0; s < m_probed.size(); ++s) {
            m_probed[s].effects.ForEach(
                [&](std::size_t, std::size_t i, double slope) { byLevel[i].emplace_back(s, slope); });
        }
        std::unordered_map<std::string, std::size_t> seen;
        m_rows.clear();
        m_sensitivity.assign(m_settings.size(), {});
        m_upstream.assign(m_settings.size(), {});
        std::string key;
        for (std::size_t i = 0; i < m_base.Size(); ++i) {
            key.clear();
            const auto append = [&key](const auto& value) {
                key.append(reinterpret_cast<const char*>(&value), sizeof value);
            };
            append(m_base.bounds[i].minimum);
            append(m_base.bounds[i].maximum);
            append(m_base.outlets[i] != nullptr);
            for (const auto& [setting, slope] : byLevel[i]) {
                append(setting);
                append(slope);
            }
            const auto [at, inserted] = seen.emplace(key, m_rows.size());
            if (inserted) {
                m_rows.push_back({});
                SetBound(m_rows.back(), i);
                for (const auto& [setting, slope] : byLevel[i]) {
                    m_sensitivity[setting].effects.emplace_back(at->second, slope);
                }
            }
            m_rows[at->second].Take(m_base.levels[i]);
        }
        ShrinkSensitivities();
    }

    // The directions the ascent moves along (SettingGroups), then the compensating ones, each with its
    // coefficients merged.
    void MakeDirections() {
        std::vector<const TPotenciometroBase8*> controls;
        controls.reserve(m_settings.size());
        for (const auto& setting : m_settings) {
            controls.push_back(setting.control);
        }
        m_directions = regulation::SettingGroups(controls);
        // Compensating directions while their coefficients stay a small share of the ascent's work (on
        // the tallest buildings each would visit most rows of its stair).
        std::size_t compensatingWork = 0;
        for (std::size_t d = 0; d < m_upstream.size(); ++d) {
            for (const auto& [u, ratio] : m_upstream[d]) {
                compensatingWork += m_sensitivity[u].effects.size() + m_sensitivity[d].effects.size();
                if (compensatingWork > kWorkBudget / kCompensatingShare) {
                    break;
                }
                m_directions.push_back(Direction{{u, d}, {1.0, -ratio}});
            }
        }
        m_bySetting.clear();
        for (const Sensitivity& sensitivity : m_sensitivity) {
            m_bySetting.push_back(&sensitivity.effects);
        }
        m_coefficients.emplace(m_rows.size(), kNoEffect);
        m_coefficients->Prepare(m_directions, m_bySetting, kHeldCoefficients);
    }

    // Coordinate ascent on the worst margin of the affine model, along each direction in turn. The worst
    // margin alone stalls where several levels bind at once (raising one lowers another), so the ascent
    // first follows a smooth minimum of all slacks, -T log sum exp(-slack / T), with T shrinking from
    // 2 dB to 0.05 dB: it keeps moving while any margin near the worst can gain; the last passes take
    // the exact minimum.
    std::vector<double> Optimise(const std::vector<double>& around) {
        MakeDirections();
        m_workDone = 0;
        std::vector<double> values = around;
        m_work = m_rows;
        m_tree.Reset(m_work);
        // The smooth phases may end below the exact minimum they started from: the best point after
        // any phase is the result.
        std::vector<double> best = values;
        std::vector<Row> bestWork = m_work;
        double bestMinimum = m_tree.Minimum();
        // A smooth phase (but the first) that did not raise the minimum ends them: the next starts alike.
        bool smoothEnded = false;
        for (double temperature : kTemperatures) {
            if (smoothEnded && temperature > 0.0) {
                continue;
            }
            // Sweeps over the directions that gained in the sweep before (most stop gaining early),
            // and a sweep over all of them whenever those stop gaining: the phase ends when a full
            // sweep gains less than kSweepGain.
            std::vector<char> active(m_directions.size(), 1);
            bool full = true;
            for (int sweep = 0; sweep < kMaxSweeps && m_workDone < kWorkBudget; ++sweep) {
                StartSweep(temperature);
                double gain = 0.0;
                for (std::size_t d = 0; d < m_directions.size(); ++d) {
                    if (full || active[d]) {
                        const double step = Step(m_directions[d], temperature, values);
                        active[d] = step > 0.0 ? 1 : 0;
                        gain += step;
                    }
                }
                if (gain < kSweepGain) {
                    if (full) {
                        break; // positions move by hundredths: smaller gains are rounding
                    }
                    full = true;
                } else {
                    full = false;
                }
            }
            m_tree.Reset(m_work);
            const bool later = temperature > 0.0 && temperature != kTemperatures.front();
            smoothEnded = later && !(m_tree.Minimum() > bestMinimum);
            if (m_tree.Minimum() > bestMinimum) {
                bestMinimum = m_tree.Minimum();
                best = values;
                bestWork = m_work;
            } else {
                values = best; // the next phase starts from the best point
                m_work = bestWork;
            }
        }
        m_work = std::move(bestWork);
        m_tree.Reset(m_work); // the margins the model predicts at the values chosen
        return best;
    }

    // The smooth minimum's reference (the worst margin) and the sum of every row's exponentials.
    void StartSweep(double temperature) {
        m_tree.Reset(m_work);
        m_reference = m_tree.Minimum();
        m_sum = 0.0;
        if (temperature > 0.0) {
            m_terms.resize(m_work.size());
            for (std::size_t i = 0; i < m_work.size(); ++i) {
                SetTerms(i, temperature);
                m_sum += m_terms[i].low + m_terms[i].high;
            }
        }
    }

    // A weighed row's terms are those of its heavy piece: a wall that the smooth minimum does not
    // notice while the row is within its maximum and that rises steeply at it.
    void SetTerms(std::size_t i, double temperature) {
        const Row& row = m_work[i];
        m_terms[i] = {Exponential(row.RawLowSlack() * row.weight, temperature),
                      Exponential(row.RawHighSlack() * row.weight, temperature), row.weight};
    }

    // exp(exponent), with what rounds to zero (and exp(-inf)) spared the library's underflow path.
    static double ZeroOrExp(double exponent) { return exponent < kZeroExponent ? 0.0 : std::exp(exponent); }

    // exp(-(slack - reference) / temperature), kept finite.
    double Exponential(double slack, double temperature) const {
        if (slack == kInfinity) {
            return 0.0;
        }
        const double exponent = std::min(700.0, -(slack - m_reference) / temperature);
        // Below about -745.13 the exponential is less than half the smallest subnormal and rounds to
        // zero: spared the library's underflow path (most rows are far from the worst margin).
        return ZeroOrExp(exponent);
    }

    // The smooth minimum is concave along a direction, so it lies below its tangent at the present point:
    // a move within [low, high] gains at most the slope there times the farther end in its sense. Where
    // that is below what a move must gain, the search along the direction is spared (most directions sit
    // at an end of their range or at the top of their curve).
    bool SmoothCanGain(const Effects& effects, double low, double high) const {
        if (!(m_sum > 0.0)) {
            return true;
        }
        double slope = 0.0;
        effects.ForEach([&](std::size_t, std::size_t i, double coefficient) {
            const regulation::SmoothTerms& terms = m_terms[i];
            slope += coefficient * terms.weight * (terms.low - terms.high);
        });
        slope /= m_sum;
        return std::max(slope * high, slope * low) > kSparedGain;
    }

    // The exact minimum cannot rise along a direction that leaves a row at the minimum where it is: the
    // search along it would end where it started.
    bool MovesWorst(const Effects& effects) const { return effects.HasRow(m_tree.ArgMinimum()); }

    // One move along direction; what it gained on the (smooth) minimum, dB.
    double Step(Direction& direction, double temperature, std::vector<double>& values) {
        const std::size_t size = m_coefficients->Size(direction, m_bySetting);
        if (size == 0) {
            return 0.0;
        }
        m_workDone += size;
        double low = -kInfinity;
        double high = kInfinity;
        for (std::size_t k = 0; k < direction.members.size(); ++k) {
            const std::size_t s = direction.members[k];
            const double amount = direction.Amount(k);
            const double a = (m_settings[s].low - values[s]) / amount;
            const double b = (m_settings[s].high - values[s]) / amount;
            low = std::max(low, std::min(a, b));
            high = std::min(high, std::max(a, b));
        }
        if (!(low < high)) {
            return 0.0;
        }
        const Effects& effects = m_coefficients->Of(direction, m_bySetting);
        if (temperature > 0.0 && !SmoothCanGain(effects, low, high)) {
            return 0.0;
        }
        if (temperature == 0.0 && !MovesWorst(effects)) {
            return 0.0;
        }
        // The rows the direction moves, by coefficient; the others' minimum or sum of exponentials.
        const bool classified = direction.classified || m_slopes.Classify(direction, effects, m_work);
        if (classified) {
            m_slopes.classes.resize(direction.classSlopes.size());
            for (std::size_t c = 0; c < m_slopes.classes.size(); ++c) {
                m_slopes.classes[c] = SlopeClass{direction.classSlopes[c]};
            }
        } else {
            m_slopes.classes.clear(); // made as they are met, in the same order
        }
        // The class of effect k and of its heavy piece (kNoClass for a row of weight 1), in that order.
        const auto classesOf = [&](std::size_t k, const Row& row,
                                   double slope) -> std::pair<std::uint32_t, std::uint32_t> {
            if (classified) {
                return direction
                    .pairs[direction.pairOf8.empty() ? direction.pairOf16[k] : direction.pairOf8[k]];
            }
            const std::uint32_t plain = m_slopes.Index(slope);
            return {plain, row.weight != 1.0 ? m_slopes.Index(slope * row.weight) : kNoClass};
        };
        double affectedSum = 0.0;
        if (temperature > 0.0) {
            // The smooth minimum takes a weighed row by its heavy piece (SetTerms).
            effects.ForEach([&](std::size_t k, std::size_t i, double slope) {
                const auto [plainClass, heavyClass] = classesOf(k, m_work[i], slope);
                if (heavyClass != kNoClass) {
                    regulation::KeepWithin(m_work[i], slope, low, high);
                }
                SlopeClass& smooth = m_slopes.classes[heavyClass != kNoClass ? heavyClass : plainClass];
                const regulation::SmoothTerms& terms = m_terms[i];
                smooth.lowSum += terms.low;
                smooth.highSum += terms.high;
                affectedSum += terms.low + terms.high;
            });
        } else {
            effects.ForEach([&](std::size_t k, std::size_t i, double slope) {
                const Row& row = m_work[i];
                const double lowSlack = row.RawLowSlack();
                const double highSlack = row.RawHighSlack();
                const auto [plainClass, heavyClass] = classesOf(k, row, slope);
                SlopeClass& group = m_slopes.classes[plainClass];
                group.lowSlack = std::min(group.lowSlack, lowSlack);
                group.highSlack = std::min(group.highSlack, highSlack);
                if (heavyClass != kNoClass) {
                    // The heavy piece of a weighed row: its slack and coefficient times the weight.
                    SlopeClass& heavy = m_slopes.classes[heavyClass];
                    heavy.lowSlack = std::min(heavy.lowSlack, lowSlack * row.weight);
                    heavy.highSlack = std::min(heavy.highSlack, highSlack * row.weight);
                }
            });
        }
        // A class of zero terms (rows far from the worst: their exponentials round to zero) or of
        // infinite slacks adds nothing to the objective at any shift: it is left out (the others keep
        // their order). With none left the objective is constant along the direction: no move gains.
        std::erase_if(m_slopes.classes, [temperature](const SlopeClass& group) {
            return temperature > 0.0 ? group.lowSum <= 0.0 && group.highSum <= 0.0
                                     : group.lowSlack == kInfinity && group.highSlack == kInfinity;
        });
        if (m_slopes.classes.empty()) {
            return 0.0;
        }
        if (temperature == 0.0) {
            m_tree.UpdateAll(effects, [](std::size_t) { return kInfinity; });
        }
        double rest = 0.0;
        if (temperature > 0.0) {
            rest = std::max(0.0, m_sum - affectedSum);
        } else {
            rest = m_tree.Minimum();
        }
        const double logRest = rest > 0.0 ? std::log(rest) : -kInfinity;
        for (SlopeClass& group : m_slopes.classes) {
            group.lowSum = group.lowSum > 0.0 ? std::log(group.lowSum) : -kInfinity;
            group.highSum = group.highSum > 0.0 ? std::log(group.highSum) : -kInfinity;
        }
        const auto objective = [&](double shift) {
            if (temperature > 0.0) {
                // log of rest + sum of lowSum e^(-slope shift / T) + highSum e^(slope shift / T), the
                // sums held as logarithms, the largest term factored out
                double top = logRest;
                m_shifted.resize(m_slopes.classes.size());
                for (std::size_t c = 0; c < m_slopes.classes.size(); ++c) {
                    const SlopeClass& group = m_slopes.classes[c];
                    const double t = group.slope * shift / temperature;
                    m_shifted[c] = t;
                    top = std::max(top, std::max(group.lowSum - t, group.highSum + t));
                }
                if (top == -kInfinity) {
                    return kInfinity;
                }
                // Mostly the rest is the largest term: exp(0) and log(1) need no library call.
                const double lead = logRest - top;
                double sum = lead == 0.0 ? 1.0 : ZeroOrExp(lead);
                for (std::size_t c = 0; c < m_slopes.classes.size(); ++c) {
                    const SlopeClass& group = m_slopes.classes[c];
                    const double t = m_shifted[c];
                    sum += ZeroOrExp(group.lowSum - t - top) + ZeroOrExp(group.highSum + t - top);
                }
                return m_reference - temperature * (top + (sum == 1.0 ? 0.0 : std::log(sum)));
            }
            double margin = rest;
            for (const SlopeClass& group : m_slopes.classes) {
                margin = std::min(margin, std::min(group.lowSlack + group.slope * shift,
                                                   group.highSlack - group.slope * shift));
            }
            return margin;
        };
        const double shift = regulation::MaximiseConcave(objective, std::min(0.0, low), std::max(0.0, high));
        const double gain = shift != 0.0 ? objective(shift) - objective(0.0) : 0.0;
        const bool improved = gain > kMoveGain;
        if (improved) {
            effects.ForEach([&](std::size_t, std::size_t i, double slope) {
                Row& row = m_work[i];
                row.low += slope * shift;
                row.high += slope * shift;
                if (temperature > 0.0) {
                    m_sum -= m_terms[i].low + m_terms[i].high;
                    SetTerms(i, temperature);
                    m_sum += m_terms[i].low + m_terms[i].high;
                }
            });
        }
        if (temperature == 0.0) {
            // The smooth phases rebuild the tree at each sweep.
            m_tree.UpdateAll(effects, [this](std::size_t i) { return m_work[i].Margin(); });
        }
        if (!improved) {
            return 0.0;
        }
        for (std::size_t k = 0; k < direction.members.size(); ++k) {
            const std::size_t s = direction.members[k];
            values[s] =
                std::clamp(values[s] + direction.Amount(k) * shift, m_settings[s].low, m_settings[s].high);
        }
        return gain;
    }

    bool Apply(const std::vector<double>& before, const std::vector<double>& after) {
        return m_editor.Apply([&](EditJournal& journal) {
            for (std::size_t s = 0; s < m_settings.size(); ++s) {
                if (before[s] != after[s]) {
                    RecordSetting(m_settings[s], journal, after[s]);
                }
            }
            return true;
        });
    }

    NetworkEditor& m_editor;
    Tproyecto& m_project;
    std::vector<RegulationSetting> m_settings;
    RegulationMethod m_method;
    bool m_structural = false;
    std::vector<Sensitivity> m_probed;      // by level of the sample
    std::vector<Sensitivity> m_sensitivity; // by row
    // By setting: the settings nearest above it and the ratio of their effects (NoteUpstream).
    std::vector<std::vector<std::pair<std::size_t, double>>> m_upstream;
    std::vector<char> m_upstreamNoted;
    std::vector<Direction> m_directions;
    std::optional<regulation::DirectionCoefficients> m_coefficients; // of the directions
    std::vector<const Effects*> m_bySetting;                         // each setting's coefficients
    std::vector<Row> m_rows;                                         // the rows of the base sample
    std::vector<Row> m_work;                                         // the rows as the ascent moves them
    MinimumTree m_tree;                                              // the margins of m_work
    double m_reference = 0.0;
    double m_sum = 0.0;                           // of every row's terms
    std::vector<regulation::SmoothTerms> m_terms; // of each row
    SlopeClasses m_slopes;                        // the classes of the direction Step moves along
    std::vector<double> m_shifted; // scratch of Step's objective: each class's slope times the shift / T
    LevelSample m_base;
    LevelSample* m_kept = nullptr;
    std::vector<double> m_measuredAt; // the positions of the last recalculation
    int m_recalculations = 0;
    std::size_t m_workDone = 0; // coefficients visited by the current optimisation
    std::vector<double> m_best;
    double m_bestMargin = 0.0;
};

} // namespace

AutoRegulationResult RegulateAutomatically(NetworkEditor& editor,
                                           const std::vector<TPotenciometroBase8*>& controls,
                                           RegulationMethod method) {
    std::vector<RegulationSetting> settings;
    if (controls.empty()) {
        settings = RegulationSettings(editor.Project());
    }
    for (TPotenciometroBase8* control : controls) {
        settings.push_back({control, nullptr, 0.0, 100.0});
    }
    Regulator regulator(editor, std::move(settings), method);
    return regulator.Run();
}

AutoRegulationResult RegulateAutomatically(NetworkEditor& editor, LevelSample& sample,
                                           RegulationMethod method) {
    Regulator regulator(editor, RegulationSettings(editor.Project()), method);
    regulator.KeepSample(sample);
    return regulator.Run();
}

} // namespace ixo
