#include "design/design_verdict.h"

#include "building/proyecto.h"
#include "editing/editing_test_support.h"
#include "levels/lista_errores.h"

#include <gtest/gtest.h>

namespace ixo::test {
namespace {

// A verdict that fails on everything at once names every criterion, in a fixed order.
TEST(DesignVerdictReasons, NameEveryCriterionThatFails) {
    DesignVerdict verdict;
    EXPECT_FALSE(verdict.Passes());
    EXPECT_EQ(verdict.Reasons(), std::vector<std::string>{"the installation is not built"});

    verdict.built = true;
    EXPECT_EQ(verdict.Reasons(), std::vector<std::string>{"the installation has no outlet"});

    verdict.outlets = 4;
    EXPECT_TRUE(verdict.Passes());
    EXPECT_TRUE(verdict.Reasons().empty());

    TNodoInfo record;
    verdict.outletsOutOfLimits = {&record, &record};
    verdict.omissions = 1;
    verdict.powering.resize(1);
    verdict.overdrive.resize(3);
    verdict.standard.emplace();
    verdict.standard->title = "ICT (Spain)";
    verdict.standard->failing = 1;
    EXPECT_FALSE(verdict.Passes());
    EXPECT_EQ(verdict.Reasons(),
              (std::vector<std::string>{"1 part not built", "2 outlets out of limits", "1 powering problem",
                                        "3 element pins past their maximum", "1 outlet fails ICT (Spain)"}));

    // A standard whose outlets all pass does not fail the design.
    verdict = DesignVerdict{};
    verdict.built = true;
    verdict.outlets = 1;
    verdict.standard.emplace();
    EXPECT_TRUE(verdict.Passes());
}

class DesignVerdictTest : public EditingFixture {};

// The verdict of a built network holds what the checks of the design find, and nothing else.
TEST_F(DesignVerdictTest, HoldsWhatTheChecksFind) {
    BuildNetwork(Shape(2, 6, 4, 3, 8, 1));
    const DesignVerdict verdict = JudgeDesign(*project);
    EXPECT_TRUE(verdict.built);
    EXPECT_EQ(verdict.outlets, 2u * 6 * 4 * 3);
    EXPECT_EQ(verdict.outletsOutOfLimits.size(), RegistrosDeErrores(*project).size());
    EXPECT_EQ(verdict.overdrive.size(), CheckOverdrive(*project).size());
    EXPECT_EQ(verdict.powering.size(), CheckPowering(*project).size());
    EXPECT_FALSE(verdict.standard.has_value());
    EXPECT_EQ(verdict.Passes(), verdict.outletsOutOfLimits.empty() && verdict.overdrive.empty() &&
                                    verdict.powering.empty() && project->Omissions().empty());
}

// With a standard the outlets are judged against it; a name no preset has fails every outlet.
TEST_F(DesignVerdictTest, JudgesTheProjectsStandard) {
    BuildNetwork(Shape(1, 2, 2, 2, 4, 1));
    project->Quality().standard = "EN60728-1";
    const DesignVerdict judged = JudgeDesign(*project);
    ASSERT_TRUE(judged.standard.has_value());
    EXPECT_EQ(judged.standard->name, "EN60728-1");
    EXPECT_EQ(judged.standard->outlets.size(), judged.outlets);

    // A very weak antenna signal: the terrestrial C/N of every outlet fails.
    project->Quality().terrestrialAntennaLevel = 10;
    const DesignVerdict weak = JudgeDesign(*project);
    ASSERT_TRUE(weak.standard.has_value());
    EXPECT_EQ(weak.standard->failing, weak.outlets);
    EXPECT_FALSE(weak.Passes());

    project->Quality().standard = "FOO";
    const DesignVerdict unknown = JudgeDesign(*project);
    ASSERT_TRUE(unknown.standard.has_value());
    EXPECT_EQ(unknown.standard->failing, unknown.outlets);
    EXPECT_FALSE(unknown.Passes());
}

} // namespace
} // namespace ixo::test
