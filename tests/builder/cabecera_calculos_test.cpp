#include "builder/cabecera_calculos.h"

#include "catalogue/element_test_support.h"

#include <gtest/gtest.h>

#include <map>

namespace ixo::test {
namespace {

using Picks = std::vector<std::size_t>;

TEST(SizeHeadendMultiswitches, TwentyFlatsWithEightOutputsAtMostSizeFromSixFirst) {
    // d = 3, m = 6: two of the 6-output model take 12 flats, the last takes the 8 left.
    EXPECT_EQ(SizeHeadendMultiswitches(20, {4, 6, 8}), (Picks{1, 1, 2}));
    // Without a 6-output model the first two are 8-output ones and 4 flats remain.
    EXPECT_EQ(SizeHeadendMultiswitches(20, {4, 8}), (Picks{1, 1, 0}));
}

TEST(SizeHeadendMultiswitches, FlatsWithinOneMultiswitchTakeTheFirstLargeEnough) {
    EXPECT_EQ(SizeHeadendMultiswitches(5, {4, 8, 12}), (Picks{1}));
    EXPECT_EQ(SizeHeadendMultiswitches(12, {4, 8, 12}), (Picks{2}));
    EXPECT_EQ(SizeHeadendMultiswitches(1, {8, 4}), (Picks{0}));
}

TEST(SizeHeadendMultiswitches, NoFlatsGiveOneOfTheFirstElement) {
    EXPECT_EQ(SizeHeadendMultiswitches(0, {8, 16}), (Picks{0}));
    EXPECT_EQ(SizeHeadendMultiswitches(-2, {8, 16}), (Picks{0}));
    EXPECT_EQ(SizeHeadendMultiswitches(5, {0, 0}), (Picks{0}));
    EXPECT_TRUE(SizeHeadendMultiswitches(5, {}).empty());
}

TEST(SizeHeadendMultiswitches, ARemainderBeyondEveryModelTakesTheLargest) {
    // d = 3, m = 3: two 3-output models leave 5 flats, more than any model has.
    EXPECT_EQ(SizeHeadendMultiswitches(11, {3, 4}), (Picks{0, 0, 1}));
}

class DemoHeadendSizing : public DemoStoreFixture {};

TEST_F(DemoHeadendSizing, TheDemoHeadendFamilyOfFourPolarities) {
    // Outputs 8, 12, 16, 24, 32 (models 401 to 405).
    EXPECT_EQ(SizeHeadendMultiswitches(*store, 5012, 20), (std::vector<std::int32_t>{404}));
    EXPECT_EQ(SizeHeadendMultiswitches(*store, 5012, 40), (std::vector<std::int32_t>{404, 403}));
    EXPECT_EQ(SizeHeadendMultiswitches(*store, 5012, 70), (std::vector<std::int32_t>{404, 404, 404}));
    EXPECT_EQ(SizeHeadendMultiswitches(*store, 5012, 0), (std::vector<std::int32_t>{401}));
    EXPECT_TRUE(SizeHeadendMultiswitches(*store, 424242, 20).empty());
}

SplitterCandidate Splitter(std::int32_t family, std::int32_t indice, int outputs, std::int32_t sister = 0) {
    return {family, indice, outputs, sister};
}

class SplitterChoice : public ::testing::Test {
protected:
    SplitterFamilyLookup lookup = [this](std::int32_t family) {
        auto found = families.find(family);
        return found == families.end() ? std::vector<SplitterCandidate>{} : found->second;
    };
    std::map<std::int32_t, std::vector<SplitterCandidate>> families = {
        {1002,
         {Splitter(1002, 101, 2, 1003), Splitter(1002, 102, 3, 1003), Splitter(1002, 106, 8, 1003),
          Splitter(1002, 109, 4, 1003)}},
        {1003, {Splitter(1003, 110, 10), Splitter(1003, 111, 12), Splitter(1003, 112, 16)}},
        {2000, {Splitter(2000, 1, 1, 1003)}},
        {2001, {Splitter(2001, 1, 1, 9999), Splitter(2001, 2, 2, 1003), Splitter(2001, 3, 4, 9999)}},
    };
};

TEST_F(SplitterChoice, TheFirstInCatalogueOrderWithEnoughOutputs) {
    EXPECT_EQ(ChooseSplitter(1002, 3, lookup), Splitter(1002, 102, 3, 1003));
    EXPECT_EQ(ChooseSplitter(1002, 4, lookup), Splitter(1002, 106, 8, 1003));
    EXPECT_EQ(ChooseSplitter(1002, 1, lookup), Splitter(1002, 101, 2, 1003));
}

TEST_F(SplitterChoice, TheSisterFamilyOfTheFirstTwoWayElementWhenTheFamilyFallsShort) {
    EXPECT_EQ(ChooseSplitter(1002, 11, lookup), Splitter(1003, 111, 12));
    // The sister is that of the first element with two outputs, not of the first element.
    EXPECT_EQ(ChooseSplitter(2001, 10, lookup), Splitter(1003, 110, 10));
}

TEST_F(SplitterChoice, NoneWhenNeitherFamilyHasEnoughOrThereIsNoTwoWayElement) {
    EXPECT_FALSE(ChooseSplitter(1002, 17, lookup));
    EXPECT_FALSE(ChooseSplitter(2000, 3, lookup));
    EXPECT_FALSE(ChooseSplitter(4242, 2, lookup));
}

class DemoSplitterChoice : public DemoStoreFixture {};

TEST_F(DemoSplitterChoice, TheDemoSplittersAndTheirSisterFamily) {
    auto lookup = [this](std::int32_t family) { return SplitterCandidatesOf(*store, family); };
    std::vector<SplitterCandidate> family = SplitterCandidatesOf(*store, 1002);
    ASSERT_EQ(family.size(), 7u);
    EXPECT_EQ(family.front(), Splitter(1002, 101, 2, 1003));
    EXPECT_EQ(ChooseSplitter(1002, 3, lookup)->Indice, 102);
    EXPECT_EQ(ChooseSplitter(1002, 7, lookup)->Indice, 106);
    EXPECT_EQ(ChooseSplitter(1002, 9, lookup)->Indice, 110);
    EXPECT_EQ(ChooseSplitter(1002, 15, lookup)->Indice, 112);
    EXPECT_FALSE(ChooseSplitter(1002, 17, lookup));
}

TEST(DistanciaHorizontal, StairsApartTimesTheirDistancePlusOneFloor) {
    EXPECT_DOUBLE_EQ(DistanciaHorizontal(0, 2, 15.0, 3.0), 33.0);
    EXPECT_DOUBLE_EQ(DistanciaHorizontal(2, 0, 15.0, 3.0), 33.0);
    EXPECT_DOUBLE_EQ(DistanciaHorizontal(1, 1, 15.0, 3.0), 3.0);
}

TEST(DistanciaHorizontal, RoundedToOneDecimal) {
    EXPECT_DOUBLE_EQ(DistanciaHorizontal(0, 1, 12.34, 0.0), 12.3);
    EXPECT_DOUBLE_EQ(DistanciaHorizontal(0, 3, 1.02, 2.87), 5.9);
    EXPECT_DOUBLE_EQ(RoundToOneDecimal(3.06), 3.1);
    EXPECT_DOUBLE_EQ(RoundToOneDecimal(-0.26), -0.3);
}

TEST(LongitudTroncal, OneFloorHeightPerFloorAboveTheHighestWithFlats) {
    // Two stairs away, highest floor with flats one below the top: 2 x 15 + 3 + 3.
    const double horizontal = DistanciaHorizontal(0, 2, 15.0, 3.0);
    EXPECT_DOUBLE_EQ(LongitudTroncal(horizontal, 3.0, 5, 3, false), 36.0);
    EXPECT_DOUBLE_EQ(LongitudTroncal(horizontal, 3.0, 5, 1, false), 42.0);
    EXPECT_DOUBLE_EQ(LongitudTroncal(horizontal, 3.0, 5, 4, false), 33.0);
    // The floor height is rounded to one decimal before it is multiplied.
    EXPECT_DOUBLE_EQ(LongitudTroncal(10.0, 2.96, 5, 2, false), 16.0);
}

TEST(LongitudTroncal, TheHeadendFloorOfTheHeadendStairIsNotCounted) {
    EXPECT_DOUBLE_EQ(LongitudTroncal(3.0, 3.0, 5, 3, true), 3.0);
    EXPECT_DOUBLE_EQ(LongitudTroncal(3.0, 3.0, 5, 2, true), 6.0);
    EXPECT_DOUBLE_EQ(LongitudTroncal(3.0, 3.0, 5, 4, true), 3.0);
}

} // namespace
} // namespace ixo::test
