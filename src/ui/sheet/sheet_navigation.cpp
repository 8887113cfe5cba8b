#include "ui/sheet/sheet_navigation.h"

#include <Qt>

namespace ixo {
namespace {

constexpr int kNotch = 120;

SheetMove Scroll(int dx, int dy) {
    if (dx == 0 && dy == 0) {
        return {};
    }
    return {SheetMove::Kind::Scroll, dx, dy};
}

} // namespace

SheetMove WheelMove(int angleX, int angleY, bool ctrl, bool shift, const SheetSteps& steps) {
    if (ctrl) {
        const int turn = angleY != 0 ? angleY : angleX;
        if (turn == 0) {
            return {};
        }
        return {turn > 0 ? SheetMove::Kind::ZoomIn : SheetMove::Kind::ZoomOut, 0, 0};
    }
    // Turning the wheel away from the user shows what is above: the view moves up.
    int dx = -angleX * steps.line / kNotch;
    int dy = -angleY * steps.line / kNotch;
    if (shift && dx == 0) {
        dx = dy;
        dy = 0;
    }
    return Scroll(dx, dy);
}

SheetMove KeyMove(int key, bool ctrl, bool shift, const SheetSteps& steps) {
    switch (key) {
    case Qt::Key_Left:
        return Scroll(-steps.line, 0);
    case Qt::Key_Right:
        return Scroll(steps.line, 0);
    case Qt::Key_Up:
        return Scroll(0, -steps.line);
    case Qt::Key_Down:
        return Scroll(0, steps.line);
    case Qt::Key_PageUp:
        return shift ? Scroll(-steps.pageX, 0) : Scroll(0, -steps.pageY);
    case Qt::Key_PageDown:
        return shift ? Scroll(steps.pageX, 0) : Scroll(0, steps.pageY);
    case Qt::Key_Home:
        return ctrl ? Scroll(-steps.farAway, 0) : Scroll(0, -steps.farAway);
    case Qt::Key_End:
        return ctrl ? Scroll(steps.farAway, 0) : Scroll(0, steps.farAway);
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        return ctrl ? SheetMove{SheetMove::Kind::ZoomIn, 0, 0} : SheetMove{};
    case Qt::Key_Minus:
        return ctrl ? SheetMove{SheetMove::Kind::ZoomOut, 0, 0} : SheetMove{};
    default:
        return {};
    }
}

} // namespace ixo
