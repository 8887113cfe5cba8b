#include "ui/dialogs/flat_dialog.h"
#include "ui/dialogs/input_level_dialog.h"
#include "ui/dialogs/length_dialog.h"
#include "ui/main/help_key.h"
#include "ui/print/image_export_dialog.h"
#include "ui/project/wizard_dialog.h"
#include "ui/sheet/cursors.h"
#include "widgets_app.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace ixo {
namespace {

class SmallDialogsTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::EnsureWidgetsApplication();
        QLocale::setDefault(QLocale::c()); // the point is the decimal separator here
        SetHelpCommand([this] { ++helpRuns; });
    }
    void TearDown() override { SetHelpCommand({}); }

    // Shows the dialog and gives it the keyboard, as a window manager would.
    static void Show(QWidget& dialog) {
        dialog.show();
        dialog.activateWindow();
        QApplication::setActiveWindow(&dialog);
        QApplication::processEvents();
    }

    int helpRuns = 0;
};

TEST_F(SmallDialogsTest, FlatDialogShowsTheFlatAndHandsBackTheChoice) {
    FlatDialog dialog(nullptr);
    dialog.SetFlat("FL7", 3, 1);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Flat characteristics [FL7]"));
    EXPECT_EQ(dialog.Outlets()->currentText(), QStringLiteral("3"));
    EXPECT_EQ(dialog.Distribution()->currentText(), QStringLiteral("CASCADE"));
    EXPECT_EQ(dialog.Name()->text(), QStringLiteral("FL7"));
    Show(dialog);
    dialog.Name()->selectAll();
    QTest::keyClicks(dialog.Name(), QStringLiteral("Attic12345"));
    EXPECT_EQ(dialog.Name()->text(), QStringLiteral("Attic1")) << "at most six characters";
    dialog.Outlets()->setCurrentIndex(5);
    dialog.Distribution()->setCurrentIndex(0);
    dialog.AllFlats()->setChecked(true);
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Result().outlets, 6);
    EXPECT_EQ(dialog.Result().distribution, 0);
    EXPECT_EQ(dialog.Result().name, "Attic1");
    EXPECT_TRUE(dialog.Result().applyToAll);
}

TEST_F(SmallDialogsTest, FlatDialogWithoutAnOutletsItemDoesNotClose) {
    FlatDialog dialog(nullptr);
    dialog.SetFlat("FL1", 0, 0); // 0 outlets selects nothing
    EXPECT_EQ(dialog.Outlets()->currentIndex(), -1);
    Show(dialog);
    dialog.accept();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_NE(dialog.result(), QDialog::Accepted);
}

TEST_F(SmallDialogsTest, LengthDialogTurnsTheCommaIntoThePointAndDropsLetters) {
    LengthDialog dialog(nullptr);
    dialog.SetLength(12.34);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Change distance"));
    EXPECT_EQ(dialog.Edit()->text(), QStringLiteral("12.3"));
    Show(dialog);
    dialog.Edit()->clear();
    QTest::keyClicks(dialog.Edit(), QStringLiteral("2,x5"));
    EXPECT_EQ(dialog.Edit()->text(), QStringLiteral("2.5"));
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Length(), 2.5);
}

TEST_F(SmallDialogsTest, LengthDialogKeepsATextThatIsNotALength) {
    LengthDialog dialog(nullptr);
    dialog.SetLength(5.0);
    Show(dialog);
    dialog.Edit()->setText(QStringLiteral("1.2.3"));
    dialog.accept();
    EXPECT_TRUE(dialog.isVisible()) << "the dialog stays open";
    EXPECT_EQ(dialog.Edit()->selectedText(), QStringLiteral("1.2.3")) << "with the edit selected";
    EXPECT_EQ(dialog.Length(), 5.0);
    dialog.Edit()->setText(QStringLiteral("-4"));
    dialog.accept();
    EXPECT_TRUE(dialog.isVisible()) << "a cable cannot be shorter than nothing";
}

