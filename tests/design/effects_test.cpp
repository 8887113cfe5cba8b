#include "design/effects.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <utility>
#include <vector>

namespace ixo::regulation {
namespace {

using Listed = std::vector<std::pair<std::size_t, double>>;

Listed ByIndex(const Effects& effects) {
    Listed listed;
    for (std::size_t k = 0; k < effects.size(); ++k) {
        const Effect effect = effects[k];
        const double slope = effect.second; // by value: the slope is not aligned
        listed.emplace_back(effect.first, slope);
    }
    return listed;
}

Listed ByWalk(const Effects& effects) {
    Listed listed;
    effects.ForEach([&](std::size_t k, std::size_t row, double slope) {
        EXPECT_EQ(k, listed.size());
        listed.emplace_back(row, slope);
    });
    return listed;
}

// Whatever form a list takes, it reads back exactly what was put in, in order, by index and by walk: a
// setting's few slopes (compact), a ninth slope (the list widens and keeps what it had), a row past 24 bits
// (likewise), a list cleared and filled again (compact again).
TEST(Effects, ReadBackExactlyWhatWasPutInWhateverTheirForm) {
    Effects few;
    Listed expected;
    for (std::size_t row = 0; row < 300; ++row) {
        const double slope = row % 3 == 0 ? 1.0 : (row % 3 == 1 ? -0.0625 : 0.1 + 0.2);
        few.emplace_back(row * 7, slope);
        expected.emplace_back(row * 7, slope);
    }
    EXPECT_TRUE(few.Compact());
    EXPECT_EQ(ByIndex(few), expected);
    EXPECT_EQ(ByWalk(few), expected);

    Effects many;
    Listed manyExpected;
    for (std::size_t row = 0; row < 9; ++row) {
        EXPECT_TRUE(many.Compact());
        many.emplace_back(row, 1.0 + static_cast<double>(row) / 3.0);
        manyExpected.emplace_back(row, 1.0 + static_cast<double>(row) / 3.0);
    }
    EXPECT_FALSE(many.Compact()); // nine slopes
    many.emplace_back(20, 1.0);
    manyExpected.emplace_back(20, 1.0);
    EXPECT_EQ(ByIndex(many), manyExpected);
    EXPECT_EQ(ByWalk(many), manyExpected);

    Effects far = {{1, 2.0}, {2, 2.0}};
    EXPECT_TRUE(far.Compact());
    far.emplace_back(std::size_t{1} << 24, 2.0);
    EXPECT_FALSE(far.Compact());
    const Listed farExpected = {{1, 2.0}, {2, 2.0}, {std::size_t{1} << 24, 2.0}};
    EXPECT_EQ(ByIndex(far), farExpected);
    EXPECT_EQ(ByWalk(far), farExpected);

    many.clear();
    EXPECT_TRUE(many.empty());
    many.emplace_back(5, 0.5);
    EXPECT_TRUE(many.Compact());
    EXPECT_EQ(ByWalk(many), (Listed{{5, 0.5}}));

    Effects wide;
    wide.ClearWide();
    wide.emplace_back(3, 1.0);
    EXPECT_FALSE(wide.Compact());
    EXPECT_EQ(ByIndex(wide), (Listed{{3, 1.0}}));
}

// A walk whose function says false stops there; a row is found among the effects by binary search, the
// first and last included.
TEST(Effects, AWalkStopsWhenToldAndRowsAreFoundByBinarySearch) {
    for (const bool wide : {false, true}) {
        Effects effects;
        if (wide) {
            effects.ClearWide();
        }
        for (std::size_t row = 0; row < 100; ++row) {
            effects.emplace_back(row * 2, 1.5);
        }
        std::size_t seen = 0;
        effects.ForEach([&](std::size_t k, std::size_t, double) {
            ++seen;
            return k < 9;
        });
        EXPECT_EQ(seen, 10u);
        EXPECT_TRUE(effects.HasRow(78));
        EXPECT_FALSE(effects.HasRow(77));
        EXPECT_TRUE(effects.HasRow(0));
        EXPECT_TRUE(effects.HasRow(198));
        EXPECT_FALSE(effects.HasRow(199));
        EXPECT_FALSE(effects.HasRow(1000));
        EXPECT_FALSE(Effects{}.HasRow(0));
    }
}

} // namespace
} // namespace ixo::regulation
