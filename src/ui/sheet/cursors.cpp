#include "ui/sheet/cursors.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace ixo {

namespace {

constexpr int kSize = 32;

QPixmap Transparent() {
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

QPixmap DrawHand() {
    QPixmap pixmap = Transparent();
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath glove;
    // Four fingers side by side over the palm, then the thumb to the left.
    const int fingerTops[4] = {7, 4, 5, 8};
    for (int i = 0; i < 4; ++i) {
        glove.addRoundedRect(QRectF(9 + i * 4, fingerTops[i], 4, 14), 2, 2);
    }
    glove.addRoundedRect(QRectF(9, 13, 16, 13), 4, 4);
    QPainterPath thumb;
    thumb.moveTo(10, 22);
    thumb.lineTo(4, 15);
    thumb.quadTo(3, 12, 6, 13);
    thumb.lineTo(11, 17);
    thumb.closeSubpath();
    glove = glove.united(thumb).simplified();
    painter.setPen(QPen(Qt::black, 1.2));
    painter.setBrush(Qt::white);
    painter.drawPath(glove);
    // The lines between the fingers.
    painter.setPen(QPen(Qt::black, 1.0));
    for (int i = 1; i < 4; ++i) {
        painter.drawLine(QPointF(9 + i * 4, 10), QPointF(9 + i * 4, 17));
    }
    return pixmap;
}

QPixmap DrawTarget() {
    QPixmap pixmap = Transparent();
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(15.5, 15.5);
    // A white halo under the black strokes keeps the cursor visible on black wires.
    for (const auto& [colour, width] :
         {std::pair{QColor(Qt::white), 3.5}, std::pair{QColor(Qt::black), 1.4}}) {
        painter.setPen(QPen(colour, width));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(centre, 8, 8);
        painter.drawEllipse(centre, 3, 3);
        painter.drawLine(QPointF(15.5, 2), QPointF(15.5, 11));
        painter.drawLine(QPointF(15.5, 20), QPointF(15.5, 29));
        painter.drawLine(QPointF(2, 15.5), QPointF(11, 15.5));
        painter.drawLine(QPointF(20, 15.5), QPointF(29, 15.5));
    }
    return pixmap;
}

} // namespace

const QCursor& HandCursor() {
    static const QCursor cursor(DrawHand(), 16, 18);
    return cursor;
}

const QCursor& TargetCursor() {
    static const QCursor cursor(DrawTarget(), 15, 15);
    return cursor;
}

} // namespace ixo
