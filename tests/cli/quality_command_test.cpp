#include "cli/cli_run.h"

#include "common/file_replace.h"
#include "settings/standard_presets.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace ixo::cli {
namespace {

using test::CliRun;
using test::Contains;
using test::RunCommand;

std::string ReadText(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

TEST(StandardsCommand, ListsEveryPresetWithItsFigures) {
    const CliRun run = RunCommand({"standards"});
    EXPECT_EQ(run.status, 0) << run.err;
    for (const StandardPreset& preset : StandardPresets()) {
        EXPECT_TRUE(Contains(run.out, preset.name + "  " + preset.title)) << preset.name;
    }
    EXPECT_TRUE(Contains(run.out, "ICT  ICT (Spain)\n  TER level 47.0-70.0, SAT level 47.0-77.0\n"));
    EXPECT_TRUE(Contains(run.out, "UK  UK practice\n  TER level 45.0-65.0, SAT level 47.0-77.0\n"));
}

// The automatic design regulates to the standard's window, the summary shows the standard's check and
// the file keeps the chosen standard, so that a later check uses it again.
TEST(StandardsCommand, NewAutoDesignsToTheStandardAndTheFileKeepsIt) {
    test::TempDir dir;
    const std::filesystem::path project = dir / "ict.XPJ";
    const CliRun made = RunCommand({"new", "--stairs", "1", "--floors", "4", "--flats-per-floor", "4",
                                    "--outlets", "2", "--standard", "ict", "--auto", "-o", project.string()});
    ASSERT_EQ(made.status, 0) << made.out << made.err;
    EXPECT_TRUE(Contains(made.out, "Limits: terrestrial 47.0-70.0 dBµV, satellite 47.0-77.0 dBµV"))
        << made.out;
    EXPECT_TRUE(Contains(made.out, "Standard: ICT (Spain): TER 47.0-70.0 dBµV, C/N >= 25.0 dB")) << made.out;
    EXPECT_TRUE(Contains(made.out, "Outlets failing the standard: 0 of 32")) << made.out;

    const CliRun check = RunCommand({"check", project.string()});
    EXPECT_EQ(check.status, 0) << check.out;
    EXPECT_TRUE(Contains(check.out, "Outlets failing the standard: 0 of 32")) << check.out;

    // A weak antenna signal fails the C/N of every outlet, though the levels stay as they were.
    const CliRun weak = RunCommand({"check", project.string(), "--antenna-level", "30"});
    EXPECT_EQ(weak.status, 1) << weak.out;
    EXPECT_TRUE(Contains(weak.out, "Outlets out of limits: 0 of 32")) << weak.out;
    EXPECT_TRUE(Contains(weak.out, "Outlets failing the standard: 32 of 32")) << weak.out;
    EXPECT_TRUE(Contains(weak.out, "TER C/N 17.2 dB at 175 MHz (>= 25.0 dB)")) << weak.out;

    const CliRun json = RunCommand({"check", project.string(), "--json", "--lnb-cn", "9"});
    EXPECT_EQ(json.status, 1);
    EXPECT_TRUE(Contains(json.out, "\"standard\": {\"name\": \"ICT\"")) << json.out;
    EXPECT_TRUE(Contains(json.out, "\"950\": 9.0")) << json.out;
}

TEST(StandardsCommand, AProjectWithoutStandardSavesAsBefore) {
    test::TempDir dir;
    const CliRun plain = RunCommand(
        {"new", "--stairs", "1", "--floors", "2", "--flats-per-floor", "2", "-o", (dir / "a.XPJ").string()});
    const CliRun again = RunCommand({"new", "--stairs", "1", "--floors", "2", "--flats-per-floor", "2",
                                     "--standard", "EN60728-1", "-o", (dir / "b.XPJ").string()});
    ASSERT_NE(plain.status, 2) << plain.err;
    ASSERT_NE(again.status, 2) << again.err;
    EXPECT_FALSE(Contains(plain.out, "Standard:"));
    const std::string a = ReadText(dir / "a.XPJ");
    const std::string b = ReadText(dir / "b.XPJ");
    EXPECT_EQ(a.find("IxoQuality"), std::string::npos);
    EXPECT_NE(b.find("IxoQuality 1\nstandard\tEN60728-1\n"), std::string::npos);
}

TEST(StandardsCommand, BadValuesAreBadInput) {
    test::TempDir dir;
    const CliRun unknown =
        RunCommand({"new", "--stairs", "1", "--flats-per-floor", "2", "--standard", "NTSC"});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_TRUE(Contains(unknown.err,
                         "--standard NTSC: unknown standard (known: EN60728-1, ICT, CEI100-7, UK, Custom)"))
        << unknown.err;
    const CliRun level =
        RunCommand({"new", "--stairs", "1", "--flats-per-floor", "2", "--antenna-level", "loud"});
    EXPECT_EQ(level.status, 2);
    EXPECT_TRUE(Contains(level.err, "--antenna-level loud: not a number")) << level.err;
    const CliRun lnb = RunCommand({"new", "--stairs", "1", "--flats-per-floor", "2", "--lnb-cn", "12;13"});
    EXPECT_EQ(lnb.status, 2);
    EXPECT_TRUE(Contains(lnb.err, "give one value or four")) << lnb.err;
}

} // namespace
} // namespace ixo::cli
