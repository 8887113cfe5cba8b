#include "cli/cli_app.h"
#include "cli/commands.h"
#include "cli/settings_commands.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <sstream>

namespace ixo::cli {
namespace {

using test::TempDir;
using test::WriteFileBytes;

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

CliRun RunWith(const std::vector<std::string>& words, const std::filesystem::path& programDirectory) {
    static const CommandRegistry registry = BuildCommandRegistry();
    std::ostringstream out;
    std::ostringstream err;
    CliRun run;
    run.status = RunCli(words, registry, programDirectory, out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
}

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST(SettingsCommand, MissingFileShowsTheDefaultsAndSaysSo) {
    TempDir dir;
    const CliRun run = RunWith({"settings"}, dir.Path());
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    const std::string file = (dir / "Ixo.ini").string();
    EXPECT_EQ(run.out.rfind("; settings file: " + file + " (not found: built-in defaults)\n", 0), 0u)
        << run.out;
    EXPECT_TRUE(Contains(run.out, "\n[DISTANCE]\nD_STAIR=15 "));
    EXPECT_TRUE(Contains(run.out, "\n[HEADER LEVEL]\nLV_FI=80 "));
    EXPECT_TRUE(Contains(run.out, "TERRESTRIAL_AMP=1 "));
    EXPECT_TRUE(Contains(run.out, "[OUTLET_LEVELS]  ; built-in defaults\nLNUMBER=2\nLNAME1=TERR "));
    EXPECT_TRUE(Contains(run.out, "\n[DIRECTORIES]\nDIR_PJT="));
}

TEST(SettingsCommand, EveryKeyAppearsOnceWithTheFileValues) {
    TempDir dir;
    WriteFileBytes(dir / "custom.ini",
                   "[DISTANCE]\nD_STAIR=12,5\n[HEADER]\nTERRESTRIAL_AMP=0\n"
                   "[OUTLET_LEVELS]\nLNUMBER=2\nLNAME1=T\nLMIN1=61\nLMAX1=79\n"
                   "LNAME2=S\nLMIN2=51\nLMAX2=69,5\n[DIRECTORIES]\nDIR_PJT=/srv/obras/\n");
    const CliRun run = RunWith({"settings", "--settings", (dir / "custom.ini").string()}, "/nowhere");
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(Contains(run.out, (dir / "custom.ini").string() + " (found)"));
    EXPECT_TRUE(Contains(run.out, "D_STAIR=12.5 "));
    EXPECT_TRUE(Contains(run.out, "TERRESTRIAL_AMP=0 "));
    EXPECT_TRUE(Contains(run.out, "[OUTLET_LEVELS]\nLNUMBER=2\n"));
    EXPECT_TRUE(Contains(run.out, "LMAX2=69.5 "));
    EXPECT_TRUE(Contains(run.out, "DIR_PJT=/srv/obras/ "));
    for (std::string key :
         {"D_FLOOR", "SPLITTER_FAM", "AMP_FAM", "FINALCASCADEEL", "FAM_AMP_HD_8", "LV_TERR"}) {
        key = "\n" + key + "=";
        const auto first = run.out.find(key);
        EXPECT_NE(first, std::string::npos) << key;
        EXPECT_EQ(run.out.find(key, first + 1), std::string::npos) << key;
    }
}

TEST(SettingsCommand, BadDistanceIsWarnedAbout) {
    TempDir dir;
    WriteFileBytes(dir / "Ixo.ini", "[DISTANCE]\nD_STAIR=far\n");
    const CliRun run = RunWith({"settings"}, dir.Path());
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(Contains(run.err, "warning: a distance in"));
    EXPECT_TRUE(Contains(run.out, "D_STAIR=0 ")); // what the program would run with
    EXPECT_TRUE(Contains(run.out, "SPLITTER_FAM=0 "));
}

TEST(SettingsCommand, FolderInPlaceOfTheFile) {
    TempDir dir;
    std::filesystem::create_directory(dir / "Ixo.ini");
    const EffectiveSettings settings = LoadEffectiveSettings(dir / "Ixo.ini");
    EXPECT_EQ(settings.fileState, EffectiveSettings::FileState::NotAFile);
    EXPECT_EQ(settings.record, DefaultSettings());
}

TEST(CliApp, BadInputExitsWithTwoAndAHint) {
    TempDir dir;
    for (const std::vector<std::string>& words : std::vector<std::vector<std::string>>{
             {}, {"nonsense"}, {"--nonsense"}, {"settings", "extra"}, {"settings", "--settings"}}) {
        const CliRun run = RunWith(words, dir.Path());
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err.rfind("ixo-cli: ", 0), 0u) << run.err;
        EXPECT_TRUE(Contains(run.err, "\nTry 'ixo-cli --help' for more information.\n")) << run.err;
    }
}

TEST(CliApp, HelpListsTheCommandsAndVersionNamesTheProgram) {
    const CliRun help = RunWith({"--help"}, "/opt/ixo");
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("Usage: ixo-cli [OPTIONS] COMMAND [ARGUMENTS]\n", 0), 0u);
    EXPECT_TRUE(Contains(help.out, "\n  settings "));
    EXPECT_TRUE(Contains(help.out, "--catalogue DIR"));
    EXPECT_TRUE(Contains(help.out, "--settings FILE"));

    const CliRun commandHelp = RunWith({"settings", "-h"}, "/opt/ixo");
    EXPECT_EQ(commandHelp.status, 0);
    EXPECT_EQ(commandHelp.out.rfind("Usage: ixo-cli [OPTIONS] settings\n", 0), 0u);

    const CliRun version = RunWith({"--version"}, "/opt/ixo");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out.rfind("ixo-cli ", 0), 0u);
}

} // namespace
} // namespace ixo::cli
