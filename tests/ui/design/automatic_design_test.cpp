#include "ui/design/automatic_design.h"

#include "common/progress.h"
#include "design/design_verdict.h"
#include "editing/network_editor.h"
#include "persistence/project_file.h"
#include "ui/design/design_report_dialog.h"
#include "ui/design_window_fixture.h"
#include "ui/main/window_rules.h"

#include <QAction>
#include <QPlainTextEdit>

#include <gtest/gtest.h>

namespace ixo::test {
namespace {

// Asks to stop once the design has taken a number of steps.
class CancelAfter : public Progress {
public:
    explicit CancelAfter(int steps) : m_limit(steps) {}
    void Step() override { ++m_steps; }
    bool CancelRequested() const override { return m_steps >= m_limit; }
    int Steps() const { return m_steps; }

private:
    int m_limit;
    int m_steps = 0;
};

class AutomaticDesignTest : public DesignWindowTest {
protected:
    NetworkEditor& Editor() { return *window->Editor(); }
    std::vector<std::uint8_t> Bytes() { return ProjectFileBytes(*window->Project()); }
};

// The demo building of the run command: its first multiswitches are overdriven as built, and the design
// brings it to pass.
TEST_F(AutomaticDesignTest, TheDesignIsOneStepToUndoAndItsAccountEndsWithTheVerdict) {
    const auto built = Bytes();
    CancelAfter never(1000000);
    const AutomaticDesignOutcome outcome = RunAutomaticDesign(Editor(), never);
    ASSERT_EQ(outcome.kind, AutomaticDesignOutcome::Kind::Designed) << outcome.report;
    EXPECT_GT(never.Steps(), 0);
    EXPECT_NE(outcome.report.find("Design: worst margin "), std::string::npos) << outcome.report;
    EXPECT_NE(outcome.report.find(" edit(s), Edit > Undo takes them back together)\n"), std::string::npos);
    const DesignVerdict verdict = JudgeDesign(*window->Project());
    const std::string last = VerdictStatusText(verdict);
    EXPECT_NE(outcome.report.rfind(last), std::string::npos) << outcome.report;
    EXPECT_TRUE(verdict.Passes()) << outcome.report;
    const auto designed = Bytes();
    EXPECT_NE(designed, built);
    EXPECT_EQ(Editor().Position(), 1u);
    ASSERT_TRUE(Editor().Undo());
    EXPECT_EQ(Bytes(), built);
    EXPECT_FALSE(Editor().CanUndo());
    ASSERT_TRUE(Editor().Redo());
    EXPECT_EQ(Bytes(), designed);
}

// The README's cascade building fails after the first regulation, so the design goes on to its next
// stages: cancelled at the second, after the first regulation's edits, it takes them back.
class CascadeAutomaticDesignTest : public AutomaticDesignTest {
protected:
    WizardResults Building() const override { return CascadeBuilding(); }
};

TEST_F(CascadeAutomaticDesignTest, ACancelledDesignLeavesTheProjectAsItWasWithNothingToRedo) {
    const auto built = Bytes();
    const bool modified = window->Project()->Modificado;
    CancelAfter soon(2);
    const AutomaticDesignOutcome outcome = RunAutomaticDesign(Editor(), soon);
    EXPECT_EQ(outcome.kind, AutomaticDesignOutcome::Kind::Cancelled);
    EXPECT_EQ(outcome.report, "The design was cancelled: the project is as it was.\n");
    EXPECT_EQ(soon.Steps(), 2);
    EXPECT_EQ(Bytes(), built);
    EXPECT_FALSE(Editor().CanUndo());
    EXPECT_FALSE(Editor().CanRedo());
    EXPECT_EQ(window->Project()->Modificado, modified);
}

// From the Tools menu: the account is shown, the status and the sheet follow, one Undo takes it back.
TEST_F(AutomaticDesignTest, ToolsAutomaticDesignShowsItsAccountAndUndoTakesItBack) {
    QAction* design = window->Action(QStringLiteral("ADesign"));
    ASSERT_NE(design, nullptr);
    EXPECT_TRUE(design->isEnabled());
    const QString before = window->StatusText();
    QString shown;
    window->showDesignReport = [&shown](const QString& report) { shown = report; };
    design->trigger();
    EXPECT_TRUE(shown.contains(QStringLiteral("Design: worst margin"))) << shown.toStdString();
    EXPECT_EQ(window->StatusText(), QStringLiteral("Design passes: Every outlet within limits"));
    EXPECT_TRUE(shown.endsWith(QStringLiteral("\nDesign passes\n"))) << shown.toStdString();
    EXPECT_NE(window->Schematic(), nullptr);
    EXPECT_TRUE(window->Action(QStringLiteral("AUndo"))->isEnabled());
    window->Undo();
    EXPECT_EQ(window->StatusText(), before);
    EXPECT_FALSE(window->Action(QStringLiteral("AUndo"))->isEnabled());
    // Without a project the command is off.
    ASSERT_TRUE(window->CloseProject());
    EXPECT_FALSE(design->isEnabled());
}

TEST(DesignReportDialogTest, ShowsTheAccountReadOnlyUnderItsCaption) {
    EnsureWidgetsApplication();
    DesignReportDialog dialog(QStringLiteral("Design: worst margin -3.0 dB -> 0.5 dB\nDesign passes\n"),
                              nullptr);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Automatic design"));
    EXPECT_TRUE(dialog.Text()->isReadOnly());
    EXPECT_TRUE(dialog.Text()->toPlainText().startsWith(QStringLiteral("Design: worst margin -3.0 dB")));
}

} // namespace
} // namespace ixo::test
