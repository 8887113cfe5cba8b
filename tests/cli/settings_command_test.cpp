#include "cli/cli_app.h"
#include "cli/commands.h"
#include "cli/settings_commands.h"
#include "settings/settings_keys.h"

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
    EXPECT_TRUE(Contains(run.out, "\n[DISTANCE]\n; distance between two adjacent stairs, m\nD_STAIR=15\n"));
    EXPECT_TRUE(
        Contains(run.out, "\n[HEADER LEVEL]\n; satellite IF level at the LNB outputs, dBµV\nLV_FI=80\n"));
    EXPECT_TRUE(Contains(run.out, "\nTERRESTRIAL_AMP=1\n"));
    EXPECT_TRUE(Contains(run.out, "[OUTLET_LEVELS]\n; built-in defaults\nLNUMBER=2\n"));
    EXPECT_TRUE(Contains(run.out, "\nLNAME1=TERR\n"));
    EXPECT_TRUE(Contains(run.out, "\n[DIRECTORIES]\n; project folder\nDIR_PJT="));
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
    EXPECT_TRUE(Contains(run.out, "\nD_STAIR=12.5\n"));
    EXPECT_TRUE(Contains(run.out, "\nTERRESTRIAL_AMP=0\n"));
    EXPECT_TRUE(Contains(run.out, "[OUTLET_LEVELS]\nLNUMBER=2\n"));
    EXPECT_TRUE(Contains(run.out, "\nLMAX2=69.5\n"));
    EXPECT_TRUE(Contains(run.out, "\nDIR_PJT=/srv/obras/\n"));
    for (std::string key :
         {"D_FLOOR", "SPLITTER_FAM", "AMP_FAM", "FINALCASCADEEL", "FAM_AMP_HD_8", "LV_TERR"}) {
        key = "\n" + key + "=";
        const auto first = run.out.find(key);
        EXPECT_NE(first, std::string::npos) << key;
        EXPECT_EQ(run.out.find(key, first + 1), std::string::npos) << key;
    }
}

// A value that cannot be read takes its default alone; the command says which file, line and key.
TEST(SettingsCommand, AValueThatIsNotANumberIsWarnedAboutAndTakesItsDefault) {
    TempDir dir;
    WriteFileBytes(dir / "Ixo.ini", "[DISTANCE]\nD_STAIR=far\n[TV_APARTMENTS]\nSPLITTER_FAM=1003\n");
    const CliRun run = RunWith({"settings"}, dir.Path());
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "ixo-cli: warning: " + (dir / "Ixo.ini").string() +
                           ":2: D_STAIR=far is not a number; the default 15 is used\n");
    EXPECT_TRUE(Contains(run.out, "\nD_STAIR=15\n")); // what the program runs with
    EXPECT_TRUE(Contains(run.out, "\nSPLITTER_FAM=1003\n"));
}

// The two switches are 0 or 1; each gets the value that is not its default.
bool IsSwitch(std::string_view key) {
    return key == "INJECTOR" || key == "FINALCASCADEEL";
}

int SwitchValue(std::string_view key) {
    return key == "INJECTOR" ? 0 : 1;
}

// What `settings` writes reads back exactly: every key set to a value of its own (none a default) comes
// out of a second reading of the first output unchanged, and the two outputs are the same.
TEST(SettingsCommand, ItsOutputReadsBackToTheSameValuesForEveryKey) {
    TempDir dir;
    std::string text;
    int value = 1;
    for (const SettingsSection& section : SettingsWriteOrder()) {
        text += "[" + std::string(section.name) + "]\n";
        for (std::string_view key : section.keys) {
            const SettingField& field = *FindSettingField(key);
            const bool real = field.kind == SettingKind::Distance || field.kind == SettingKind::Level;
            const std::string number = field.kind == SettingKind::Flag ? "0"
                                       : IsSwitch(key)                 ? std::to_string(SwitchValue(key))
                                       : real ? std::to_string(value++) + ",25" // within every range
                                              : std::to_string(100 + value++);
            text += std::string(key) + "=" + number + "\n";
        }
    }
    text += "[OUTLET_LEVELS]\nLNUMBER=2\nLNAME1=T\nLMIN1=61,5\nLMAX1=79\nLNAME2=S\nLMIN2=51\nLMAX2=69,5\n"
            "[DIRECTORIES]\nDIR_PJT=/srv/obras; 2026/\n";
    WriteFileBytes(dir / "first.ini", text);
    const CliRun first = RunWith({"settings", "--settings", (dir / "first.ini").string()}, "/nowhere");
    ASSERT_EQ(first.status, 0);
    EXPECT_EQ(first.err, "");
    WriteFileBytes(dir / "second.ini", first.out);
    const CliRun second = RunWith({"settings", "--settings", (dir / "second.ini").string()}, "/nowhere");
    EXPECT_EQ(second.err, "");
    const auto body = [](const std::string& out) { return out.substr(out.find('\n')); };
    EXPECT_EQ(body(second.out), body(first.out));

    SettingsRecord expected;
    value = 1;
    for (const SettingsSection& section : SettingsWriteOrder()) {
        for (std::string_view key : section.keys) {
            const SettingField& field = *FindSettingField(key);
            std::visit(
                [&](auto member) {
                    using Value = std::remove_reference_t<decltype(expected.*member)>;
                    if constexpr (std::is_same_v<Value, bool>) {
                        expected.*member = false;
                    } else if constexpr (std::is_same_v<Value, double>) {
                        expected.*member = value + 0.25;
                        ++value;
                    } else if (IsSwitch(key)) {
                        expected.*member = SwitchValue(key);
                    } else {
                        expected.*member = static_cast<Value>(100 + value);
                        ++value;
                    }
                },
                field.member);
        }
    }
    const EffectiveSettings back = LoadEffectiveSettings(dir / "second.ini");
    EXPECT_EQ(back.record, expected);
    EXPECT_TRUE(back.problems.empty());
    EXPECT_TRUE(back.limitsFromFile);
    EXPECT_EQ(back.limits[0].minimum, 61.5);
    EXPECT_EQ(back.limits[1].maximum, 69.5);
    EXPECT_EQ(back.limits[0].name, "T");
    EXPECT_EQ(back.projectDirectory, "/srv/obras; 2026/");
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
