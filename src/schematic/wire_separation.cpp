#include "schematic/wire_separation.h"

#include "schematic/flat_frame.h"
#include "schematic/schematic.h"
#include "schematic/stacked_figure.h"
#include "schematic/wire.h"

#include <algorithm>
#include <unordered_map>
#include <vector>

namespace ixo {

namespace {

// Steps of a move in design units, tried in this order: the wires stay near their routes.
constexpr std::int32_t kSteps[] = {6, -6, 12, -12, 18, -18, 24, -24, 30, -30};

std::int32_t Shared(std::int32_t a0, std::int32_t a1, std::int32_t b0, std::int32_t b1) {
    return std::min(std::max(a0, a1), std::max(b0, b1)) - std::max(std::min(a0, a1), std::min(b0, b1));
}

struct Run {
    std::int32_t from = 0; // along the line
    std::int32_t to = 0;
    const Tgraflinea* wire = nullptr;
    Point start; // the wire's ends, to leave bundles from one pin alone
    Point end;
};

// Horizontal runs by their y, vertical runs by their x; symbol edges the same way.
class Occupancy {
public:
    explicit Occupancy(const TpadreGraficosMS& schematic) {
        for (const auto& object : schematic.Objects()) {
            if (dynamic_cast<const Tgraflinea*>(object.get()) != nullptr ||
                dynamic_cast<const TrectanguloPunteado*>(object.get()) != nullptr) {
                continue;
            }
            if (const auto* figure = dynamic_cast<const TgrafFigura*>(object.get())) {
                for (std::size_t i = 0; i < figure->MemberCount(); ++i) {
                    AddSymbol(figure->Member(i)->GetBounds());
                }
            } else {
                AddSymbol(object->GetBounds());
            }
        }
    }

    void AddWire(const Tgraflinea& wire) {
        const auto& p = wire.DesignPoints();
        for (std::size_t i = 1; i < p.size(); ++i) {
            if (p[i - 1].y == p[i].y && p[i - 1].x != p[i].x) {
                m_horizontal[p[i].y].push_back({p[i - 1].x, p[i].x, &wire, p.front(), p.back()});
            } else if (p[i - 1].x == p[i].x && p[i - 1].y != p[i].y) {
                m_vertical[p[i].x].push_back({p[i - 1].y, p[i].y, &wire, p.front(), p.back()});
            }
        }
    }

    // True when the segment a-b of wire (whose ends are start and end) runs on another wire's segment
    // that does not leave the same pin, or along a symbol's edge.
    bool Blocked(Point a, Point b, const Tgraflinea& wire, Point start, Point end) const {
        const bool horizontal = a.y == b.y;
        const auto& runs = horizontal ? m_horizontal : m_vertical;
        const auto& edges = horizontal ? m_horizontalEdges : m_verticalEdges;
        const std::int32_t line = horizontal ? a.y : a.x;
        const std::int32_t from = horizontal ? a.x : a.y;
        const std::int32_t to = horizontal ? b.x : b.y;
        if (const auto found = runs.find(line); found != runs.end()) {
            for (const Run& run : found->second) {
                const bool bundle = run.start == start || run.end == end;
                if (run.wire != &wire && !bundle && Shared(from, to, run.from, run.to) > 0) {
                    return true;
                }
            }
        }
        if (const auto found = edges.find(line); found != edges.end()) {
            for (const auto& [low, high] : found->second) {
                if (Shared(from, to, low, high) > 2) {
                    return true;
                }
            }
        }
        return false;
    }

private:
    void AddSymbol(const Rect& r) {
        if (r.IsEmpty()) {
            return;
        }
        m_horizontalEdges[r.top].emplace_back(r.left, r.right);
        m_horizontalEdges[r.bottom].emplace_back(r.left, r.right);
        m_verticalEdges[r.left].emplace_back(r.top, r.bottom);
        m_verticalEdges[r.right].emplace_back(r.top, r.bottom);
    }

    std::unordered_map<std::int32_t, std::vector<Run>> m_horizontal;
    std::unordered_map<std::int32_t, std::vector<Run>> m_vertical;
    std::unordered_map<std::int32_t, std::vector<std::pair<std::int32_t, std::int32_t>>> m_horizontalEdges;
    std::unordered_map<std::int32_t, std::vector<std::pair<std::int32_t, std::int32_t>>> m_verticalEdges;
};

bool Straight(Point a, Point b) {
    return (a.x == b.x) != (a.y == b.y);
}

} // namespace

int SeparateWires(TpadreGraficosMS& schematic) {
    Occupancy occupancy(schematic);
    int moved = 0;
    for (const auto& object : schematic.Objects()) {
        auto* wire = dynamic_cast<Tgraflinea*>(object.get());
        if (wire == nullptr || wire->DesignPoints().size() < 2) {
            continue;
        }
        std::vector<Point> p = wire->DesignPoints();
        bool changed = false;
        const Point start = p.front();
        const Point end = p.back();
        // The segments between two bends: both their ends can move across without leaving the pins.
        for (std::size_t i = 1; i + 2 < p.size(); ++i) {
            const Point a = p[i];
            const Point b = p[i + 1];
            // A bend that sits on the point before it (a route that starts straight) cannot move.
            if (!Straight(a, b) || p[i - 1] == a || p[i + 2] == b ||
                !occupancy.Blocked(a, b, *wire, start, end)) {
                continue;
            }
            const bool horizontal = a.y == b.y;
            for (std::int32_t step : kSteps) {
                const Point na = horizontal ? Point{a.x, a.y + step} : Point{a.x + step, a.y};
                const Point nb = horizontal ? Point{b.x, b.y + step} : Point{b.x + step, b.y};
                if (!occupancy.Blocked(na, nb, *wire, start, end)) {
                    p[i] = na;
                    p[i + 1] = nb;
                    changed = true;
                    ++moved;
                    break;
                }
            }
        }
        if (changed) {
            wire->SetDesignPoints(std::move(p));
        }
        occupancy.AddWire(*wire);
    }
    return moved;
}

} // namespace ixo
