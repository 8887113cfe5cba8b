#include "schematic/drawing_set.h"

#include "building/planta.h"
#include "building/proyecto.h"
#include "schematic/floor_runs.h"
#include "schematic/layout_lists.h"
#include "schematic/schematic.h"
#include "schematic/view.h"
#include "schematic/wire.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace ixo {

namespace {

// Texts are drawn this much above the readable height, so that rounding a font to whole pixels at the
// output's resolution never brings one below it.
constexpr double kReadableAllowance = 1.05;
// Strips of the page in millimetres: the header and footer lines, the caption above every band
constexpr double kStripMm = 6.0;
constexpr double kCaptionMm = 9.5; // two lines: the floors, then their outlet levels
// The bottom reserve without a title block: the page number and the key plan.
constexpr double kBareReserveMm = 16.0;
// Design units kept around a floor's symbols for the wires and labels between floors.
constexpr std::int32_t kFloorMargin = 50;
constexpr std::int32_t kColumnMargin = 80;
constexpr double kTitleBlockMarginMm = kTitleBlockMargin / 100.0;

// A canvas that only notes the smallest font texts are drawn in.
class TextHeightCanvas : public Canvas {
public:
    void SetPen(const Pen&) override {}
    void SetBrush(const Brush&) override {}
    void SetFont(const Font& font) override { m_height = font.height; }
    void Rectangle(const Rect&) override {}
    void RoundRect(const Rect&, std::int32_t, std::int32_t) override {}
    void Ellipse(const Rect&) override {}
    void Polygon(std::span<const Point>) override {}
    void Polyline(std::span<const Point>) override {}
    void Text(std::int32_t, std::int32_t, std::string_view text) override {
        if (!text.empty() && (m_smallest == 0 || m_height < m_smallest)) {
            m_smallest = m_height;
        }
    }
    TextSize TextExtent(std::string_view text) override {
        return {static_cast<std::int32_t>(text.size()) * m_height / 2, m_height};
    }
    void SetClip(const Rect&) override {}
    void ClearClip() override {}
    std::int32_t Smallest() const { return m_smallest; }

private:
    std::int32_t m_height = 1;
    std::int32_t m_smallest = 0;
};

// Covered stretches along one axis, merged and sorted, to cut between symbols instead of through them.
class Coverage {
public:
    void Add(std::int32_t low, std::int32_t high) {
        if (high > low) {
            m_spans.emplace_back(low, high);
        }
    }
    void Merge() {
        std::sort(m_spans.begin(), m_spans.end());
        std::vector<std::pair<std::int32_t, std::int32_t>> merged;
        for (const auto& span : m_spans) {
            if (!merged.empty() && span.first <= merged.back().second) {
                merged.back().second = std::max(merged.back().second, span.second);
            } else {
                merged.push_back(span);
            }
        }
        m_spans = std::move(merged);
    }
    // The farthest cut in (start, start + length] that lies outside every covered stretch, when one lies
    // in the last two thirds of the range; else start + length (a cut through a symbol).
    std::int32_t CutAfter(std::int32_t start, std::int32_t length) const {
        const std::int32_t limit = start + length;
        for (auto it = m_spans.rbegin(); it != m_spans.rend(); ++it) {
            if (it->first >= limit) {
                continue;
            }
            if (it->second <= limit) {
                return limit; // the limit itself is free
            }
            // The limit lies inside this stretch: cut at its start when that is not too near start.
            return it->first > start + length / 3 ? it->first : limit;
        }
        return limit;
    }

private:
    std::vector<std::pair<std::int32_t, std::int32_t>> m_spans;
};

// Cuts [low, high) into pieces of at most length, between symbols where possible.
std::vector<std::pair<std::int32_t, std::int32_t>> CutRange(std::int32_t low, std::int32_t high,
                                                            std::int32_t length, const Coverage& coverage) {
    std::vector<std::pair<std::int32_t, std::int32_t>> pieces;
    length = std::max<std::int32_t>(length, 1);
    std::int32_t start = low;
    while (high - start > length) {
        const std::int32_t cut = coverage.CutAfter(start, length);
        pieces.emplace_back(start, cut);
        start = cut;
    }
    pieces.emplace_back(start, high);
    return pieces;
}

template <typename Visit> void ForEachFloorObject(const Tgrafplantas& floor, Visit&& visit) {
    for (const TBaseGrafMS* object : floor.Symbols) {
        visit(object);
    }
    for (const auto& space : floor.FlatSpaces) {
        for (const TBaseGrafMS* object : space->Objects) {
            visit(object);
        }
    }
}

bool IsWire(const TBaseGrafMS* object) {
    return dynamic_cast<const Tgraflinea*>(object) != nullptr;
}

const Tgrafplantas* HeadendFloorOf(const TpadreGraficosMS& schematic) {
    for (const auto& stair : schematic.Stairs().Stairs) {
        for (const auto& floor : stair->Floors) {
            if (floor->Planta != nullptr && floor->Planta->HeaderPl) {
                return floor.get();
            }
        }
    }
    return nullptr;
}

// Plans the pages of one part of the drawing (the headend, or one stair): its pieces top down, cut
// across into tiles no wider than the page, grouped into pages no taller than the page.
class PagePlanner {
public:
    PagePlanner(DrawingSet& set, std::int32_t bandHeight) : m_set(set), m_bandHeight(bandHeight) {}

