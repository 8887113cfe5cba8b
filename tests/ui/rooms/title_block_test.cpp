#include "editing/network_editor.h"
#include "editing/title_block_edit.h"
#include "support/project_fixture.h"
#include "ui/main/help_key.h"
#include "ui/title_block/title_block_dialog.h"
#include "ui/title_block/title_block_rules.h"
#include "ui/widgets_app.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace ixo {
namespace {

std::vector<std::string> Lines(int count) {
    std::vector<std::string> lines;
    for (int i = 0; i < count; ++i) {
        lines.push_back("line " + std::to_string(i));
    }
    return lines;
}

TEST(TitleBlockRules, AShortListKeepsTheInitialTextsAndOkStoresExactlyTen) {
    TitleBlockRules rules('.');
    rules.SetEntry({Lines(4), 90, 30, true});
    EXPECT_EQ(rules.Texts()[0], "Author:");
    EXPECT_EQ(rules.Texts()[3], "3/04/2003");
    EXPECT_EQ(rules.Texts()[6], "Title");
    EXPECT_EQ(rules.Texts()[7], "");
    const TitleBlock block = rules.Collect();
    ASSERT_EQ(block.lines.size(), 10u);
    EXPECT_EQ(block.lines[4], "Revisión");
    EXPECT_EQ(block.lines[5], "1");
}

TEST(TitleBlockRules, ALongListShowsItsFirstTenAndLosesTheRest) {
    TitleBlockRules rules('.');
    rules.SetEntry({Lines(13), 90, 30, false});
    EXPECT_EQ(rules.Texts()[9], "line 9");
    rules.SetText(1, "Ann Smith");
    const TitleBlock block = rules.Collect();
    ASSERT_EQ(block.lines.size(), 10u);
    EXPECT_EQ(block.lines[1], "Ann Smith");
    EXPECT_EQ(block.lines[9], "line 9");
    EXPECT_FALSE(block.visible);
}

TEST(TitleBlockRules, SizesShowWithOneDecimalInTheLocalesSeparatorAndComeBackAsTyped) {
    TitleBlockRules point('.');
    point.SetEntry({Lines(10), 90, 30, true});
    EXPECT_EQ(point.WidthText(), "90.0");
    EXPECT_EQ(point.HeightText(), "30.0");
    EXPECT_EQ(point.Collect().widthMm, 90.0);
    EXPECT_EQ(point.Collect().heightMm, 30.0);
    TitleBlockRules comma(',');
    comma.SetEntry({Lines(10), 90, 30, true});
    EXPECT_EQ(comma.WidthText(), "90,0");
    comma.SetWidthText("120,5");
    comma.SetHeightText("-4"); // stored as typed
    EXPECT_EQ(comma.Collect().widthMm, 120.5);
    EXPECT_EQ(comma.Collect().heightMm, -4.0);
}

TEST(TitleBlockRules, ASizeThatIsNotANumberKeepsItsValueOnEntry) {
    TitleBlockRules rules('.');
    rules.SetEntry({Lines(10), 95, 35, true});
    for (const char* text : {"", "-", "1e3", "12.5.1", "abc"}) {
        EXPECT_FALSE(rules.SizeTextAccepted(text)) << text;
        rules.SetWidthText(text);
        rules.SetHeightText("41");
        EXPECT_EQ(rules.Collect().widthMm, 95.0) << text;
        EXPECT_EQ(rules.Collect().heightMm, 41.0) << "the other value is still collected";
    }
}

TEST(TitleBlockRules, CellsAreLaidOutAsTheBlocksCellsWithCaptionsOutOfTheTabOrder) {
    const auto& cells = TitleBlockRules::Cells();
    int tabStops = 0;
    for (const TitleBlockCell& cell : cells) {
        tabStops += cell.tabStop ? 1 : 0;
        EXPECT_LE(cell.left + cell.width, 481 + 8) << "inside the bevel";
    }
    EXPECT_EQ(tabStops, 6) << "the four captions are passed by";
    EXPECT_FALSE(cells[0].tabStop);
    EXPECT_TRUE(cells[1].tabStop);
    EXPECT_EQ(cells[9].top, 158);
}

class TitleBlockDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::EnsureWidgetsApplication();
        QLocale::setDefault(QLocale::c());
    }
    static void Show(QWidget& dialog) {
        dialog.show();
        dialog.activateWindow();
        QApplication::setActiveWindow(&dialog);
        QApplication::processEvents();
    }
};

