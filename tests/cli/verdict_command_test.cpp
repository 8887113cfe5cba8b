#include "cli/cli_run.h"

#include "common/binary_stream.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

// Every command judges a design by the one verdict and says the same about the same file.
namespace ixo::cli {
namespace {

using test::CliRun;
using test::Contains;
using test::RunCommand;

// The line of a summary that starts with prefix, or "" when there is none.
std::string LineStarting(const std::string& text, const std::string& prefix) {
    std::size_t at = text.rfind("\n" + prefix);
    at = text.starts_with(prefix) ? 0 : (at == std::string::npos ? at : at + 1);
    if (at == std::string::npos) {
        return {};
    }
    return text.substr(at, text.find('\n', at) - at);
}

// The header's reserved string of a project file's bytes, and the file with it replaced.
struct HeaderParts {
    std::string before; // format number, tag and version
    std::string reserved;
    std::string after; // the component tree
};

HeaderParts SplitHeader(const std::string& file) {
    const std::vector<std::uint8_t> bytes(file.begin(), file.end());
    BinaryReader in(bytes);
    in.ReadInt32();
    in.ReadCountedString();
    in.ReadCountedString();
    const std::size_t start = in.Position();
    HeaderParts parts;
    parts.reserved = in.ReadCountedString();
    parts.before = file.substr(0, start);
    parts.after = file.substr(in.Position());
    return parts;
}

std::string WithReserved(const std::string& file, const std::string& reserved) {
    const HeaderParts parts = SplitHeader(file);
    const auto length = static_cast<std::uint32_t>(reserved.size());
    std::string counted(4, '\0');
    for (int i = 0; i < 4; ++i) {
        counted[static_cast<std::size_t>(i)] = static_cast<char>((length >> (8 * i)) & 0xFF);
    }
    return parts.before + counted + reserved + parts.after;
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
    return text;
}

class VerdictCommands : public ::testing::Test {
protected:
    std::filesystem::path Path(const std::string& name) const { return dir / name; }

    // A file holding bytes, under name.
    std::string Written(const std::string& name, const std::string& bytes) const {
        test::WriteFileBytes(Path(name), bytes);
        return Path(name).string();
    }

