// The window as a user tries it: the sheet follows the standard's limits, the wheel and the keys move
// and zoom the sheet, and every tool is on view in a narrow window.
#include "building/proyecto.h"
#include "schematic/sheet.h"
#include "schematic/symbols.h"
#include "support/temp_dir.h"
#include "ui/main/app_session.h"
#include "ui/main/main_window.h"
#include "ui/project/standard_dialog.h"
#include "ui/project/wizard_model.h"
#include "ui/sheet/sheet_view.h"
#include "ui/sheet/zoom_steps.h"
#include "widgets_app.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QScrollBar>
#include <QTimer>
#include <QToolBar>
#include <QWheelEvent>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include <algorithm>

namespace ixo {
namespace {

WizardResults DemoBuilding() {
    WizardResults r;
    r.Npolaridades = 8;
    r.Nverticales = 2;
    r.Nplantas = 6;
    r.VertHeader = 1;
    r.Nviv = 48;
    r.NoutletViv = 3;
    r.TipoDistribucionViv = 0;
    r.TipoDistribucionCab = 1;
    r.DisViv.assign(2, std::vector<std::int32_t>(6, 4));
    return r;
}

// The outlets of the schematic with an error fill, and those without.
std::pair<std::size_t, std::size_t> FilledOutlets(const TpadreGraficosMS& schematic) {
    std::size_t filled = 0;
    std::size_t plain = 0;
    for (std::size_t i = 0; i < schematic.ObjectCount(); ++i) {
        if (const auto* outlet = dynamic_cast<const TgrafToma*>(schematic.Object(i))) {
            ++(outlet->ErrorFill != 0 ? filled : plain);
        }
    }
    return {filled, plain};
}

class WindowFaultsTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::EnsureWidgetsApplication();
        std::string message;
        ASSERT_TRUE(session.Load(message)) << message;
        window = std::make_unique<MainWindow>(session);
        window->resize(1000, 700);
        window->showError = [this](const QString&, const QString& text) { errors.push_back(text); };
        window->askSaveChanges = [](const std::string&) { return SaveAnswer::No; };
        window->show();
        QApplication::processEvents();
    }
    void TearDown() override {
        if (window->Project() != nullptr) {
            window->Project()->Modificado = false;
        }
        window.reset();
    }
    void ChooseStandard(int standard) {
        QTimer::singleShot(0, window.get(), [this, standard] {
            for (QDialog* dialog : window->findChildren<QDialog*>()) {
                if (auto* choice = dynamic_cast<StandardDialog*>(dialog)) {
                    choice->StandardBox()->setCurrentIndex(standard);
                    choice->accept();
                }
            }
        });
        window->ChooseStandard();
    }
    void Wheel(int angleY, Qt::KeyboardModifiers modifiers) {
        SheetSurface* surface = window->View()->Surface();
        const QPointF at(surface->width() / 2.0, surface->height() / 2.0);
        QWheelEvent event(at, surface->mapToGlobal(at), QPoint(), QPoint(0, angleY), Qt::NoButton, modifiers,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(surface, &event);
    }

    AppSession session{test::BinDirectory()};
    std::unique_ptr<MainWindow> window;
    std::vector<QString> errors;
};

TEST_F(WindowFaultsTest, TheOutletFillsFollowEveryChangeOfTheStandardsLimits) {
    ASSERT_TRUE(window->CreateProjectFromWizard(DemoBuilding()));
    const auto count = [this] { return FilledOutlets(*window->Schematic()); };
    std::vector<std::size_t> seen;
    const int standards = [this] {
        StandardDialog probe(window.get(), *window->Project());
        return probe.StandardBox()->count();
    }();
    ASSERT_GE(standards, 2);
    for (int standard = 0; standard < standards; ++standard) {
        ChooseStandard(standard);
        const auto [filled, plain] = count();
        // The fills say what the status bar counts: as many failing outlets, and all others plain.
        EXPECT_EQ(filled, window->OutletsOutOfLimits()) << "standard " << standard;
        EXPECT_EQ(filled + plain, 144u);
        seen.push_back(filled);
    }
    // Presets with other limits fail other outlets: going from one to another and back, the fills follow.
    // ("None", the first, and "Custom", the last, keep the limits as they were.)
    int one = -1;
    int another = -1;
    for (int i = 1; i + 1 < standards && another < 0; ++i) {
        for (int j = i + 1; j + 1 < standards && another < 0; ++j) {
            if (seen[static_cast<std::size_t>(i)] != seen[static_cast<std::size_t>(j)]) {
                one = i;
                another = j;
            }
        }
    }
    ASSERT_GE(another, 0) << "every preset failed as many outlets";
    for (const int standard : {one, another, one}) {
        ChooseStandard(standard);
        EXPECT_EQ(count().first, seen[static_cast<std::size_t>(standard)]) << "standard " << standard;
    }
    EXPECT_TRUE(errors.empty());
}

TEST_F(WindowFaultsTest, TheWheelScrollsAndCtrlWheelZooms) {
    ASSERT_TRUE(window->CreateProjectFromWizard(DemoBuilding()));
    QScrollBar* vertical = window->View()->Vertical();
    // At "All" there is nothing to scroll: the wheel changes nothing.
    Wheel(-120, Qt::NoModifier);
    EXPECT_EQ(vertical->value(), 0);
    EXPECT_EQ(window->ZoomIndex(), 0);
    // Ctrl and the wheel away from the user zooms in a step at a time.
    Wheel(120, Qt::ControlModifier);
    window->FinishRefining();
    const int zoomed = window->ZoomIndex();
    EXPECT_GT(zoomed, 0);
    window->ChooseZoomStep(ZoomStepCount() - 2);
    window->FinishRefining();
    ASSERT_TRUE(vertical->isEnabled());
    const int top = vertical->value();
    Wheel(-240, Qt::NoModifier);
    EXPECT_GT(vertical->value(), top);
    const int lower = vertical->value();
    Wheel(120, Qt::NoModifier);
    EXPECT_LT(vertical->value(), lower);
    // Ctrl and the wheel towards the user zooms out.
    const int before = window->ZoomIndex();
    Wheel(-120, Qt::ControlModifier);
    EXPECT_LT(window->ZoomIndex(), before);
}

TEST_F(WindowFaultsTest, TheKeysScrollTheSheet) {
    ASSERT_TRUE(window->CreateProjectFromWizard(DemoBuilding()));
    window->ChooseZoomStep(ZoomStepCount() - 2);
    window->FinishRefining();
    SheetSurface* surface = window->View()->Surface();
    QScrollBar* vertical = window->View()->Vertical();
    QScrollBar* horizontal = window->View()->Horizontal();
    ASSERT_TRUE(vertical->isEnabled() && horizontal->isEnabled());
    QTest::keyClick(surface, Qt::Key_Down);
    EXPECT_GT(vertical->value(), 0);
    QTest::keyClick(surface, Qt::Key_End);
    EXPECT_EQ(vertical->value(), vertical->maximum());
    QTest::keyClick(surface, Qt::Key_PageUp);
    EXPECT_LT(vertical->value(), vertical->maximum());
    QTest::keyClick(surface, Qt::Key_Home);
    EXPECT_EQ(vertical->value(), 0);
    QTest::keyClick(surface, Qt::Key_Right);
    EXPECT_GT(horizontal->value(), 0);
    QTest::keyClick(surface, Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(horizontal->value(), 0);
}

TEST_F(WindowFaultsTest, EveryToolIsOnViewInANarrowWindow) {
    for (const int width : {1000, 800}) {
        window->resize(width, 700);
        QApplication::processEvents();
        QToolBar* tools = window->findChild<QToolBar*>(QStringLiteral("ToolsBar"));
        ASSERT_NE(tools, nullptr);
        for (const char* name : {"Aruler", "Anivel", "Aedit", "AInsert", "Amamp", "AAmpReg"}) {
            QWidget* button = tools->widgetForAction(window->Action(QString::fromLatin1(name)));
            ASSERT_NE(button, nullptr) << name;
            EXPECT_TRUE(button->isVisible()) << name << " hidden at " << width << " px";
            EXPECT_LE(button->mapTo(window.get(), QPoint(button->width(), 0)).x(), width) << name;
        }
    }
}

} // namespace
} // namespace ixo
