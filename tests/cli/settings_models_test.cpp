// The settings a new building is made with: the file and --set pass the same checks, and the models and
// families they name must be in the catalogue.
#include "cli_run.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace ixo::test {
namespace {

const std::vector<std::string> kSmallBuilding = {"new", "--stairs",          "1", "--floors",
                                                 "2",   "--flats-per-floor", "2"};

// `new` on the demo catalogue with the given settings file and extra words.
CliRun NewWith(const std::filesystem::path& settings, const std::vector<std::string>& extra = {}) {
    std::vector<std::string> words = {"--catalogue", DemoCatalogueDirectory().string(), "--settings",
                                      settings.string()};
    words.insert(words.end(), kSmallBuilding.begin(), kSmallBuilding.end());
    words.insert(words.end(), extra.begin(), extra.end());
    return RunIxoCli(words, DemoCatalogueDirectory().parent_path());
}

// A dish model the dish family lacks built model-less dishes, a cable model the cable family lacks built
// links without loss, an amplifier model the family lacks was "no free input": all refused with --set.
TEST(SettingsModels, AModelOrFamilyTheCatalogueLacksIsRefusedWithSet) {
    for (const std::string assignment :
         {"OFFSET_ANTENA_MODEL=999", "CABLE_MODEL=9999", "IF_AMPL_MODEL=999"}) {
        const CliRun run = RunCommand(
            {"new", "--stairs", "1", "--floors", "2", "--flats-per-floor", "2", "--set", assignment});
        EXPECT_EQ(run.status, 2) << assignment;
        EXPECT_TRUE(Contains(run.err, "--set " + assignment + ": family ")) << run.err;
        EXPECT_TRUE(Contains(run.err, " of the catalogue has no model ")) << run.err;
    }
    // A family whose models do not hold the model in force.
    const CliRun family = RunCommand({"new", "--stairs", "1", "--floors", "2", "--flats-per-floor", "2",
                                      "--set", "OFFSET_ANTENA_FAM=9001"});
    EXPECT_EQ(family.status, 2);
    EXPECT_TRUE(
        Contains(family.err, "--set OFFSET_ANTENA_FAM=9001: family 9001 of the catalogue has no model 10"))
        << family.err;
    // The models of the demo catalogue are taken.
    const CliRun good = RunCommand({"new", "--stairs", "1", "--floors", "2", "--flats-per-floor", "2",
                                    "--set", "OFFSET_ANTENA_MODEL=10"});
    EXPECT_NE(good.status, 2) << good.err;
}

// In the settings file the same values are reported with the file and line, and the defaults are used:
// the building is the one the defaults give.
TEST(SettingsModels, ASettingsFileNamingWhatTheCatalogueLacksKeepsTheDefaults) {
    TempDir dir;
    WriteFileBytes(dir / "bad.ini", "[HEADER]\nOFFSET_ANTENA_MODEL=999\n[TV_APARTMENTS]\nCABLE_MODEL=9999\n"
                                    "OUTLETS_FAM=77\n");
    const CliRun bad = NewWith(dir / "bad.ini");
    const std::string file = (dir / "bad.ini").string();
    EXPECT_TRUE(Contains(bad.err, "warning: " + file +
                                      ":2: OFFSET_ANTENA_MODEL=999: family 3510 of the "
                                      "catalogue has no model 999"))
        << bad.err;
    EXPECT_TRUE(Contains(bad.err, "the defaults OFFSET_ANTENA_MODEL=10 and OFFSET_ANTENA_FAM=3510 are used"))
        << bad.err;
    EXPECT_TRUE(Contains(bad.err, "warning: " + file + ":4: CABLE_MODEL=9999")) << bad.err;
    EXPECT_TRUE(Contains(bad.err, "warning: " + file + ":5: OUTLETS_FAM=77: the catalogue has no family 77"))
        << bad.err;
    const CliRun defaults = NewWith(dir / "none.ini");
    EXPECT_EQ(bad.out, defaults.out);
    EXPECT_EQ(bad.status, defaults.status);
}

// Distances, levels and limits out of range in the file were taken (-3 m cables, limits of 1e300 that
// passed every outlet): they keep their defaults, so the building is the one the defaults give.
TEST(SettingsModels, ValuesOutOfRangeInTheFileGiveTheDefaultBuilding) {
    TempDir dir;
    WriteFileBytes(dir / "range.ini", "[DISTANCE]\nD_FLOOR=-3\nD_OUTLET=1e300\n[HEADER LEVEL]\nLV_TERR=-500\n"
                                      "[OUTLET_LEVELS]\nLNUMBER=2\nLNAME1=TERR\nLMIN1=-1e300\nLMAX1=1e300\n"
                                      "LNAME2=SAT\nLMIN2=70\nLMAX2=50\n");
    const CliRun range = NewWith(dir / "range.ini");
    const std::string file = (dir / "range.ini").string();
    EXPECT_TRUE(Contains(range.err, file + ":2: D_FLOOR=-3 is out of range: it must be a distance from 0 to "
                                           "1000 m; the default 3 is used"))
        << range.err;
    EXPECT_TRUE(Contains(range.err, file + ":3: D_OUTLET=1e300 is out of range")) << range.err;
    EXPECT_TRUE(Contains(range.err, file + ":5: LV_TERR=-500 is out of range")) << range.err;
    EXPECT_TRUE(Contains(range.err, file + ":9: LMIN1=-1e300 is out of range")) << range.err;
    EXPECT_TRUE(
        Contains(range.err, file + ":12: LMIN2=70 is above LMAX2=50 (line 13): the limits are reversed"))
        << range.err;
    const CliRun defaults = NewWith(dir / "none.ini");
    EXPECT_EQ(range.out, defaults.out);
    EXPECT_EQ(range.status, defaults.status);
}

// Limits reversed by --set against the file name where each came from.
TEST(SettingsModels, ReversedLimitsNameTheFileAndLine) {
    TempDir dir;
    WriteFileBytes(dir / "limits.ini", "[OUTLET_LEVELS]\nLNUMBER=2\nLNAME1=TERR\nLMIN1=60\nLMAX1=70\n"
                                       "LNAME2=SAT\nLMIN2=50\nLMAX2=70\n");
    const CliRun run = NewWith(dir / "limits.ini", {"--set", "LMIN1=75"});
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(
        Contains(run.err, "the TERR limits are reversed: minimum 75 (--set LMIN1) above maximum 70 dBµV (" +
                              (dir / "limits.ini").string() + ":5 LMAX1)"))
        << run.err;
}

// A file that cannot be read as a settings file is not shown as found with every default.
TEST(SettingsModels, AFileThatCannotBeReadIsReportedNotShownAsFound) {
    TempDir dir;
    WriteFileBytes(dir / "wide.ini", std::string("\xFF\xFE[\0D\0I\0", 8));
    const std::vector<std::string> words = {"--settings", (dir / "wide.ini").string(), "settings"};
    const CliRun run = RunIxoCli(words, dir.Path());
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(Contains(run.out, "(cannot be read as a settings file: built-in defaults)")) << run.out;
    EXPECT_FALSE(Contains(run.out, "(found)")) << run.out;
    EXPECT_EQ(run.err,
              "ixo-cli: warning: " + (dir / "wide.ini").string() +
                  ": cannot be read as a settings file: it is UTF-16 text; a settings file is UTF-8 (or "
                  "plain ASCII); the built-in defaults are used\n");
}

} // namespace
} // namespace ixo::test