    test::TempDir dir;
};

// The README's demo building overdrives its first multiswitch: `new` lists the overdrive and, like
// `check` of the file it saved, fails. Both print the same summary and the same verdict.
TEST_F(VerdictCommands, NewFailsAnOverdrivenBuildingAsCheckDoes) {
    const std::string file = Path("demo.XPJ").string();
    const CliRun made = RunCommand({"new", "--stairs", "2", "--floors", "6", "--flats-per-floor", "4",
                                    "--outlets", "3", "--polarities", "8", "-o", file});
    ASSERT_TRUE(Contains(made.out, "Overdrive: ")) << made.out;
    EXPECT_EQ(made.status, 1) << made.out;
    EXPECT_TRUE(Contains(LineStarting(made.out, "Verdict: "), "past their maximum")) << made.out;
    const CliRun check = RunCommand({"check", file});
    EXPECT_EQ(check.status, 1);
    EXPECT_EQ(check.out, made.out);
    const CliRun info = RunCommand({"info", file});
    EXPECT_EQ(info.status, 1);
    EXPECT_EQ(LineStarting(info.out, "Verdict: "), LineStarting(check.out, "Verdict: "));
    const CliRun json = RunCommand({"check", file, "--json"});
    EXPECT_EQ(json.status, 1);
    EXPECT_TRUE(Contains(json.out, "\"passes\": false")) << json.out;
    EXPECT_TRUE(Contains(json.out, "\"overdrive\": [\"")) << json.out;
    // The compliance report (against the project's own limits) does not pass it either.
    const CliRun compliance = RunCommand({"report", file, "--compliance", "-o", Path("c.html").string()});
    EXPECT_EQ(compliance.status, 1) << compliance.out << compliance.err;
    EXPECT_TRUE(Contains(test::ReadFileBytes(Path("c.html")), "past their maximum")) << compliance.out;
}

// `design` and `edit` judge a project by the standard it stores, as `check` does: the same standard
// lines, and the status that `check` of the file they saved gives.
TEST_F(VerdictCommands, DesignAndEditKeepTheProjectsStandard) {
    const std::string file = Path("ict.XPJ").string();
    const CliRun made =
        RunCommand({"new", "--stairs", "1", "--floors", "2", "--flats-per-floor", "2", "--outlets", "2",
                    "--standard", "ICT", "--antenna-level", "20", "-o", file});
    ASSERT_NE(made.status, 2) << made.err;
    const CliRun check = RunCommand({"check", file});
    ASSERT_EQ(check.status, 1);
    const std::string failing = LineStarting(check.out, "Outlets failing the standard: ");
    ASSERT_FALSE(failing.empty()) << check.out;
    ASSERT_FALSE(Contains(failing, ": 0 of")) << check.out;

    const std::string designed = Path("designed.XPJ").string();
    const CliRun design = RunCommand({"design", file, "-o", designed});
    ASSERT_NE(design.status, 2) << design.err;
    EXPECT_TRUE(Contains(design.out, "Standard: ICT")) << design.out;
    EXPECT_FALSE(LineStarting(design.out, "Outlets failing the standard: ").empty()) << design.out;
    const CliRun recheck = RunCommand({"check", designed});
    EXPECT_EQ(design.status, recheck.status);
    EXPECT_EQ(LineStarting(design.out, "Verdict: "), LineStarting(recheck.out, "Verdict: "));
    EXPECT_EQ(LineStarting(design.out, "Outlets failing the standard: "),
              LineStarting(recheck.out, "Outlets failing the standard: "));

    const std::string edited = Path("edited.XPJ").string();
    const CliRun edit = RunCommand({"edit", file, "-o", edited, "--do", "cable flat 20"});
    ASSERT_NE(edit.status, 2) << edit.err;
    const CliRun editCheck = RunCommand({"check", edited});
    EXPECT_EQ(edit.status, editCheck.status);
    EXPECT_TRUE(Contains(edit.out, "Lowest C/N (dB):")) << edit.out;
    EXPECT_EQ(edit.out, editCheck.out);
}

// A stored standard that no preset has: every command refuses the file with the same message.
TEST_F(VerdictCommands, AnUnknownStoredStandardIsRefusedByEveryCommand) {
    const std::string good = Path("good.XPJ").string();
    ASSERT_NE(RunCommand({"new", "--floors", "2", "--flats-per-floor", "1", "--standard", "ICT", "-o", good})
                  .status,
              2);
    const std::string file =
        Written("foo.XPJ", Replaced(test::ReadFileBytes(good), "standard\tICT\n", "standard\tFOO\n"));
    const std::vector<std::vector<std::string>> commands = {
        {"info", file},
        {"check", file},
        {"design", file, "-o", Path("d.XPJ").string()},
        {"edit", file, "-o", Path("e.XPJ").string(), "--do", "cable flat 20"},
        {"export", file, "-o", Path("s.png").string()},
        {"report", file, "--materials", "-o", Path("m.html").string()},
        {"report", file, "--compliance", "-o", Path("c.html").string()},
        {"resave", file, Path("r.XPJ").string()}};
    for (const std::vector<std::string>& command : commands) {
        const CliRun run = RunCommand(command);
        EXPECT_EQ(run.status, 2) << command[0];
        EXPECT_TRUE(Contains(run.err, "unknown standard 'FOO'")) << command[0] << ": " << run.err;
        EXPECT_TRUE(Contains(run.err, "foo.XPJ")) << command[0] << ": " << run.err;
    }
    EXPECT_FALSE(std::filesystem::exists(Path("r.XPJ")));
    EXPECT_FALSE(std::filesystem::exists(Path("d.XPJ")));
}

// A partial design whose record of the parts not built is damaged never opens as a design built
// whole: the file is refused with the reason, and nothing is written from it.
TEST_F(VerdictCommands, ADamagedRecordOfTheHeaderMakesTheFileUnreadable) {
    const std::string partial = Path("partial.XPJ").string();
    ASSERT_EQ(RunCommand({"new", "--floors", "2", "--flats-per-floor", "2", "--set", "OUTLETS_FAM=1003", "-o",
                          partial})
                  .status,
              1);
    const std::string bytes = test::ReadFileBytes(partial);
    const std::string reserved = SplitHeader(bytes).reserved;
    ASSERT_TRUE(reserved.starts_with("IxoOmissions 1\n")) << reserved;
    const std::vector<std::pair<std::string, std::string>> damages = {
        {"crlf.XPJ", Replaced(reserved, "\n", "\r\n")},
        {"marker.XPJ", Replaced(reserved, "IxoOmissions 1", "IxoOmissions 2")},
        {"renamed.XPJ", Replaced(reserved, "IxoOmissions", "Omissions")},
        {"cut.XPJ", reserved.substr(0, reserved.size() - 1)},
        {"foreign.XPJ", "written by someone else"}};
    for (const auto& [name, damaged] : damages) {
        const std::string file = Written(name, WithReserved(bytes, damaged));
        for (const std::vector<std::string>& command :
             {std::vector<std::string>{"check", file},
              std::vector<std::string>{"resave", file, Path("copy-" + name).string()}}) {
            const CliRun run = RunCommand(command);
            EXPECT_EQ(run.status, 2) << name << " " << command[0] << ": " << run.out;
            EXPECT_TRUE(Contains(run.err, "header cannot be read")) << name << ": " << run.err;
        }
        EXPECT_FALSE(std::filesystem::exists(Path("copy-" + name))) << name;
    }
    // The undamaged file still reads, lists what was not built and fails.
    const CliRun check = RunCommand({"check", partial});
    EXPECT_EQ(check.status, 1);
    EXPECT_TRUE(Contains(check.out, "Not built (element, 4x)")) << check.out;
}

// Stored source figures are held to the range the options take: a file with an antenna level of 1e6
// (every C/N infinite, every outlet passing) or an antenna C/N of -300 dB is refused with the reason.
TEST_F(VerdictCommands, StoredFiguresOutOfRangeAreRefused) {
    const std::string good = Path("good.XPJ").string();
    ASSERT_NE(RunCommand({"new", "--floors", "2", "--flats-per-floor", "1", "--standard", "ICT",
                          "--antenna-level", "55", "--antenna-cn", "40", "-o", good})
                  .status,
              2);
    const std::string bytes = test::ReadFileBytes(good);
    const std::string reserved = SplitHeader(bytes).reserved;
    ASSERT_TRUE(Contains(reserved, "antennaLevel\t55\n")) << reserved;
    ASSERT_TRUE(Contains(reserved, "antennaCn\t40\n")) << reserved;
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"level.XPJ", Replaced(reserved, "antennaLevel\t55\n", "antennaLevel\t1e6\n")},
        {"cn.XPJ", Replaced(reserved, "antennaCn\t40\n", "antennaCn\t-300\n")},
        {"lnb.XPJ", Replaced(reserved, "antennaCn\t40\n", "antennaCn\t40\nlnbCn\t16;16;16;151\n")}};
    for (const auto& [name, damaged] : cases) {
        const CliRun run = RunCommand({"check", Written(name, WithReserved(bytes, damaged))});
        EXPECT_EQ(run.status, 2) << name << ": " << run.out;
        EXPECT_TRUE(Contains(run.err, "-50 to 150")) << name << ": " << run.err;
    }
    // Figures at the ends of the range are taken.
    const std::string edge = Replaced(Replaced(reserved, "antennaLevel\t55\n", "antennaLevel\t150\n"),
                                      "antennaCn\t40\n", "antennaCn\t-50\n");
    EXPECT_NE(RunCommand({"check", Written("edge.XPJ", WithReserved(bytes, edge))}).status, 2);
}

} // namespace
} // namespace ixo::cli
