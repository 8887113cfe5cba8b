#include "settings/wizard_results.h"

#include <gtest/gtest.h>

namespace ixo {
namespace {

TEST(WizardRules, MessagesAsTheWizardShowsThem) {
    EXPECT_EQ(FloorsRangeMessage(), " Value must be between 1 and 100");
    EXPECT_EQ(NotAnIntegerMessage("12a"), "12a is not a valid integer value.");
    EXPECT_EQ(FlatsTotalMessage(23, 24), "The number of flats is 23. The valid value is 24");
}

TEST(WizardRules, IntegersOfTheEdits) {
    EXPECT_EQ(ParseWizardInteger("12"), 12);
    EXPECT_EQ(ParseWizardInteger(" -3 "), -3);
    EXPECT_EQ(ParseWizardInteger("+7"), 7);
    EXPECT_FALSE(ParseWizardInteger(""));
    EXPECT_FALSE(ParseWizardInteger("1 2"));
    EXPECT_FALSE(ParseWizardInteger("4,5"));
    EXPECT_FALSE(ParseWizardInteger("99999999999")); // beyond 32 bits
}

TEST(WizardRules, StandAloneOnlyUpTo256Flats) {
    EXPECT_EQ(TopologyForFlats(0, 256), 0);
    EXPECT_EQ(TopologyForFlats(0, 257), 1);
    EXPECT_EQ(TopologyForFlats(1, 10), 1);
}

TEST(WizardRules, GridColumnsAreStoredLastStairFirst) {
    // Stair 1 has floors (top down) 2, 3; stair 2 has 4, 5; stair 3 has 0, 1.
    const std::vector<std::vector<std::int32_t>> grid = {{2, 3}, {4, 5}, {0, 1}};
    const auto matrix = MatrixFromGrid(grid);
    ASSERT_EQ(matrix.size(), 3u);
    EXPECT_EQ(matrix[0], (std::vector<std::int32_t>{0, 1})); // row 0 = the last stair
    EXPECT_EQ(matrix[2], (std::vector<std::int32_t>{2, 3}));
    EXPECT_EQ(GridFromMatrix(matrix), grid);
    EXPECT_EQ(MatrixTotal(matrix), 15);
}

TEST(WizardRules, Family5005Adjustment) {
    SettingsRecord defaults = DefaultSettings();
    SettingsRecord untouched = defaults;
    AdjustPreferencesForFamily5005(untouched, 4); // the default cascade family is not 5005
    EXPECT_EQ(untouched, defaults);

    SettingsRecord twelve = defaults;
    twelve.Dis_FAMMSCAS = 5005;
    twelve.HD_FamiliaAmpFi = 4930;
    twelve.DIS_MODELOFUENTE = 9;
    AdjustPreferencesForFamily5005(twelve, 12);
    EXPECT_EQ(twelve.Dis_FAMMSCAS, 5001);
    EXPECT_EQ(twelve.DIS_MODELOFUENTE, 2);
    EXPECT_EQ(twelve.DIS_FAMILIAFUENTE, 7000);
    EXPECT_EQ(twelve.HD_FamiliaAmpFi, 4925);
    EXPECT_EQ(twelve.HD_ModeloAmpFi, 2);
    EXPECT_TRUE(twelve.HD_ICTERR);

    SettingsRecord four = defaults;
    four.Dis_FAMMSCAS = 5005;
    AdjustPreferencesForFamily5005(four, 4);
    EXPECT_FALSE(four.HD_ICTERR);
    EXPECT_EQ(four.HD_FamiliaAmpFi, 4930);
    EXPECT_EQ(four.HD_ModeloAmpFi, 4000);
    EXPECT_EQ(four.Dis_FAMMSCAS, 5005);

    // Without terrestrial distribution nothing changes, not even the amplifier.
    SettingsRecord noTerrestrial = defaults;
    noTerrestrial.Dis_FAMMSCAS = 5005;
    noTerrestrial.HD_ICTERR = false;
    SettingsRecord expected = noTerrestrial;
    AdjustPreferencesForFamily5005(noTerrestrial, 8);
    EXPECT_EQ(noTerrestrial, expected);
}

} // namespace
} // namespace ixo
