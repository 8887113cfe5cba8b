// Runs the built ixo-cli under an address-space limit: running out of memory is reported as such, with
// its own exit status, never as a bad file, a failed check or a file that cannot be written.
#include "cli/program_run.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace ixo::test {
namespace {

// A building whose open and check need some tens of megabytes more than the program and its catalogue.
constexpr const char* kLargeBuilding =
    "new --stairs 8 --floors 40 --flats-per-floor 4 --outlets 4 --polarities 16";

std::string Limit(long kilobytes) {
    return "ulimit -v " + std::to_string(kilobytes) + ";";
}

// The smallest address space, in steps of 4 MB, in which the program starts and reads its catalogue:
// what the libraries take differs from one system to the next.
long StartingLimit() {
    for (long kilobytes = 48 * 1024; kilobytes <= 512 * 1024; kilobytes += 4 * 1024) {
        if (RunProgram("catalogue families", Limit(kilobytes)).status == 0) {
            return kilobytes;
        }
    }
    return 0;
}

TEST(CliOutOfMemory, IsReportedWithItsOwnStatus) {
#ifdef IXO_SANITIZE
    GTEST_SKIP() << "the sanitizers reserve far more address space than any limit here";
#endif
    TempDir dir;
    const std::string project = Quoted((dir / "large.XPJ").string());
    const Result built = RunProgram(std::string(kLargeBuilding) + " -o " + project);
    ASSERT_TRUE(built.status == 0 || built.status == 1) << built.out;
    const Result unlimited = RunProgram("check " + project);
    ASSERT_TRUE(unlimited.status == 0 || unlimited.status == 1) << unlimited.out;

    const long start = StartingLimit();
    ASSERT_GT(start, 0);
    const std::string tight = Limit(start + 24 * 1024);
    const Result check = RunProgram("check " + project, tight);
    EXPECT_EQ(check.status, 4) << check.out;
    EXPECT_NE(check.out.find("ixo-cli: out of memory"), std::string::npos) << check.out;
    EXPECT_EQ(check.out.find("not a Ixo project"), std::string::npos) << check.out;

    const std::string designed = Quoted((dir / "designed.XPJ").string());
    const Result design = RunProgram("design " + project + " -o " + designed, tight);
    EXPECT_EQ(design.status, 4) << design.out;
    EXPECT_EQ(design.out.find("std::bad_alloc"), std::string::npos) << design.out;
    EXPECT_FALSE(std::filesystem::exists(dir / "designed.XPJ"));

    const std::string edited = Quoted((dir / "edited.XPJ").string());
    const Result edit =
        RunProgram("edit " + project + " -o " + edited + " --do 'length MultiswitchRe1 4'", tight);
    EXPECT_EQ(edit.status, 4) << edit.out;
    EXPECT_FALSE(std::filesystem::exists(dir / "edited.XPJ"));
}

} // namespace
} // namespace ixo::test
