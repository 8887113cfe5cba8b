#include "ui/project/wizard_model.h"

#include <gtest/gtest.h>

namespace ixo {
namespace {

// Fills the grid (rows from the top floor down, columns from stair 1) and presses Next.
WizardModel::Outcome FillAndCreate(WizardModel& model, const std::vector<std::vector<std::string>>& cells) {
    for (std::size_t row = 0; row < cells.size(); ++row) {
        for (std::size_t column = 0; column < cells[row].size(); ++column) {
            model.SetCellText(static_cast<int>(row), static_cast<int>(column), cells[row][column]);
        }
    }
    return model.Next("", "");
}

TEST(WizardModel, StartsWithOneStairOneFloorOneFlatCascadeable) {
    const WizardModel model;
    EXPECT_EQ(model.CurrentPage(), WizardModel::Page::First);
    const WizardResults& r = model.Results();
    EXPECT_EQ(r.Npolaridades, 4);
    EXPECT_EQ(r.Nverticales, 1);
    EXPECT_EQ(r.Nplantas, 1);
    EXPECT_EQ(r.VertHeader, 1);
    EXPECT_EQ(r.Nviv, 1);
    EXPECT_EQ(r.NoutletViv, 1);
    EXPECT_EQ(r.TipoDistribucionViv, 0);
    EXPECT_EQ(r.TipoDistribucionCab, 1);
    EXPECT_EQ(model.HeadendItemCount(), 1);
}

TEST(WizardModel, FewerStairsMoveTheHeadendToTheLastStillOffered) {
    WizardModel model;
    model.ChooseStairs(4); // 5 stairs
    model.ChooseHeadend(4);
    EXPECT_EQ(model.Results().VertHeader, 5);
    model.ChooseStairs(2); // 3 stairs
    EXPECT_EQ(model.HeadendItemCount(), 3);
    EXPECT_EQ(model.HeadendIndex(), 2);
    EXPECT_EQ(model.Results().VertHeader, 3);
    // A choice still offered stays.
    model.ChooseHeadend(1);
    model.ChooseStairs(7);
    EXPECT_EQ(model.Results().VertHeader, 2);
    // A headend beyond the stairs is not taken.
    model.ChooseHeadend(8);
    EXPECT_EQ(model.Results().VertHeader, 2);
}

TEST(WizardModel, MoreThan256FlatsForceTheCascadeableHeadend) {
    WizardModel model;
    ASSERT_TRUE(model.LeaveFlats("256").accepted);
    model.ChooseTopology(0);
    EXPECT_EQ(model.Topology(), 0); // 256 flats allow stand-alone
    ASSERT_TRUE(model.LeaveFlats("257").accepted);
    EXPECT_EQ(model.Topology(), 1);
    model.ChooseTopology(0);
    EXPECT_EQ(model.Topology(), 1); // refused
    EXPECT_EQ(model.Flats(), 257);
}

TEST(WizardModel, FloorsOutsideOneToHundredShowTheRangeAndStayOnTheFirstPage) {
    for (const char* text : {"0", "101", "-3", ""}) {
        WizardModel model;
        const WizardModel::Outcome outcome = model.Next(text, "1");
        EXPECT_EQ(outcome.move, WizardModel::Move::Stay) << text;
        EXPECT_EQ(outcome.message, " Value must be between 1 and 100") << text;
        EXPECT_EQ(model.CurrentPage(), WizardModel::Page::First);
        EXPECT_EQ(model.Floors(), 1);
    }
    WizardModel model;
    EXPECT_TRUE(model.LeaveFloors("100").accepted);
    EXPECT_EQ(model.Floors(), 100);
}

TEST(WizardModel, FlatsThatAreNotANumberOrNotPositive) {
    WizardModel model;
    WizardModel::FieldCheck check = model.LeaveFlats("12x");
    EXPECT_FALSE(check.accepted);
    EXPECT_EQ(check.message, "12x is not a valid integer value.");
    ASSERT_TRUE(model.LeaveFlats("40").accepted);
    check = model.LeaveFlats("0");
    EXPECT_FALSE(check.accepted);
    EXPECT_TRUE(check.message.empty()); // no message: the total comes back
    EXPECT_EQ(check.replacement, "40");
    EXPECT_EQ(model.Flats(), 40);
    EXPECT_EQ(model.Next("1", "-5").move, WizardModel::Move::Stay);
}

TEST(WizardModel, GridStoresStairOneLastAndTheTopFloorFirst) {
    WizardModel model;
    model.ChooseStairs(1); // 2 stairs
    ASSERT_EQ(model.Next("3", "12").move, WizardModel::Move::ShowGrid);
    EXPECT_EQ(model.GridRows(), 3);
    EXPECT_EQ(model.GridColumns(), 2);
    EXPECT_EQ(WizardModel::RowTitle(3, 0), "Floor  3");
    EXPECT_EQ(WizardModel::RowTitle(3, 2), "Floor  1");
    EXPECT_EQ(WizardModel::ColumnTitle(1), "Stair 2");
    // Stair 1: 1, 2, 3 from the top floor down; stair 2: 4, 1, 1. Total 12.
    const WizardModel::Outcome outcome = FillAndCreate(model, {{"1", "4"}, {"2", "1"}, {"3", "1"}});
    EXPECT_EQ(outcome.move, WizardModel::Move::Finish);
    EXPECT_TRUE(outcome.message.empty());
    const auto& matrix = model.Results().DisViv;
    ASSERT_EQ(matrix.size(), 2u);
    EXPECT_EQ(matrix[0], (std::vector<std::int32_t>{4, 1, 1})); // stair 2 = array 2 - 2
    EXPECT_EQ(matrix[1], (std::vector<std::int32_t>{1, 2, 3})); // stair 1 = array 2 - 1
}

TEST(WizardModel, GridTotalOtherThanTheFlatsIsRefusedWithBothTotals) {
    WizardModel model;
    ASSERT_EQ(model.Next("2", "10").move, WizardModel::Move::ShowGrid);
    const WizardModel::Outcome outcome = FillAndCreate(model, {{"4"}, {"5"}});
    EXPECT_EQ(outcome.move, WizardModel::Move::ShowGrid);
    EXPECT_EQ(outcome.message, "The number of flats is 9. The valid value is 10");
    EXPECT_EQ(model.CellText(0, 0), "4");
    EXPECT_EQ(model.CellText(1, 0), "5");
}

TEST(WizardModel, AnEmptyCellIsRefusedWithoutAMessageAndComesBackAsZero) {
    WizardModel model;
    model.ChooseStairs(1);
    ASSERT_EQ(model.Next("2", "6").move, WizardModel::Move::ShowGrid);
    // 6 + 0 (empty) + 0 + 0 adds up to the total, but a cell is empty.
    const WizardModel::Outcome outcome = FillAndCreate(model, {{"6", ""}, {"0", "0"}});
    EXPECT_EQ(outcome.move, WizardModel::Move::ShowGrid);
    EXPECT_TRUE(outcome.message.empty());
    EXPECT_EQ(model.CellText(0, 1), "0");
    EXPECT_EQ(model.CurrentPage(), WizardModel::Page::Grid);
}

TEST(WizardModel, LeavingACellNeedsAWholeNumber) {
    WizardModel model;
    ASSERT_EQ(model.Next("2", "3").move, WizardModel::Move::ShowGrid);
    model.SetCellText(0, 0, "");
    EXPECT_FALSE(model.LeaveCell(0, 0));
    model.SetCellText(0, 0, "2a");
    EXPECT_FALSE(model.LeaveCell(0, 0));
    model.SetCellText(0, 0, "3");
    EXPECT_TRUE(model.LeaveCell(0, 0));
    EXPECT_EQ(model.Results().DisViv[0][0], 3);
}

TEST(WizardModel, NegativeOrHugeFloorsAreRefusedEvenWhenTheTotalAgrees) {
    WizardModel model;
    ASSERT_EQ(model.Next("2", "4").move, WizardModel::Move::ShowGrid);
    WizardModel::Outcome outcome = FillAndCreate(model, {{"6"}, {"-2"}});
    EXPECT_EQ(outcome.move, WizardModel::Move::ShowGrid);
    EXPECT_EQ(outcome.message, "Stair 1, floor 1: -2 flats. A floor holds from 0 to 64 flats");
    WizardModel big;
    ASSERT_EQ(big.Next("1", "65").move, WizardModel::Move::ShowGrid);
    outcome = FillAndCreate(big, {{"65"}});
    EXPECT_EQ(outcome.message, "Stair 1, floor 1: 65 flats. A floor holds from 0 to 64 flats");
}

TEST(WizardModel, TooManyOutletsAreRefused) {
    WizardModel model;
    model.ChooseStairs(7);
    model.ChooseOutlets(7); // 8 outlets a flat
    ASSERT_EQ(model.Next("100", "12801").move, WizardModel::Move::ShowGrid);
    // 8 stairs x 100 floors: 16 flats on every floor, one more on the first cell: 12801 x 8 > 102400.
    std::vector<std::vector<std::string>> cells(100, std::vector<std::string>(8, "16"));
    cells[0][0] = "17";
    const WizardModel::Outcome outcome = FillAndCreate(model, cells);
    EXPECT_EQ(outcome.move, WizardModel::Move::ShowGrid);
    EXPECT_EQ(outcome.message,
              "The building would have 102408 outlets. The most a project can hold is 102400");
}

TEST(WizardModel, BackAndForthKeepsTheValuesOfTheFloorsThatStillExist) {
    WizardModel model;
    ASSERT_EQ(model.Next("3", "6").move, WizardModel::Move::ShowGrid);
    model.SetCellText(0, 0, "1");
    ASSERT_TRUE(model.LeaveCell(0, 0));
    model.SetCellText(1, 0, "2");
    ASSERT_TRUE(model.LeaveCell(1, 0));
    model.SetCellText(2, 0, "3");
    ASSERT_TRUE(model.LeaveCell(2, 0));
    EXPECT_EQ(model.Back().move, WizardModel::Move::ShowFirst);
    EXPECT_EQ(model.CurrentPage(), WizardModel::Page::First);
    // Two floors: the stored entries 0 and 1 stay, the third goes.
    ASSERT_EQ(model.Next("2", "3").move, WizardModel::Move::ShowGrid);
    EXPECT_EQ(model.CellText(0, 0), "1");
    EXPECT_EQ(model.CellText(1, 0), "2");
    EXPECT_EQ(model.Back().move, WizardModel::Move::ShowFirst);
    // Four floors: the new entry is 0.
    ASSERT_EQ(model.Next("4", "3").move, WizardModel::Move::ShowGrid);
    EXPECT_EQ(model.CellText(0, 0), "1");
    EXPECT_EQ(model.CellText(1, 0), "2");
    EXPECT_EQ(model.CellText(2, 0), "0");
    EXPECT_EQ(model.CellText(3, 0), "0");
}

TEST(WizardModel, PolarityItemsAndTheKeyFilter) {
    WizardModel model;
    model.ChoosePolarity(2);
    EXPECT_EQ(model.Results().Npolaridades, 12);
    model.ChoosePolarity(3);
    EXPECT_EQ(model.Results().Npolaridades, 16);
    model.ChoosePolarity(9); // not an item
    EXPECT_EQ(model.Results().Npolaridades, 16);
    EXPECT_TRUE(WizardModel::IntegerKeyAccepted(U'7'));
    EXPECT_TRUE(WizardModel::IntegerKeyAccepted(U'-'));
    EXPECT_TRUE(WizardModel::IntegerKeyAccepted(U'\b'));
    EXPECT_FALSE(WizardModel::IntegerKeyAccepted(U'\r'));
    EXPECT_FALSE(WizardModel::IntegerKeyAccepted(U'a'));
    EXPECT_FALSE(WizardModel::IntegerKeyAccepted(U'.'));
}

} // namespace
} // namespace ixo
