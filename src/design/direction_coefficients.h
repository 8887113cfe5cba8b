#pragma once

#include "design/slope_classes.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace ixo::regulation {

// The coefficients of a direction of several settings: each row's slopes of the members, times their
// amounts, summed, in row order, rows whose sum is no effect left out. One merger serves every direction
// of an ascent (its scratch has a cell per row).
class DirectionCoefficients {
public:
    DirectionCoefficients(std::size_t rows, double noEffect);

    // Readies the directions of an ascent: a single setting's coefficients are bySetting's; those of
    // several are merged when first asked for (Size), and then held while all held come to at most
    // `held` coefficients. The others (on the tallest buildings, groups of hundreds of settings each
    // moving most rows of a stair) keep their count alone and are merged again whenever asked for.
    void Prepare(std::vector<Direction>& directions, const std::vector<const Effects*>& bySetting,
                 std::size_t held);
    // How many coefficients direction has, merging them the first time.
    std::size_t Size(Direction& direction, const std::vector<const Effects*>& bySetting);
    // The coefficients of a direction: those it holds, or merged (again) into a list of the merger's,
    // good until the next call of Size or Of.
    const Effects& Of(const Direction& direction, const std::vector<const Effects*>& bySetting);

private:
    // Fills into from memberEffects[k], the coefficients of direction.members[k], each in row order.
    void Merge(const Direction& direction, const std::vector<const Effects*>& memberEffects, Effects& into);
    void MergeAgain(const Direction& direction, const std::vector<const Effects*>& bySetting);

    std::vector<double> m_merged;       // by row, 0 outside a merge
    std::vector<std::uint64_t> m_marks; // a bit by row: touched by the merge (0 outside a merge)
    std::vector<std::size_t> m_touched;
    std::vector<std::size_t> m_runs;
    std::vector<const Effects*> m_members; // scratch: the members' coefficients
    Effects m_again;                       // what Size or Of merged last
    const Direction* m_againOf = nullptr;  // the direction m_again is of
    std::size_t m_held = 0;                // the budget of Prepare
    std::size_t m_holding = 0;             // the coefficients held
    double m_noEffect;
};

} // namespace ixo::regulation