    // Splits pieces taller than a page between symbols and adds the pages; returns the number of the
    // first page added. The pages are row by row: every tile of the first group of pieces, then the next.
    std::int32_t AddPages(std::vector<SheetBand> bands, const Coverage& across, const Coverage& down,
                          std::int32_t left, std::int32_t right, std::int32_t stair, const std::string& title,
                          bool packTiles) {
        const std::int32_t pageWidth = m_set.drawingArea.Width();
        const auto tiles = CutRange(left, right, pageWidth, across);
        // Pieces no taller than one page's band area.
        const std::int32_t room = m_bandHeight - m_set.captionHeight;
        std::vector<SheetBand> pieces;
        for (SheetBand& band : bands) {
            const auto rows = CutRange(band.design.top, band.design.bottom, room, down);
            for (std::size_t i = 0; i < rows.size(); ++i) {
                SheetBand piece = band;
                piece.design.top = rows[i].first;
                piece.design.bottom = rows[i].second;
                piece.piece = static_cast<std::int32_t>(i);
                if (rows.size() > 1) {
                    piece.caption +=
                        " (" + std::to_string(i + 1) + " of " + std::to_string(rows.size()) + ")";
                }
                pieces.push_back(std::move(piece));
            }
        }
        // Groups of pieces that fit one page's height.
        std::vector<std::vector<SheetBand>> groups;
        std::int32_t used = 0;
        for (SheetBand& piece : pieces) {
            const std::int32_t height = m_set.captionHeight + piece.design.Height();
            if (groups.empty() || used + height > m_bandHeight) {
                groups.emplace_back();
                used = 0;
            }
            piece.at = {0, m_set.stripHeight + used};
            used += height;
            groups.back().push_back(std::move(piece));
        }
        const std::int32_t first = static_cast<std::int32_t>(m_set.pages.size()) + 1;
        const std::size_t groupCount = groups.size();
        // A tile narrow enough for several beside each other on one page (a stair's right-hand part)
        // shares its pages: consecutive groups of pieces side by side, read left to right. The headend's
        // pages stay one group each, their foot naming the stairs below.
        const std::int32_t gap = m_set.captionHeight;
        std::vector<std::size_t> perPage(tiles.size(), 1);
        std::vector<std::int32_t> pitch(tiles.size(), 0);
        std::int32_t captionWidth = 0; // the widest caption line of the pieces: a column is no narrower
        for (const auto& group : groups) {
            for (const SheetBand& band : group) {
                captionWidth = std::max(captionWidth,
                                        static_cast<std::int32_t>(std::ceil(
                                            BandCaptionWidthMm(band.caption, band.notes) / m_set.mmPerUnit)));
            }
        }
        for (std::size_t t = 0; t < tiles.size(); ++t) {
            pitch[t] = std::max(tiles[t].second - tiles[t].first, captionWidth) + gap;
            if (packTiles) {
                perPage[t] =
                    static_cast<std::size_t>(std::max<std::int32_t>(1, (pageWidth + gap) / pitch[t]));
            }
        }
        // The pages in reading order: row by row of groups, a shared page where its first group is.
        std::vector<std::vector<std::int32_t>> pageOf(groupCount, std::vector<std::int32_t>(tiles.size(), 0));
        std::int32_t next = first;
        for (std::size_t g = 0; g < groupCount; ++g) {
            for (std::size_t t = 0; t < tiles.size(); ++t) {
                pageOf[g][t] = g % perPage[t] == 0 ? next++ : pageOf[g - 1][t];
            }
        }
        std::vector<SheetPage> made(static_cast<std::size_t>(next - first));
        for (std::size_t g = 0; g < groupCount; ++g) {
            for (std::size_t t = 0; t < tiles.size(); ++t) {
                SheetPage& page = made[static_cast<std::size_t>(pageOf[g][t] - first)];
                const std::size_t column = g % perPage[t];
                const std::int32_t x = static_cast<std::int32_t>(column) * pitch[t];
                page.number = pageOf[g][t];
                page.stair = stair;
                page.part = static_cast<std::int32_t>(t);
                for (SheetBand band : groups[g]) {
                    band.design.left = tiles[t].first;
                    band.design.right = tiles[t].second;
                    band.at.x = x;
                    page.shown = Union(page.shown, band.design);
                    page.bands.push_back(std::move(band));
                }
                auto mark = [&](PageEdge edge, std::int32_t to, const std::string& text) {
                    const bool known =
                        std::any_of(page.marks.begin(), page.marks.end(), [&](const ContinuationMark& m) {
                            return m.edge == edge && m.page == to;
                        });
                    if (!known && to != page.number) {
                        page.marks.push_back({edge, to, text + std::to_string(to)});
                    }
                };
                if (column == 0 && g > 0) {
                    mark(PageEdge::Top, pageOf[g - 1][t], "continued from page ");
                }
                if (g + 1 < groupCount && column + 1 == perPage[t]) {
                    mark(PageEdge::Bottom, pageOf[g + 1][t], "continued on page ");
                }
                if (t > 0) {
                    mark(PageEdge::Left, pageOf[g][t - 1], "left part on page ");
                }
                if (t + 1 < tiles.size()) {
                    mark(PageEdge::Right, pageOf[g][t + 1], "continued right on page ");
                }
            }
        }
        for (SheetPage& page : made) {
            page.title = title + FloorRange(page.bands);
            if (tiles.size() > 1) {
                page.title +=
                    ", part " + std::to_string(page.part + 1) + " of " + std::to_string(tiles.size());
            }
            m_set.pages.push_back(std::move(page));
        }
        return first;
    }

private:
    static std::string FloorRange(const std::vector<SheetBand>& group) {
        std::int32_t highest = 0;
        std::int32_t lowest = std::numeric_limits<std::int32_t>::max();
        for (const SheetBand& band : group) {
            if (band.lastFloor > 0) {
                highest = std::max(highest, band.lastFloor);
                lowest = std::min(lowest, band.firstFloor);
            }
        }
        if (highest == 0) {
            return {};
        }
        if (highest == lowest) {
            return " - FLOOR " + std::to_string(highest);
        }
        return " - FLOOR " + std::to_string(highest) + " to FLOOR " + std::to_string(lowest);
    }

