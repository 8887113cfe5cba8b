#include "design/direction_coefficients.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <utility>
#include <vector>

namespace ixo::regulation {
namespace {

std::vector<std::pair<std::size_t, double>> Listed(const Effects& effects) {
    std::vector<std::pair<std::size_t, double>> listed;
    for (const Effect& effect : effects) {
        const double slope = effect.second;
        listed.emplace_back(effect.first, slope);
    }
    return listed;
}

// Two settings moved against each other (amounts 1 and -0.5): the rows both move sum, a row where they
// cancel is left out, the rest keep their own slope times the amount, all in row order; the scratch is
// clean for the next direction, whether few rows are touched (runs merged) or most (a scan).
TEST(DirectionCoefficients, MembersAreSummedInRowOrderAndCancellingRowsLeftOut) {
    DirectionCoefficients merger(100, 1e-7);
    const Effects first = {{2, 1.0}, {5, 2.0}, {40, 1.0}};
    const Effects second = {{1, 4.0}, {5, 2.0}, {40, 2.0}, {70, -1.0}};
    Direction direction{{0, 1}, {1.0, -0.5}};
    merger.Merge(direction, {&first, &second});
    const std::vector<std::pair<std::size_t, double>> expected = {{1, -2.0}, {2, 1.0}, {5, 1.0}, {70, 0.5}};
    EXPECT_EQ(Listed(direction.merged), expected);

    Direction again{{0}, {}};
    merger.Merge(again, {&first});
    EXPECT_EQ(Listed(again.merged), Listed(first));

    DirectionCoefficients small(4, 1e-7);
    const Effects a = {{0, 1.0}, {1, 1.0}, {3, 1.0}};
    const Effects b = {{0, 1.0}, {2, 3.0}};
    Direction most{{0, 1}, {}};
    small.Merge(most, {&a, &b});
    const std::vector<std::pair<std::size_t, double>> summed = {{0, 2.0}, {1, 1.0}, {2, 3.0}, {3, 1.0}};
    EXPECT_EQ(Listed(most.merged), summed);
}

} // namespace
} // namespace ixo::regulation
