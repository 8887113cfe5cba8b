#include "ui/tools/sheet_mouse.h"

#include "schematic/schematic.h"
#include "ui/sheet/cursors.h"
#include "ui/sheet/sheet_presenter.h"

#include <QAction>
#include <QMouseEvent>
#include <QWidget>

namespace ixo {

SheetMouse::SheetMouse(SheetPresenter& sheet, QAction& pan, QWidget& surface,
                       std::function<void(const QString&)> showHint)
    : m_sheet(sheet), m_pan(pan), m_surface(surface), m_showHint(std::move(showHint)) {}

void SheetMouse::ShowPanCursor() {
    if (m_pan.isChecked()) {
        m_surface.setCursor(HandCursor());
    } else {
        m_surface.unsetCursor();
    }
}

void SheetMouse::PanToggled() {
    m_pan.setChecked(m_pan.isChecked() && m_sheet.AnyScrollBarEnabled());
    ShowPanCursor();
}

void SheetMouse::Reset() {
    m_panning = false;
    m_pointerKnown = false;
    m_surface.unsetCursor();
}

void SheetMouse::Pressed(QMouseEvent* event) {
    if (event->button() == Qt::MiddleButton && m_sheet.Showing()) {
        m_pan.setChecked(m_sheet.AnyScrollBarEnabled());
    }
    if (m_pan.isChecked() && (event->button() == Qt::LeftButton || event->button() == Qt::MiddleButton)) {
        m_panning = true;
        m_sheet.StartPan(event->position().toPoint());
        m_surface.setCursor(HandCursor());
    }
}

void SheetMouse::Moved(QMouseEvent* event) {
    if (!m_sheet.AnyScrollBarEnabled()) {
        m_pan.setChecked(false);
    }
    m_showHint(QString());
    m_lastPoint = event->position().toPoint();
    m_pointerKnown = true;
    if (m_panning && (event->buttons() & (Qt::LeftButton | Qt::MiddleButton))) {
        m_sheet.PanTo(event->position().toPoint());
        return;
    }
    if (!m_sheet.Showing()) {
        return;
    }
    const HitResult hit = m_sheet.HitTest(m_lastPoint);
    if (hit.hit && hit.object != nullptr && !hit.object->Hint.empty()) {
        m_showHint(QString::fromStdString(hit.object->Hint));
    }
    if (hit.elementPin != nullptr) {
        m_surface.setCursor(TargetCursor());
    } else if (m_pan.isChecked() && !hit.hit) {
        m_surface.setCursor(HandCursor());
    } else {
        m_surface.unsetCursor();
    }
}

void SheetMouse::RefreshHint() {
    m_showHint(QString());
    if (!m_pointerKnown || m_panning || !m_sheet.Showing()) {
        return;
    }
    const HitResult hit = m_sheet.HitTest(m_lastPoint);
    if (hit.hit && hit.object != nullptr && !hit.object->Hint.empty()) {
        m_showHint(QString::fromStdString(hit.object->Hint));
    }
}

void SheetMouse::Released(QMouseEvent* event) {
    if (m_panning && (event->button() == Qt::LeftButton || event->button() == Qt::MiddleButton)) {
        m_sheet.PanTo(event->position().toPoint());
    }
    m_panning = false;
    PanToggled();
}

} // namespace ixo