TEST_F(SmallDialogsTest, LevelDialogRefusesToLeaveACellOutOfRange) {
    InputLevelDialog dialog(nullptr);
    std::vector<QString> errors;
    dialog.showError = [&](const QString& text) { errors.push_back(text); };
    dialog.SetDishLevels(std::vector<LevelVector>(4, LevelVector::Filled(70.0)));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Satellite parabolic antenna input level"));
    QTableWidget* grid = dialog.Grid();
    ASSERT_EQ(grid->rowCount(), 4);
    ASSERT_EQ(grid->columnCount(), 4);
    EXPECT_EQ(grid->horizontalHeaderItem(0)->text(), QStringLiteral("950"));
    Show(dialog);
    grid->setCurrentCell(1, 2);
    grid->item(1, 2)->setText(QStringLiteral("126"));
    grid->setCurrentCell(2, 2);
    EXPECT_EQ(grid->currentRow(), 1) << "the move to another cell is refused";
    EXPECT_EQ(grid->currentColumn(), 2);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], QStringLiteral(" Value must be between 0 and 125"));
    dialog.accept();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.Levels()[1][6], 70.0) << "no level changes while a cell is bad";
    grid->item(1, 2)->setText(QStringLiteral("88.5"));
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Levels()[1][6], 88.5);
}

TEST_F(SmallDialogsTest, TerrestrialHeadendLevelsReturn90InBand0) {
    InputLevelDialog dialog(nullptr);
    dialog.SetHeadendLevels(LevelVector::Filled(40.0));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Terrestrial amplifier output level"));
    ASSERT_EQ(dialog.Grid()->rowCount(), 1);
    ASSERT_EQ(dialog.Grid()->columnCount(), 3);
    Show(dialog);
    dialog.Grid()->item(0, 1)->setText(QStringLiteral("95"));
    dialog.accept();
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Levels()[0][0], 90.0);
    EXPECT_EQ(dialog.Levels()[0][1], 40.0);
    EXPECT_EQ(dialog.Levels()[0][2], 95.0);
}

TEST_F(SmallDialogsTest, F1InEveryDialogOpensTheHelp) {
    FlatDialog flat(nullptr);
    LengthDialog length(nullptr);
    InputLevelDialog levels(nullptr);
    WizardDialog wizard(nullptr);
    ImageExportDialog image(nullptr, std::filesystem::temp_directory_path());
    JpegOptionsDialog jpeg(nullptr, 75);
    int expected = 0;
    for (QWidget* dialog : std::initializer_list<QWidget*>{&flat, &length, &levels, &wizard, &image, &jpeg}) {
        Show(*dialog);
        QWidget* target = dialog->focusWidget() != nullptr ? dialog->focusWidget() : dialog;
        QTest::keyClick(target, Qt::Key_F1);
        EXPECT_EQ(helpRuns, ++expected) << dialog->windowTitle().toStdString();
        dialog->hide();
    }
}

TEST_F(SmallDialogsTest, CursorsAreOurOwnPictures) {
    for (const QCursor* cursor : {&HandCursor(), &TargetCursor()}) {
        EXPECT_EQ(cursor->shape(), Qt::BitmapCursor);
        const QImage image = cursor->pixmap().toImage();
        ASSERT_EQ(image.size(), QSize(32, 32));
        int opaque = 0;
        int dark = 0;
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 32; ++x) {
                const QColor c = image.pixelColor(x, y);
                opaque += c.alpha() > 128 ? 1 : 0;
                dark += c.alpha() > 128 && c.lightness() < 80 ? 1 : 0;
            }
        }
        EXPECT_GT(opaque, 60) << "a visible picture";
        EXPECT_LT(opaque, 600) << "not a filled square";
        EXPECT_GT(dark, 30) << "black outlines";
    }
    EXPECT_EQ(TargetCursor().hotSpot(), QPoint(15, 15));
    // The target's centre is clear so that the pin under it shows.
    EXPECT_LT(TargetCursor().pixmap().toImage().pixelColor(15, 15).alpha(), 128);
}

} // namespace
} // namespace ixo
