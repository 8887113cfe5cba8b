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

// Leads the first segment of route p (P0 on its pin, then a straight run to the first bend) away from
// what it runs on: the run moves across by a step, joined to the pin either straight across (a pin on a
// symbol's side) or by a short stub along the old run. False when no step frees it.
bool LeadOutFirst(std::vector<Point>& p, const Occupancy& occupancy, const Tgraflinea& wire, Point start,
                  Point end) {
    if (p.size() < 3 || !Straight(p[0], p[1]) || !Straight(p[1], p[2]) ||
        !occupancy.Blocked(p[0], p[1], wire, start, end)) {
        return false;
    }
    const bool vertical = p[0].x == p[1].x;
    const std::int32_t length = vertical ? p[1].y - p[0].y : p[1].x - p[0].x;
    const std::int32_t stub = (length > 0 ? 1 : -1) * std::min<std::int32_t>(10, std::abs(length) / 3);
    auto across = [&](Point q, std::int32_t d) {
        return vertical ? Point{q.x + d, q.y} : Point{q.x, q.y + d};
    };
    auto along = [&](Point q, std::int32_t d) {
        return vertical ? Point{q.x, q.y + d} : Point{q.x + d, q.y};
    };
    for (std::int32_t step : kSteps) {
        const Point bend = across(p[1], step);
        // Straight across from the pin, then the run.
        const Point out = across(p[0], step);
        if (!occupancy.Blocked(p[0], out, wire, start, end) &&
            !occupancy.Blocked(out, bend, wire, start, end)) {
            p[1] = bend;
            p.insert(p.begin() + 1, out);
            return true;
        }
        // A stub along the old run, across, then the run.
        if (stub == 0) {
            continue;
        }
        const Point foot = along(p[0], stub);
        const Point side = across(foot, step);
        if (!occupancy.Blocked(p[0], foot, wire, start, end) &&
            !occupancy.Blocked(foot, side, wire, start, end) &&
            !occupancy.Blocked(side, bend, wire, start, end)) {
            p[1] = bend;
            p.insert(p.begin() + 1, {foot, side});
            return true;
        }
    }
    return false;
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
        // The segments at the pins: led out from what they run on. A route that starts or ends straight
        // repeats its pin as a bend; it loses the repeat only when it is led out (mode 2 places the label
        // by the first two points, so those keep them).
        const bool mayDrop = wire->LabelMode() != 2;
        for (int side = 0; side < 2; ++side) { // the first segment, then (reversed) the last
            std::vector<Point> q = p;
            if (mayDrop) {
                q.erase(std::unique(q.begin(), q.end()), q.end());
            }
            if (LeadOutFirst(q, occupancy, *wire, start, end)) {
                p = std::move(q);
                changed = true;
                ++moved;
            }
            std::reverse(p.begin(), p.end());
        }
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
