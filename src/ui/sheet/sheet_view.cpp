#include "ui/sheet/sheet_view.h"

#include <QGridLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

namespace ixo {

SheetSurface::SheetSurface(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setMinimumSize(50, 50);
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
