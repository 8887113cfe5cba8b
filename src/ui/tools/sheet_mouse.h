#pragma once

// The mouse on the sheet: the pan (the PAN command, or the middle button held), the hint of the object
// under the pointer in the status bar, and the pointer's shape (the target over a pin).
#include <QPoint>
#include <QString>

#include <functional>

class QAction;
class QMouseEvent;
class QWidget;

namespace ixo {

class SheetPresenter;

class SheetMouse {
public:
    // pan: the PAN command's action; surface: the widget the mouse moves on; showHint: the status bar's
    // message (empty clears it).
    SheetMouse(SheetPresenter& sheet, QAction& pan, QWidget& surface,
               std::function<void(const QString&)> showHint);

    void Pressed(QMouseEvent* event);
    void Moved(QMouseEvent* event);
    void Released(QMouseEvent* event);
    // The sheet changed under a still pointer (an edit): the hint shows the object now under it.
    void RefreshHint();
    // PAN toggled: it stays checked only when there is something to pan.
    void PanToggled();
    // The project closed: no pan goes on.
    void Reset();
    bool Panning() const { return m_panning; }

private:
    void ShowPanCursor();

    SheetPresenter& m_sheet;
    QAction& m_pan;
    QWidget& m_surface;
    std::function<void(const QString&)> m_showHint;
    bool m_panning = false;
    QPoint m_lastPoint;
    bool m_pointerKnown = false;
};

} // namespace ixo
