#include "builder/ms816.h"

#include "catalogue/element_test_support.h"
#include "ms_table_test_support.h"

#include <gtest/gtest.h>

namespace ixo::test {
namespace {

// Rows of 4 and 8 taps: key 0 models draw 100 / 120 from the line, key 1 models supply 800.
TMatMs LineTable(std::int32_t family = 5100) {
    return {Row(4, family, 16, {{0, 601, 100, 30, 0}, {1, 602, 0, 0, 800}}),
            Row(8, family, 16, {{0, 603, 120, 30, 0}, {1, 604, 0, 0, 800}})};
}

std::vector<std::int32_t> Models(const std::vector<MsTableCell>& cells) {
    std::vector<std::int32_t> models;
    for (const MsTableCell& cell : cells) {
        models.push_back(cell.Celda.Indice);
    }
    return models;
}

using ModelList = std::vector<std::int32_t>;

TEST(Ms816Lookups, LargestAndSmallestWithAKey) {
    TMatMs table = LineTable();
    EXPECT_EQ(LargestWithKey(table, 1), (MsTableCell{1, 1, 5100, 8, {1, 604, 0, 0, 800}}));
    EXPECT_EQ(LargestWithKey(table, 0), (MsTableCell{1, 0, 5100, 8, {0, 603, 120, 30, 0}}));
    EXPECT_EQ(SmallestWithKey(table, 0, 3), (MsTableCell{0, 0, 5100, 4, {0, 601, 100, 30, 0}}));
    EXPECT_EQ(SmallestWithKey(table, 1, 5), (MsTableCell{1, 1, 5100, 8, {1, 604, 0, 0, 800}}));
    EXPECT_FALSE(SmallestWithKey(table, 1, 9));
    EXPECT_FALSE(LargestWithKey(table, 2));
    EXPECT_FALSE(LargestWithKey({}, 0));
}

TEST(Ms816Lookups, CellsWithoutAModelNumberAreIgnored) {
    TMatMs table = {Row(4, 5100, 16, {{0, 601, 100, 30, 0}, {1, 602, 0, 0, 800}}),
                    Row(8, 5100, 16, {{0, 603, 120, 30, 0}, {1, 0, 0, 0, 0}})};
    EXPECT_EQ(LargestWithKey(table, 1)->Celda.Indice, 602);
    EXPECT_EQ(SmallestWithKey(table, 1, 3)->Celda.Indice, 602);
    EXPECT_FALSE(SmallestWithKey(table, 1, 5));
}

TEST(ChooseMs816Row, WithASupplierALineDrawingModelWhileTheSupplierCarriesIt) {
    TMatMs table = LineTable();
    EXPECT_EQ(ChooseMs816Row(table, {true, 300, 150}, false, 5100)->Celda.Indice, 603);
    // 120 + 150 = 270: exactly the supplier's current is still enough.
    EXPECT_EQ(ChooseMs816Row(table, {true, 270, 150}, false, 5100)->Celda.Indice, 603);
    EXPECT_EQ(ChooseMs816Row(table, {true, 269, 150}, false, 5100)->Celda.Indice, 604);
    // The remainder rule compares the smaller model's consumption.
    EXPECT_EQ(ChooseMs816Row(table, {true, 250, 150}, false, 5100, 3)->Celda.Indice, 601);
    EXPECT_EQ(ChooseMs816Row(table, {true, 249, 150}, false, 5100, 3)->Celda.Indice, 602);
}

TEST(ChooseMs816Row, WithoutASupplierAPoweringModelExceptTheMainsFamilyOnSeveralStairs) {
    TMatMs table = LineTable();
    EXPECT_EQ(ChooseMs816Row(table, {}, true, 5100)->Celda.Indice, 604);
    EXPECT_EQ(ChooseMs816Row(table, {}, false, 5100)->Celda.Indice, 604);
    EXPECT_EQ(ChooseMs816Row(table, {}, true, kMainsPoweredMsFamily)->Celda.Indice, 604);
    EXPECT_EQ(ChooseMs816Row(table, {}, false, kMainsPoweredMsFamily)->Celda.Indice, 603);
    EXPECT_EQ(ChooseMs816Row(table, {}, false, kMainsPoweredMsFamily, 2)->Celda.Indice, 601);
}

TEST(ChooseMs816Row, AFamilyWithoutLineDrawingModelsTakesPoweringOnesUnderASupplier) {
    TMatMs table = {Row(8, 5100, 16, {{1, 604, 0, 0, 800}})};
    EXPECT_EQ(ChooseMs816Row(table, {true, 800, 0}, false, 5100)->Celda.Indice, 604);
    EXPECT_FALSE(ChooseMs816Row({}, {true, 800, 0}, false, 5100));
}

TEST(AccountMs816, SuppliersRestartTheConsumptionOthersAddTheirs) {
    MsSupplyState state = InitialSupplyState(std::nullopt);
    EXPECT_EQ(state, (MsSupplyState{false, 0, 0}));
    EXPECT_EQ(InitialSupplyState(1200), (MsSupplyState{true, 1200, 0}));
    TMatMs table = LineTable();
    AccountMs816(state, *LargestWithKey(table, 1));
    EXPECT_EQ(state, (MsSupplyState{true, 800, 0}));
    AccountMs816(state, *LargestWithKey(table, 0));
    AccountMs816(state, *SmallestWithKey(table, 0, 1));
    EXPECT_EQ(state, (MsSupplyState{true, 800, 220}));
    // A mains powered model supplies the line even without a current figure.
    TMatMs mains = LineTable(kMainsPoweredMsFamily);
    AccountMs816(state, *LargestWithKey(mains, 0));
    EXPECT_EQ(state, (MsSupplyState{true, 0, 0}));
}

TEST(PlanMs816Floor, TwentyFlatsWithEightTapsAtMostGiveTwoOfEightAndOneForFour) {
    TMatMs table = LineTable();
    MsSupplyState state;
    std::vector<MsTableCell> placed = PlanMs816Floor(table, 20, state, false, 5100);
    // The first powers the line; the next two draw 120 and 100 from it.
    EXPECT_EQ(Models(placed), (ModelList{604, 603, 601}));
    ASSERT_EQ(placed.size(), 3u);
    EXPECT_EQ(placed[0].Salidas, 8);
    EXPECT_EQ(placed[1].Salidas, 8);
    EXPECT_EQ(placed[2].Salidas, 4);
    EXPECT_EQ(state, (MsSupplyState{true, 800, 220}));
}

TEST(PlanMs816Floor, FewerFlatsThanTheLargestModelTakeOneByTheRemainderRule) {
    TMatMs table = LineTable();
    MsSupplyState state;
    EXPECT_EQ(Models(PlanMs816Floor(table, 3, state, false, 5100)), (ModelList{602}));
    EXPECT_EQ(state, (MsSupplyState{true, 800, 0}));
    EXPECT_EQ(Models(PlanMs816Floor(table, 8, state, false, 5100)), (ModelList{603}));
    EXPECT_TRUE(PlanMs816Floor(table, 0, state, false, 5100).empty());
}

TEST(PlanMs816Floor, TheSupplyCarriesFromFloorToFloorUntilANewSupplierIsNeeded) {
    // The headend supplies 500: four 8-tap models drawing 120 each (480) fit, the fifth needs a powering
    // model, which the sixth then draws from.
    TMatMs table = LineTable();
    MsSupplyState state = InitialSupplyState(500);
    ModelList models;
    for (int floor = 0; floor < 6; ++floor) {
        for (std::int32_t model : Models(PlanMs816Floor(table, 8, state, true, 5100))) {
            models.push_back(model);
        }
    }
    EXPECT_EQ(models, (ModelList{603, 603, 603, 603, 604, 603}));
    EXPECT_EQ(state, (MsSupplyState{true, 800, 120}));
}

TEST(PlanMs816Stair, FloorsFromTheTopDownShareOneSupply) {
    TMatMs table = LineTable();
    std::vector<std::vector<MsTableCell>> floors = PlanMs816Stair(table, {3, 0, 12}, {}, false, 5100);
    ASSERT_EQ(floors.size(), 3u);
    EXPECT_EQ(Models(floors[0]), (ModelList{602}));
    EXPECT_TRUE(floors[1].empty());
    // The powering model above still supplies the lowest floor: 8 then 4 taps drawing from it.
    EXPECT_EQ(Models(floors[2]), (ModelList{603, 601}));
}

TEST(PlanMs816Floor, AnEmptyTablePlacesNothing) {
    MsSupplyState state = InitialSupplyState(500);
    EXPECT_TRUE(PlanMs816Floor({}, 20, state, true, 5100).empty());
    EXPECT_EQ(state, (MsSupplyState{true, 500, 0}));
}

class DemoMs816Plan : public DemoStoreFixture {};

TEST_F(DemoMs816Plan, TwentyFlatsOnSeveralStairs) {
    TMatMs sixteen = ConstruirTablaMs(*store, 5100, MsTableKey::CascadeableCabecera);
    MsSupplyState state;
    EXPECT_EQ(Models(PlanMs816Floor(sixteen, 20, state, false, 5100)), (ModelList{608, 601}));
    EXPECT_EQ(state, (MsSupplyState{true, 800, 100}));

    TMatMs eight = ConstruirTablaMs(*store, 5200, MsTableKey::CascadeableCabecera);
    state = {};
    EXPECT_EQ(Models(PlanMs816Floor(eight, 20, state, false, 5200)), (ModelList{707, 701}));
    EXPECT_EQ(state, (MsSupplyState{true, 0, 0}));
}

} // namespace
} // namespace ixo::test
