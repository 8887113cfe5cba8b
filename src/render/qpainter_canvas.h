#pragma once

// The core's canvas on a QPainter: screen images, bitmaps, PDF pages, SVG documents and printer pages
// all paint through this one class.
#include "schematic/canvas.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include <optional>

namespace ixo {

class QPainterCanvas : public Canvas {
public:
    // dpi: the surface's resolution, for fonts given in points.
    QPainterCanvas(QPainter& painter, int dpi);

    void SetPen(const Pen& pen) override;
    void SetBrush(const Brush& brush) override;
    void SetFont(const Font& font) override;
    int Dpi() const override { return m_dpi; }

    void Rectangle(const Rect& r) override;
    void RoundRect(const Rect& r, std::int32_t cornerWidth, std::int32_t cornerHeight) override;
    void Ellipse(const Rect& r) override;
    void Polygon(std::span<const Point> points) override;
    void Polyline(std::span<const Point> points) override;
    void Text(std::int32_t x, std::int32_t y, std::string_view text) override;
    [[nodiscard]] TextSize TextExtent(std::string_view text) override;
    void SetClip(const Rect& r) override;
    void ClearClip() override;

    static QColor ToQColor(Colour colour);
    // Texts whose font is lower than this many pixels are left out: on a bitmap they are a smudge that
    // costs as much as a readable text. 0 (vector outputs, printers) draws every text.
    void SetMinimumTextHeight(int pixels) { m_minimumTextHeight = pixels; }

private:
    QPainter& m_painter;
    int m_dpi;
    int m_minimumTextHeight = 0;
    Font m_font;
    QFont m_qfont;
    std::optional<QFontMetrics> m_metrics;
};

} // namespace ixo
