// The window's rooms on their own, without the main window: the project commands filling an open
// design, the sheet showing it and scrolling, and the recent files.
#include "building/proyecto.h"
#include "editing/network_editor.h"
#include "support/temp_dir.h"
#include "ui/main/app_session.h"
#include "ui/project/open_design.h"
#include "ui/project/project_commands.h"
#include "ui/project/recent_files.h"
#include "ui/project/wizard_model.h"
#include "ui/sheet/sheet_presenter.h"
#include "ui/sheet/sheet_view.h"
#include "ui/sheet/zoom_steps.h"
#include "widgets_app.h"

#include <QApplication>
#include <QScrollBar>
#include <QSettings>
#include <QWidget>

#include <algorithm>
#include <fstream>

#include <gtest/gtest.h>

namespace ixo {
namespace {

WizardResults SmallBuilding() {
    WizardResults r;
    r.Npolaridades = 4;
    r.Nverticales = 1;
    r.Nplantas = 3;
    r.VertHeader = 1;
    r.Nviv = 6;
    r.NoutletViv = 2;
    r.TipoDistribucionViv = 0;
    r.TipoDistribucionCab = 1;
    r.DisViv.assign(1, std::vector<std::int32_t>(3, 2));
    return r;
}

class WindowRoomsTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::EnsureWidgetsApplication();
        std::string message;
        ASSERT_TRUE(session.Load(message)) << message;
        ProjectCommands::Hooks hooks;
        hooks.askSaveChanges = [this](const std::string&) {
            ++questions;
            return SaveAnswer::No;
        };
        hooks.chooseSaveFile = [](const QString&) { return QString(); };
        hooks.showError = [this](const QString&, const QString& text) { errors.push_back(text); };
        hooks.opened = [this] { ++opened; };
        hooks.closed = [this] { ++closed; };
        hooks.renamed = [] {};
        hooks.limitsChanged = [] {};
        parent = std::make_unique<QWidget>();
        commands = std::make_unique<ProjectCommands>(*parent, session, design, files, hooks);
    }
    void TearDown() override {
        if (design.project != nullptr) {
            design.project->Modificado = false;
        }
    }

    test::TempDir temp;
    AppSession session{test::BinDirectory()};
    std::unique_ptr<QWidget> parent;
    OpenDesign design;
    RecentFiles files{QStringLiteral("/nowhere")};
    std::unique_ptr<ProjectCommands> commands;
    int questions = 0;
    int opened = 0;
    int closed = 0;
    std::vector<QString> errors;
};

TEST_F(WindowRoomsTest, ProjectCommandsFillAndFreeTheOpenDesign) {
    ASSERT_TRUE(commands->CreateProjectFromWizard(SmallBuilding()));
    EXPECT_EQ(opened, 1);
    ASSERT_NE(design.project, nullptr);
    EXPECT_NE(design.schematic, nullptr);
    ASSERT_NE(design.editor, nullptr);
    EXPECT_TRUE(design.open);
    EXPECT_FALSE(design.editor->CanUndo());

    design.project->Modificado = true;
    EXPECT_TRUE(commands->CloseProject());
    EXPECT_EQ(questions, 1); // modified: asked, and No discards
    EXPECT_EQ(closed, 1);
    EXPECT_EQ(design.project, nullptr);
    EXPECT_EQ(design.schematic, nullptr);
    EXPECT_FALSE(design.open);
}

TEST_F(WindowRoomsTest, AFileThatIsNoProjectSaysWhyAndLeavesTheDesignEmpty) {
    const std::filesystem::path file = temp.Path() / "not.XPJ";
    std::ofstream(file) << "nothing of a project";
    EXPECT_FALSE(commands->OpenProjectFile(QString::fromStdString(file.string())));
    EXPECT_EQ(errors.size(), 1u);
    EXPECT_EQ(design.project, nullptr);
    EXPECT_EQ(opened, 0);
    EXPECT_TRUE(files.Files().empty());
}

TEST_F(WindowRoomsTest, TheSheetShowsTheDesignAndScrollsOnlyWhenItIsLargerThanTheView) {
    ASSERT_TRUE(commands->CreateProjectFromWizard(SmallBuilding()));
    SheetView view(nullptr);
    view.resize(800, 600);
    view.show();
    QApplication::processEvents();
    SheetPresenter sheet(view, nullptr);
    PageSetup page;
    sheet.SetPage(page);
    EXPECT_FALSE(sheet.Showing());
    EXPECT_FALSE(sheet.ScrollBy(10, 10));

    sheet.Show(design.schematic.get(), design.project.get());
    ASSERT_TRUE(sheet.Showing());
    sheet.Repaint();
    EXPECT_GT(sheet.TilesPaintedLastTime(), 0u);
    // "All": the whole sheet in the view, nothing to scroll.
    EXPECT_FALSE(sheet.AnyScrollBarEnabled());
    EXPECT_FALSE(sheet.ScrollBy(0, 50));

    int chosen = -1;
    sheet.onZoomStepChosen = [&chosen](int index) { chosen = index; };
    const int large = ZoomStepCount() - 1;
    sheet.ChooseZoomStep(large);
    sheet.FinishRefining();
    EXPECT_EQ(chosen, large);
    ASSERT_TRUE(sheet.AnyScrollBarEnabled());
    const int before = view.Vertical()->value();
    EXPECT_TRUE(sheet.ScrollBy(0, 40));
    EXPECT_EQ(view.Vertical()->value(), before + 40);
    // Beyond the start the bar stops at its minimum.
    sheet.ScrollBy(0, -100000);
    EXPECT_EQ(view.Vertical()->value(), view.Vertical()->minimum());
    EXPECT_FALSE(sheet.ScrollBy(0, -10));

    sheet.Show(nullptr, nullptr);
    EXPECT_FALSE(sheet.Showing());
}

TEST(RecentFilesTest, NewestFirstOnceEachAtMostSix) {
    test::EnsureWidgetsApplication();
    QSettings().remove(QStringLiteral("recentFiles"));
    RecentFiles files(QStringLiteral("/start"));
    for (int i = 0; i < 8; ++i) {
        files.Add(QStringLiteral("/p/%1.XPJ").arg(i));
    }
    files.Add(QStringLiteral("/p/4.XPJ"));
    ASSERT_EQ(files.Files().size(), 6u);
    EXPECT_EQ(files.Files()[0], QStringLiteral("/p/4.XPJ"));
    EXPECT_EQ(files.Files()[1], QStringLiteral("/p/7.XPJ"));
    EXPECT_EQ(std::count(files.Files().begin(), files.Files().end(), QStringLiteral("/p/4.XPJ")), 1);

    RecentFiles again(QStringLiteral("/start"));
    again.Load();
    EXPECT_EQ(again.Files(), files.Files());
    QSettings().remove(QStringLiteral("recentFiles"));
}

} // namespace
} // namespace ixo
