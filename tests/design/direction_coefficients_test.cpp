#include "design/direction_coefficients.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <utility>
#include <vector>

namespace ixo::regulation {
namespace {

std::vector<std::pair<std::size_t, double>> Listed(const Effects& effects) {
    std::vector<std::pair<std::size_t, double>> listed;
    effects.ForEach([&](std::size_t, std::size_t row, double slope) { listed.emplace_back(row, slope); });
    return listed;
}

// The coefficients merger gives direction as the only direction of an ascent, its members' from
// bySetting.
std::vector<std::pair<std::size_t, double>> MergedOf(DirectionCoefficients& merger,
                                                     const Direction& direction,
                                                     const std::vector<const Effects*>& bySetting) {
    std::vector<Direction> directions{direction};
    merger.Prepare(directions, bySetting, 0);
    merger.Size(directions.front(), bySetting);
    return Listed(merger.Of(directions.front(), bySetting));
}

// Two settings moved against each other (amounts 1 and -0.5): the rows both move sum, a row where they
// cancel is left out, the rest keep their own slope times the amount, all in row order; the scratch is
// clean for the next direction, whether few rows are touched (runs merged) or most (a scan).
TEST(DirectionCoefficients, MembersAreSummedInRowOrderAndCancellingRowsLeftOut) {
    DirectionCoefficients merger(100, 1e-7);
    const Effects first = {{2, 1.0}, {5, 2.0}, {40, 1.0}};
    const Effects second = {{1, 4.0}, {5, 2.0}, {40, 2.0}, {70, -1.0}};
    Direction direction{{0, 1}, {1.0, -0.5}};
    const std::vector<std::pair<std::size_t, double>> expected = {{1, -2.0}, {2, 1.0}, {5, 1.0}, {70, 0.5}};
    EXPECT_EQ(MergedOf(merger, direction, {&first, &second}), expected);

    Direction again{{0}, {}};
    EXPECT_EQ(MergedOf(merger, again, {&first}), Listed(first));

    DirectionCoefficients small(4, 1e-7);
    const Effects a = {{0, 1.0}, {1, 1.0}, {3, 1.0}};
    const Effects b = {{0, 1.0}, {2, 3.0}};
    Direction most{{0, 1}, {}};
    const std::vector<std::pair<std::size_t, double>> summed = {{0, 2.0}, {1, 1.0}, {2, 3.0}, {3, 1.0}};
    EXPECT_EQ(MergedOf(small, most, {&a, &b}), summed);
}

// Nine members (more than are merged run by run) touching few rows: read back in row order all the same.
TEST(DirectionCoefficients, ManyMembersComeInRowOrder) {
    DirectionCoefficients merger(1000, 1e-7);
    std::vector<Effects> members;
    std::vector<const Effects*> pointers;
    for (std::size_t m = 0; m < 9; ++m) {
        members.push_back({{900 - 100 * m, 1.0}, {901 - 100 * m, 0.5}, {999, 1.0}});
    }
    for (const Effects& member : members) {
        pointers.push_back(&member);
    }
    Direction direction{{0, 1, 2, 3, 4, 5, 6, 7, 8}, {}};
    std::vector<std::pair<std::size_t, double>> expected;
    for (std::size_t m = 9; m-- > 0;) {
        expected.emplace_back(900 - 100 * m, 1.0);
        expected.emplace_back(901 - 100 * m, 0.5);
    }
    expected.emplace_back(999, 9.0);
    EXPECT_EQ(MergedOf(merger, direction, pointers), expected);
}

// A direction of several settings is merged when first sized and held while it fits the budget, in the
// order they are sized; the others keep their count and are merged again, to the same coefficients,
// when asked for. A single setting's are its own list from the start.
TEST(DirectionCoefficients, DirectionsPastTheHeldBudgetAreMergedAgainAlike) {
    const Effects a = {{0, 1.0}, {3, 2.0}};
    const Effects b = {{1, 1.0}, {3, 1.0}};
    const Effects c = {{3, -2.0}};
    const std::vector<const Effects*> bySetting = {&a, &b, &c};
    std::vector<Direction> directions{Direction{{0}}, Direction{{0, 1}}, Direction{{1, 2}, {1.0, 2.0}},
                                      Direction{{0, 2}}};
    DirectionCoefficients merger(4, 1e-7);
    merger.Prepare(directions, bySetting, 4);
    EXPECT_EQ(directions[0].effects, &a);
    EXPECT_EQ(directions[0].mergedSize, 2u);
    EXPECT_EQ(directions[1].effects, nullptr);
    EXPECT_EQ(directions[1].mergedSize, kNotSized);
    EXPECT_EQ(merger.Size(directions[0], bySetting), 2u);
    EXPECT_EQ(merger.Size(directions[1], bySetting), 3u);
    ASSERT_NE(directions[1].effects, nullptr); // three coefficients: held
    EXPECT_EQ(merger.Size(directions[2], bySetting), 2u);
    EXPECT_EQ(directions[2].effects, nullptr); // two more would pass the budget of four
    EXPECT_EQ(merger.Size(directions[3], bySetting), 1u);
    ASSERT_NE(directions[3].effects, nullptr); // one more fits (row 3 cancels)
    const std::vector<std::pair<std::size_t, double>> held = {{0, 1.0}, {1, 1.0}, {3, 3.0}};
    EXPECT_EQ(Listed(merger.Of(directions[1], bySetting)), held);
    const std::vector<std::pair<std::size_t, double>> again = {{1, 1.0}, {3, -3.0}};
    EXPECT_EQ(Listed(merger.Of(directions[2], bySetting)), again);
    const std::vector<std::pair<std::size_t, double>> last = {{0, 1.0}};
    EXPECT_EQ(Listed(merger.Of(directions[3], bySetting)), last);
    EXPECT_EQ(Listed(merger.Of(directions[2], bySetting)), again);
    EXPECT_EQ(merger.Size(directions[2], bySetting), 2u); // sized once
    EXPECT_EQ(Listed(merger.Of(directions[2], bySetting)), again);

    merger.Prepare(directions, bySetting, 0); // a new ascent: sized again, nothing held
    EXPECT_EQ(merger.Size(directions[1], bySetting), 3u);
    EXPECT_EQ(directions[1].effects, nullptr);
    EXPECT_EQ(Listed(merger.Of(directions[1], bySetting)), held);
}

} // namespace
} // namespace ixo::regulation