    DrawingSet& m_set;
    std::int32_t m_bandHeight;
};

std::int32_t Units(double mm, double mmPerUnit) {
    return static_cast<std::int32_t>(std::floor(mm / mmPerUnit));
}

// The design rectangle of a stair's column: its drawn floors' symbols.
Rect StairColumn(const TgrafEscalera& stair) {
    Rect column;
    for (const auto& floor : stair.Floors) {
        if (floor->Planta != nullptr && !floor->Planta->HeaderPl) {
            column = Union(column, FloorSymbolBounds(*floor));
        }
    }
    return column;
}

void AddToCoverage(const Tgrafplantas& floor, Coverage& across, Coverage& down) {
    ForEachFloorObject(floor, [&](const TBaseGrafMS* object) {
        if (!IsWire(object)) {
            const Rect b = object->GetBounds();
            across.Add(b.left, b.right);
            down.Add(b.top, b.bottom);
        }
    });
}

// The lowest horizontal wire run inside r, or r.top without one.
std::int32_t LowestRunAcross(const TpadreGraficosMS& schematic, const Rect& r) {
    std::int32_t lowest = r.top;
    for (std::size_t index : schematic.ObjectsMeeting(r)) {
        const auto* wire = dynamic_cast<const Tgraflinea*>(schematic.Object(index));
        if (wire == nullptr) {
            continue;
        }
        const auto& p = wire->DesignPoints();
        for (std::size_t i = 1; i < p.size(); ++i) {
            if (p[i - 1].y == p[i].y && p[i].y > lowest && p[i].y < r.bottom &&
                std::max(p[i - 1].x, p[i].x) > r.left && std::min(p[i - 1].x, p[i].x) < r.right) {
                lowest = p[i].y;
            }
        }
    }
    return lowest;
}

} // namespace

