#include "design/design_verdict.h"
#include "ui/main/splash_window.h"
#include "ui/main/window_rules.h"
#include "ui/print/image_export_settings.h"
#include "ui/print/print_preview_rules.h"

#include "building/proyecto.h"
#include "model/primer_componente.h"
#include "schematic/schematic.h"

#include <gtest/gtest.h>

namespace ixo {
namespace {

TEST(WindowRules, CaptionIsTheTitleAndASpaceThenTheFileInBrackets) {
    EXPECT_EQ(WindowCaption(""), "Ixo2 ");
    EXPECT_EQ(WindowCaption("/home/a/Project1.XPJ"), "Ixo2  [/home/a/Project1.XPJ]");
}

TEST(WindowRules, CommandsNeedAProject) {
    ActionStates none = StatesFor(false, true, true, true);
    EXPECT_FALSE(none.close);
    EXPECT_FALSE(none.save);
    EXPECT_FALSE(none.saveAs);
    EXPECT_FALSE(none.saveImage);
    EXPECT_FALSE(none.print);
    EXPECT_FALSE(none.zoom);
    EXPECT_FALSE(none.undo);
    EXPECT_TRUE(none.pageSetup);
    ActionStates open = StatesFor(true, true, false, true);
    EXPECT_TRUE(open.close && open.save && open.saveAs && open.saveImage && open.print && open.zoom);
    EXPECT_FALSE(open.undo);
    EXPECT_TRUE(open.redo);
    ActionStates noPrinter = StatesFor(true, false, false, false);
    EXPECT_FALSE(noPrinter.print);
    EXPECT_FALSE(noPrinter.pageSetup);
    EXPECT_TRUE(open.design);
    EXPECT_FALSE(none.design);
}

TEST(WindowRules, PrinterCaption) {
    EXPECT_EQ(PrinterCaption(""), "Print ");
    EXPECT_EQ(PrinterCaption("Office"), "(Print in Office)");
}

class SaveQuestion : public ::testing::Test {
protected:
    std::unique_ptr<Tproyecto> project = TPrimerComponente::CreateRoot<Tproyecto>();
    std::vector<std::string> asked;
    int saves = 0;
    bool saveSucceeds = true;

    bool Confirm(SaveAnswer answer) {
        return ConfirmSaveChanges(
            project.get(),
            [this, answer](const std::string& question) {
                asked.push_back(question);
                return answer;
            },
            [this] {
                ++saves;
                return saveSucceeds;
            });
    }
};

TEST_F(SaveQuestion, NoQuestionWithoutChanges) {
    project->Modificado = false;
    EXPECT_TRUE(Confirm(SaveAnswer::Cancel));
    EXPECT_TRUE(asked.empty());
    EXPECT_TRUE(ConfirmSaveChanges(nullptr, nullptr, nullptr));
}

TEST_F(SaveQuestion, YesSavesAndGoesOn) {
    project->NombreFichero = "/p/House.XPJ";
    EXPECT_TRUE(Confirm(SaveAnswer::Yes));
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0], "Save changes to project /p/House.XPJ?");
    EXPECT_EQ(saves, 1);
    EXPECT_FALSE(project->Modificado);
}

TEST_F(SaveQuestion, NoDiscardsAndGoesOn) {
    EXPECT_TRUE(Confirm(SaveAnswer::No));
    EXPECT_EQ(saves, 0);
    EXPECT_FALSE(project->Modificado);
}

TEST_F(SaveQuestion, CancelKeepsEverything) {
    EXPECT_FALSE(Confirm(SaveAnswer::Cancel));
    EXPECT_EQ(saves, 0);
    EXPECT_TRUE(project->Modificado);
}

TEST_F(SaveQuestion, AFailedSaveKeepsTheProject) {
    saveSucceeds = false;
    EXPECT_FALSE(Confirm(SaveAnswer::Yes));
    EXPECT_EQ(saves, 1);
    EXPECT_TRUE(project->Modificado);
}

