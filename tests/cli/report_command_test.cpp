#include "cli/cli_run.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <sys/wait.h>

namespace ixo::cli {
namespace {

using test::CliRun;
using test::Contains;
using test::RunIxoCli;

using test::RunCommand;

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

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        lines.push_back(text.substr(start, end - start));
    }
    return lines;
}

// One stair of one floor with two flats of two star outlets: four outlets, one outlet table.
class ReportCommand : public ::testing::Test {
protected:
    void SetUp() override {
        const CliRun made = RunCommand({"new", "--stairs", "1", "--floors", "1", "--flats-per-floor", "2",
                                        "--outlets", "2", "-o", project.string()});
        ASSERT_NE(made.status, 2) << made.err;
        ASSERT_TRUE(std::filesystem::exists(project));
    }
    test::TempDir dir;
    std::filesystem::path project = dir / "house.XPJ";
};

// The real program, as a user runs it: the outlet levels as PDF, read back with pdftotext. The outlet
// table fits page 1, the headend's output levels are on page 2, the (empty) amplifier section on page
// 3; every page has the report's name as header and its number as footer.
TEST_F(ReportCommand, OutletLevelsPdfEndToEnd) {
    const std::filesystem::path pdf = dir / "levels.pdf";
    const std::string program = Quoted((test::BinDirectory() / "ixo-cli").string());
    const CliRun run = Shell(program + " --catalogue " + Quoted(test::DemoCatalogueDirectory().string()) +
                             " --settings /nonexistent/Ixo.ini report " + Quoted(project.string()) +
                             " --levels -o " + Quoted(pdf.string()) + " 2>&1");
    ASSERT_EQ(run.status, 0) << run.out;
    EXPECT_EQ(run.out, pdf.string() + " (3 pages)\n");
    const CliRun info = Shell("pdfinfo " + Quoted(pdf.string()));
    EXPECT_TRUE(Contains(info.out, "Pages:           3")) << info.out;
    const CliRun text = Shell("pdftotext -layout " + Quoted(pdf.string()) + " -");
    ASSERT_EQ(text.status, 0);
    std::vector<std::string> pages;
    std::size_t start = 0;
    for (std::size_t end; (end = text.out.find('\f', start)) != std::string::npos; start = end + 1) {
        pages.push_back(text.out.substr(start, end - start));
    }
    ASSERT_EQ(pages.size(), 3u) << text.out;
    EXPECT_TRUE(Contains(pages[0], "OUTLET LEVELS (dBuV)")) << pages[0];
    EXPECT_TRUE(Contains(pages[0], "POLARITY 1"));
    EXPECT_TRUE(Contains(pages[0], "FLATS"));
    EXPECT_TRUE(Contains(pages[0], "2150"));
    EXPECT_TRUE(Contains(pages[1], "output level")) << pages[1];
    for (std::size_t i = 0; i < pages.size(); ++i) {
        EXPECT_TRUE(Contains(pages[i], "Outlet levels")) << "page " << i + 1;
        const auto lines = Lines(pages[i]);
        ASSERT_FALSE(lines.empty());
        // The footer: the page number, last on the page.
        std::string last;
        for (const std::string& line : lines) {
            if (line.find_first_not_of(' ') != std::string::npos) {
                last = line;
            }
        }
        EXPECT_EQ(last.substr(last.find_first_not_of(' ')), std::to_string(i + 1)) << "page " << i + 1;
    }
}

TEST_F(ReportCommand, EveryFormatBesideTheProjectOrWhereAsked) {
    const CliRun html = RunCommand({"report", project.string(), "--materials"});
    ASSERT_EQ(html.status, 0) << html.err;
    const std::filesystem::path beside = dir / "house_List of materials.html";
    EXPECT_EQ(html.out, beside.string() + "\n");
    const std::string page = test::ReadFileBytes(beside);
    EXPECT_TRUE(Contains(page, "<html>") || Contains(page, "<!DOCTYPE")) << page.substr(0, 200);
    EXPECT_TRUE(Contains(page, "List of materials"));
    EXPECT_TRUE(Contains(page, "TF-2"));

    const CliRun odt = RunCommand({"report", project.string(), "--levels", "--format", "odt"});
    ASSERT_EQ(odt.status, 0) << odt.err;
    EXPECT_EQ(test::ReadFileBytes(dir / "house_Outlet levels.odt").substr(0, 2), "PK");

    const CliRun csv =
        RunCommand({"report", project.string(), "--levels", "-o", (dir / "levels.csv").string()});
    ASSERT_EQ(csv.status, 0) << csv.err;
    const auto rows = Lines(test::ReadFileBytes(dir / "levels.csv"));
    ASSERT_EQ(rows.size(), 5u); // header and four outlets
    EXPECT_EQ(rows[0], "Stair,Floor,Flat,Outlet,175 MHz (dBµV),470 MHz (dBµV),862 MHz (dBµV),950 MHz (dBµV),"
                       "1350 MHz (dBµV),1750 MHz (dBµV),2150 MHz (dBµV)\r");

    const CliRun materials = RunCommand({"report", project.string(), "--materials", "--format", "csv"});
    ASSERT_EQ(materials.status, 0) << materials.err;
    const auto lines = Lines(test::ReadFileBytes(dir / "house_List of materials.csv"));
    ASSERT_GT(lines.size(), 4u);
    EXPECT_EQ(lines[0], "Code,Model,Description,Quantity,Unit\r");
    EXPECT_EQ(lines[1], ",Terrestrial amplifier,Terrestrial amplifier,1,pcs\r");
    bool outlets = false;
    for (const std::string& line : lines) {
        outlets =
            outlets || (line.rfind("720", 0) == 0 && Contains(line, ",TF-2,") && Contains(line, ",4.0,pcs"));
    }
    EXPECT_TRUE(outlets) << "four TF-2 outlets";
}

TEST_F(ReportCommand, BadInputAndUnwritableOutput) {
    EXPECT_EQ(RunCommand({"report", project.string()}).status, 2);
    EXPECT_EQ(RunCommand({"report", project.string(), "--materials", "--levels"}).status, 2);
    const CliRun format = RunCommand({"report", project.string(), "--levels", "--format", "doc"});
    EXPECT_EQ(format.status, 2);
    EXPECT_TRUE(Contains(format.err, "unknown format")) << format.err;
    EXPECT_EQ(RunCommand({"report", (dir / "none.XPJ").string(), "--levels"}).status, 2);
    test::WriteFileBytes(dir / "text.XPJ", "not a project");
    EXPECT_EQ(RunCommand({"report", (dir / "text.XPJ").string(), "--levels"}).status, 2);
    for (const char* form : {"pdf", "csv", "html"}) {
        const CliRun unwritable = RunCommand({"report", project.string(), "--levels", "--format", form, "-o",
                                              (dir / "missing" / "x").string()});
        EXPECT_EQ(unwritable.status, 3) << form;
        EXPECT_TRUE(Contains(unwritable.err, "cannot write")) << unwritable.err;
        EXPECT_TRUE(Contains(unwritable.err, "No such file or directory")) << unwritable.err;
    }
    const CliRun help = RunCommand({"report", "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(Contains(help.out, "--materials")) << help.out;
}

} // namespace
} // namespace ixo::cli
