#include "cli/cli_run.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <sstream>

namespace ixo::cli {
namespace {

using test::CliRun;
using test::Contains;
using test::RunIxoCli;

using test::RunCommand;

class ProjectCommands : public ::testing::Test {
protected:
    void SetUp() override {
        const CliRun made = RunCommand({"new", "--stairs", "2", "--floors", "3", "--flats-per-floor", "2",
                                        "--outlets", "2", "-o", project.string()});
        ASSERT_NE(made.status, 2) << made.err;
        ASSERT_TRUE(std::filesystem::exists(project));
        summary = made.out;
    }
    test::TempDir dir;
    std::filesystem::path project = dir / "house.XPJ";
    std::string summary;
};

TEST_F(ProjectCommands, InfoAndCheckReportWhatNewBuilt) {
    const CliRun info = RunCommand({"info", project.string()});
    EXPECT_NE(info.status, 2) << info.err;
    EXPECT_TRUE(Contains(info.out, "Format: 222, Ixo ")) << info.out;
    EXPECT_TRUE(Contains(info.out, "Building: 2 stairs, 3 floors, 12 flats, 24 outlets (star)")) << info.out;
    const CliRun check = RunCommand({"check", project.string()});
    // The opened project is recalculated: the same elements and the same outlets out of limits.
    EXPECT_EQ(check.out, summary);
    const CliRun json = RunCommand({"check", project.string(), "--json"});
    EXPECT_TRUE(Contains(json.out, "\"outlets\": 24,")) << json.out;
}

TEST_F(ProjectCommands, ResaveWritesTheSameBytes) {
    const std::filesystem::path copy = dir / "copy.XPJ";
    const CliRun run = RunCommand({"resave", project.string(), copy.string()});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(test::ReadFileBytes(copy), test::ReadFileBytes(project));
}

// A design whose build left parts out is saved with them: checking the file lists them as new did and
// never passes, and resaving keeps them.
TEST_F(ProjectCommands, PartsNotBuiltAreListedWhenTheSavedProjectIsChecked) {
    const std::filesystem::path partial = dir / "partial.XPJ";
    const CliRun made = RunCommand({"new", "--floors", "2", "--flats-per-floor", "2", "--set",
                                    "OUTLETS_FAM=1003", "-o", partial.string()});
    EXPECT_EQ(made.status, 1);
    const std::string notBuilt = "Not built (element, 4x): no outlet model of family 1003 in the catalogue";
    ASSERT_TRUE(Contains(made.out, notBuilt)) << made.out;
    const CliRun check = RunCommand({"check", partial.string()});
    EXPECT_EQ(check.status, 1);
    EXPECT_TRUE(Contains(check.out, notBuilt)) << check.out;
    EXPECT_EQ(check.out, made.out);
    const CliRun json = RunCommand({"check", partial.string(), "--json"});
    EXPECT_EQ(json.status, 1);
    EXPECT_TRUE(Contains(json.out, "\"passes\": false")) << json.out;
    EXPECT_TRUE(Contains(json.out, "\"count\": 4, \"where\": \"FL1\"}")) << json.out;
    const std::filesystem::path copy = dir / "partial-copy.XPJ";
    EXPECT_EQ(RunCommand({"resave", partial.string(), copy.string()}).status, 0);
    EXPECT_EQ(test::ReadFileBytes(copy), test::ReadFileBytes(partial));
    // The project built whole has no such record: its check passes or fails on levels alone.
    EXPECT_FALSE(Contains(RunCommand({"check", project.string()}).out, "Not built"));
}

TEST_F(ProjectCommands, FilesThatAreNotProjectsAreBadInput) {
    std::string bytes = test::ReadFileBytes(project);
    bytes[0] = static_cast<char>(223); // format number 223: a newer program's file
    const std::filesystem::path newer = dir / "newer.XPJ";
    test::WriteFileBytes(newer, bytes);
    const CliRun newerRun = RunCommand({"check", newer.string()});
    EXPECT_EQ(newerRun.status, 2);
    EXPECT_TRUE(Contains(newerRun.err, "To open the file is needed the version ")) << newerRun.err;

    const std::filesystem::path foreign = dir / "notes.XPJ";
    test::WriteFileBytes(foreign, "this is not a project");
    const CliRun foreignRun = RunCommand({"info", foreign.string()});
    EXPECT_EQ(foreignRun.status, 2);
    EXPECT_TRUE(Contains(foreignRun.err, "This file is not a Ixo project (the header")) << foreignRun.err;

    // A project cut short names the record it ends in and what is missing.
    const std::string whole = test::ReadFileBytes(project);
    const std::filesystem::path cut = dir / "cut.XPJ";
    test::WriteFileBytes(cut, whole.substr(0, whole.size() / 2));
    const CliRun cutRun = RunCommand({"check", cut.string()});
    EXPECT_EQ(cutRun.status, 2);
    EXPECT_TRUE(Contains(cutRun.err, "This file is not a Ixo project (")) << cutRun.err;
    EXPECT_TRUE(Contains(cutRun.err, " at byte ")) << cutRun.err;
    EXPECT_TRUE(Contains(cutRun.err, "unexpected end of data")) << cutRun.err;

    const CliRun missing = RunCommand({"check", (dir / "missing.XPJ").string()});
    EXPECT_EQ(missing.status, 2);
}

TEST_F(ProjectCommands, AFailedSaveKeepsThePreviousFile) {
    const std::string before = test::ReadFileBytes(project);
    const std::string target = (dir / "no-such-folder" / "x.XPJ").string();
    const CliRun run = RunCommand({"resave", project.string(), target});
    EXPECT_EQ(run.status, 3);
    EXPECT_EQ(run.err, "ixo-cli: cannot save " + target + ": No such file or directory\n");
    EXPECT_EQ(test::ReadFileBytes(project), before);
}

} // namespace
} // namespace ixo::cli
