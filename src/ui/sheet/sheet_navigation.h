#pragma once

// What the wheel and the keys do on the sheet, without widgets: the wheel scrolls (down, or sideways
// with Shift or a sideways wheel), Ctrl with the wheel zooms in (away from the user) or out, the
// arrow keys scroll a step, Page Up and Down a page (sideways with Shift), Home and End go to the
// sheet's top and bottom (left and right with Ctrl), and Ctrl with + and - zoom.
#include <cstdint>

namespace ixo {

struct SheetMove {
    enum class Kind { None, Scroll, ZoomIn, ZoomOut };
    Kind kind = Kind::None;
    int dx = 0; // pixels to scroll, positive to the right and down
    int dy = 0;
    bool operator==(const SheetMove&) const = default;
};

// The view's sizes that the steps follow.
struct SheetSteps {
    int line = 40;         // an arrow key, and a wheel notch (120 eighths of a degree)
    int pageX = 800;       // Page Up/Down with Shift
    int pageY = 600;       // Page Up/Down
    int farAway = 1 << 24; // Home and End: further than any sheet, the scroll stops at its end
};

// angleX, angleY: the wheel's turn in eighths of a degree (Qt's angleDelta; positive away from the
// user). A turn of several notches, or part of one (touch pads), scrolls in proportion.
SheetMove WheelMove(int angleX, int angleY, bool ctrl, bool shift, const SheetSteps& steps);

// key: a Qt::Key value.
SheetMove KeyMove(int key, bool ctrl, bool shift, const SheetSteps& steps);

} // namespace ixo
