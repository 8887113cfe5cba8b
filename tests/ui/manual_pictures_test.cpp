// The manual's pictures: the window and its dialogs as a user sees them, taken on the offscreen
// platform. They go to the folder named by IXO_MANUAL_PICTURES (docs/images renews the manual's own, to
// be looked at before committing) or to a temporary folder; every picture must show something.
//
//   IXO_MANUAL_PICTURES=$PWD/docs/images build/tests/ixo_ui_tests --gtest_filter='ManualPictures*'
#include "ui/dialogs/flat_dialog.h"
#include "ui/dialogs/input_level_dialog.h"
#include "ui/dialogs/length_dialog.h"
#include "ui/main/app_session.h"
#include "ui/main/main_window.h"
#include "ui/main/splash_window.h"
#include "ui/print/image_export_dialog.h"
#include "ui/project/wizard_dialog.h"
#include "ui/sheet/sheet_view.h"
#include "widgets_app.h"

#include "building/proyecto.h"
#include "support/temp_dir.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

namespace ixo {
namespace {

WizardResults ManualBuilding() {
    WizardResults r;
    r.Npolaridades = 8;
    r.Nverticales = 2;
    r.Nplantas = 4;
    r.VertHeader = 1;
    r.Nviv = 16;
    r.NoutletViv = 2;
    r.TipoDistribucionViv = 0;
    r.TipoDistribucionCab = 1;
    r.DisViv.assign(2, std::vector<std::int32_t>(4, 2));
    return r;
}

class ManualPictures : public ::testing::Test {
protected:
    void SetUp() override {
        test::EnsureWidgetsApplication();
        QLocale::setDefault(QLocale::c());
        const char* folder = std::getenv("IXO_MANUAL_PICTURES");
        m_folder = folder != nullptr && *folder != '\0' ? QString::fromLocal8Bit(folder)
                                                        : QString::fromStdString(temp.Path().string());
    }

    // Saves the widget as it is painted and checks that the picture is not blank.
    void Take(QWidget& widget, const char* name) {
        widget.show();
        QApplication::processEvents();
        const QImage picture = widget.grab().toImage();
        ASSERT_FALSE(picture.isNull()) << name;
        std::set<QRgb> colours;
        for (int y = 0; y < picture.height(); y += 3) {
            for (int x = 0; x < picture.width(); x += 3) {
                colours.insert(picture.pixel(x, y) & 0xFFFFFF);
            }
        }
        EXPECT_GT(colours.size(), 4u) << name << " shows next to nothing";
        const QString file =
            m_folder + QStringLiteral("/") + QString::fromLatin1(name) + QStringLiteral(".png");
        ASSERT_TRUE(picture.save(file, "PNG")) << file.toStdString();
    }

    test::TempDir temp;
    QString m_folder;
};

TEST_F(ManualPictures, TheWindowAndItsCommands) {
    AppSession session{test::BinDirectory()};
    std::string message;
    ASSERT_TRUE(session.Load(message)) << message;
    MainWindow window(session);
    window.showError = [](const QString&, const QString&) {};
    window.resize(1000, 680);
    Take(window, "empty-window");
    ASSERT_TRUE(window.CreateProjectFromWizard(ManualBuilding()));
    Take(window, "main-window");
    window.ChooseZoomStep(7); // 400 %
    window.FinishRefining();
    window.View()->Horizontal()->setValue(window.View()->Horizontal()->maximum() / 5);
    window.View()->Vertical()->setValue(window.View()->Vertical()->maximum() / 4);
    Take(window, "zoomed-view");
    window.ZoomAll();
    // The menus, one at a time.
    const char* menus[] = {"file-menu", "edit-menu", "view-menu"};
    const QList<QAction*> titles = window.menuBar()->actions();
    for (int i = 0; i < 3 && i < titles.size(); ++i) {
        QMenu* menu = titles.at(i)->menu();
        ASSERT_NE(menu, nullptr);
        menu->popup(QPoint(0, 0));
        QApplication::processEvents();
        Take(*menu, menus[i]);
        menu->hide();
    }
    window.Project()->Modificado = false;
}

TEST_F(ManualPictures, TheWizard) {
    WizardDialog wizard(nullptr);
    wizard.StairsBox()->setCurrentIndex(1);
    wizard.FloorsEdit()->setText(QStringLiteral("4"));
    emit wizard.FloorsEdit()->editingFinished();
    wizard.FlatsEdit()->setText(QStringLiteral("16"));
    emit wizard.FlatsEdit()->editingFinished();
    wizard.OutletsBox()->setCurrentIndex(1);
    wizard.PolarityBox()->setCurrentIndex(1);
    Take(wizard, "wizard-first-page");
    wizard.NextClicked();
    ASSERT_EQ(wizard.PageShown(), 1);
    for (int row = 0; row < wizard.Grid()->rowCount(); ++row) {
        for (int column = 1; column < wizard.Grid()->columnCount(); ++column) {
            if (QTableWidgetItem* item = wizard.Grid()->item(row, column)) {
                item->setText(QStringLiteral("2"));
            }
        }
    }
    Take(wizard, "wizard-grid");
}

TEST_F(ManualPictures, TheDialogs) {
    ImageExportDialog image(nullptr, std::filesystem::path("/home/user/Documents"));
    Take(image, "save-image");
    JpegOptionsDialog jpeg(nullptr, 75);
    Take(jpeg, "jpeg-options");
    SplashWindow about(nullptr, true);
    Take(about, "about");
    FlatDialog flat(nullptr);
    flat.SetFlat("FL3", 2, 0);
    Take(flat, "flat-dialog");
    LengthDialog length(nullptr);
    length.SetLength(7.5);
    Take(length, "length-dialog");
    InputLevelDialog levels(nullptr);
    LevelVector dish = LevelVector::Filled(0.0);
    for (std::size_t band = kFirstSatelliteBand; band < kBandCount; ++band) {
        dish[band] = 77.0 - static_cast<double>(band - kFirstSatelliteBand);
    }
    levels.SetDishLevels(std::vector<LevelVector>(4, dish));
    Take(levels, "level-dialog");
}

} // namespace
} // namespace ixo
