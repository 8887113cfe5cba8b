#include "cli/cli_run.h"

#include "cli/design_command.h"
#include "design/auto_regulation.h"
#include "design/design_result_text.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace ixo::cli {
namespace {

using test::CliRun;
using test::Contains;
using test::RunIxoCli;

using test::RunCommand;

// One stair of 15 floors with one flat of one outlet each: out of limits as built, passing with one
// line amplifier and regulation.
std::vector<std::string> LongRiser(std::vector<std::string> words) {
    words.insert(words.begin() + 1,
                 {"--stairs", "1", "--floors", "15", "--flats-per-floor", "1", "--outlets", "1"});
    return words;
}

TEST(DesignCommand, DesignsASavedProjectAndListsWhatItChanged) {
    test::TempDir dir;
    const std::filesystem::path built = dir / "riser.XPJ";
    const std::filesystem::path designed = dir / "designed.XPJ";
    const CliRun made = RunCommand(LongRiser({"new", "-o", built.string()}));
    ASSERT_EQ(made.status, 1) << made.out << made.err; // out of limits as built
    const CliRun run = RunCommand({"design", built.string(), "-o", designed.string()});
    EXPECT_EQ(run.status, 0) << run.out << run.err;
    EXPECT_TRUE(Contains(run.out, "Amplifiers inserted: 1\n")) << run.out;
    EXPECT_TRUE(Contains(run.out, "(AL-5S) in front of MultiswitchRe")) << run.out;
    EXPECT_TRUE(Contains(run.out, " % -> ")) << run.out;
    EXPECT_TRUE(Contains(run.out, "Outlets out of limits: 0 of 15")) << run.out;
    // The result is an ordinary project: check reads it back and passes.
    const CliRun check = RunCommand({"check", designed.string()});
    EXPECT_EQ(check.status, 0) << check.out << check.err;

    // Regulation alone cannot serve it, and says which outlets and why.
    const CliRun regulated = RunCommand({"design", built.string(), "--regulate", "-o", designed.string()});
    EXPECT_EQ(regulated.status, 1) << regulated.out;
    EXPECT_TRUE(Contains(regulated.out, "Amplifiers inserted: 0\n")) << regulated.out;
    EXPECT_TRUE(Contains(regulated.out, "Outlets that cannot be served: ")) << regulated.out;
    EXPECT_TRUE(Contains(regulated.out, "(amplifiers were not allowed)")) << regulated.out;
}

TEST(DesignCommand, NewAutoBuildsAPassingDesign) {
    test::TempDir dir;
    const CliRun run = RunCommand(LongRiser({"new", "--auto", "-o", (dir / "auto.XPJ").string()}));
    EXPECT_EQ(run.status, 0) << run.out << run.err;
    EXPECT_TRUE(Contains(run.out, "Amplifiers inserted: 1\n")) << run.out;
}

// Without a terrestrial headend nothing powers the IF lines of a single stair: the MT-504 at the foot
// of the cascade (220 mA) is listed and check fails although the outlets may pass.
TEST(DesignCommand, CheckListsAnUnpoweredMultiswitchAndFails) {
    test::TempDir dir;
    const std::filesystem::path built = dir / "dry.XPJ";
    RunCommand({"new", "--stairs", "1", "--floors", "3", "--flats-per-floor", "1", "--set",
                "TERRESTRIAL_AMP=0", "-o", built.string()});
    const CliRun check = RunCommand({"check", built.string()});
    EXPECT_EQ(check.status, 1) << check.out << check.err;
    EXPECT_TRUE(Contains(check.out, "Powering: ")) << check.out;
    EXPECT_TRUE(Contains(check.out, "(MT-504) draws 220 mA and no supply, injector or powered line feeds it"))
        << check.out;
}

// Controls of one element that share a caption are listed apart when they moved differently, together
// (naming their sliders) when they moved alike; the terrestrial headend's level keeps its unit.
TEST(DesignCommand, ControlsThatMovedDifferentlyGetALineEach) {
    auto change = [](std::string slider, double after) {
        ControlChange c;
        c.element = "MultiswitchRe1";
        c.model = "M8-04";
        c.control = "SAT";
        c.slider = std::move(slider);
        c.before = 50.0;
        c.after = after;
        return c;
    };
    ControlChange level;
    level.element = "CabeceraTerrestreRe1";
    level.model = "CT-120";
    level.control = "level";
    level.unit = "dBµV";
    level.before = 110.0;
    level.after = 104.34;
    const std::vector<std::string> lines =
        ControlChangeLines({change("G_SAT1", 56.4), change("G_SAT2", 52.0), change("G_SAT3", 52.0),
                            change("G_SAT4", 52.0), level});
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "MultiswitchRe1 (M8-04) SAT G_SAT1: 50.0 % -> 56.4 %");
    EXPECT_EQ(lines[1], "MultiswitchRe1 (M8-04) SAT G_SAT2, G_SAT3, G_SAT4: 50.0 % -> 52.0 %");
    EXPECT_EQ(lines[2], "CabeceraTerrestreRe1 (CT-120) level: 110.0 dBµV -> 104.3 dBµV");
}