double BandCaptionWidthMm(const std::string& caption, const std::string& notes) {
    const double captionMm = 1.5 + 0.62 * kBandCaptionTextMm * static_cast<double>(caption.size());
    const double notesMm =
        notes.empty() ? 0.0 : 3.5 + 0.58 * kBandNoteTextMm * static_cast<double>(notes.size());
    return std::max(captionMm, notesMm);
}

std::int32_t SmallestTextHeight(TpadreGraficosMS& schematic) {
    schematic.RescaleAll(1.0);
    TextHeightCanvas canvas;
    for (const auto& object : schematic.Objects()) {
        object->MoveBy(0, 0);
        object->HitsRect(
            {std::numeric_limits<std::int32_t>::min() / 2, std::numeric_limits<std::int32_t>::min() / 2,
             std::numeric_limits<std::int32_t>::max() / 2, std::numeric_limits<std::int32_t>::max() / 2});
        object->Draw(canvas);
    }
    return canvas.Smallest();
}

double PageReserveMm(const DrawingSetOptions& options) {
    if (options.showTitleBlock) {
        return options.titleBlockHeightMm + 2.0 * kTitleBlockMarginMm;
    }
    return kBareReserveMm;
}

double SingleSheetMmPerUnit(const TpadreGraficosMS& schematic, const DrawingSetOptions& options) {
    const double width = options.paperWidthMm - (options.marginLeft + options.marginRight) / 100.0;
    const double height =
        options.paperHeightMm - (options.marginTop + options.marginBottom) / 100.0 -
        (options.showTitleBlock ? options.titleBlockHeightMm + 2.0 * kTitleBlockMarginMm : 0.0);
    const Rect extent = schematic.Extent();
    if (extent.IsEmpty() || width <= 0.0 || height <= 0.0) {
        return 0.0;
    }
    return std::min(width / extent.Width(), height / extent.Height());
}

bool SingleSheetReadable(TpadreGraficosMS& schematic, const DrawingSetOptions& options) {
    const std::int32_t smallest = SmallestTextHeight(schematic);
    return smallest == 0 || smallest * SingleSheetMmPerUnit(schematic, options) >= options.readableTextMm;
}

