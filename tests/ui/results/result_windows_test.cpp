#include "ui/catalogue_explorer/catalogue_explorer_dialog.h"
#include "ui/levels/levels_window.h"
#include "ui/regulation/regulation_window.h"
#include "ui/results/result_windows.h"
#include "ui/widgets_app.h"

#include "catalogue/catalogue_lookups.h"
#include "editing/editing_test_support.h"
#include "editing/network_edits.h"
#include "levels/polaridad_vivienda.h"
#include "model/lin_amp.h"
#include "model/multiswitch.h"
#include "model/pin.h"
#include "model/toma_tv.h"
#include "support/temp_dir.h"

#include <QComboBox>
#include <QFileInfo>
#include <QPrinter>
#include <QSlider>
#include <QTreeWidget>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

namespace ixo::test {
namespace {

constexpr std::int32_t kAL5 = 100;

class ResultWindowsTest : public EditingFixture {
protected:
    void SetUp() override {
        EnsureWidgetsApplication();
        window = std::make_unique<QWidget>();
        BuildNetwork(Shape(1, 1, 1, 2, 4, 1));
        TMultiswitch* ms = ElementsOfClass<TMultiswitch>(*project).back();
        ASSERT_TRUE(
            editor->Apply([&](EditJournal& j) { return InsertLineAmplifier(*project, *ms, kAL5, j); }));
        amplifier = ElementsOfClass<TLinAmp>(*project).at(0);
        tap = ElementsOfClass<TTomaTV>(*project).at(0)->PinesDERIVACION().front();
        hooks.levelsChanged = [this] { ++levelsChanges; };
        hooks.edited = [this] { ++edits; };
    }

    std::unique_ptr<QWidget> window; // made after the application (SetUp): a widget needs one
    ResultWindows::Hooks hooks;
    int levelsChanges = 0;
    int edits = 0;
    TLinAmp* amplifier = nullptr;
    TPin* tap = nullptr;
};

TEST_F(ResultWindowsTest, ARegulationMovesTheLevelsShownAndOkIsOneEdit) {
    ResultWindows results(*window, hooks);
    results.ShowLevels(*project, *tap);
    ASSERT_TRUE(results.Levels().isVisible());
    const double before = results.Levels().Model().LevelPoints()[3].y;
    results.runRegulation = [&](RegulationWindow& regulation) {
        regulation.Slider(0)->setValue(regulation.Slider(0)->value() + 300); // satellite gains 30 % down
        EXPECT_EQ(levelsChanges, 1) << "the status bar follows the move";
        EXPECT_LT(results.Levels().Model().LevelPoints()[3].y, before) << "the levels window too";
        regulation.accept();
        return static_cast<int>(QDialog::Accepted);
    };
    const std::size_t steps = editor->StepCount();
    EXPECT_TRUE(results.Regulate(*project, *editor, *amplifier));
    EXPECT_EQ(editor->StepCount(), steps + 1);
    EXPECT_EQ(edits, 1);
    EXPECT_EQ(results.Levels().Model().Pin(), tap) << "a regulation frees nothing: the pin stays shown";
    EXPECT_TRUE(results.Levels().isVisible());
    results.NetworkChanged();
    EXPECT_EQ(results.Levels().Model().Pin(), nullptr);
    EXPECT_FALSE(results.Levels().isVisible());
}

TEST_F(ResultWindowsTest, CancelChangesNothingAndOtherElementsOpenNoWindow) {
    ResultWindows results(*window, hooks);
    const auto before = Bytes();
    int runs = 0;
    results.runRegulation = [&](RegulationWindow& regulation) {
        ++runs;
        regulation.Slider(1)->setValue(900);
        regulation.reject();
        return static_cast<int>(QDialog::Rejected);
    };
    EXPECT_FALSE(results.Regulate(*project, *editor, *amplifier));
    EXPECT_EQ(Bytes(), before);
    EXPECT_EQ(edits, 0);
    EXPECT_EQ(runs, 1);
    EXPECT_FALSE(results.Regulate(*project, *editor, *tap->Owner())) << "an outlet is not regulated";
    EXPECT_EQ(runs, 1);
}

TEST_F(ResultWindowsTest, TheLevelsWindowPrintsOnThePrinterChosen) {
    ResultWindows results(*window, hooks);
    results.ShowLevels(*project, *tap);
    TempDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString file = QString::fromStdString((dir.Path() / "levels.pdf").string());
    printer.setOutputFileName(file);
    int asked = 0;
    results.choosePrinter = [&]() -> QPrinter* {
        ++asked;
        return asked == 1 ? nullptr : &printer; // Cancel first, then Ok
    };
    results.Levels().Print();
    EXPECT_FALSE(QFileInfo::exists(file)) << "cancelled";
    results.Levels().Print();
    EXPECT_EQ(asked, 2);
    EXPECT_GT(QFileInfo(file).size(), 1000);
}

TEST_F(ResultWindowsTest, APolarityChosenInTheLevelsWindowIsReported) {
    ResultWindows results(*window, hooks);
    results.ShowLevels(*project, *tap);
    const int other = PinDePolaridad(*tap)->polaridad == 0 ? 1 : 0;
    results.Levels().PolarityBox()->setCurrentIndex(other);
    EXPECT_EQ(levelsChanges, 1);
    EXPECT_EQ(PinDePolaridad(*tap)->polaridad, other);
}

TEST_F(ResultWindowsTest, TheExplorerHandsBackTheChoiceOrNothing) {
    ResultWindows results(*window, hooks);
    TCatalogo& catalogue = *DemoStore().Catalogue();
    const std::int32_t family = amplifier->Familia;
    results.runExplorer = [](CatalogueExplorerDialog& explorer) {
        EXPECT_NE(explorer.ModelList()->currentItem(), nullptr) << "the amplifier's own model is selected";
        explorer.accept();
        return static_cast<int>(QDialog::Accepted);
    };
    const std::optional<CatalogueChoice> choice =
        results.ChooseFromCatalogue(catalogue, family, 0, kAL5, false);
    ASSERT_TRUE(choice.has_value());
    EXPECT_EQ(choice->family, family);
    EXPECT_EQ(choice->indice, kAL5);
    EXPECT_EQ(choice->name, amplifier->Modelo);
    EXPECT_TRUE(choice->modelChosen);
    results.runExplorer = [](CatalogueExplorerDialog& explorer) {
        explorer.reject();
        return static_cast<int>(QDialog::Rejected);
    };
    EXPECT_FALSE(results.ChooseFromCatalogue(catalogue, family, 0, kAL5, false).has_value());
}

} // namespace
} // namespace ixo::test