TEST_F(TitleBlockDialogTest, TheAuthorHasTheFocusAndTabSkipsTheCaptions) {
    TitleBlockDialog dialog({Lines(10), 90, 30, true});
    Show(dialog);
    EXPECT_EQ(QApplication::focusWidget(), dialog.Cell(1));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), dialog.Cell(3)) << "the date caption is passed by";
    QTest::keyClicks(dialog.Cell(3), QStringLiteral("x"));
    EXPECT_EQ(dialog.Cell(3)->text(), QStringLiteral("x")) << "Tab selects the date, typing replaces it";
    // Captions stay editable.
    EXPECT_FALSE(dialog.Cell(0)->isReadOnly());
}

TEST_F(TitleBlockDialogTest, OkCollectsTheBoxesAndTheSizeKeysAreFiltered) {
    TitleBlockDialog dialog({Lines(10), 90, 30, true});
    Show(dialog);
    dialog.Cell(1)->setText(QStringLiteral("Ann Smith"));
    dialog.WidthBox()->clear();
    QTest::keyClicks(dialog.WidthBox(), QStringLiteral("12a5,5 "));
    EXPECT_EQ(dialog.WidthBox()->text(), QStringLiteral("125.5"))
        << "letters and blanks dropped, comma typed as point";
    dialog.VisibleBox()->setChecked(false);
    dialog.accept();
    const TitleBlock block = dialog.Result();
    EXPECT_EQ(block.lines[1], "Ann Smith");
    EXPECT_EQ(block.widthMm, 125.5);
    EXPECT_EQ(block.heightMm, 30.0);
    EXPECT_FALSE(block.visible);
}

TEST_F(TitleBlockDialogTest, LeavingAnEmptySizeBoxBringsTheFocusBack) {
    TitleBlockDialog dialog({Lines(10), 90, 30, true});
    Show(dialog);
    dialog.HeightBox()->setFocus();
    QApplication::processEvents();
    dialog.HeightBox()->setText(QStringLiteral("-"));
    dialog.Cell(1)->setFocus();
    QApplication::processEvents();
    QApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), dialog.HeightBox());
    EXPECT_EQ(dialog.HeightBox()->selectedText(), QStringLiteral("-"));
}

class TitleBlockEdit : public test::ProjectFixture {};

TEST_F(TitleBlockEdit, IsOneUndoableStepThatTheEditorRedoes) {
    Tproyecto& project = Build({});
    NetworkEditor editor(project);
    const TitleBlock before = TitleBlockOf(project);
    TitleBlock after = before;
    after.lines.resize(10);
    after.lines[1] = "Ann Smith";
    after.lines[7] = "Block A";
    after.widthMm = 120;
    after.visible = false;
    ASSERT_TRUE(editor.Apply([&](EditJournal& journal) {
        SetTitleBlock(project, after, journal);
        return true;
    }));
    EXPECT_EQ(TitleBlockOf(project), after);
    EXPECT_TRUE(project.Modificado);
    ASSERT_TRUE(editor.Undo());
    EXPECT_EQ(TitleBlockOf(project), before);
    EXPECT_FALSE(editor.CanUndo());
    ASSERT_TRUE(editor.Redo());
    EXPECT_EQ(TitleBlockOf(project), after);
}

} // namespace
} // namespace ixo
