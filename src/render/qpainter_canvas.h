#pragma once

// The core's canvas on a QPainter: screen images, bitmaps, PDF pages, SVG documents and printer pages
// all paint through this one class.
#include "render/text_cache.h"
#include "schematic/canvas.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include <optional>
#include <span>

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
    // Texts lower than this many pixels (and not left out) are drawn as a grey line where the text would
    // be, as drawing programs do with texts too small to read: the sheet keeps its look, and a line costs
    // far less than a text. 0 draws every text.
    void SetGreekingHeight(int pixels) { m_greekingHeight = pixels; }
    // Dotted lines one pixel wide drawn dot by dot from each line's start, only where they meet the
    // surface: the same pixels whichever part of the sheet a surface holds (tiles of the screen join
    // without a seam), and a long line costs only its visible dots.
    void SetAnchoredDots(bool anchored) { m_anchoredDots = anchored; }
    // Upright texts are laid out once in cache and drawn from there (the screen's repaints); without a
    // cache every text is laid out as it is drawn.
    void SetTextCache(TextCache* cache) {
        m_textCache = cache;
        m_activeMetrics = nullptr; // the next font comes from the cache
        m_cachedFont = nullptr;
    }

private:
    // Draws the dots of a dotted polyline (see SetAnchoredDots).
    void DrawAnchoredDots(std::span<const QPoint> points);
    // About half the height per character: the length of a text too small to draw.
    int PlaceholderLength(std::string_view text) const;
    void DrawTextPlaceholder(std::int32_t x, std::int32_t y, std::string_view text);

    QPainter& m_painter;
    int m_dpi;
    int m_minimumTextHeight = 0;
    int m_greekingHeight = 0;
    bool m_anchoredDots = false;
    std::optional<Pen> m_pen; // the pen set last, and the painter's pen made from it
    QPen m_qpen;
    bool m_dotted = false; // the pen is a dotted line one pixel wide
    QColor m_penColour;
    TextCache* m_textCache = nullptr;
    Font m_font;
    QFont m_qfont;
    std::optional<QFontMetrics> m_metrics;
    // The current font's metrics: m_metrics, or the text cache's entry for the font.
    const QFontMetrics* m_activeMetrics = nullptr;
    TextCache::FontEntry* m_cachedFont = nullptr;
};

} // namespace ixo