TEST(WindowRules, OnlyProjectFilesOpenWhenDropped) {
    EXPECT_TRUE(OpensWhenDropped("/a/b/House.XPJ"));
    EXPECT_TRUE(OpensWhenDropped("/a/b/house.xpj"));
    EXPECT_FALSE(OpensWhenDropped("/a/b/house.xpj.bak"));
    EXPECT_FALSE(OpensWhenDropped("/a/b/House.BAK"));
    EXPECT_FALSE(OpensWhenDropped("/a/b/XPJ"));
}

TEST(WindowRules, OpenFailureMessages) {
    EXPECT_EQ(OpenFailureMessage(OpenResult::NewerFormat, "9.1"),
              "To open the file is needed the version 9.1");
    EXPECT_EQ(OpenFailureMessage(OpenResult::NotAProject, ""), "This file is not a Ixo project");
    EXPECT_EQ(OpenFailureMessage(OpenResult::NothingRead, ""), "This file is not a Ixo project");
    EXPECT_EQ(OpenFailureMessage(OpenResult::Ok, ""), "");
}

TEST(WindowRules, OutletsOutOfLimitsText) {
    EXPECT_EQ(OutletsOutOfLimitsText(0), "Every outlet within limits");
    EXPECT_EQ(OutletsOutOfLimitsText(1), "1 outlet out of limits");
    EXPECT_EQ(OutletsOutOfLimitsText(12), "12 outlets out of limits");
    EXPECT_EQ(DesignProblemsText(0, 0), "");
    EXPECT_EQ(DesignProblemsText(1, 0), "1 powering problem");
    EXPECT_EQ(DesignProblemsText(0, 1), "1 pin overdriven");
    EXPECT_EQ(DesignProblemsText(3, 51), "3 powering problems, 51 pins overdriven");
    DesignVerdict verdict;
    verdict.built = true;
    verdict.outlets = 2;
    EXPECT_EQ(VerdictStatusText(verdict), "Design passes");
    EXPECT_EQ(VerdictReasonsText(verdict), "");
    verdict.overdrive.resize(2);
    verdict.omissions = 1;
    EXPECT_EQ(VerdictStatusText(verdict), "Design fails");
    EXPECT_EQ(VerdictReasonsText(verdict), "Fails: 1 part not built; 2 element pins past their maximum");
}

TEST(SheetPagesChoice, OneSheetWhereReadableByDefaultAndTheChoiceKeptOnABadIndex) {
    SheetPagesChoice choice;
    ASSERT_EQ(SheetPagesChoice::Items().size(), 3u);
    EXPECT_EQ(choice.Pages(), SheetPages::Readable);
    EXPECT_FALSE(choice.EveryFloor());
    auto schematic = TPrimerComponente::CreateRoot<TpadreGraficosMS>();
    const DrawingSetOptions a4;
    // An empty schematic has no text too small to read: one sheet.
    EXPECT_FALSE(choice.UsesSet(*schematic, a4));
    choice.SetIndex(2);
    EXPECT_EQ(choice.Pages(), SheetPages::PerStair);
    EXPECT_TRUE(choice.UsesSet(*schematic, a4));
    choice.SetIndex(3);
    EXPECT_EQ(choice.Pages(), SheetPages::PerStair);
    choice.SetIndex(1);
    EXPECT_FALSE(choice.UsesSet(*schematic, a4));
    ImageExportSettings settings("/d");
    EXPECT_EQ(settings.Pages().Pages(), SheetPages::Readable);
}

