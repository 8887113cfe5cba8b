#include "builder/tabla_ms.h"

#include "catalogue/element_test_support.h"
#include "ms_table_test_support.h"

#include <gtest/gtest.h>

namespace ixo::test {
namespace {

TEST(ChooseFloorMsFamily, EightAndSixteenPolaritiesUseTheLineFamiliesGradedByPowering) {
    EXPECT_EQ(ChooseFloorMsFamily(8, 5200, 5100, 5001),
              (MsFamilyChoice{5200, MsTableKey::CascadeableCabecera}));
    EXPECT_EQ(ChooseFloorMsFamily(16, 5200, 5100, 5001),
              (MsFamilyChoice{5100, MsTableKey::CascadeableCabecera}));
    // More than 12 but not 16 takes the eight-polarity family.
    EXPECT_EQ(ChooseFloorMsFamily(13, 5200, 5100, 5001),
              (MsFamilyChoice{5200, MsTableKey::CascadeableCabecera}));
}

TEST(ChooseFloorMsFamily, FourAndTwelvePolaritiesUseTheCascadeFamilyGradedByAttenuation) {
    EXPECT_EQ(ChooseFloorMsFamily(4, 5200, 5100, 5001), (MsFamilyChoice{5001, MsTableKey::ATMedia}));
    EXPECT_EQ(ChooseFloorMsFamily(12, 5200, 5100, 5001), (MsFamilyChoice{5001, MsTableKey::ATMedia}));
}

TEST(ChooseHeadendMsFamily, ByPolarities) {
    EXPECT_EQ(ChooseHeadendMsFamily(4, 5012, 5023, 5030), 5012);
    EXPECT_EQ(ChooseHeadendMsFamily(8, 5012, 5023, 5030), 5023);
    EXPECT_EQ(ChooseHeadendMsFamily(12, 5012, 5023, 5030), 5030);
    EXPECT_EQ(ChooseHeadendMsFamily(16, 5012, 5023, 5030), 5030);
}

TEST(ConstruirTablaMs, NoPrototypesGiveAnEmptyTable) {
    EXPECT_TRUE(ConstruirTablaMs(std::vector<MsPrototipo>{}).empty());
    EXPECT_EQ(ColumnCount({}), 0);
}

TEST(ConstruirTablaMs, SortsIntoRowsByTapsAndColumnsByKeyTheLaterOfEqualModelsWinning) {
    // Catalogue order scrambled; models 4 and 5 share taps and key, so 5 (the later) takes the cell.
    TMatMs table = ConstruirTablaMs({CascadeMs(3, 8, 13), CascadeMs(1, 4, 13), CascadeMs(2, 4, 5),
                                     CascadeMs(4, 8, 5), CascadeMs(5, 8, 5)});
    TMatMs expected = {Row(4, 5001, 4, {Cell(5, 2), Cell(13, 1)}),
                       Row(8, 5001, 4, {Cell(5, 5), Cell(13, 3)})};
    EXPECT_EQ(table, expected);
}

TEST(ConstruirTablaMs, AGapTakesTheModelOnItsLeftAndTheColumnHoldingItFewerTimesGoes) {
    // Row 8 has no model of key 13: the cell takes model 4 (key 5), so column 13 then holds key 5 once
    // against twice in column 5 and is removed.
    TMatMs table = ConstruirTablaMs({CascadeMs(1, 4, 5), CascadeMs(2, 4, 13), CascadeMs(3, 4, 16),
                                     CascadeMs(4, 8, 5), CascadeMs(5, 8, 16)});
    TMatMs expected = {Row(4, 5001, 4, {Cell(5, 1), Cell(16, 3)}),
                       Row(8, 5001, 4, {Cell(5, 4), Cell(16, 5)})};
    EXPECT_EQ(table, expected);
}

TEST(ConstruirTablaMs, AFillRunsOverSeveralGapsAndEveryRepeatingColumnIsPruned) {
    // Row 8: [5, -, -] fills to [5, 5, 5]. Pair (0, 1): key 5 twice against once, column 1 goes. Pair
    // (1, 2): key 5 once each, no empties, two keys each; ranges 8 and 11, so column 2 goes.
    TMatMs table =
        ConstruirTablaMs({CascadeMs(1, 4, 5), CascadeMs(2, 4, 13), CascadeMs(3, 4, 16), CascadeMs(4, 8, 5)});
    TMatMs expected = {Row(4, 5001, 4, {Cell(5, 1)}), Row(8, 5001, 4, {Cell(5, 4)})};
    EXPECT_EQ(table, expected);
}

TEST(ConstruirTablaMs, OnEqualOccurrencesTheColumnWithMoreEmptyCellsGoes) {
    // Row 4 [10, 10 (filled)], row 8 [empty, 20]: key 10 once in each column; column 0 has the empty
    // cell and goes.
    TMatMs table = ConstruirTablaMs({CascadeMs(1, 4, 10), CascadeMs(2, 8, 20)});
    TMatMs expected = {Row(4, 5001, 4, {Cell(10, 1)}), Row(8, 5001, 4, {Cell(20, 2)})};
    EXPECT_EQ(table, expected);
}

TEST(ConstruirTablaMs, KeyZeroCellsOfTheLineFamiliesAreModelsButAreNeverCopied) {
    // Row 8 lacks a powering model: its key 1 cell stays empty (a key 0 model is no source of a fill).
    TMatMs table = ConstruirTablaMs({LineMs(5100, 601, 4, false, 100, 0), LineMs(5100, 602, 4, true, 0, 800),
                                     LineMs(5100, 603, 8, false, 120, 0)});
    TMatMs expected = {Row(4, 5100, 16, {{0, 601, 100, 0, 0}, {1, 602, 0, 0, 800}}),
                       Row(8, 5100, 16, {{0, 603, 120, 0, 0}, {}})};
    EXPECT_EQ(table, expected);
}

TEST(EstadisticaColumna, CountsKeysInFirstOccurrenceOrderEmptiesAndThePositiveRange) {
    TMatMs table = {Row(2, 1, 1, {Cell(0, 0)}), Row(4, 1, 1, {Cell(13, 1)}), Row(6, 1, 1, {Cell(5, 2)}),
                    Row(8, 1, 1, {Cell(13, 3)}), Row(10, 1, 1, {Cell(0, 7)})};
    TEstColumnarepe stats = EstadisticaColumna(table, 0);
    EXPECT_EQ(stats.Columna, 0);
    EXPECT_EQ(stats.Valores, (std::vector<std::pair<std::int32_t, int>>{{13, 2}, {5, 1}, {0, 1}}));
    EXPECT_EQ(stats.Vacias, 1);
    EXPECT_EQ(stats.Rango, 8);
    EXPECT_EQ(stats.Occurrences(13), 2);
    EXPECT_EQ(stats.Occurrences(99), 0);
}

TEST(EstadisticaColumna, AColumnWithoutPositiveKeysHasTheRangeOfTheStartingBounds) {
    TMatMs table = {Row(4, 1, 1, {Cell(0, 601)}), Row(8, 1, 1, {Cell(0, 603)})};
    EXPECT_EQ(EstadisticaColumna(table, 0).Rango, 100001);
}

// The removal choice between adjacent columns, one rule at a time.
TEstColumnarepe Stats(int column, std::vector<std::pair<std::int32_t, int>> values, int empties, int range) {
    return {column, std::move(values), empties, range};
}

TEST(ColumnaAEliminar, TheColumnHoldingTheKeyFewerTimesGoes) {
    EXPECT_EQ(ColumnaAEliminar(Stats(0, {{5, 3}}, 0, 0), Stats(1, {{5, 1}, {13, 2}}, 0, 8), 5), 1);
    EXPECT_EQ(ColumnaAEliminar(Stats(0, {{5, 1}}, 2, 0), Stats(1, {{5, 2}}, 0, 0), 5), 0);
}

TEST(ColumnaAEliminar, OnEqualOccurrencesTheOneWithMoreEmptyCellsGoes) {
    EXPECT_EQ(ColumnaAEliminar(Stats(0, {{5, 1}}, 0, 0), Stats(1, {{5, 1}}, 2, 0), 5), 1);
    EXPECT_EQ(ColumnaAEliminar(Stats(0, {{5, 1}}, 3, 0), Stats(1, {{5, 1}}, 2, 0), 5), 0);
}

TEST(ColumnaAEliminar, ThenTheOneWithFewerDistinctKeysGoes) {
    EXPECT_EQ(ColumnaAEliminar(Stats(2, {{5, 1}, {13, 1}}, 1, 0), Stats(3, {{5, 1}}, 1, 50), 5), 3);
    EXPECT_EQ(ColumnaAEliminar(Stats(2, {{5, 1}}, 1, 50), Stats(3, {{5, 1}, {16, 1}}, 1, 0), 5), 2);
}

TEST(ColumnaAEliminar, ThenTheLeftOneWhenItsRangeIsAtLeastTheRightOnes) {
    EXPECT_EQ(ColumnaAEliminar(Stats(0, {{5, 1}, {13, 1}}, 0, 8), Stats(1, {{5, 1}, {16, 1}}, 0, 8), 5), 0);
    EXPECT_EQ(ColumnaAEliminar(Stats(0, {{5, 1}, {13, 1}}, 0, 9), Stats(1, {{5, 1}, {16, 1}}, 0, 8), 5), 0);
    EXPECT_EQ(ColumnaAEliminar(Stats(0, {{5, 1}, {13, 1}}, 0, 8), Stats(1, {{5, 1}, {16, 1}}, 0, 11), 5), 1);
}

// The demo catalogue's floor multiswitch families, tables worked out from its Ms table.
class DemoMsTable : public DemoStoreFixture {};

TEST_F(DemoMsTable, CascadeFamily5001HasFourTapRowsAndSixAttenuationColumns) {
    TMatMs table = ConstruirTablaMs(*store, 5001, MsTableKey::ATMedia);
    TMatMs expected;
    const std::int32_t keys[] = {5, 13, 16, 19, 22, 25};
    for (int r = 0; r < 4; ++r) {
        TregistroMs row{4 * (r + 1), 5001, 4, {}};
        for (int c = 0; c < 6; ++c) {
            row.Modelos.push_back(Cell(keys[c], 6 * r + c + 1));
        }
        expected.push_back(row);
    }
    EXPECT_EQ(table, expected);
}

// The family's passive models graded by tap loss (561-568, 661-668) have the key 0 of the line-powered
// ones and sort before them, so the active model, the later of the cell, stays the builder's choice.
TEST_F(DemoMsTable, SixteenPolarityFamily5100PairsLinePoweredAndPoweringModels) {
    TMatMs table = ConstruirTablaMs(*store, 5100, MsTableKey::CascadeableCabecera);
    TMatMs expected = {Row(4, 5100, 16, {{0, 601, 100, 30, 0}, {1, 602, 0, 0, 800}}),
                       Row(8, 5100, 16, {{0, 603, 120, 30, 0}, {1, 604, 0, 0, 800}}),
                       Row(12, 5100, 16, {{0, 605, 140, 30, 0}, {1, 606, 0, 0, 800}}),
                       Row(16, 5100, 16, {{0, 607, 160, 30, 0}, {1, 608, 0, 0, 800}})};
    EXPECT_EQ(table, expected);
}

TEST_F(DemoMsTable, EightPolarityFamily5200HasMainsPoweredModelsWithoutConsumption) {
    TMatMs table = ConstruirTablaMs(*store, 5200, MsTableKey::CascadeableCabecera);
    TMatMs expected = {Row(4, 5200, 8, {{0, 701, 0, 0, 0}, {1, 702, 0, 0, 500}}),
                       Row(8, 5200, 8, {{0, 703, 0, 0, 0}, {1, 704, 0, 0, 500}}),
                       Row(12, 5200, 8, {{0, 705, 0, 0, 0}, {1, 706, 0, 0, 500}}),
                       Row(16, 5200, 8, {{0, 707, 0, 0, 0}, {1, 708, 0, 0, 500}})};
    EXPECT_EQ(table, expected);
}

TEST_F(DemoMsTable, AFamilyWithoutMultiswitchesGivesAnEmptyTable) {
    EXPECT_TRUE(ConstruirTablaMs(*store, 1002, MsTableKey::ATMedia).empty());
    EXPECT_TRUE(ConstruirTablaMs(*store, 424242, MsTableKey::ATMedia).empty());
}

} // namespace
} // namespace ixo::test
