#pragma once

#include "design/slope_classes.h"

#include <cstddef>
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

private:
    std::vector<double> m_merged; // by row, 0 outside a merge
    std::vector<std::size_t> m_touched;
    std::vector<std::size_t> m_runs;
    double m_noEffect;
};

} // namespace ixo::regulation
