#include "ui/sheet/sheet_navigation.h"

#include <Qt>

#include <gtest/gtest.h>

namespace ixo {
namespace {

using Kind = SheetMove::Kind;

TEST(SheetNavigation, TheWheelScrollsDownTowardsTheUserAndUpAway) {
    const SheetSteps steps;
    EXPECT_EQ(WheelMove(0, -120, false, false, steps), (SheetMove{Kind::Scroll, 0, steps.line}));
    EXPECT_EQ(WheelMove(0, 120, false, false, steps), (SheetMove{Kind::Scroll, 0, -steps.line}));
    // Three notches at once, and half a notch of a touch pad.
    EXPECT_EQ(WheelMove(0, -360, false, false, steps), (SheetMove{Kind::Scroll, 0, 3 * steps.line}));
    EXPECT_EQ(WheelMove(0, -60, false, false, steps), (SheetMove{Kind::Scroll, 0, steps.line / 2}));
    // A sideways wheel, and Shift with the wheel, scroll sideways.
    EXPECT_EQ(WheelMove(-120, 0, false, false, steps), (SheetMove{Kind::Scroll, steps.line, 0}));
    EXPECT_EQ(WheelMove(0, -120, false, true, steps), (SheetMove{Kind::Scroll, steps.line, 0}));
    EXPECT_EQ(WheelMove(0, 0, false, false, steps), SheetMove{});
}

TEST(SheetNavigation, CtrlWithTheWheelZoomsInAwayFromTheUserAndOutTowards) {
    const SheetSteps steps;
    EXPECT_EQ(WheelMove(0, 120, true, false, steps).kind, Kind::ZoomIn);
    EXPECT_EQ(WheelMove(0, -120, true, false, steps).kind, Kind::ZoomOut);
    EXPECT_EQ(WheelMove(0, 0, true, false, steps).kind, Kind::None);
}

TEST(SheetNavigation, KeysScrollByLinesPagesAndToTheEnds) {
    SheetSteps steps;
    steps.pageX = 700;
    steps.pageY = 500;
    EXPECT_EQ(KeyMove(Qt::Key_Down, false, false, steps), (SheetMove{Kind::Scroll, 0, steps.line}));
    EXPECT_EQ(KeyMove(Qt::Key_Up, false, false, steps), (SheetMove{Kind::Scroll, 0, -steps.line}));
    EXPECT_EQ(KeyMove(Qt::Key_Left, false, false, steps), (SheetMove{Kind::Scroll, -steps.line, 0}));
    EXPECT_EQ(KeyMove(Qt::Key_Right, false, false, steps), (SheetMove{Kind::Scroll, steps.line, 0}));
    EXPECT_EQ(KeyMove(Qt::Key_PageDown, false, false, steps), (SheetMove{Kind::Scroll, 0, 500}));
    EXPECT_EQ(KeyMove(Qt::Key_PageUp, false, true, steps), (SheetMove{Kind::Scroll, -700, 0}));
    EXPECT_EQ(KeyMove(Qt::Key_Home, false, false, steps), (SheetMove{Kind::Scroll, 0, -steps.farAway}));
    EXPECT_EQ(KeyMove(Qt::Key_End, true, false, steps), (SheetMove{Kind::Scroll, steps.farAway, 0}));
    EXPECT_EQ(KeyMove(Qt::Key_Plus, true, false, steps).kind, Kind::ZoomIn);
    EXPECT_EQ(KeyMove(Qt::Key_Minus, true, false, steps).kind, Kind::ZoomOut);
    // Without Ctrl, + and - are no commands; nor are letters.
    EXPECT_EQ(KeyMove(Qt::Key_Plus, false, false, steps).kind, Kind::None);
    EXPECT_EQ(KeyMove(Qt::Key_A, false, false, steps).kind, Kind::None);
}

} // namespace
} // namespace ixo
