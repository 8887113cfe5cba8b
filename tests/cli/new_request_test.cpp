#include "cli/cli_arguments.h"
#include "cli/new_request.h"

#include <gtest/gtest.h>

#include <sstream>

namespace ixo::cli {
namespace {

// Parses "new" with the given options against the built-in defaults.
NewProjectRequest Parse(std::vector<std::string> words) {
    CommandRegistry registry;
    Command command = MakeCommand({"new"}, "test", [](const CommandContext&) { return 0; });
    command.options = NewProjectOptions();
    registry.Add(std::move(command));
    words.insert(words.begin(), "new");
    const CommandLine line = ParseCommandLine(words, registry, "/nonexistent");
    std::ostringstream out;
    std::ostringstream err;
    const CommandContext context{line, out, err};
    return ParseNewProjectRequest(context, DefaultSettings(), DefaultLevelLimits());
}

std::string ErrorOf(std::vector<std::string> words) {
    try {
        Parse(std::move(words));
    } catch (const UsageError& error) {
        return error.what();
    }
    return "";
}

TEST(NewRequest, DefaultsAreTheWizardsFirstItems) {
    const NewProjectRequest request = Parse({"--flats-per-floor", "2"});
    const WizardResults& shape = request.shape;
    EXPECT_EQ(shape.Npolaridades, 4);
    EXPECT_EQ(shape.Nverticales, 1);
    EXPECT_EQ(shape.Nplantas, 1);
    EXPECT_EQ(shape.VertHeader, 1);
    EXPECT_EQ(shape.NoutletViv, 1);
    EXPECT_EQ(shape.TipoDistribucionViv, 0);
    EXPECT_EQ(shape.TipoDistribucionCab, 1);
    EXPECT_EQ(shape.Nviv, 2);
    EXPECT_EQ(shape.DisViv, (std::vector<std::vector<std::int32_t>>{{2}}));
    EXPECT_EQ(request.settings, DefaultSettings());
    EXPECT_FALSE(request.json);
}

TEST(NewRequest, MatrixPerStairTopFloorFirstIsStoredLastStairFirst) {
    const NewProjectRequest request = Parse(
        {"--stairs", "2", "--floors", "3", "--flats-matrix", "1,2,3;4,5,6", "--flats", "21", "--outlets", "4",
         "--distribution", "CASCADE", "--polarities", "12", "--headend-stair", "2", "--json"});
    const WizardResults& shape = request.shape;
    ASSERT_EQ(shape.DisViv.size(), 2u);
    EXPECT_EQ(shape.DisViv[0], (std::vector<std::int32_t>{4, 5, 6})); // stair 2
    EXPECT_EQ(shape.DisViv[1], (std::vector<std::int32_t>{1, 2, 3})); // stair 1
    EXPECT_EQ(shape.Nviv, 21);
    EXPECT_EQ(shape.NoutletViv, 4);
    EXPECT_EQ(shape.TipoDistribucionViv, 1);
    EXPECT_EQ(shape.Npolaridades, 12);
    EXPECT_EQ(shape.VertHeader, 2);
    EXPECT_TRUE(request.json);
}

TEST(NewRequest, StandAloneAbove256FlatsBecomesCascadeable) {
    NewProjectRequest limit = Parse({"--floors", "64", "--flats-per-floor", "4", "--topology", "standalone"});
    EXPECT_EQ(limit.shape.TipoDistribucionCab, 0);
    EXPECT_TRUE(limit.notes.empty());
    NewProjectRequest above =
        Parse({"--stairs", "2", "--floors", "43", "--flats-per-floor", "3", "--topology", "standalone"});
    EXPECT_EQ(above.shape.Nviv, 258);
    EXPECT_EQ(above.shape.TipoDistribucionCab, 1);
    ASSERT_EQ(above.notes.size(), 1u);
}

TEST(NewRequest, SettingsOverrides) {
    NewProjectRequest request = Parse({"--flats-per-floor", "1", "--set", "TERRESTRIAL_AMP=0",
                                       "--set=d_floor=3,5", "--set", "FAM_MS_CAS=5005"});
    EXPECT_FALSE(request.settings.HD_ICTERR);
    EXPECT_DOUBLE_EQ(request.settings.DistanciaPlantas, 3.5);
    EXPECT_EQ(request.settings.Dis_FAMMSCAS, 5005);
    EXPECT_NE(ErrorOf({"--flats-per-floor", "1", "--set", "NOPE=1"}).find("not a settings key"),
              std::string::npos);
    EXPECT_NE(ErrorOf({"--flats-per-floor", "1", "--set", "D_FLOOR=abc"}).find("not a valid value"),
              std::string::npos);
    EXPECT_NE(ErrorOf({"--flats-per-floor", "1", "--set", "D_FLOOR"}).find("KEY=VALUE"), std::string::npos);
}

TEST(NewRequest, WizardMessagesOnBadInput) {
    EXPECT_EQ(ErrorOf({"--floors", "0", "--flats-per-floor", "1"}),
              "--floors: Value must be between 1 and 100");
    EXPECT_EQ(ErrorOf({"--floors", "101", "--flats-per-floor", "1"}),
              "--floors: Value must be between 1 and 100");
    EXPECT_EQ(ErrorOf({"--floors", "x", "--flats-per-floor", "1"}),
              "--floors: x is not a valid integer value.");
    EXPECT_EQ(ErrorOf({"--floors", "2", "--flats-per-floor", "3", "--flats", "7"}),
              "The number of flats is 6. The valid value is 7");
    EXPECT_EQ(ErrorOf({"--flats", "abc", "--flats-per-floor", "1"}),
              "--flats: abc is not a valid integer value.");
    EXPECT_NE(ErrorOf({"--stairs", "9", "--flats-per-floor", "1"}), "");
    EXPECT_NE(ErrorOf({"--stairs", "2", "--headend-stair", "3", "--flats-per-floor", "1"}), "");
    EXPECT_NE(ErrorOf({"--polarities", "6", "--flats-per-floor", "1"}), "");
    EXPECT_NE(ErrorOf({"--outlets", "9", "--flats-per-floor", "1"}), "");
    EXPECT_NE(ErrorOf({"--flats", "4"}).find("--flats-per-floor"), std::string::npos);
    EXPECT_NE(ErrorOf({"--flats-per-floor", "0"}).find("no flat"), std::string::npos);
    EXPECT_NE(ErrorOf({"--flats-per-floor", "-1"}), "");
    // The matrix must match the building's shape.
    EXPECT_NE(ErrorOf({"--stairs", "2", "--floors", "2", "--flats-matrix", "1,1"}).find("stairs"),
              std::string::npos);
    EXPECT_NE(ErrorOf({"--floors", "2", "--flats-matrix", "1,1,1"}).find("floors"), std::string::npos);
    EXPECT_NE(ErrorOf({"--floors", "2", "--flats-matrix", "1,"}).find("not a valid integer"),
              std::string::npos);
}

} // namespace
} // namespace ixo::cli