// The README's cascade building (3 stairs of 10 floors, two flats of four cascade outlets a floor, 12
// polarities): every outlet out of limits as built, and an active terminal multiswitch at each riser's end
// whose input maximum holds the riser down. The design puts passive cascadables at every riser's end,
// line amplifiers on every stair and passes, with the default limits and with EN 60728-1; the saved projects
// reopen with check and pass, with nothing overdriven or unpowered.
TEST(DesignCommand, TheCascadeBuildingPassesWithTheDefaultLimitsAndWithTheStandard) {
    test::TempDir dir;
    for (const bool standard : {false, true}) {
        const std::filesystem::path designed = dir / (standard ? "en.XPJ" : "default.XPJ");
        std::vector<std::string> words = {
            "new", "--stairs",  "3",  "--floors",       "10",      "--flats-per-floor",
            "2",   "--outlets", "4",  "--distribution", "cascade", "--polarities",
            "12",  "--auto",    "-o", designed.string()};
        if (standard) {
            words.insert(words.end(), {"--standard", "EN60728-1"});
        }
        const CliRun run = RunCommand(words);
        EXPECT_EQ(run.status, 0) << run.out << run.err;
        EXPECT_TRUE(Contains(run.out, "Riser ends changed: 3\n")) << run.out;
        EXPECT_TRUE(Contains(run.out, "(MT-504) -> MC-504-13, STAIR1 FLOOR1")) << run.out;
        for (const char* stair : {"STAIR1", "STAIR2", "STAIR3"}) {
            // A line "LinAmpRe4 (AL-5S) in front of MultiswitchRe46, STAIR2 FLOOR6" for every stair.
            bool amplified = false;
            std::size_t at = 0;
            while ((at = run.out.find("(AL-5S) in front of ", at)) != std::string::npos) {
                const std::size_t end = run.out.find('\n', at);
                amplified =
                    amplified || run.out.substr(at, end - at).find(std::string(", ") + stair + " FLOOR") !=
                                     std::string::npos;
                at = end;
            }
            EXPECT_TRUE(amplified) << stair << "\n" << run.out;
        }
        EXPECT_TRUE(Contains(run.out, "Outlets out of limits: 0 of 240")) << run.out;
        const CliRun check = RunCommand({"check", designed.string()});
        EXPECT_EQ(check.status, 0) << check.out;
        EXPECT_TRUE(Contains(check.out, "Outlets out of limits: 0 of 240")) << check.out;
        EXPECT_FALSE(Contains(check.out, "Overdrive:")) << check.out;
        EXPECT_FALSE(Contains(check.out, "Powering:")) << check.out;
        EXPECT_TRUE(Contains(check.out, "Verdict: passes")) << check.out;
    }
}

// More shapes a designer meets, each out of limits as built, pass the design and reopen with check:
// a 4 x 8 x 2 x 2 cascade building (4 polarities), a 6 x 5 x 6 x 2 star building (12 polarities) with the
// default limits, a 2 x 20 x 4 x 4 star building (8 polarities, active multiswitches whose input
// maxima bind) with EN 60728-1, and two stand-alone star buildings (2 x 5 x 6 x 2, 4 polarities;
// 8 x 2 x 6 x 1, 12 polarities).
TEST(DesignCommand, RealisticShapesPassTheDesignAndTheCheck) {
    test::TempDir dir;
    const std::vector<std::vector<std::string>> shapes = {
        {"--stairs", "4", "--floors", "8", "--flats-per-floor", "2", "--outlets", "2", "--distribution",
         "cascade"},
        {"--stairs", "6", "--floors", "5", "--flats-per-floor", "6", "--outlets", "2", "--polarities", "12"},
        {"--stairs", "2", "--floors", "20", "--flats-per-floor", "4", "--outlets", "4", "--polarities", "8",
         "--standard", "EN60728-1"},
        // Stand-alone: the headend multiswitches feed the flats through the floor cable, which the
        // design takes of lower loss; with 12 polarities the dishes feed the multiswitches' splitters
        // straight until the design puts headend amplifiers in front of them.
        {"--stairs", "2", "--floors", "5", "--flats-per-floor", "6", "--outlets", "2", "--polarities", "4",
         "--topology", "standalone"},
        {"--stairs", "8", "--floors", "2", "--flats-per-floor", "6", "--outlets", "1", "--polarities", "12",
         "--topology", "standalone"}};
    int n = 0;
    for (const std::vector<std::string>& shape : shapes) {
        const std::filesystem::path built = dir / ("built" + std::to_string(n) + ".XPJ");
        const std::filesystem::path designed = dir / ("designed" + std::to_string(n++) + ".XPJ");
        std::vector<std::string> words = {"new"};
        words.insert(words.end(), shape.begin(), shape.end());
        words.insert(words.end(), {"-o", built.string()});
        const CliRun made = RunCommand(words);
        EXPECT_EQ(made.status, 1) << made.out << made.err; // out of limits as built
        words.insert(words.end() - 2, "--auto");
        words.back() = designed.string();
        const CliRun run = RunCommand(words);
        EXPECT_EQ(run.status, 0) << run.out << run.err;
        const CliRun check = RunCommand({"check", designed.string()});
        EXPECT_EQ(check.status, 0) << check.out;
        EXPECT_TRUE(Contains(check.out, "Verdict: passes")) << check.out;
        if (std::find(shape.begin(), shape.end(), "standalone") != shape.end()) {
            EXPECT_TRUE(Contains(run.out, "Cable changed: floor cable (CX-68) -> CX-110E")) << run.out;
        }
        if (std::find(shape.begin(), shape.end(), "12") != shape.end() &&
            std::find(shape.begin(), shape.end(), "standalone") != shape.end()) {
            EXPECT_TRUE(Contains(run.out, "(AFI-440) in front of ")) << run.out;
            EXPECT_TRUE(Contains(check.out, "  TAmpliHeader               3\n")) << check.out;
        }
    }
}

TEST(DesignCommand, DesignNeedsAnOutput) {
    test::TempDir dir;
    const CliRun run = RunCommand({"design", (dir / "none.XPJ").string()});
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(Contains(run.err, "-o")) << run.err;
}

} // namespace
} // namespace ixo::cli