DrawingSet PlanDrawingSet(const Tproyecto& project, TpadreGraficosMS& schematic,
                          const DrawingSetOptions& options) {
    DrawingSet set;
    set.paperWidthMm = options.paperWidthMm;
    set.paperHeightMm = options.paperHeightMm;
    set.smallestFont = SmallestTextHeight(schematic);
    set.mmPerUnit = options.readableTextMm * kReadableAllowance / std::max(1, set.smallestFont);
    const double widthMm = options.paperWidthMm - (options.marginLeft + options.marginRight) / 100.0;
    const double heightMm =
        options.paperHeightMm - (options.marginTop + options.marginBottom) / 100.0 - PageReserveMm(options);
    set.drawingArea = {0, 0, Units(widthMm, set.mmPerUnit), Units(heightMm, set.mmPerUnit)};
    set.stripHeight = Units(kStripMm, set.mmPerUnit);
    set.captionHeight = Units(kCaptionMm, set.mmPerUnit);
    const std::int32_t bandHeight = set.drawingArea.Height() - 2 * set.stripHeight;
    if (set.drawingArea.Width() <= 0 || bandHeight <= set.captionHeight) {
        return set; // a page with no room: nothing can be drawn readably
    }
    PagePlanner planner(set, bandHeight);
    const auto& stairs = schematic.Stairs().Stairs;
    std::vector<Rect> columns;
    for (const auto& stair : stairs) {
        Rect column = StairColumn(*stair);
        if (!column.IsEmpty()) {
            column.left -= kColumnMargin;
            column.right += kColumnMargin;
        }
        columns.push_back(column);
    }

    // The headend and the trunk lines down to the stairs' highest floors.
    std::vector<std::int32_t> headendPages;
    if (const Tgrafplantas* headend = HeadendFloorOf(schematic)) {
        const Rect floor = FloorSymbolBounds(*headend);
        std::int32_t stairsTop = std::numeric_limits<std::int32_t>::max();
        for (const Rect& column : columns) {
            if (!column.IsEmpty()) {
                stairsTop = std::min(stairsTop, column.top);
            }
        }
        if (stairsTop == std::numeric_limits<std::int32_t>::max()) {
            stairsTop = floor.bottom + 2 * kFloorMargin;
        }
        // Across, the headend's own symbols: trunk lines running on to stairs beside it are cut at the
        // page's edge, and the marks below name the stairs' pages.
        SheetBand band;
        band.design = {floor.left - kColumnMargin, floor.top - kFloorMargin, floor.right + kColumnMargin,
                       std::max(floor.bottom + kFloorMargin, stairsTop - kFloorMargin)};
        // Down to the trunk lines' last run across: below it they only drop to the stairs, whose pages the
        // marks at the foot name.
        band.design.bottom =
            std::min(band.design.bottom,
                     std::max(floor.bottom, LowestRunAcross(schematic, band.design)) + kFloorMargin);
        band.caption = "HEADEND";
        band.notes = "trunk lines to the stairs below";
        Coverage across;
        Coverage down;
        AddToCoverage(*headend, across, down);
        across.Merge();
        down.Merge();
        set.keyPlan.push_back({band.design, "H", -1, 0});
        const std::size_t before = set.pages.size();
        planner.AddPages({band}, across, down, band.design.left, band.design.right, -1, "HEADEND", false);
        for (std::size_t i = before; i < set.pages.size(); ++i) {
            headendPages.push_back(set.pages[i].number);
        }
    }

    const OutletStates states = OutletStatesOf(project);
    std::vector<std::int32_t> stairFirstPage(stairs.size(), 0);
    for (std::size_t s = 0; s < stairs.size(); ++s) {
        const Rect& column = columns[s];
        if (column.IsEmpty()) {
            continue;
        }
        const std::vector<FloorRun> runs = FloorRuns(*stairs[s], states, options.everyFloor);
        std::vector<SheetBand> bands;
        std::int32_t topFloor = 0;
        Coverage across;
        Coverage down;
        for (const FloorRun& run : runs) {
            const Tgrafplantas& typical = *run.floors.front();
            const Rect bounds = FloorSymbolBounds(typical);
            SheetBand band;
            band.design = {column.left, bounds.top - kFloorMargin, column.right,
                           bounds.bottom + kFloorMargin};
            band.caption = RunCaption(run);
            band.notes = run.floors.size() > 1 ? RunLevelNote(run) : std::string();
            band.lastFloor = run.floors.front()->Nivel;
            band.firstFloor = run.floors.back()->Nivel;
            band.floorCount = static_cast<std::int32_t>(run.floors.size());
            for (const Tgrafplantas* floor : run.floors) {
                band.floors.push_back(floor->Nivel);
                topFloor = std::max(topFloor, floor->Nivel);
            }
            AddToCoverage(typical, across, down);
            bands.push_back(std::move(band));
        }
        if (bands.empty()) {
            continue;
        }
        across.Merge();
        down.Merge();
        set.keyPlan.push_back({column, std::to_string(s + 1), static_cast<std::int32_t>(s), topFloor});
        const std::string title = "STAIR " + std::to_string(s + 1);
        stairFirstPage[s] = planner.AddPages(std::move(bands), across, down, column.left, column.right,
                                             static_cast<std::int32_t>(s), title, true);
    }

    // The trunk lines' ends at the foot of the headend's last row of pages; a stair beside them is named
    // on the last page.
    std::vector<bool> headendLastRow(set.pages.size(), false);
    for (std::int32_t number : headendPages) {
        const SheetPage& page = set.pages[static_cast<std::size_t>(number - 1)];
        headendLastRow[static_cast<std::size_t>(number - 1)] =
            std::none_of(page.marks.begin(), page.marks.end(),
                         [](const ContinuationMark& mark) { return mark.edge == PageEdge::Bottom; });
    }
    for (std::size_t s = 0; s < stairs.size(); ++s) {
        if (stairFirstPage[s] == 0 || headendPages.empty()) {
            continue;
        }
        const Rect& column = columns[s];
        const std::int32_t centre = column.left + column.Width() / 2;
        const std::string text =
            "STAIR " + std::to_string(s + 1) + ": page " + std::to_string(stairFirstPage[s]);
        bool placed = false;
        for (std::int32_t number : headendPages) {
            SheetPage& page = set.pages[static_cast<std::size_t>(number - 1)];
            if (headendLastRow[static_cast<std::size_t>(number - 1)] && centre >= page.shown.left &&
                centre < page.shown.right) {
                page.marks.push_back({PageEdge::Bottom, stairFirstPage[s], text, centre});
                placed = true;
            }
        }
        if (!placed) {
            set.pages[static_cast<std::size_t>(headendPages.back() - 1)].marks.push_back(
                {PageEdge::Bottom, stairFirstPage[s], text});
        }
    }
    // On a stair's first page, the headend page its trunk lines come from.
    for (SheetPage& page : set.pages) {
        if (page.stair < 0 || headendPages.empty() || page.number != stairFirstPage[page.stair]) {
            continue;
        }
        const Rect& column = columns[static_cast<std::size_t>(page.stair)];
        const std::int32_t centre = column.left + column.Width() / 2;
        std::int32_t from = headendPages.back();
        for (std::int32_t number : headendPages) {
            const SheetPage& headendPage = set.pages[static_cast<std::size_t>(number - 1)];
            if (centre >= headendPage.shown.left && centre < headendPage.shown.right) {
                from = number;
            }
        }
        page.marks.push_back({PageEdge::Top, from, "from the headend, page " + std::to_string(from)});
    }
    return set;
}

} // namespace ixo