namespace ixo::cli {
namespace {

// The CLI refuses what makes no building or no physical sense, before anything is built.
TEST(NewRequest, RefusesShapesAndValuesThatMakeNoSense) {
    EXPECT_EQ(ErrorOf({"--flats-per-floor", "2000000000"}),
              "a floor of a stair holds at most 64 flats, not 2000000000");
    EXPECT_EQ(ErrorOf({"--flats-matrix", "65"}), "a floor of a stair holds at most 64 flats, not 65");
    EXPECT_EQ(ErrorOf({"--stairs", "8", "--floors", "100", "--flats-per-floor", "64", "--outlets", "8"}),
              "a building holds at most 102400 outlets, not 409600");
    EXPECT_EQ(ErrorOf({"--stairs", "8", "--floors", "100", "--flats-per-floor", "16", "--outlets", "8"}), "");
    EXPECT_EQ(ErrorOf({"--flats-per-floor", "1", "--set", "D_FLOOR=-3"}),
              "--set D_FLOOR=-3: the value must be a distance from 0 to 1000 m");
    EXPECT_EQ(ErrorOf({"--flats-per-floor", "1", "--set", "LV_TERR=141"}),
              "--set LV_TERR=141: the value must be a level from 0 to 140 dBµV");
    EXPECT_EQ(ErrorOf({"--flats-per-floor", "1", "--set", "FAM_MS_CAS=-1"}),
              "--set FAM_MS_CAS=-1: the value must be a catalogue family number");
    EXPECT_EQ(ErrorOf({"--flats-per-floor", "1", "--set", "LV_TERR=140", "--set", "D_FLOOR=0"}), "");
}

// The level limits can be set for one run, like every other key `ixo-cli settings` lists.
TEST(NewRequest, LevelLimitsCanBeSetForOneRun) {
    const NewProjectRequest request =
        Parse({"--flats-per-floor", "1", "--set", "lmin2=52,5", "--set", "LMAX1=82", "--set", "LNAME1=T"});
    ASSERT_EQ(request.limits.size(), 2u);
    EXPECT_EQ(request.limits[1].minimum, 52.5);
    EXPECT_EQ(request.limits[1].maximum, DefaultLevelLimits()[1].maximum);
    EXPECT_EQ(request.limits[0].maximum, 82.0);
    EXPECT_EQ(request.limits[0].name, "T");
    EXPECT_EQ(ErrorOf({"--flats-per-floor", "1", "--set", "LMAX2=high"}),
              "--set LMAX2=high: the value must be a level from 0 to 140 dBµV");
    EXPECT_EQ(
        ErrorOf({"--flats-per-floor", "1", "--set", "LMIN2=75"}),
        "the SAT limits are reversed: minimum 75 (--set LMIN2) above maximum 70 dBµV (the default LMAX2)");
}

} // namespace
} // namespace ixo::cli
