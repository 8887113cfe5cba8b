#include "cli/cli_run.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace ixo::cli {
namespace {

using test::CliRun;
using test::Contains;
using test::RunIxoCli;

using test::RunCommand;

std::string FileText(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

// One stair, one floor, one flat with one outlet, trunk layout: the terminal MT-504 of floor 1 is
// "MultiswitchRe1" in the project's network.
class EditCommand : public ::testing::Test {
protected:
    void SetUp() override {
        const CliRun made = RunCommand({"new", "--stairs", "1", "--floors", "1", "--flats-per-floor", "1",
                                        "--outlets", "1", "-o", project.string()});
        ASSERT_NE(made.status, 2) << made.err;
    }
    test::TempDir dir;
    std::filesystem::path project = dir / "house.XPJ";
    std::filesystem::path edited = dir / "edited.XPJ";
};

TEST_F(EditCommand, InfoListsElementsWithAddressesAndConnections) {
    const CliRun info = RunCommand({"info", project.string(), "--elements"});
    EXPECT_NE(info.status, 2) << info.err;
    EXPECT_TRUE(Contains(info.out, "  MultiswitchRe1  TMultiswitch  5001  MT-504  STAIR1 FLOOR1\n"))
        << info.out;
    EXPECT_TRUE(Contains(info.out, "    in3 A  <-  CabeceraTerrestreRe1 out1 A  CX-101  3.00\n")) << info.out;
    // Elements inside flats are addressed by their path below the project.
    EXPECT_TRUE(Contains(
        info.out, "    tap1 A  ->  Edificio=viviendaEd1=PadreTVvi1=entradavivPa1 in1 A  CX-68  10.00\n"))
        << info.out;
    EXPECT_TRUE(Contains(info.out,
                         "  Edificio=viviendaEd1=PadreTVvi1=entradavivPa1  Tentradaviv  100000  PAU-1  "
                         "STAIR1 FLOOR1 FL1\n"))
        << info.out;
}

TEST_F(EditCommand, InsertsALineAmplifierRegulatesItAndSaves) {
    const std::filesystem::path script = dir / "edits.txt";
    std::ofstream(script) << "# in front of the floor multiswitch\n"
                             "line-amp MultiswitchRe1 100\n"
                             "\n"
                             "gain LinAmpRe1 G_SAT1 50\n"
                             "mode LinAmpRe1 2\n";
    const CliRun run =
        RunCommand({"edit", project.string(), "-o", edited.string(), "--script", script.string()});
    ASSERT_NE(run.status, 2) << run.err;
    EXPECT_TRUE(Contains(run.out, "  TLinAmp                    1\n")) << run.out;
    const CliRun info = RunCommand({"info", edited.string(), "--elements"});
    EXPECT_TRUE(Contains(info.out, "  LinAmpRe1  TLinAmp  4002  AL-5  STAIR1 FLOOR1\n")) << info.out;
    EXPECT_TRUE(Contains(info.out, "    out1 B  ->  MultiswitchRe1 in1 B  CX-68  0.50\n")) << info.out;
    // The edited file reads back: check reports what edit reported.
    const CliRun check = RunCommand({"check", edited.string()});
    EXPECT_EQ(check.out, run.out);
}

// An amplifier inside the flat, addressed by one of its outlets; removed again with remove, by its path.
TEST_F(EditCommand, AFlatAmplifierGoesInAndOutAndTheFileReadsBack) {
    const CliRun run = RunCommand({"edit", project.string(), "-o", edited.string(), "--do",
                                   "flat-amp Edificio=viviendaEd1=PadreTVvi1=TomaTVPa1 101"});
    ASSERT_NE(run.status, 2) << run.err;
    EXPECT_TRUE(Contains(run.out, "  TLinAmp                    1\n")) << run.out;
    const CliRun info = RunCommand({"info", edited.string(), "--elements"});
    EXPECT_TRUE(Contains(
        info.out, "  Edificio=viviendaEd1=PadreTVvi1=LinAmpPa1  TLinAmp  39000  AV-20  STAIR1 FLOOR1 FL1\n"))
        << info.out;
    EXPECT_TRUE(Contains(info.out, "    in1 A  <-  Edificio=viviendaEd1=PadreTVvi1=entradavivPa1 out1 A"))
        << info.out;
    EXPECT_EQ(RunCommand({"check", edited.string()}).out, run.out);
    // A second one in the same flat, one outside a flat, a model the family lacks: refused.
    const struct {
        std::filesystem::path source;
        std::string command;
        std::string reason;
    } refusals[] = {
        {edited, "flat-amp Edificio=viviendaEd1=PadreTVvi1=TomaTVPa1 102",
         "the flat has an amplifier already"},
        {project, "flat-amp MultiswitchRe1 101", "MultiswitchRe1: is not inside a flat"},
        {project, "flat-amp Edificio=viviendaEd1=PadreTVvi1=TomaTVPa1 7 39000",
         "the family 39000 has no model 7"},
    };
    for (const auto& refusal : refusals) {
        const CliRun refused = RunCommand(
            {"edit", refusal.source.string(), "-o", (dir / "refused.XPJ").string(), "--do", refusal.command});
        EXPECT_EQ(refused.status, 2) << refusal.command;
        EXPECT_TRUE(Contains(refused.err, refusal.reason)) << refusal.command << "\n" << refused.err;
    }
    const std::filesystem::path removed = dir / "removed.XPJ";
    const CliRun out = RunCommand({"edit", edited.string(), "-o", removed.string(), "--do",
                                   "remove Edificio=viviendaEd1=PadreTVvi1=LinAmpPa1"});
    ASSERT_NE(out.status, 2) << out.err;
    EXPECT_FALSE(Contains(out.out, "TLinAmp")) << out.out;
    EXPECT_EQ(out.out, RunCommand({"check", project.string()}).out);
}

TEST_F(EditCommand, ARefusedEditNamesTheElementAndSavesNothing) {
    const std::string before = FileText(project);
    const CliRun run = RunCommand({"edit", project.string(), "-o", edited.string(), "--do",
                                   "line-amp MultiswitchRe1 100", "--do", "replace MultiswitchRe1 5001 1"});
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(Contains(run.err, "--do 2: refused: MultiswitchRe1: the element is that model already"))
        << run.err;
    EXPECT_FALSE(std::filesystem::exists(edited));
    EXPECT_EQ(FileText(project), before);
}

TEST_F(EditCommand, BadCommandsAreUsageErrors) {
    for (const std::vector<std::string>& words : {std::vector<std::string>{"--do", "fly MultiswitchRe1"},
                                                  {"--do", "line-amp NoSuchElement 100"},
                                                  {"--do", "length MultiswitchRe1 lots"},
                                                  {"--do", "replace MultiswitchRe1 5001"},
                                                  {"--do", "flats 3 ring"},
                                                  {"--do", "gain MultiswitchRe1 G_SAT1 150"},
                                                  {"--script", "/nonexistent/edits"}}) {
        std::vector<std::string> arguments = {"edit", project.string(), "-o", edited.string()};
        arguments.insert(arguments.end(), words.begin(), words.end());
        const CliRun run = RunCommand(arguments);
        EXPECT_EQ(run.status, 2) << words.back();
        EXPECT_FALSE(run.err.empty());
        EXPECT_FALSE(std::filesystem::exists(edited));
    }
    EXPECT_EQ(RunCommand({"edit", project.string(), "--do", "undo"}).status, 2); // no -o
}

TEST_F(EditCommand, HelpDocumentsTheCommands) {
    const CliRun help = RunCommand({"edit", "--help"});
    EXPECT_EQ(help.status, 0);
    for (const char* verb :
         {"replace ELEMENT FAMILY MODEL", "length ELEMENT METRES", "line-amp ELEMENT MODEL", "headend-amps",
          "remove ELEMENT", "flat-amp ELEMENT MODEL", "control ELEMENT SLIDER POSITION", "mode ELEMENT N",
          "attenuator ELEMENT N", "flats OUTLETS star|cascade", "cable KIND MODEL", "title LINE TEXT",
          "title-size", "title-visible", "undo"}) {
        EXPECT_TRUE(Contains(help.out, verb)) << verb;
    }
}

TEST_F(EditCommand, FlatsAndUndo) {
    const CliRun run = RunCommand({"edit", project.string(), "-o", edited.string(), "--do", "flats 3 cascade",
                                   "--do", "flats 2 star STAIR1/FLOOR1/FL1", "--do", "undo"});
    ASSERT_NE(run.status, 2) << run.err;
    // The second command (two outlets in the one flat) is undone: three outlets remain.
    EXPECT_TRUE(Contains(run.out, "1 flats, 3 outlets")) << run.out;
    EXPECT_TRUE(Contains(run.out, "  TTomaTV                    3\n")) << run.out;
}

TEST_F(EditCommand, TitleCommandsFillTheTitleBlockThatTheSheetShows) {
    const CliRun run = RunCommand({"edit", project.string(), "-o", edited.string(), "--do",
                                   "title 2 Ann  Smith", "--do", "title 8 Block A riser plan", "--do",
                                   "title 10 wrong", "--do", "undo", "--do", "title-size 120 40"});
    ASSERT_NE(run.status, 2) << run.err;
    const std::filesystem::path sheet = dir / "sheet.svg";
    const CliRun exported = RunCommand({"export", edited.string(), "-o", sheet.string()});
    ASSERT_EQ(exported.status, 0) << exported.err;
    const std::string svg = FileText(sheet);
    EXPECT_TRUE(Contains(svg, "Ann Smith")) << "words are joined by one blank";
    EXPECT_TRUE(Contains(svg, "Block A riser plan"));
    EXPECT_FALSE(Contains(svg, "wrong")) << "the undone line is gone";
    EXPECT_TRUE(Contains(svg, "Author:")) << "the captions stay";
    // Hidden, the block leaves the sheet.
    const std::filesystem::path hidden = dir / "hidden.XPJ";
    ASSERT_NE(RunCommand({"edit", edited.string(), "-o", hidden.string(), "--do", "title-visible no"}).status,
              2);
    ASSERT_EQ(RunCommand({"export", hidden.string(), "-o", sheet.string()}).status, 0);
    EXPECT_FALSE(Contains(FileText(sheet), "Ann Smith"));
    for (const char* bad : {"title 0 x", "title 11 x", "title two x", "title", "title-size 0 40",
                            "title-size 90", "title-visible maybe"}) {
        EXPECT_EQ(RunCommand({"edit", project.string(), "-o", hidden.string(), "--do", bad}).status, 2)
            << bad;
    }
}

// Every edit naming a model refuses one its family or table lacks, and one of another kind; a line
// amplifier goes in front of a floor element only. Each refusal exits 2 and saves nothing.
TEST_F(EditCommand, EditsNamingAModelTheCatalogueLacksOrOfAnotherKindAreRefused) {
    const std::pair<std::string, std::string> refused[] = {
        {"line-amp MultiswitchRe1 99", "MultiswitchRe1: the amplifier table has no model 99"},
        {"line-amp MultiswitchRe1 41000", "the amplifier table has no model 41000"},
        {"line-amp MultiswitchRe1 1", "AFI-440 (amplifier 1) is not a line amplifier for the riser"},
        {"line-amp Edificio=viviendaEd1=PadreTVvi1=entradavivPa1 100",
         "a line amplifier goes in front of an element of a floor, not inside a flat"},
        {"replace MultiswitchRe1 5001 99", "the catalogue has no model 99 in family 5001"},
        {"replace CabeceraTerrestreRe1 5001 2",
         "model 2 of family 5001 is a TMultiswitch: a TCabeceraTerrestre is replaced only by another "
         "TCabeceraTerrestre"},
        {"replace Edificio=viviendaEd1=PadreTVvi1=TomaTVPa1 1002 101", "is replaced only by another TTomaTV"},
        {"headend-amps MultiswitchRe1 4930 1 headend",
         "the catalogue has no headend amplifier 1 in family 4930"},
    };
    for (const auto& [command, reason] : refused) {
        const CliRun run = RunCommand({"edit", project.string(), "-o", edited.string(), "--do", command});
        EXPECT_EQ(run.status, 2) << command << "\n" << run.out;
        EXPECT_TRUE(Contains(run.err, reason)) << command << "\n" << run.err;
        EXPECT_TRUE(Contains(run.err, "nothing was saved")) << run.err;
        EXPECT_FALSE(std::filesystem::exists(edited)) << command;
    }
}

// An edit that makes or removes something and changes nothing is refused; one that sets a value already
// in place is what was asked: it saves, and says that nothing changed.
TEST_F(EditCommand, EditsThatChangeNothingAreRefusedSettingsInPlaceAreNoted) {
    const std::filesystem::path tall = dir / "tall.XPJ";
    ASSERT_NE(
        RunCommand({"new", "--stairs", "1", "--floors", "2", "--flats-per-floor", "1", "-o", tall.string()})
            .status,
        2);
    const std::string elements = RunCommand({"info", tall.string(), "--elements"}).out;
    ASSERT_TRUE(Contains(elements, "    in1 B  <-  MultiswitchRe2 out1 B")) << elements;
    // The lower multiswitch is fed by the upper one: no headend amplifier to remove.
    CliRun run = RunCommand(
        {"edit", tall.string(), "-o", edited.string(), "--do", "remove-headend-amps MultiswitchRe1"});
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(Contains(run.err, "MultiswitchRe1: no headend amplifier feeds the multiswitch")) << run.err;
    EXPECT_FALSE(std::filesystem::exists(edited));
    // Every dish already feeds its headend amplifier.
    run = RunCommand(
        {"edit", tall.string(), "-o", edited.string(), "--do", "headend-amps MultiswitchRe1 4925 1 headend"});
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(Contains(run.err, "every dish of the floor already feeds an amplifier")) << run.err;
    EXPECT_FALSE(std::filesystem::exists(edited));

    // The AL-5 starts in mode 1: setting it is noted, and the edit is saved.
    run = RunCommand({"edit", tall.string(), "-o", edited.string(), "--do", "line-amp MultiswitchRe1 100",
                      "--do", "mode LinAmpRe1 1"});
    EXPECT_NE(run.status, 2) << run.err;
    EXPECT_TRUE(Contains(run.err, "--do 2: LinAmpRe1: it is in mode 1 already: nothing changed")) << run.err;
    EXPECT_TRUE(std::filesystem::exists(edited));
}

// The documented example: the cascade building of the README, out of limits at every outlet as built,
// is brought within the outlet limits by the edits of docs/examples (amplifiers, regulation, tap losses).
TEST(EditExample, TheCascadeBuildingIsBroughtWithinTheLimits) {
    test::TempDir dir;
    const std::filesystem::path built = dir / "c.XPJ";
    const std::filesystem::path edited = dir / "c-edited.XPJ";
    const CliRun made =
        RunCommand({"new", "--stairs", "3", "--floors", "10", "--flats-per-floor", "2", "--outlets", "4",
                    "--distribution", "cascade", "--polarities", "12", "-o", built.string()});
    ASSERT_EQ(made.status, 1) << made.err;
    EXPECT_TRUE(Contains(made.out, "Outlets out of limits: 240 of 240")) << made.out;
    const std::filesystem::path script =
        std::filesystem::path(IXO_SOURCE_DIR) / "docs" / "examples" / "cascade-3x10-12pol.edits";
    const CliRun run =
        RunCommand({"edit", built.string(), "-o", edited.string(), "--script", script.string()});
    EXPECT_TRUE(Contains(run.out, "Outlets out of limits: 0 of 240")) << run.out;
    // Every outlet is within its limits, but the amplification the edits chose drives the multiswitches
    // nearest the amplifiers past their maximum input level: the overdrive check says so, and neither
    // the edit nor a later check reports success.
    EXPECT_TRUE(Contains(run.out, "Overdrive: ")) << run.out;
    EXPECT_EQ(run.status, 1) << run.err << run.out;
    EXPECT_EQ(RunCommand({"check", edited.string()}).status, 1);
}

// Once the edited project cannot be saved, the levels are not written either, and the message says so.
TEST_F(EditCommand, AFailedSaveWritesNoLevels) {
    const std::string missing = (dir / "no-such-folder" / "edited.XPJ").string();
    const std::string levels = (dir / "levels.csv").string();
    const CliRun run = RunCommand(
        {"edit", project.string(), "-o", missing, "--levels", levels, "--do", "length MultiswitchRe1 4"});
    EXPECT_EQ(run.status, 3);
    EXPECT_EQ(run.err,
              "ixo-cli: cannot save " + missing + ": No such file or directory\nixo-cli: " + levels +
                  " was not written either: nothing more is written once the project cannot be saved\n");
    EXPECT_FALSE(std::filesystem::exists(levels));
}

} // namespace
} // namespace ixo::cli
