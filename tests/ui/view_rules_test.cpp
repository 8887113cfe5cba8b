#include "ui/print/page_setup_rules.h"
#include "ui/project/progress_model.h"
#include "ui/sheet/zoom_steps.h"

#include <gtest/gtest.h>

namespace ixo {
namespace {

TEST(ZoomSteps, MenuItems) {
    EXPECT_EQ(ZoomStepCount(), 11);
    EXPECT_EQ(ZoomStepText(0), "All");
    EXPECT_EQ(ZoomStepText(1), "10 %");
    EXPECT_EQ(ZoomStepText(10), "3200 %");
    EXPECT_EQ(ZoomStepPercent(5), 100);
    EXPECT_EQ(ZoomStepPercent(11), 0);
}

TEST(ZoomSteps, StepIndexIsTheFirstGreaterPercentage) {
    EXPECT_EQ(ZoomStepIndex(0), 1);
    EXPECT_EQ(ZoomStepIndex(10), 2); // strictly greater
    EXPECT_EQ(ZoomStepIndex(37), 3);
    EXPECT_EQ(ZoomStepIndex(5000), 10);
}

TEST(ZoomSteps, FromAllAtThirtySevenPercent) {
    // ZoomStepIndex(37) = 3 (50 %). In: 3 - 1 = 2, then 3 -> 50 %. Out: 3, then 2 -> 25 %.
    EXPECT_EQ(ZoomStepPercent(ZoomInStep(0, 37.0)), 50);
    EXPECT_EQ(ZoomStepPercent(ZoomOutStep(0, 37.0)), 25);
    EXPECT_EQ(ZoomStepPercent(ZoomInStep(0, 30.0)), 50);
    // 36.6 % rounds to 37 first.
    EXPECT_EQ(ZoomStepPercent(ZoomOutStep(0, 36.6)), 25);
}

TEST(ZoomSteps, EndsStay) {
    EXPECT_EQ(ZoomInStep(10, 3200.0), 10);
    EXPECT_EQ(ZoomOutStep(1, 10.0), 1);
    EXPECT_EQ(ZoomOutStep(0, 4.0), 1); // never "All"
    EXPECT_EQ(ZoomInStep(5, 100.0), 6);
    EXPECT_EQ(ZoomOutStep(5, 100.0), 4);
}

TEST(PageSetupRules, InitialPageIsTurnedToLandscape) {
    PageSetup dialog; // 21000 x 29700
    dialog.marginLeft = 1;
    dialog.marginTop = 2;
    dialog.marginRight = 3;
    dialog.marginBottom = 4;
    const PageSetup page = TakePageSetup(true, dialog);
    EXPECT_EQ(page.width, 29700);
    EXPECT_EQ(page.height, 21000);
    EXPECT_EQ(page.marginLeft, 2);
    EXPECT_EQ(page.marginTop, 1);
    EXPECT_EQ(page.marginRight, 4);
    EXPECT_EQ(page.marginBottom, 3);
    const PageSetup same = TakePageSetup(false, dialog);
    EXPECT_EQ(same.width, 21000);
    EXPECT_EQ(same.marginLeft, 1);
}

TEST(PageSetupRules, SyncFollowsThePrinterPaperAndOrientation) {
    PageSetup dialog;
    dialog.marginLeft = 1;
    dialog.marginTop = 2;
    dialog.marginRight = 3;
    dialog.marginBottom = 4;
    // A3 (2970 x 4200 tenths) in landscape, the page was portrait: sizes x 10 exchanged, margins turned.
    PageSetup page = SyncPageSizeWithPrinter(dialog, 2970, 4200, true, false);
    EXPECT_EQ(page.width, 42000);
    EXPECT_EQ(page.height, 29700);
    EXPECT_EQ(page.marginLeft, 2);
    EXPECT_EQ(page.marginTop, 1);
    EXPECT_EQ(page.marginRight, 4);
    EXPECT_EQ(page.marginBottom, 3);
    // Same orientation: margins stay.
    page = SyncPageSizeWithPrinter(dialog, 2100, 2970, false, false);
    EXPECT_EQ(page.width, 21000);
    EXPECT_EQ(page.marginLeft, 1);
}

TEST(PageSetupRules, PrinterPaperExactElseSmallestLarger) {
    const std::vector<PrinterPaper> papers = {
        {1, "Letter", 2159, 2794}, {2, "A3", 2970, 4200}, {3, "A4", 2100, 2970}, {4, "B4", 2500, 3530}};
    auto chosen = SelectPrinterPaper(papers, 21000, 29700);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->name, "A4");
    chosen = SelectPrinterPaper(papers, 22000, 29000); // A4 too narrow, Letter too short: B4 (2500) < A3
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->name, "B4");
    EXPECT_FALSE(SelectPrinterPaper(papers, 50000, 50000));
}

TEST(ProgressModel, PositionStaysInTheRange) {
    ProgressModel progress;
    progress.SetMax(4);
    progress.SetPosition(3);
    progress.Step(-1);
    EXPECT_EQ(progress.Position(), 4);
    progress.Step(-1); // at the maximum it stays
    EXPECT_EQ(progress.Position(), 4);
    progress.Step(-10);
    EXPECT_EQ(progress.Position(), 0);
    progress.SetMin(2);
    EXPECT_EQ(progress.Position(), 2);
    progress.SetPosition(99);
    EXPECT_EQ(progress.Position(), 4);
    progress.Step(3);
    EXPECT_EQ(progress.Position(), 4);
}

} // namespace
} // namespace ixo
