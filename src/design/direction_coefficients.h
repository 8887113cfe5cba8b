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

    // Fills direction.merged from memberEffects[k], the coefficients of direction.members[k], each in
    // row order.
    void Merge(Direction& direction, const std::vector<const Effects*>& memberEffects);

    // The coefficients of every direction: a single setting's are bySetting's; those of several are
    // merged, and held while all held come to at most `held` coefficients. The others (on the tallest
    // buildings, groups of hundreds of settings each moving most rows of a stair) keep their count
    // alone and are merged again whenever they are asked for.
    void MergeAll(std::vector<Direction>& directions, const std::vector<const Effects*>& bySetting,
                  std::size_t held);
    // The coefficients of a direction: those it holds, or merged again into a list of the merger's
    // (good until the next call).
    const Effects& Of(const Direction& direction, const std::vector<const Effects*>& bySetting);

private:
    void Merge(const Direction& direction, const std::vector<const Effects*>& memberEffects, Effects& into);

    std::vector<double> m_merged;       // by row, 0 outside a merge
    std::vector<std::uint64_t> m_marks; // a bit by row: touched by the merge (0 outside a merge)
    std::vector<std::size_t> m_touched;
    std::vector<std::size_t> m_runs;
    std::vector<const Effects*> m_members; // scratch: the members' coefficients
    Effects m_again;                       // what Of merged last
    double m_noEffect;
};

} // namespace ixo::regulation
