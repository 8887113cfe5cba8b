#include "schematic/layout_overlaps.h"

#include "schematic/flat_frame.h"
#include "schematic/recording_canvas.h"
#include "schematic/schematic.h"
#include "schematic/stacked_figure.h"
#include "schematic/wire.h"

#include <algorithm>
#include <limits>

namespace ixo {

namespace {

constexpr Rect kEverywhere{
    std::numeric_limits<std::int32_t>::min() / 2, std::numeric_limits<std::int32_t>::min() / 2,
    std::numeric_limits<std::int32_t>::max() / 2, std::numeric_limits<std::int32_t>::max() / 2};

struct Segment {
    Point a;
    Point b;
    std::size_t wire = 0;
    Point start; // the wire's ends
    Point end;
    bool Horizontal() const { return a.y == b.y && a.x != b.x; }
    bool Vertical() const { return a.x == b.x && a.y != b.y; }
};

std::int32_t SharedLength(std::int32_t a0, std::int32_t a1, std::int32_t b0, std::int32_t b1) {
    return std::min(std::max(a0, a1), std::max(b0, b1)) - std::max(std::min(a0, a1), std::min(b0, b1));
}

// The symbols' rectangles: every member of a stacked figure, every other object but wires and frames.
// `figures` receives, per rectangle, the index of the object it belongs to (members of one figure share it).
std::vector<Rect> SymbolRects(const TpadreGraficosMS& schematic,
                              std::vector<std::size_t>* figures = nullptr) {
    std::vector<Rect> rects;
    std::size_t index = 0;
    for (const auto& object : schematic.Objects()) {
        if (dynamic_cast<const Tgraflinea*>(object.get()) != nullptr ||
            dynamic_cast<const TrectanguloPunteado*>(object.get()) != nullptr) {
            continue;
        }
        if (const auto* figure = dynamic_cast<const TgrafFigura*>(object.get())) {
            for (std::size_t i = 0; i < figure->MemberCount(); ++i) {
                rects.push_back(figure->Member(i)->GetBounds());
                if (figures != nullptr) {
                    figures->push_back(index);
                }
            }
        } else {
            rects.push_back(object->GetBounds());
            if (figures != nullptr) {
                figures->push_back(index);
            }
        }
        ++index;
    }
    return rects;
}

// True when segment s runs along an edge of r for more than a touch.
bool AlongOutline(const Segment& s, const Rect& r) {
    if (s.Horizontal() && (s.a.y == r.top || s.a.y == r.bottom)) {
        return SharedLength(s.a.x, s.b.x, r.left, r.right) > 2;
    }
    if (s.Vertical() && (s.a.x == r.left || s.a.x == r.right)) {
        return SharedLength(s.a.y, s.b.y, r.top, r.bottom) > 2;
    }
    return false;
}

bool OnEachOther(const Segment& s, const Segment& t) {
    if (s.Horizontal() && t.Horizontal() && s.a.y == t.a.y) {
        return SharedLength(s.a.x, s.b.x, t.a.x, t.b.x) > 0;
    }
    if (s.Vertical() && t.Vertical() && s.a.x == t.a.x) {
        return SharedLength(s.a.y, s.b.y, t.a.y, t.b.y) > 0;
    }
    return false;
}

// True when segment s passes through the inside of r (running along or touching its edge does not count).
bool Through(const Segment& s, const Rect& r) {
    if (s.Horizontal()) {
        return s.a.y > r.top && s.a.y < r.bottom && SharedLength(s.a.x, s.b.x, r.left, r.right) > 0;
    }
    if (s.Vertical()) {
        return s.a.x > r.left && s.a.x < r.right && SharedLength(s.a.y, s.b.y, r.top, r.bottom) > 0;
    }
    return false;
}

} // namespace

std::vector<Rect> WireLabelRects(TpadreGraficosMS& schematic) {
    schematic.RescaleAll(1.0);
    std::vector<Rect> rects;
    RecordingCanvas canvas;
    for (const auto& object : schematic.Objects()) {
        auto* wire = dynamic_cast<Tgraflinea*>(object.get());
        if (wire == nullptr) {
            continue;
        }
        wire->MoveBy(0, 0);
        wire->HitsRect(kEverywhere);
        canvas.Clear();
        wire->Draw(canvas);
        for (const DrawRecord& text : canvas.OfKind(DrawOp::Text)) {
            // The recording canvas's extent rule with the text's own font.
            const std::int32_t height = text.font.height;
            const std::int32_t width = RoundEven(0.5 * height * static_cast<double>(text.text.size()));
            rects.push_back({text.points.front().x, text.points.front().y, text.points.front().x + width,
                             text.points.front().y + height});
        }
    }
    return rects;
}

LayoutOverlaps CountOverlaps(TpadreGraficosMS& schematic) {
    LayoutOverlaps overlaps;
    const std::vector<Rect> labels = WireLabelRects(schematic);
    std::vector<std::size_t> figures;
    const std::vector<Rect> symbols = SymbolRects(schematic, &figures);
    for (std::size_t i = 0; i < symbols.size(); ++i) {
        for (std::size_t j = i + 1; j < symbols.size(); ++j) {
            overlaps.symbolOnSymbol += figures[i] != figures[j] && Intersects(symbols[i], symbols[j]) ? 1 : 0;
        }
    }
    std::vector<Segment> segments;
    std::size_t wireIndex = 0;
    for (const auto& object : schematic.Objects()) {
        const auto* wire = dynamic_cast<const Tgraflinea*>(object.get());
        if (wire == nullptr) {
            continue;
        }
        const auto& points = wire->Points();
        for (std::size_t i = 1; i < points.size(); ++i) {
            if (!(points[i - 1] == points[i])) {
                segments.push_back({points[i - 1], points[i], wireIndex, points.front(), points.back()});
            }
        }
        ++wireIndex;
    }
    for (std::size_t i = 0; i < labels.size(); ++i) {
        for (std::size_t j = i + 1; j < labels.size(); ++j) {
            overlaps.labelOnLabel += Intersects(labels[i], labels[j]) ? 1 : 0;
        }
        for (const Rect& symbol : symbols) {
            overlaps.labelOnSymbol += Intersects(labels[i], symbol) ? 1 : 0;
        }
    }
    for (std::size_t i = 0; i < segments.size(); ++i) {
        for (const Rect& symbol : symbols) {
            overlaps.wireOnOutline += AlongOutline(segments[i], symbol) ? 1 : 0;
        }
        for (const Rect& label : labels) {
            overlaps.wireOverLabel += Through(segments[i], label) ? 1 : 0;
        }
        for (std::size_t j = i + 1; j < segments.size(); ++j) {
            // Wires leaving one pin together (a bundle, drawn with its count) share their first stretch.
            const bool bundle = segments[i].start == segments[j].start || segments[i].end == segments[j].end;
            if (segments[i].wire != segments[j].wire && !bundle && OnEachOther(segments[i], segments[j])) {
                ++overlaps.wireOnWire;
            }
        }
    }
    return overlaps;
}

} // namespace ixo
