#include "render/qpainter_canvas.h"

#include "render/text_cache.h"

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
    if (m_pen.has_value() && *m_pen == pen && m_painter.pen() == m_qpen) {
        return; // symbols set the same pen again and again; making a QPen each time costs
    }
    m_pen = pen;
    QPen qpen(ToQColor(pen.colour));
    qpen.setWidth(std::max(1, pen.width));
    qpen.setStyle(pen.style == PenStyle::Dot ? Qt::DotLine : Qt::SolidLine);
    qpen.setCapStyle(Qt::FlatCap);
    qpen.setJoinStyle(Qt::MiterJoin);
    m_painter.setPen(qpen);
    m_qpen = qpen;
    m_dotted = pen.style == PenStyle::Dot && pen.width <= 1;
    m_penColour = qpen.color();
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
        m_activeMetrics == nullptr) {
        if (m_textCache != nullptr) {
            m_cachedFont = &m_textCache->FontFor(font.face, font.height, font.bold, m_dpi);
            m_painter.setFont(m_cachedFont->font);
            m_activeMetrics = &m_cachedFont->metrics;
        } else {
            m_qfont = QFont(QString::fromStdString(font.face));
            m_qfont.setPixelSize(std::max(1, font.height));
            m_qfont.setBold(font.bold);
            m_qfont.setStyleHint(QFont::SansSerif);
            m_painter.setFont(m_qfont);
            m_metrics.emplace(m_qfont, m_painter.device());
            m_activeMetrics = &*m_metrics;
        }
    }
    m_font = font;
}

void QPainterCanvas::Rectangle(const Rect& r) {
    if (!m_anchoredDots || !m_dotted) {
        m_painter.drawRect(ToQRect(r));
        return;
    }
    const QRect q = ToQRect(r);
    if (m_painter.brush().style() != Qt::NoBrush) {
        m_painter.fillRect(q, m_painter.brush());
    }
    // The outline as the platform strokes a rectangle: from the top-left corner clockwise.
    const QPoint corners[5] = {q.topLeft(), q.topRight(), q.bottomRight(), q.bottomLeft(), q.topLeft()};
    DrawAnchoredDots(corners);
}

void QPainterCanvas::DrawAnchoredDots(std::span<const QPoint> points) {
    // One dot, then two pixels free, as the platform's dotted pen; the pattern runs on along the line.
    constexpr int kPeriod = 3;
    const QRect bounds(0, 0, m_painter.device()->width(), m_painter.device()->height());
    std::vector<QPoint> dots;
    long long travelled = 0;
    for (std::size_t i = 0; i + 1 < points.size(); ++i) {
        const QPoint a = points[i];
        const QPoint b = points[i + 1];
        const int dx = b.x() > a.x() ? 1 : b.x() < a.x() ? -1 : 0;
        const int dy = b.y() > a.y() ? 1 : b.y() < a.y() ? -1 : 0;
        const int length = std::max(std::abs(b.x() - a.x()), std::abs(b.y() - a.y()));
        if (dx != 0 && dy != 0) {
            // A slanted line (none in the sheet): the platform's pen draws it.
            m_painter.drawLine(a, b);
            travelled += length;
            continue;
        }
        // The first step of the segment that is a dot, then only the steps on the surface.
        int first = static_cast<int>((kPeriod - travelled % kPeriod) % kPeriod);
        int last = length - 1;
        if (dx != 0) {
            const int lo = dx > 0 ? bounds.left() - a.x() : a.x() - bounds.right();
            const int hi = dx > 0 ? bounds.right() - a.x() : a.x() - bounds.left();
            if (a.y() < bounds.top() || a.y() > bounds.bottom()) {
                last = -1;
            }
            first = std::max(first, first + (std::max(0, lo - first) + kPeriod - 1) / kPeriod * kPeriod);
            last = std::min(last, hi);
        } else if (dy != 0) {
            const int lo = dy > 0 ? bounds.top() - a.y() : a.y() - bounds.bottom();
            const int hi = dy > 0 ? bounds.bottom() - a.y() : a.y() - bounds.top();
            if (a.x() < bounds.left() || a.x() > bounds.right()) {
                last = -1;
            }
            first = std::max(first, first + (std::max(0, lo - first) + kPeriod - 1) / kPeriod * kPeriod);
            last = std::min(last, hi);
        }
        for (int t = first; t <= last; t += kPeriod) {
            dots.emplace_back(a.x() + dx * t, a.y() + dy * t);
        }
        travelled += length;
    }
    if (dots.empty()) {
        return;
    }
    const QPen pen = m_painter.pen();
    m_painter.setPen(QPen(m_penColour, 1));
    m_painter.drawPoints(dots.data(), static_cast<int>(dots.size()));
    m_painter.setPen(pen);
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
    const QPolygon polygon = ToQPolygon(points);
    if (m_anchoredDots && m_dotted) {
        DrawAnchoredDots(
            std::span<const QPoint>(polygon.constData(), static_cast<std::size_t>(polygon.size())));
        return;
    }
    m_painter.drawPolyline(polygon);
}

