#include "render/qpainter_canvas.h"

#include <QPolygon>
#include <QString>

#include <vector>

namespace ixo {

namespace {

QRect ToQRect(const Rect& r) {
    // The platform's rectangles exclude their right and bottom edges.
    return QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1));
}

QPolygon ToQPolygon(std::span<const Point> points) {
    QPolygon polygon(static_cast<int>(points.size()));
    for (std::size_t i = 0; i < points.size(); ++i) {
        polygon.setPoint(static_cast<int>(i), points[i].x, points[i].y);
    }
    return polygon;
}

QString ToQString(std::string_view text) {
    // Texts of the model are Windows-1252; Latin-1 covers their letters.
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

QPainterCanvas::QPainterCanvas(QPainter& painter, int dpi) : m_painter(painter), m_dpi(dpi) {
    m_font.height = 0; // forces the first SetFont
}

QColor QPainterCanvas::ToQColor(Colour colour) {
    return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                  static_cast<int>((colour >> 16) & 0xFF));
}

void QPainterCanvas::SetPen(const Pen& pen) {
    QPen qpen(ToQColor(pen.colour));
    qpen.setWidth(std::max(1, pen.width));
    qpen.setStyle(pen.style == PenStyle::Dot ? Qt::DotLine : Qt::SolidLine);
    qpen.setCapStyle(Qt::FlatCap);
    qpen.setJoinStyle(Qt::MiterJoin);
    m_painter.setPen(qpen);
}

void QPainterCanvas::SetBrush(const Brush& brush) {
    if (brush.style == BrushStyle::Clear) {
        m_painter.setBrush(Qt::NoBrush);
    } else {
        m_painter.setBrush(ToQColor(brush.colour));
    }
}

void QPainterCanvas::SetFont(const Font& font) {
    if (font.face != m_font.face || font.height != m_font.height || font.bold != m_font.bold ||
        !m_metrics.has_value()) {
        m_qfont = QFont(QString::fromStdString(font.face));
        m_qfont.setPixelSize(std::max(1, font.height));
        m_qfont.setBold(font.bold);
        m_qfont.setStyleHint(QFont::SansSerif);
        m_painter.setFont(m_qfont);
        m_metrics.emplace(m_qfont, m_painter.device());
    }
    m_font = font;
}

void QPainterCanvas::Rectangle(const Rect& r) {
    m_painter.drawRect(ToQRect(r));
}

void QPainterCanvas::RoundRect(const Rect& r, std::int32_t cornerWidth, std::int32_t cornerHeight) {
    m_painter.drawRoundedRect(ToQRect(r), cornerWidth / 2.0, cornerHeight / 2.0);
}

void QPainterCanvas::Ellipse(const Rect& r) {
    m_painter.drawEllipse(ToQRect(r));
}

void QPainterCanvas::Polygon(std::span<const Point> points) {
    m_painter.drawPolygon(ToQPolygon(points));
}

void QPainterCanvas::Polyline(std::span<const Point> points) {
    m_painter.drawPolyline(ToQPolygon(points));
}

void QPainterCanvas::Text(std::int32_t x, std::int32_t y, std::string_view text) {
    if (m_font.height < m_minimumTextHeight) {
        return;
    }
    if (!m_metrics.has_value()) {
        SetFont(m_font);
    }
    const QPen pen = m_painter.pen();
    m_painter.setPen(ToQColor(m_font.colour));
    const int ascent = m_metrics->ascent();
    if (m_font.escapement == 0) {
        m_painter.drawText(x, y + ascent, ToQString(text));
    } else {
        // Turned text: the top-left corner stays at (x, y) and the text runs up (900) or down (-900).
        m_painter.save();
        m_painter.translate(x, y);
        m_painter.rotate(-m_font.escapement / 10.0);
        m_painter.drawText(0, ascent, ToQString(text));
        m_painter.restore();
    }
    m_painter.setPen(pen);
}

TextSize QPainterCanvas::TextExtent(std::string_view text) {
    if (!m_metrics.has_value()) {
        SetFont(m_font);
    }
    return {m_metrics->horizontalAdvance(ToQString(text)), m_metrics->height()};
}

void QPainterCanvas::SetClip(const Rect& r) {
    m_painter.setClipRect(ToQRect(r));
}

void QPainterCanvas::ClearClip() {
    m_painter.setClipping(false);
}

} // namespace ixo
