#pragma once

// A canvas that records what is drawn instead of painting pixels, so that tests can check shapes,
// positions, pens, fonts and paint order exactly. Text extents follow a fixed rule (below) so that text
// placement is reproducible without a font.
#include "schematic/canvas.h"

#include <string>
#include <vector>

namespace ixo {

enum class DrawOp { Rectangle, RoundRect, Ellipse, Polygon, Polyline, Text, SetClip, ClearClip };

struct DrawRecord {
    DrawOp op = DrawOp::Rectangle;
    std::vector<Point> points; // shapes: the rectangle's two corners; polygons and polylines: the points
    Rect rect;                 // shapes and clips
    std::string text;
    Pen pen;
    Brush brush;
    Font font;
};

class RecordingCanvas : public Canvas {
public:
    void SetPen(const Pen& pen) override { m_pen = pen; }
    void SetBrush(const Brush& brush) override { m_brush = brush; }
    void SetFont(const Font& font) override { m_font = font; }

    void Rectangle(const Rect& r) override;
    void RoundRect(const Rect& r, std::int32_t cornerWidth, std::int32_t cornerHeight) override;
    void Ellipse(const Rect& r) override;
    void Polygon(std::span<const Point> points) override;
    void Polyline(std::span<const Point> points) override;
    void Text(std::int32_t x, std::int32_t y, std::string_view text) override;
    // Width: 0.5 x height per character, rounded; height: the font height.
    [[nodiscard]] TextSize TextExtent(std::string_view text) override;
    void SetClip(const Rect& r) override;
    void ClearClip() override;

    const std::vector<DrawRecord>& Records() const { return m_records; }
    void Clear() { m_records.clear(); }
    // The records of one kind, in drawing order.
    std::vector<DrawRecord> OfKind(DrawOp op) const;
    // The text records whose text is text.
    std::vector<DrawRecord> Texts(std::string_view text) const;

private:
    DrawRecord Make(DrawOp op) const;

    Pen m_pen;
    Brush m_brush;
    Font m_font;
    std::vector<DrawRecord> m_records;
};

} // namespace ixo
