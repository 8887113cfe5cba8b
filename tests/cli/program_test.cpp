// Runs the built ixo-cli program, as a user or a script would.
#include "cli/program_run.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace ixo {
namespace {

using test::Quoted;
using test::Result;
using test::RunProgram;

TEST(CliProgram, ExitStatuses) {
    EXPECT_EQ(RunProgram("--version").status, 0);
    EXPECT_EQ(RunProgram("--help").status, 0);
    const Result unknown = RunProgram("frobnicate");
    EXPECT_EQ(unknown.status, 2);
    EXPECT_EQ(unknown.out,
              "ixo-cli: unknown command 'frobnicate'\nTry 'ixo-cli --help' for more information.\n");
    EXPECT_EQ(RunProgram("settings --bogus").status, 2);
    EXPECT_EQ(RunProgram("settings --settings").status, 2);
    EXPECT_EQ(RunProgram("").status, 2);
}

TEST(CliProgram, SettingsBesideTheProgramByDefault) {
    const Result result = RunProgram("settings");
    EXPECT_EQ(result.status, 0);
    EXPECT_NE(result.out.find("; settings file: " + (test::BinDirectory() / "Ixo.ini").string()),
              std::string::npos)
        << result.out;
}

TEST(CliProgram, SettingsFromAFileWithAUtf8Name) {
    test::TempDir dir;
    const auto path = dir / "configuración.ini";
    test::WriteFileBytes(path, "[DISTANCE]\nD_FLOOR=2,75\n");
    const Result result = RunProgram("--settings " + Quoted(path.string()) + " settings");
    EXPECT_EQ(result.status, 0);
    EXPECT_NE(result.out.find(path.string() + " (found)"), std::string::npos) << result.out;
    EXPECT_NE(result.out.find("\nD_FLOOR=2.75\n"), std::string::npos) << result.out;
}

// The way a designer makes a settings file: the output of `settings`, saved and read back with
// --settings, builds the same building as the defaults (it once built one of 0 outlets that "passed").
TEST(CliProgram, ASettingsFileWrittenBySettingsBuildsTheSameBuilding) {
    test::TempDir dir;
    const auto path = dir / "my.ini";
    const Result written = RunProgram("--settings " + Quoted((dir / "none.ini").string()) + " settings > " +
                                      Quoted(path.string()));
    ASSERT_EQ(written.status, 0);
    const std::string building = "new --stairs 1 --floors 3 --flats-per-floor 2 --outlets 2";
    const Result withDefaults =
        RunProgram("--settings " + Quoted((dir / "none.ini").string()) + " " + building);
    const Result withFile = RunProgram("--settings " + Quoted(path.string()) + " " + building);
    EXPECT_EQ(withFile.status, withDefaults.status);
    EXPECT_EQ(withFile.out, withDefaults.out);
    EXPECT_NE(withFile.out.find("6 flats, 12 outlets"), std::string::npos) << withFile.out;
}

} // namespace
} // namespace ixo
