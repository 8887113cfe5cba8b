#include "cli/cli_run.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace ixo::cli {
namespace {

using test::CliRun;
using test::Contains;
using test::RunIxoCli;

// `ixo-cli new ...` on the demo catalogue with the built-in settings.
CliRun RunNew(const std::vector<std::string>& options) {
    std::vector<std::string> words = {"--catalogue", test::DemoCatalogueDirectory().string(), "--settings",
                                      "/nonexistent/Ixo.ini", "new"};
    words.insert(words.end(), options.begin(), options.end());
    return RunIxoCli(words, test::DemoCatalogueDirectory().parent_path());
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

// The buildings the demo catalogue is designed for: with the default settings every outlet is within
// the default limits (terrestrial 60-80, satellite 50-70 dBµV). As built, the terrestrial headend drives
// the first multiswitches' inputs a little past their maximum, which fails the design as `check` does;
// the automatic design regulates that away and the design passes.
TEST(NewCommand, CalibrationBuildingsAreWithinLimits) {
    const std::vector<std::vector<std::string>> buildings = {
        {"--floors", "4", "--flats-per-floor", "4", "--outlets", "2", "--polarities", "4"},
        {"--stairs", "2", "--floors", "6", "--flats-per-floor", "4", "--outlets", "3", "--polarities", "8"},
        {"--floors", "3", "--flats-per-floor", "3", "--outlets", "1", "--polarities", "4", "--topology",
         "standalone"},
    };
    for (const auto& building : buildings) {
        const CliRun run = RunNew(building);
        EXPECT_TRUE(Contains(run.out, "Outlets out of limits: 0 of ")) << run.out;
        EXPECT_EQ(run.status, Contains(run.out, "\nOverdrive: ") ? 1 : 0) << run.out << run.err;
        std::vector<std::string> designed = building;
        designed.push_back("--auto");
        const CliRun automatic = RunNew(designed);
        EXPECT_EQ(automatic.status, 0) << automatic.out << automatic.err;
        EXPECT_TRUE(Contains(automatic.out, "\nVerdict: passes\n")) << automatic.out;
    }
}

// Three stairs of ten floors, twelve polarities through DiSEqC switches and four cascade outlets a
// flat: far too long for a passive distribution; a designer adds line amplifiers. The command reports
// the failing outlets and exits with 1.
TEST(NewCommand, ALongPassiveDistributionFailsWithErrorTexts) {
    const CliRun run = RunNew({"--stairs", "3", "--floors", "10", "--flats-per-floor", "2", "--outlets", "4",
                               "--distribution", "cascade", "--polarities", "12"});
    EXPECT_EQ(run.status, 1) << run.err;
    EXPECT_TRUE(Contains(run.out, "Building: 3 stairs, 10 floors, 60 flats, 240 outlets (cascade)"))
        << run.out;
    EXPECT_TRUE(Contains(run.out, "TDISECQ")) << run.out;
    EXPECT_TRUE(Contains(run.out, "<MIN(TER:")) << run.out;
    // What fails and why: a summary by cause with the worst case, then the outlets in building order,
    // each with the band, the level and the limit it breaks.
    EXPECT_TRUE(Contains(run.out,
                         "Outlets out of limits: 240 of 240\n"
                         "  240 below the terrestrial minimum (60.0 dBµV), worst 28.6 dBµV at 862 MHz in "
                         "STAIR3 FLOOR1 FL41 T1\n"
                         "  240 below the satellite minimum (50.0 dBµV), worst 10.0 dBµV at 2150 MHz in "
                         "STAIR3 FLOOR2 FL43 T1\n"
                         "  STAIR1 FLOOR1 FL1 T1  <MIN(TER:32.4 SAT:20.1)  32.4 < 60.0 dBµV at 862 MHz  "
                         "20.1 < 50.0 dBµV at 2150 MHz\n"
                         "  STAIR1 FLOOR1 FL1 T2  "))
        << run.out;
}

TEST(NewCommand, JsonSummaryAndLevelsCsv) {
    test::TempDir dir;
    const std::filesystem::path csv = dir / "levels.csv";
    const CliRun run = RunNew({"--stairs", "2", "--floors", "2", "--flats-matrix", "1,2;2,1", "--outlets",
                               "2", "--json", "--levels", csv.string()});
    ASSERT_NE(run.status, 2) << run.err;
    EXPECT_TRUE(Contains(run.out, "\"flats\": 6,")) << run.out;
    EXPECT_TRUE(Contains(run.out, "\"outlets\": 12,")) << run.out;
    EXPECT_TRUE(Contains(run.out, "\"TTomaTV\": 12")) << run.out;
    // A two-way splitter in each flat and five trunk splitters (four polarities and terrestrial) for
    // the two stairs, each line with an injector on line 0 of each stair.
    EXPECT_TRUE(Contains(run.out, "\"TRepartidor\": 11")) << run.out;
    EXPECT_TRUE(Contains(run.out, "\"TInyector\": 2")) << run.out;
    EXPECT_TRUE(Contains(run.out, "\"built\": true")) << run.out;
    const std::vector<std::string> rows = Lines(test::ReadFileBytes(csv));
    ASSERT_EQ(rows.size(), 13u);
    EXPECT_EQ(rows[0], "stair,floor,flat,outlet,worst_175MHz_dBuV,worst_470MHz_dBuV,worst_862MHz_dBuV,"
                       "worst_950MHz_dBuV,worst_1350MHz_dBuV,worst_1750MHz_dBuV,worst_2150MHz_dBuV,"
                       "received_175MHz_dBuV,received_470MHz_dBuV,received_862MHz_dBuV,received_950MHz_dBuV,"
                       "received_1350MHz_dBuV,received_1750MHz_dBuV,received_2150MHz_dBuV,"
                       "cn_175MHz_dB,cn_470MHz_dB,cn_862MHz_dB,cn_950MHz_dB,cn_1350MHz_dB,cn_1750MHz_dB,"
                       "cn_2150MHz_dB");
    EXPECT_TRUE(rows[1].starts_with("STAIR")) << rows[1];
    EXPECT_EQ(std::count(rows[1].begin(), rows[1].end(), ','), 24);

    // "--levels -": the same rows on standard output, the summary on standard error.
    const CliRun piped = RunNew(
        {"--stairs", "2", "--floors", "2", "--flats-matrix", "1,2;2,1", "--outlets", "2", "--levels", "-"});
    EXPECT_EQ(piped.out, test::ReadFileBytes(csv));
    EXPECT_TRUE(piped.err.starts_with("Building: 2 stairs")) << piped.err;
}

TEST(NewCommand, TerrestrialOffBuildsNoTerrestrialHeadend) {
    const CliRun on = RunNew({"--floors", "2", "--flats-per-floor", "2"});
    EXPECT_TRUE(Contains(on.out, "TCabeceraTerrestre")) << on.out;
    const CliRun off = RunNew({"--floors", "2", "--flats-per-floor", "2", "--set", "TERRESTRIAL_AMP=0"});
    EXPECT_NE(off.status, 2) << off.err;
    EXPECT_FALSE(Contains(off.out, "TCabeceraTerrestre")) << off.out;
    EXPECT_TRUE(Contains(off.out, "terrestrial off")) << off.out;
}

TEST(NewCommand, BadInputExitsWithTwoAndTheWizardsMessage) {
    const CliRun floors = RunNew({"--floors", "101", "--flats-per-floor", "1"});
    EXPECT_EQ(floors.status, 2);
    EXPECT_TRUE(Contains(floors.err, "Value must be between 1 and 100")) << floors.err;
    const CliRun total = RunNew({"--floors", "2", "--flats-per-floor", "2", "--flats", "5"});
    EXPECT_EQ(total.status, 2);
    EXPECT_TRUE(Contains(total.err, "The number of flats is 4. The valid value is 5")) << total.err;
    const CliRun key = RunNew({"--flats-per-floor", "1", "--set", "NOT_A_KEY=1"});
    EXPECT_EQ(key.status, 2);
}

TEST(NewCommand, AMissingCatalogueIsBadInput) {
    test::TempDir dir;
    const CliRun run =
        RunIxoCli({"--catalogue", dir.Path().string(), "new", "--flats-per-floor", "1"}, dir.Path());
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(Contains(run.err, "Unable to find database files")) << run.err;
    EXPECT_TRUE(Contains(run.err, "Tomas.bd (missing), Tomas.sb (missing)")) << run.err; // which files
}

// A file that cannot be written gives exit 3 and the system's reason, after the summary of what was built.
TEST(NewCommand, AFileThatCannotBeWrittenExitsWithThreeAfterTheSummary) {
    test::TempDir dir;
    const std::string missing = (dir / "no-such-folder" / "casa.XPJ").string();
    const CliRun save = RunNew({"--floors", "2", "--flats-per-floor", "2", "-o", missing});
    EXPECT_EQ(save.status, 3);
    EXPECT_TRUE(Contains(save.out, "Building: 1 stairs, 2 floors, 4 flats")) << save.out;
    EXPECT_EQ(save.err, "ixo-cli: cannot save " + missing + ": No such file or directory\n");

    std::filesystem::create_directory(dir / "levels.csv");
    const CliRun levels =
        RunNew({"--floors", "2", "--flats-per-floor", "2", "--levels", (dir / "levels.csv").string()});
    EXPECT_EQ(levels.status, 3);
    EXPECT_EQ(levels.err, "ixo-cli: cannot write " + (dir / "levels.csv").string() + ": Is a directory\n");
}

// Once the project cannot be saved, neither the levels nor the sheet is written: they would describe a
// file that is not there. The message says what was left unwritten.
TEST(NewCommand, AFailedSaveWritesNothingMore) {
    test::TempDir dir;
    const std::string missing = (dir / "no-such-folder" / "casa.XPJ").string();
    const std::string levels = (dir / "levels.csv").string();
    const std::string sheet = (dir / "sheet.svg").string();
    const CliRun run = RunNew(
        {"--floors", "2", "--flats-per-floor", "2", "-o", missing, "--levels", levels, "--export", sheet});
    EXPECT_EQ(run.status, 3);
    EXPECT_EQ(run.err, "ixo-cli: cannot save " + missing + ": No such file or directory\nixo-cli: " + levels +
                           " and " + sheet +
                           " not written: nothing more is written once the project cannot be "
                           "saved\n");
    EXPECT_FALSE(std::filesystem::exists(levels));
    EXPECT_FALSE(std::filesystem::exists(sheet));

    // Levels to standard output are left out as well.
    const CliRun toOutput =
        RunNew({"--floors", "2", "--flats-per-floor", "2", "-o", missing, "--levels", "-"});
    EXPECT_EQ(toOutput.status, 3);
    EXPECT_EQ(toOutput.out, "");
    EXPECT_TRUE(Contains(toOutput.err, "ixo-cli: the outlet levels not written")) << toOutput.err;
}

// A family given with --set must be in the catalogue.
TEST(NewCommand, AFamilyThatTheCatalogueLacksIsBadInput) {
    const CliRun run = RunNew({"--flats-per-floor", "1", "--set", "FAM_MS_CAS=4242"});
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(Contains(run.err, "--set FAM_MS_CAS=4242: the catalogue has no family 4242")) << run.err;
    EXPECT_NE(RunNew({"--flats-per-floor", "1", "--set", "FAM_MS_CAS=5001"}).status, 2); // a family it has
}

// A catalogue family without outlets gives a building of 0 outlets: that is never a success, and the
// report says what was not built (it once said "0 of 0 outlets out of limits" and exited 0).
TEST(NewCommand, PartsNotBuiltAreListedAndNeverPass) {
    const CliRun text = RunNew({"--floors", "2", "--flats-per-floor", "2", "--set", "OUTLETS_FAM=1003"});
    EXPECT_EQ(text.status, 1);
    EXPECT_TRUE(
        Contains(text.out, "Not built (element, 4x): no outlet model of family 1003 in the catalogue"))
        << text.out;
    EXPECT_TRUE(Contains(text.err, "the installation has no outlet")) << text.err;
    const CliRun json =
        RunNew({"--floors", "2", "--flats-per-floor", "2", "--set", "OUTLETS_FAM=1003", "--json"});
    EXPECT_EQ(json.status, 1);
    EXPECT_TRUE(Contains(json.out, "\"passes\": false")) << json.out;
    EXPECT_TRUE(Contains(json.out,
                         "{\"kind\": \"element\", \"what\": \"no outlet model of family 1003 in the "
                         "catalogue\", \"count\": 4, \"where\": \"FL1\"}"))
        << json.out;
    const CliRun good =
        RunNew({"--floors", "4", "--flats-per-floor", "4", "--outlets", "2", "--auto", "--json"});
    EXPECT_EQ(good.status, 0) << good.out;
    EXPECT_TRUE(Contains(good.out, "\"passes\": true,\n  \"notBuilt\": [],")) << good.out;
    const CliRun limits = RunNew({"--floors", "4", "--flats-per-floor", "4", "--outlets", "2"});
    EXPECT_TRUE(Contains(limits.out, "\nLimits: terrestrial 60.0-80.0 dBµV, satellite 50.0-70.0 dBµV\n"))
        << limits.out;
}

// A damaged index file is named with its record, by `catalogue check` (exit 1) and by `new`, which
// refuses to build from it (exit 2) instead of building a wrong project without a word.
TEST(NewCommand, ADamagedCatalogueIsNamedAndNotBuiltFrom) {
    test::TempDir dir;
    std::filesystem::copy(test::DemoCatalogueDirectory(), dir / "BD");
    test::WriteFileBytes(dir / "BD" / "Tomas.bd", std::string(236 * 3, '\x7f'));
    const CliRun check = RunIxoCli({"--catalogue", (dir / "BD").string(), "catalogue", "check"}, dir.Path());
    EXPECT_EQ(check.status, 1);
    EXPECT_TRUE(Contains(check.out, "damaged: Tomas.bd record 1: ")) << check.out;
    const CliRun built =
        RunIxoCli({"--catalogue", (dir / "BD").string(), "new", "--flats-per-floor", "2"}, dir.Path());
    EXPECT_EQ(built.status, 2);
    EXPECT_TRUE(Contains(built.err, "is damaged:\n  Tomas.bd record 1: ")) << built.err;
    EXPECT_EQ(built.out, "");
}

// "COMMAND --help" shows the command's help without its other arguments.
TEST(NewCommand, EveryCommandsHelpNeedsNoArguments) {
    for (const std::vector<std::string>& words :
         std::vector<std::vector<std::string>>{{"new", "--help"},
                                               {"check", "--help"},
                                               {"info", "-h"},
                                               {"resave", "--help"},
                                               {"catalogue", "models", "--help"},
                                               {"settings", "--help"}}) {
        const CliRun run = RunIxoCli(words, "/opt/ixo");
        EXPECT_EQ(run.status, 0) << words[0] << ": " << run.err;
        EXPECT_TRUE(run.out.starts_with("Usage: ixo-cli [OPTIONS] " + words[0])) << run.out;
    }
}

} // namespace
} // namespace ixo::cli
