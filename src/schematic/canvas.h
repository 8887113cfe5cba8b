#pragma once

// The drawing surface every graphic object paints on. The core draws only through this interface; the
// render layer implements it on a QPainter (screen, images, PDF, SVG, printer) and tests record it.
#include "schematic/geometry.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace ixo {

// A colour as 0x00BBGGRR.
using Colour = std::uint32_t;

inline constexpr Colour kBlack = 0x000000;
inline constexpr Colour kWhite = 0xFFFFFF;
inline constexpr Colour kRed = 0x0000FF;
inline constexpr Colour kBlue = 0xFF0000;
inline constexpr Colour kSilver = 0xC0C0C0;
inline constexpr Colour kCream = 0xF2FFFF;

enum class PenStyle { Solid, Dot };
enum class BrushStyle { Solid, Clear };

struct Pen {
    Colour colour = kBlack;
    std::int32_t width = 1;
    PenStyle style = PenStyle::Solid;
    bool operator==(const Pen&) const = default;
};

struct Brush {
    Colour colour = kWhite;
    BrushStyle style = BrushStyle::Solid;
    bool operator==(const Brush&) const = default;
};

// A font: height in pixels (cell height), or in points when pointSize > 0 (the title block's texts).
// escapement is in tenths of a degree, counter-clockwise: 900 runs the text upward.
struct Font {
    std::string face = "Arial";
    std::int32_t height = 1;
    std::int32_t pointSize = 0;
    bool bold = false;
    std::int32_t escapement = 0;
    Colour colour = kBlack;
    bool operator==(const Font&) const = default;
};

struct TextSize {
    std::int32_t width = 0;
    std::int32_t height = 0;
};

class Canvas {
public:
    virtual ~Canvas() = default;

    virtual void SetPen(const Pen& pen) = 0;
    virtual void SetBrush(const Brush& brush) = 0;
    virtual void SetFont(const Font& font) = 0;
    // The pixels per inch of the surface, for fonts given in points.
    virtual int Dpi() const { return 96; }

    // Shapes take the platform's rectangles: right and bottom are one past the shape, filled with the
    // brush and outlined with the pen.
    virtual void Rectangle(const Rect& r) = 0;
    virtual void RoundRect(const Rect& r, std::int32_t cornerWidth, std::int32_t cornerHeight) = 0;
    virtual void Ellipse(const Rect& r) = 0;
    virtual void Polygon(std::span<const Point> points) = 0;
    virtual void Polyline(std::span<const Point> points) = 0;
    void Line(Point a, Point b) {
        const Point points[2] = {a, b};
        Polyline(points);
    }

    // Text with its top-left corner (before turning) at (x, y), transparent background, current font.
    virtual void Text(std::int32_t x, std::int32_t y, std::string_view text) = 0;
    // The extent of text in the current font (unturned).
    [[nodiscard]] virtual TextSize TextExtent(std::string_view text) = 0;

    // Restricts drawing to r until ClearClip.
    virtual void SetClip(const Rect& r) = 0;
    virtual void ClearClip() = 0;
};

} // namespace ixo