void QPainterCanvas::Text(std::int32_t x, std::int32_t y, std::string_view text) {
    if (m_font.height < m_minimumTextHeight) {
        return;
    }
    if (m_font.height < m_greekingHeight) {
        DrawTextPlaceholder(x, y, text);
        return;
    }
    if (m_activeMetrics == nullptr) {
        SetFont(m_font);
    }
    const QPen pen = m_painter.pen();
    m_painter.setPen(ToQColor(m_font.colour));
    const int ascent = m_activeMetrics->ascent();
    if (m_font.escapement == 0 && m_cachedFont != nullptr) {
        // A static text is placed by its top-left corner, the baseline one ascent below.
        m_painter.drawStaticText(x, y, TextCache::LaidOut(*m_cachedFont, text));
    } else if (m_font.escapement == 0) {
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

int QPainterCanvas::PlaceholderLength(std::string_view text) const {
    return std::max(1, static_cast<int>(text.size()) * m_font.height / 2);
}

void QPainterCanvas::DrawTextPlaceholder(std::int32_t x, std::int32_t y, std::string_view text) {
    // About half the height per character; the line runs along the text's middle, turned with it.
    const int length = PlaceholderLength(text);
    const int middle = m_font.height / 2;
    const QPen pen = m_painter.pen();
    QColor colour = ToQColor(m_font.colour);
    colour = QColor((colour.red() + 2 * 0xA0) / 3, (colour.green() + 2 * 0xA0) / 3,
                    (colour.blue() + 2 * 0xA0) / 3);
    m_painter.setPen(QPen(colour, 1));
    if (m_font.escapement == 900) { // running up
        m_painter.drawLine(x + middle, y, x + middle, y - length);
    } else if (m_font.escapement == -900) { // running down
        m_painter.drawLine(x - middle, y, x - middle, y + length);
    } else {
        m_painter.drawLine(x, y + middle, x + length, y + middle);
    }
    m_painter.setPen(pen);
}

TextSize QPainterCanvas::TextExtent(std::string_view text) {
    if (m_font.height < m_greekingHeight) {
        // A text drawn as a line (or not at all) is measured as its line.
        return {PlaceholderLength(text), m_font.height};
    }
    if (m_activeMetrics == nullptr) {
        SetFont(m_font);
    }
    if (m_cachedFont != nullptr) {
        return {TextCache::Advance(*m_cachedFont, text), m_activeMetrics->height()};
    }
    return {m_activeMetrics->horizontalAdvance(ToQString(text)), m_activeMetrics->height()};
}

void QPainterCanvas::SetClip(const Rect& r) {
    m_painter.setClipRect(ToQRect(r));
}

void QPainterCanvas::ClearClip() {
    m_painter.setClipping(false);
}

} // namespace ixo
