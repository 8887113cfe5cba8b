#include "schematic/label_placement.h"

#include "schematic/flat_frame.h"
#include "schematic/recording_canvas.h"
#include "schematic/schematic.h"
#include "schematic/stacked_figure.h"
#include "schematic/wire.h"

#include <cmath>
#include <limits>
#include <unordered_map>
#include <vector>

namespace ixo {

namespace {

constexpr Rect kEverywhere{
    std::numeric_limits<std::int32_t>::min() / 2, std::numeric_limits<std::int32_t>::min() / 2,
    std::numeric_limits<std::int32_t>::max() / 2, std::numeric_limits<std::int32_t>::max() / 2};

// Rectangles in buckets of a grid, so that a label's candidate places are tested only against what lies
// near them.
class RectGrid {
public:
    void Add(const Rect& r) {
        const std::size_t index = m_rects.size();
        m_rects.push_back(r);
        ForCells(r, [&](std::int64_t key) { m_cells[key].push_back(index); });
    }
    // True when hit (stored, r) holds for a stored rectangle near r.
    template <typename Hit> bool Any(const Rect& r, Hit&& hit) const {
        bool found = false;
        ForCells(r, [&](std::int64_t key) {
            if (found) {
                return;
            }
            if (const auto cell = m_cells.find(key); cell != m_cells.end()) {
                for (std::size_t index : cell->second) {
                    if (hit(m_rects[index], r)) {
                        found = true;
                        return;
                    }
                }
            }
        });
        return found;
    }

private:
    static constexpr std::int32_t kCell = 256;
    static std::int32_t CellOf(std::int32_t v) {
        return static_cast<std::int32_t>(std::floor(v / double(kCell)));
    }
    template <typename Visit> static void ForCells(const Rect& r, Visit&& visit) {
        for (std::int32_t x = CellOf(r.left); x <= CellOf(r.right); ++x) {
            for (std::int32_t y = CellOf(r.top); y <= CellOf(r.bottom); ++y) {
                visit((static_cast<std::int64_t>(x) << 32) ^ static_cast<std::uint32_t>(y));
            }
        }
    }
    std::vector<Rect> m_rects;
    std::unordered_map<std::int64_t, std::vector<std::size_t>> m_cells;
};

// Rectangles taken so far by symbols and placed labels.
class Taken {
public:
    void Add(const Rect& r) { m_grid.Add(r); }
    bool Meets(const Rect& r) const {
        return m_grid.Any(r, [](const Rect& a, const Rect& b) { return Intersects(a, b); });
    }

private:
    RectGrid m_grid;
};

// The rectangles of a wire's label texts as drawn now (scale 1), by the recording canvas's extents.
std::vector<Rect> LabelRects(Tgraflinea& wire, RecordingCanvas& canvas) {
    canvas.Clear();
    wire.MoveBy(0, 0);
    wire.HitsRect(kEverywhere);
    wire.Draw(canvas);
    std::vector<Rect> rects;
    for (const DrawRecord& text : canvas.OfKind(DrawOp::Text)) {
        const std::int32_t h = text.font.height;
        const std::int32_t w = RoundEven(0.5 * h * static_cast<double>(text.text.size()));
        rects.push_back({text.points.front().x, text.points.front().y, text.points.front().x + w,
                         text.points.front().y + h});
    }
    return rects;
}

// The straight runs of the wires, to keep labels off them.
class Runs {
public:
    void Add(Point a, Point b) {
        if (a == b) {
            return;
        }
        m_grid.Add(Normalised({a.x, a.y, b.x, b.y}));
    }
    // True when a run passes through the inside of r (a run along or touching r's edge does not).
    bool Cross(const Rect& r) const { return m_grid.Any(r, Through); }

private:
    static bool Through(const Rect& run, const Rect& r) {
        if (run.top == run.bottom) { // horizontal
            return run.top > r.top && run.top < r.bottom &&
                   std::min(run.right, r.right) > std::max(run.left, r.left);
        }
        return run.left > r.left && run.left < r.right &&
               std::min(run.bottom, r.bottom) > std::max(run.top, r.top);
    }
    RectGrid m_grid;
};

Rect Shifted(const Rect& r, Point d) {
    return {r.left + d.x, r.top + d.y, r.right + d.x, r.bottom + d.y};
}

} // namespace

int PlaceLabels(TpadreGraficosMS& schematic) {
    schematic.RescaleAll(1.0);
    Taken taken;
    Runs runs;
    for (const auto& object : schematic.Objects()) {
        if (auto* wire = dynamic_cast<Tgraflinea*>(object.get())) {
            wire->MoveBy(0, 0); // its points at the scale of 1
            const auto& p = wire->Points();
            for (std::size_t i = 1; i < p.size(); ++i) {
                runs.Add(p[i - 1], p[i]);
            }
            continue;
        }
        if (dynamic_cast<const TrectanguloPunteado*>(object.get()) != nullptr) {
            continue;
        }
        if (const auto* figure = dynamic_cast<const TgrafFigura*>(object.get())) {
            for (std::size_t i = 0; i < figure->MemberCount(); ++i) {
                taken.Add(figure->Member(i)->GetBounds());
            }
        } else {
            taken.Add(object->GetBounds());
        }
    }
    RecordingCanvas canvas;
    int moved = 0;
    for (const auto& object : schematic.Objects()) {
        auto* wire = dynamic_cast<Tgraflinea*>(object.get());
        if (wire == nullptr) {
            continue;
        }
        const std::vector<Rect> rects = LabelRects(*wire, canvas);
        if (rects.empty()) {
            continue;
        }
        auto clear = [&](Point d) {
            for (const Rect& r : rects) {
                if (taken.Meets(Shifted(r, d)) || runs.Cross(Shifted(r, d))) {
                    return false;
                }
            }
            return true;
        };
        const std::int32_t h = rects.front().Height();
        const std::int32_t w = rects.front().Width();
        const Point places[] = {{0, 0},         {0, h + 4},  {0, -h}, {w / 2, 0}, {-w / 2, 0},
                                {0, 2 * h + 4}, {0, -2 * h}, {w, 0},  {-w, 0},    {0, 3 * h + 4}};
        Point chosen{};
        for (const Point& d : places) {
            if (clear(d)) {
                chosen = d;
                break;
            }
        }
        if (!(chosen == Point{})) {
            wire->LabelShift = chosen;
            ++moved;
        }
        for (const Rect& r : rects) {
            taken.Add(Shifted(r, chosen));
        }
    }
    return moved;
}

} // namespace ixo
