#include "ui/sheet/sheet_view.h"

#include <QContextMenuEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

namespace ixo {

SheetSurface::SheetSurface(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setMinimumSize(50, 50);
    // The keys scroll the sheet once it was clicked or tabbed to.
    setFocusPolicy(Qt::StrongFocus);
}

void SheetSurface::SetImage(QImage image) {
    m_image = std::move(image);
    update();
}

void SheetSurface::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), Qt::white);
    if (!m_image.isNull()) {
        painter.drawImage(event->rect().topLeft(), m_image, event->rect());
    }
}

void SheetSurface::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (onResize) {
        onResize();
    }
}

void SheetSurface::mousePressEvent(QMouseEvent* event) {
    if (onPress) {
        onPress(event);
    }
}

void SheetSurface::mouseMoveEvent(QMouseEvent* event) {
    if (onMove) {
        onMove(event);
    }
}

void SheetSurface::mouseReleaseEvent(QMouseEvent* event) {
    if (onRelease) {
        onRelease(event);
    }
}

void SheetSurface::mouseDoubleClickEvent(QMouseEvent* event) {
    if (onDoubleClick) {
        onDoubleClick(event);
    }
}

void SheetSurface::wheelEvent(QWheelEvent* event) {
    if (onWheel) {
        onWheel(event);
        event->accept();
    } else {
        QWidget::wheelEvent(event);
    }
}

void SheetSurface::keyPressEvent(QKeyEvent* event) {
    if (onKey && onKey(event)) {
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void SheetSurface::contextMenuEvent(QContextMenuEvent* event) {
    if (onContextMenu) {
        onContextMenu(event);
    }
}

SheetView::SheetView(QWidget* parent) : QWidget(parent) {
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_surface = new SheetSurface(this);
    m_horizontal = new QScrollBar(Qt::Horizontal, this);
    m_vertical = new QScrollBar(Qt::Vertical, this);
    m_horizontal->setEnabled(false);
    m_vertical->setEnabled(false);
    layout->addWidget(m_surface, 0, 0);
    layout->addWidget(m_vertical, 0, 1);
    layout->addWidget(m_horizontal, 1, 0);
}

} // namespace ixo
