#include "cli/cli_run.h"

#include "common/file_replace.h"
#include "settings/standard_presets.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sys/wait.h>

namespace ixo::cli {
namespace {

using test::CliRun;
using test::Contains;
using test::RunCommand;

std::string ReadText(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

std::string Quoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

// Runs a shell command; its standard output and exit status.
CliRun Shell(const std::string& command) {
    CliRun run;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return run;
    }
    std::array<char, 4096> buffer{};
    for (std::size_t n; (n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0;) {
        run.out.append(buffer.data(), n);
    }
    const int status = ::pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
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

// The real program as a user runs it: the compliance report as PDF, read back with pdftotext, then with
// a weak antenna signal that fails every outlet's C/N.
TEST(ComplianceReport, PdfEndToEnd) {
    test::TempDir dir;
    const std::filesystem::path project = dir / "ict.XPJ";
    const CliRun made = RunCommand({"new", "--stairs", "1", "--floors", "2", "--flats-per-floor", "2",
                                    "--outlets", "1", "--standard", "ICT", "--auto", "-o", project.string()});
    ASSERT_EQ(made.status, 0) << made.out << made.err;
    const std::string program = Quoted((test::BinDirectory() / "ixo-cli").string()) + " --catalogue " +
                                Quoted(test::DemoCatalogueDirectory().string()) +
                                " --settings /nonexistent/Ixo.ini report " + Quoted(project.string()) +
                                " --compliance --format pdf";
    const CliRun run = Shell(program + " 2>&1");
    ASSERT_EQ(run.status, 0) << run.out;
    const std::filesystem::path pdf = dir / "ict_Compliance.pdf";
    EXPECT_TRUE(Contains(run.out, pdf.string() + " (")) << run.out;
    EXPECT_TRUE(Contains(run.out, "The design complies.")) << run.out;
    const CliRun text = Shell("pdftotext -layout " + Quoted(pdf.string()) + " -");
    ASSERT_EQ(text.status, 0);
    EXPECT_TRUE(Contains(text.out, "Compliance report")) << text.out;
    EXPECT_TRUE(Contains(text.out, "ICT (Spain)")) << text.out;
    EXPECT_TRUE(Contains(text.out, "Terrestrial (175-862 MHz): level 47.0-70.0 dBµV, C/N at least 25.0 dB"))
        << text.out;
    EXPECT_TRUE(Contains(text.out, "Terrestrial signal at the antenna: 60.0 dBµV")) << text.out;
    EXPECT_TRUE(Contains(text.out, "CabeceraTerrestreRe1 (CT-120)")) << text.out;
    EXPECT_TRUE(Contains(text.out, "STAIR1 FLOOR1 FL1")) << text.out;
    EXPECT_TRUE(Contains(text.out, "Every active element is fed and no supply is overloaded.")) << text.out;
    EXPECT_TRUE(Contains(text.out, "4 outlets checked, 4 pass, 0 fail")) << text.out;
    EXPECT_TRUE(Contains(text.out, "The design complies with ICT (Spain).")) << text.out;
    EXPECT_TRUE(Contains(text.out, "Signature:")) << text.out;

    // A design that does not comply still gets its document, but the status says it failed.
    std::filesystem::remove(pdf);
    const CliRun weak = Shell(program + " --antenna-level 30 2>&1");
    ASSERT_EQ(weak.status, 1) << weak.out;
    ASSERT_TRUE(std::filesystem::exists(pdf));
    EXPECT_TRUE(Contains(weak.out, "The design does not comply (see the report).")) << weak.out;
    const CliRun failing = Shell("pdftotext -layout " + Quoted(pdf.string()) + " -");
    EXPECT_TRUE(Contains(failing.out, "4 outlets checked, 0 pass, 4 fail")) << failing.out;
    EXPECT_TRUE(Contains(failing.out, "TER C/N 17.2 dB at 175 MHz (>= 25.0 dB)")) << failing.out;
    EXPECT_TRUE(Contains(failing.out, "The design does NOT comply with ICT (Spain).")) << failing.out;

    // Bad input is 2 and writes nothing; an unwritable target is 3.
    const CliRun bad = Shell(program + " --antenna-level loud 2>&1");
    EXPECT_EQ(bad.status, 2) << bad.out;
    EXPECT_TRUE(Contains(bad.out, "--antenna-level loud: not a number")) << bad.out;
    const CliRun unwritable =
        Shell(program + " -o " + Quoted((dir / "no-such-dir" / "c.pdf").string()) + " 2>&1");
    EXPECT_EQ(unwritable.status, 3) << unwritable.out;
    EXPECT_TRUE(Contains(unwritable.out, "cannot write")) << unwritable.out;
}

TEST(QuoteReport, MissingPricesAreListedAndBadListsNameTheLine) {
    test::TempDir dir;
    const std::filesystem::path project = dir / "house.XPJ";
    ASSERT_NE(RunCommand({"new", "--stairs", "1", "--floors", "1", "--flats-per-floor", "2", "--outlets", "2",
                          "-o", project.string()})
                  .status,
              2);
    const std::filesystem::path prices = dir / "prices.csv";
    ASSERT_TRUE(
        ReplaceFileContents(prices, "code,description,unit price,currency\n720020,End outlet,3.80,EUR\n"));
    const std::filesystem::path csv = dir / "quote.csv";
    const CliRun run =
        RunCommand({"report", project.string(), "--quote", prices.string(), "-o", csv.string()});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string text = ReadText(csv);
    // Two flats of two end outlets: 4 x 3.80.
    EXPECT_TRUE(Contains(text, "720020,End outlet,4,pcs,3.80,15.20,EUR\n")) << text;
    EXPECT_TRUE(Contains(text, ",Total of the priced lines (incomplete),,,,15.20,EUR\n")) << text;
    EXPECT_TRUE(Contains(text, "missing,710002 RP-2: 2 pcs")) << text;

    ASSERT_TRUE(ReplaceFileContents(prices, "code,description,unit price,currency\n1,a,2,EUR\n2,b,3,USD\n"));
    const CliRun mixed = RunCommand({"report", project.string(), "--quote", prices.string()});
    EXPECT_EQ(mixed.status, 2);
    EXPECT_TRUE(Contains(mixed.err, prices.string() + ": line 3: currency USD differs from EUR"))
        << mixed.err;
}

// docs/standards.md states every preset's figures in a table: it must say what the program does.
TEST(StandardsDocument, FiguresMatchThePresets) {
    const std::string text = ReadText(std::filesystem::path(IXO_SOURCE_DIR) / "docs" / "standards.md");
    ASSERT_FALSE(text.empty());
    const auto figure = [](double value) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%.1f", value);
        return std::string(buffer);
    };
    for (const StandardPreset& preset : StandardPresets()) {
        std::string row = "| " + preset.name + " | ";
        if (preset.custom) {
            row += "project | project | project | project | ";
        } else {
            row += figure(preset.terrestrialMinimum) + " | " + figure(preset.terrestrialMaximum) + " | " +
                   figure(preset.satelliteMinimum) + " | " + figure(preset.satelliteMaximum) + " | ";
        }
        row += figure(preset.terrestrialMinimumCn) + " | " + figure(preset.satelliteMinimumCn) + " | " +
               (preset.maximumSatelliteTilt ? figure(*preset.maximumSatelliteTilt) : std::string("-")) +
               " |\n";
        EXPECT_TRUE(Contains(text, row)) << row;
    }
}

} // namespace
} // namespace ixo::cli