TEST(PrintPreviewRules, TitleNamesThePagesAsPrintedAndThePageLineStaysWithinThem) {
    PrintPreviewRules rules;
    EXPECT_EQ(rules.PageLine(), "");
    EXPECT_EQ(rules.CurrentPage(), 0);
    rules.SetPainted(true, 24);
    EXPECT_EQ(rules.Title(), "Print preview - drawing set, 24 pages");
    EXPECT_EQ(rules.CurrentPage(), 1);
    rules.SetCurrentPage(30);
    EXPECT_EQ(rules.PageLine(), "Page 24 of 24");
    // Painted again with fewer pages (the choice changed): the page on view comes within them.
    rules.SetPainted(true, 1);
    EXPECT_EQ(rules.Title(), "Print preview - drawing set, 1 page");
    EXPECT_EQ(rules.PageLine(), "Page 1 of 1");
    rules.SetPainted(false, 1);
    EXPECT_EQ(rules.Title(), "Print preview - one sheet");
    rules.SetCurrentPage(0);
    EXPECT_EQ(rules.CurrentPage(), 1);
    rules.SetPainted(false, 0);
    EXPECT_EQ(rules.PageLine(), "");
}

TEST(ImageExportSettings, DefaultsAndFormats) {
    ImageExportSettings settings("/d");
    EXPECT_EQ(settings.FileName(), "/d/Ixo schematic.bmp");
    EXPECT_FALSE(settings.JpegOptionsEnabled()); // until a file is chosen
    EXPECT_EQ(settings.Format(), SheetFormat::Bmp);
    EXPECT_EQ(settings.PaperIndex(), 0);
    EXPECT_EQ(settings.ResolutionIndex(), 0);
    EXPECT_EQ(settings.OrientationIndex(), 1);
    EXPECT_EQ(settings.Quality(), 75);
    settings.ChooseFile("/d/x.JPG");
    EXPECT_TRUE(settings.JpegOptionsEnabled());
    EXPECT_EQ(settings.Format(), SheetFormat::Jpeg);
    settings.ChooseFile("/d/x.Bmp");
    EXPECT_FALSE(settings.JpegOptionsEnabled());
    settings.ChooseFile("/d/x.png");
    EXPECT_EQ(settings.Format(), SheetFormat::Png);
    settings.ChooseFile("/d/x"); // no known extension: JPEG
    EXPECT_EQ(settings.Format(), SheetFormat::Jpeg);
    EXPECT_TRUE(settings.CanAccept());
    settings.SetFileName("");
    EXPECT_FALSE(settings.CanAccept());
}

TEST(ImageExportSettings, OptionsAndSheetSizes) {
    ImageExportSettings settings("/d");
    PageSetup margins;
    ExportOptions options = settings.Options(margins);
    EXPECT_EQ(options.paper, Paper::A4);
    EXPECT_EQ(options.dpi, 150);
    EXPECT_EQ(options.orientation, PaperOrientation::Horizontal);
    // A4 horizontal at 150 dpi: 297 mm -> round(297 / 25.4 x 150) = 1754, 210 mm -> 1240.
    EXPECT_EQ(SheetPixels(options.paper, options.orientation, options.dpi), QSize(1754, 1240));
    settings.SetResolutionIndex(1);
    settings.SetPaperIndex(2);
    settings.SetOrientationIndex(0);
    settings.SetQuality(0);
    options = settings.Options(margins);
    EXPECT_EQ(options.dpi, 300);
    EXPECT_EQ(options.paper, Paper::A2);
    EXPECT_EQ(options.orientation, PaperOrientation::Vertical);
    EXPECT_EQ(options.quality, 1);
    settings.SetPaperIndex(3); // not an item
    EXPECT_EQ(settings.PaperIndex(), 2);
    JpegQualitySetting quality(140);
    EXPECT_EQ(quality.Value(), 100);
    quality.Default();
    EXPECT_EQ(quality.Value(), 75);
}

TEST(SplashTexts, ShortVersionDropsZeroMinorNumbers) {
    EXPECT_EQ(ShortVersion("2.1.0.14"), "2.1.0");
    EXPECT_EQ(ShortVersion("2.0.3.14"), "2.0.3");
    EXPECT_EQ(ShortVersion("2.0.0.14"), "2.0");
    EXPECT_EQ(BuildNumber("2.0.0.14"), "14");
    EXPECT_EQ(VersionLabel("1.2.0.7"), "Version: 1.2.0 Build: 7");
    EXPECT_EQ(DateLabel("Dec  9 2026"), "Date: Dec  9 2026");
}

} // namespace
} // namespace ixo
