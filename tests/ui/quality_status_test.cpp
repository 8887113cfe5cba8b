#include "ui/project/quality_status.h"

#include "building/proyecto.h"
#include "support/project_fixture.h"

#include <gtest/gtest.h>

namespace ixo {
namespace {

class QualityStatusTest : public test::ProjectFixture {};

TEST_F(QualityStatusTest, NothingWithoutAStandard) {
    Build(test::BuildingShape{});
    const StandardFailures none = FindStandardFailures(*project);
    EXPECT_TRUE(none.standard.empty());
    EXPECT_TRUE(none.failing.empty());
    EXPECT_EQ(StandardFailuresText(none), "");
    EXPECT_EQ(StandardFailuresList(none), "");

    // A name no preset has (a file from a later version) is not judged rather than judged wrongly.
    project->Quality().standard = "NTSC";
    EXPECT_TRUE(FindStandardFailures(*project).standard.empty());
}

TEST(QualityStatusText, CountsAndListsTheFailingOutlets) {
    StandardFailures failures;
    failures.standard = "ICT (Spain)";
    failures.outlets = 3;
    EXPECT_EQ(StandardFailuresText(failures), "C/N meets ICT (Spain)");
    failures.failing = {"STAIR1 FLOOR1 FL1 T1: TER C/N 17.2 dB at 175 MHz (>= 25.0 dB)"};
    EXPECT_EQ(StandardFailuresText(failures), "1 outlet fails the C/N of ICT (Spain)");
    EXPECT_EQ(StandardFailuresList(failures),
              "Outlets failing ICT (Spain):\nSTAIR1 FLOOR1 FL1 T1: TER C/N 17.2 dB at 175 MHz (>= 25.0 dB)");
    failures.failing.push_back("STAIR1 FLOOR1 FL1 T2: SAT C/N 10.1 dB at 2150 MHz (>= 11.0 dB)");
    failures.failing.push_back("STAIR1 FLOOR2 FL1 T1: SAT C/N 10.4 dB at 2150 MHz (>= 11.0 dB)");
    EXPECT_EQ(StandardFailuresText(failures), "3 outlets fail the C/N of ICT (Spain)");
    // A long list names the first ones and says how many more.
    EXPECT_EQ(StandardFailuresList(failures, 2),
              "Outlets failing ICT (Spain):\nSTAIR1 FLOOR1 FL1 T1: TER C/N 17.2 dB at 175 MHz (>= 25.0 dB)\n"
              "STAIR1 FLOOR1 FL1 T2: SAT C/N 10.1 dB at 2150 MHz (>= 11.0 dB)\nand 1 more");
}

} // namespace
} // namespace ixo
