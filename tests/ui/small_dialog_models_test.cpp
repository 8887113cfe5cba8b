#include "ui/dialogs/flat_dialog_model.h"
#include "ui/dialogs/input_level_model.h"
#include "ui/dialogs/length_dialog_model.h"
#include "ui/dialogs/number_keys.h"

#include <gtest/gtest.h>

namespace ixo {
namespace {

// Types keys into a decimal field the way the key filter lets them through.
std::string Typed(std::u32string_view keys, char32_t separator) {
    std::string text;
    for (const char32_t key : keys) {
        if (const std::optional<char32_t> c = DecimalKey(key, separator)) {
            text += static_cast<char>(*c);
        }
    }
    return text;
}

TEST(NumberKeys, CommaAndPointBecomeTheDecimalSeparator) {
    // Typing 2, comma, 5 where the separator is the point enters 2.5, and the other way round.
    EXPECT_EQ(Typed(U"2,5", U'.'), "2.5");
    EXPECT_EQ(Typed(U"2.5", U','), "2,5");
    EXPECT_EQ(*ParseDecimal(Typed(U"2,5", U'.'), '.'), 2.5);
}

TEST(NumberKeys, DecimalFilterDropsLettersAndCarriageReturn) {
    EXPECT_EQ(Typed(U"1a2 b-e3", U'.'), "12-3");
    EXPECT_FALSE(DecimalKey(U'\r', U'.').has_value());
    EXPECT_EQ(DecimalKey(U'\b', U'.'), U'\b'); // backspace edits
    EXPECT_FALSE(IntegerKeyAccepted(U'.'));
    EXPECT_FALSE(IntegerKeyAccepted(U'\r'));
    EXPECT_TRUE(IntegerKeyAccepted(U'7'));
    EXPECT_TRUE(IntegerKeyAccepted(U'-'));
}

TEST(NumberKeys, ParseReadsOnlyWholeNumbers) {
    EXPECT_EQ(*ParseDecimal("-12,25", ','), -12.25);
    EXPECT_EQ(*ParseDecimal(" 7 ", '.'), 7.0);
    EXPECT_EQ(*ParseDecimal("3.", '.'), 3.0);
    for (const char* bad : {"", "-", ".", "1.2.3", "1e3", "inf", "nan", "2-", "1 2", "2,5"}) {
        EXPECT_FALSE(ParseDecimal(bad, '.').has_value()) << bad;
    }
    EXPECT_EQ(FormatOneDecimal(12.25, ','), "12,2"); // an exact tie rounds to the even digit
    EXPECT_EQ(FormatOneDecimal(3.0, '.'), "3.0");
}

TEST(FlatDialogModel, ShowsTheFlat) {
    FlatDialogModel model;
    model.SetFlat("FL12", 3, 1);
    EXPECT_EQ(model.Caption(), "Flat characteristics [FL12]");
    EXPECT_EQ(model.OutletsIndex(), 2);
    EXPECT_EQ(model.DistributionIndex(), 1);
    EXPECT_EQ(model.Name(), "FL12");
    const auto choice = model.Accept();
    ASSERT_TRUE(choice.has_value());
    EXPECT_EQ(choice->outlets, 3);
    EXPECT_EQ(choice->distribution, 1);
    EXPECT_FALSE(choice->applyToAll);
}

TEST(FlatDialogModel, ZeroOrTooManyOutletsSelectNothingAndOkWaits) {
    FlatDialogModel model;
    model.SetFlat("FL1", 0, 0);
    EXPECT_EQ(model.OutletsIndex(), -1);
    EXPECT_FALSE(model.Accept().has_value());
    model.SetFlat("FL1", 9, 0);
    EXPECT_EQ(model.OutletsIndex(), -1);
    model.ChooseOutlets(7);
    ASSERT_TRUE(model.Accept().has_value());
    EXPECT_EQ(model.Accept()->outlets, 8);
    model.ChooseDistribution(2); // no such item
    EXPECT_FALSE(model.Accept().has_value());
}

TEST(FlatDialogModel, NameKeepsSixCharactersAndApplyToAllIsHandedBack) {
    FlatDialogModel model;
    model.SetFlat("FL1", 1, 0);
    model.SetName("Penthouse");
    model.SetApplyToAll(true);
    const auto choice = model.Accept();
    ASSERT_TRUE(choice.has_value());
    EXPECT_EQ(choice->name, "Pentho");
    EXPECT_TRUE(choice->applyToAll);
}

TEST(LengthDialogModel, ShowsOneDecimalAndReadsTheNewLength) {
    LengthDialogModel model(',');
    model.SetLength(12.34);
    EXPECT_EQ(model.Text(), "12,3");
    model.SetText(Typed(U"7.5", ','));
    EXPECT_TRUE(model.Leave());
    EXPECT_EQ(model.Accept(), 7.5);
    EXPECT_EQ(model.Length(), 7.5);
}

TEST(LengthDialogModel, TextThatIsNotALengthKeepsTheDialogOpen) {
    LengthDialogModel model('.');
    model.SetLength(4.0);
    for (const char* bad : {"", "-", "abc", "1.2.3", "-3"}) {
        model.SetText(bad);
        EXPECT_FALSE(model.Leave()) << bad;
        EXPECT_FALSE(model.Accept().has_value()) << bad;
        EXPECT_EQ(model.Length(), 4.0) << "the remembered length stays";
    }
    model.SetText("0");
    EXPECT_EQ(model.Accept(), 0.0);
}

TEST(InputLevelModel, DishShowsTheSatelliteBandsOfEachOutput) {
    InputLevelModel model('.');
    std::vector<LevelVector> outputs(2);
    for (std::size_t band = 0; band < kBandCount; ++band) {
        outputs[0][band] = 70.0 + static_cast<double>(band);
        outputs[1][band] = 80.0 + static_cast<double>(band);
    }
    model.SetDishLevels(outputs);
    EXPECT_EQ(model.Caption(), "Satellite parabolic antenna input level");
    EXPECT_EQ(model.Columns(), 4);
    EXPECT_EQ(model.Rows(), 2);
    EXPECT_EQ(model.ColumnTitles(), (std::vector<std::string>{"950", "1350", "1750", "2150"}));
    EXPECT_EQ(model.CellText(0, 0), "74.0");
    EXPECT_EQ(model.CellText(1, 3), "87.0");
}

TEST(InputLevelModel, ADishLevelOf126IsRefusedWithTheRangeMessage) {
    InputLevelModel model('.');
    model.SetDishLevels(std::vector<LevelVector>(4, LevelVector::Filled(60.0)));
    model.SetCellText(2, 1, "126");
    const InputLevelModel::Check check = model.LeaveCell(2, 1);
    EXPECT_FALSE(check.accepted);
    EXPECT_EQ(check.message, " Value must be between 0 and 125");
    model.SetCellText(2, 1, "12a");
    EXPECT_FALSE(model.LeaveCell(2, 1).accepted);
    EXPECT_TRUE(model.LeaveCell(2, 1).message.empty()) << "moving from a non-number is refused silently";
    EXPECT_EQ(model.LeaveGrid(2, 1).message, "12a is not a valid float value.");
    model.SetCellText(2, 1, "125");
    EXPECT_TRUE(model.LeaveCell(2, 1).accepted);
}

TEST(InputLevelModel, TerrestrialHeadendAlwaysReturns90InBand0) {
    InputLevelModel model(',');
    LevelVector levels = LevelVector::Filled(50.0);
    levels[0] = 10.0;
    levels[5] = 33.0;
    model.SetHeadendLevels(levels);
    EXPECT_EQ(model.Caption(), "Terrestrial amplifier output level");
    EXPECT_EQ(model.Rows(), 1);
    EXPECT_EQ(model.ColumnTitles(), (std::vector<std::string>{"175", "470", "862"}));
    model.SetCellText(0, 0, "101,5");
    model.SetCellText(0, 2, "99");
    ASSERT_TRUE(model.Accept().accepted);
    const LevelVector& out = model.Levels().front();
    EXPECT_EQ(out[0], 90.0);
    EXPECT_EQ(out[1], 101.5);
    EXPECT_EQ(out[2], 50.0);
    EXPECT_EQ(out[3], 99.0);
    EXPECT_EQ(out[5], 33.0) << "bands not shown keep their values";
}

TEST(InputLevelModel, OkWithOneBadCellChangesNoLevel) {
    InputLevelModel model('.');
    model.SetDishLevels(std::vector<LevelVector>(3, LevelVector::Filled(60.0)));
    model.SetCellText(0, 0, "99"); // good, but must not be stored
    model.SetCellText(2, 3, "x");
    const InputLevelModel::Check check = model.Accept();
    EXPECT_FALSE(check.accepted);
    EXPECT_EQ(check.message, "x is not a valid float value.");
    EXPECT_EQ(model.Levels()[0][4], 60.0);
    model.SetCellText(2, 3, "-1");
    EXPECT_EQ(model.Accept().message, " Value must be between 0 and 125");
    model.SetCellText(2, 3, "61.5");
    ASSERT_TRUE(model.Accept().accepted);
    EXPECT_EQ(model.Levels()[0][4], 99.0);
    EXPECT_EQ(model.Levels()[2][7], 61.5);
    EXPECT_EQ(model.Levels()[2][0], 60.0) << "a dish's terrestrial bands are not touched";
}

TEST(InputLevelModel, AtMostFourDishOutputsAreShown) {
    InputLevelModel model('.');
    model.SetDishLevels(std::vector<LevelVector>(6));
    EXPECT_EQ(model.Rows(), 4);
    EXPECT_TRUE(model.CellText(5, 0).empty());
    model.SetCellText(9, 9, "1"); // outside the grid: ignored
}

} // namespace
} // namespace ixo
