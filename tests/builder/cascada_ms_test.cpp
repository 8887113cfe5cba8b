#include "builder/cascada_ms.h"

#include "catalogue/element_test_support.h"
#include "ms_table_test_support.h"

#include <gtest/gtest.h>

namespace ixo::test {
namespace {

using Columns = std::vector<int>;
using Sizes = std::vector<int>;

TEST(CascadeColumns, ThreeColumnsSpreadTheUpperFloorsInEqualGroups) {
    EXPECT_EQ(CascadeColumns(5, 3, 0), (Columns{0, 1, 1, 2, 2}));
    EXPECT_EQ(CascadeColumns(7, 3, 0), (Columns{0, 1, 1, 1, 2, 2, 2}));
    EXPECT_EQ(CascadeColumns(4, 4, 0), (Columns{0, 1, 2, 2}));
}

TEST(CascadeColumns, TheRemainderGivesTheFirstGroupsOneFloorMore) {
    // q = 2, r = 1: the third floor up still takes column 1.
    EXPECT_EQ(CascadeColumns(6, 3, 0), (Columns{0, 1, 1, 1, 2, 2}));
}

TEST(CascadeColumns, TheLowestFloorTakesTheFinalColumnOnlyWithSeveralColumns) {
    EXPECT_EQ(CascadeColumns(3, 2, 1), (Columns{1, 1, 1}));
    EXPECT_EQ(CascadeColumns(3, 1, 1), (Columns{0, 0, 0}));
    EXPECT_EQ(CascadeColumns(3, 0, 0), (Columns{0, 0, 0}));
    EXPECT_TRUE(CascadeColumns(0, 3, 0).empty());
    EXPECT_EQ(CascadeColumns(1, 3, 0), (Columns{0}));
}

// Rows of 4, 5 and 8 taps; column 1 (key 13) has no 5-tap model, column 2 (key 16) only 4 taps.
TMatMs ThreeColumnTable() {
    return {Row(4, 5001, 4, {Cell(5, 1), Cell(13, 2), Cell(16, 3)}), Row(5, 5001, 4, {Cell(5, 4), {}, {}}),
            Row(8, 5001, 4, {Cell(5, 7), Cell(13, 8), {}})};
}

TEST(MaxTaps, TheLargestRowWithAModelInTheColumn) {
    TMatMs table = ThreeColumnTable();
    EXPECT_EQ(MaxTaps(table, 0), 8);
    EXPECT_EQ(MaxTaps(table, 1), 8);
    EXPECT_EQ(MaxTaps(table, 2), 4);
    EXPECT_EQ(MaxTaps(table, 3), 0);
    EXPECT_EQ(MaxTaps(table, -1), 0);
    EXPECT_EQ(MaxTaps({}, 0), 0);
}

TEST(SplitFlats, TenFlatsWithEightTapsAtMostShareAsFiveAndFive) {
    TMatMs table = ThreeColumnTable();
    EXPECT_EQ(SplitFlats(table, 10, 0), (Sizes{5, 5}));
    // Without a 5-tap model the first share takes the 8-tap row and the rest the 4-tap one.
    EXPECT_EQ(SplitFlats(table, 10, 1), (Sizes{8, 4}));
}

TEST(SplitFlats, FlatsBeyondTheLargestModelNeedSeveralMultiswitches) {
    TMatMs table = ThreeColumnTable();
    EXPECT_EQ(SplitFlats(table, 17, 0), (Sizes{8, 5, 4}));
    EXPECT_EQ(SplitFlats(table, 9, 2), (Sizes{4, 4, 4}));
    EXPECT_EQ(SplitFlats(table, 3, 0), (Sizes{4}));
}

TEST(SplitFlats, NoFlatsOrNoModelGiveNoMultiswitch) {
    TMatMs table = ThreeColumnTable();
    EXPECT_TRUE(SplitFlats(table, 0, 0).empty());
    EXPECT_TRUE(SplitFlats(table, -3, 0).empty());
    EXPECT_TRUE(SplitFlats(table, 6, 5).empty());
    EXPECT_TRUE(SplitFlats({}, 6, 0).empty());
}

TEST(CascadeModel, TheFirstRowWithEnoughTapsHavingAKeyInTheColumn) {
    TMatMs table = ThreeColumnTable();
    EXPECT_EQ(CascadeModel(table, 5, 0), 4);
    EXPECT_EQ(CascadeModel(table, 5, 1), 8);
    EXPECT_EQ(CascadeModel(table, 1, 2), 3);
    EXPECT_EQ(CascadeModel(table, 5, 2), -1);
    EXPECT_EQ(CascadeModel(table, 9, 0), -1);
    EXPECT_EQ(CascadeModel(table, 4, 7), -1);
}

TEST(PlanCascada, WithFinalColumnZeroTheLowestFloorEndsTheCascadeAndSharesTheRestUpwards) {
    // Columns 0, 1, 2 bottom up. Floor 0: 10 flats -> sizes 5, 5 in column 0; the first becomes the
    // final position, the other 5 flats go to column 1 (the floor above has flats): the 8-tap model.
    TMatMs table = ThreeColumnTable();
    TVectorCascadaVerticales plan = PlanCascada(table, {{0, 10}, {1, 4}, {2, 3}}, 0, 4);
    TVectorCascadaVerticales expected = {{0, 5, 1, 4, 0}, {0, 8, 1, 8, 1}, {1, 4, 1, 2, 1}, {2, 4, 1, 3, 2}};
    EXPECT_EQ(plan, expected);
}

TEST(PlanCascada, PositionsOfAFloorGoFromTheLastSizeToTheFirst) {
    // Final column 1: no final position; floor 0 takes column 1: sizes 8, 4 listed as 4, 8. With two
    // floors q = 0 and r = 1, so the upper floor stays in column 1 as well.
    TMatMs table = ThreeColumnTable();
    TVectorCascadaVerticales plan = PlanCascada(table, {{0, 12}, {3, 2}}, 1, 12);
    TVectorCascadaVerticales expected = {{0, 4, 3, 2, 1}, {0, 8, 3, 8, 1}, {3, 4, 3, 2, 1}};
    EXPECT_EQ(plan, expected);
}

TEST(PlanCascada, WithoutFlatsOnTheFloorAboveTheRestTakesTheNextColumnWhenItHasAModel) {
    TMatMs table = ThreeColumnTable();
    // Floor 1 has no flats: the rest of floor 0 goes to column 1.
    EXPECT_EQ(PlanCascada(table, {{0, 10}, {2, 4}}, 0, 4),
              (TVectorCascadaVerticales{{0, 5, 1, 4, 0}, {0, 8, 1, 8, 1}, {2, 4, 1, 2, 1}}));
    // A one-column table has no next column: the rest stays in column 0.
    TMatMs single = {Row(4, 5001, 4, {Cell(5, 1)}), Row(8, 5001, 4, {Cell(5, 7)})};
    EXPECT_EQ(PlanCascada(single, {{0, 10}}, 0, 4),
              (TVectorCascadaVerticales{{0, 8, 1, 7, 0}, {0, 4, 1, 1, 0}}));
}

TEST(PlanCascada, AFloorFittingOneMultiswitchWithFinalColumnZeroGetsOnlyTheFinalPosition) {
    TMatMs table = ThreeColumnTable();
    EXPECT_EQ(PlanCascada(table, {{0, 4}, {1, 4}}, 0, 4),
              (TVectorCascadaVerticales{{0, 4, 1, 1, 0}, {1, 4, 1, 2, 1}}));
}

TEST(PlanCascada, AnEmptyTablePlansNothing) {
    EXPECT_TRUE(PlanCascada({}, {{0, 10}, {1, 4}}, 0, 4).empty());
    EXPECT_TRUE(PlanCascada(ThreeColumnTable(), {}, 0, 4).empty());
}

class DemoCascadePlan : public DemoStoreFixture {};

TEST_F(DemoCascadePlan, FiveFloorsOfTheDemoCascadeFamily) {
    // Six columns (ATMedia 5 .. 25): q = 0, r = 4, so the floors above the lowest take columns 1 to 4.
    TMatMs table = ConstruirTablaMs(*store, 5001, MsTableKey::ATMedia);
    TVectorCascadaVerticales plan = PlanCascada(table, {{0, 6}, {1, 4}, {2, 4}, {3, 4}, {4, 4}}, 0, 4);
    // Floor 0: 6 flats -> 8 taps (MT-508, model 7) as final position; the rest (0) needs none.
    TVectorCascadaVerticales expected = {
        {0, 8, 1, 7, 0}, {1, 4, 1, 2, 1}, {2, 4, 1, 3, 2}, {3, 4, 1, 4, 3}, {4, 4, 1, 5, 4}};
    EXPECT_EQ(plan, expected);
}

} // namespace
} // namespace ixo::test
