#include "schematic/drawing_page.h"

#include "schematic/schematic.h"
#include "schematic/view.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace ixo {

namespace {

// Text heights of the page's own texts in millimetres, all above the readable height.
constexpr double kTitleMm = 3.5;
constexpr double kCaptionMm = kBandCaptionTextMm;
constexpr double kNoteMm = kBandNoteTextMm;
constexpr double kMarkMm = 2.6;
constexpr double kPageNumberMm = 5.0;
constexpr double kKeyPlanMm = 2.2;
constexpr double kKeyPlanWidthMm = 48.0;
// Texts keep this far from the printable area's outline.
constexpr double kInsetMm = 1.5;
// The title block's smallest cell is 7 points at a width of 120 mm, rounded to whole points: from
// 95 mm on it is 6 points (2.1 mm).
constexpr double kReadableTitleBlockMm = 95.0;

// Maps page design units and millimetres to the canvas's pixels.
class PageFrame {
public:
    PageFrame(double dpi, const DrawingSet& set, const DrawingSetOptions& options)
        : m_dpi(dpi), m_perUnit(PagePixelsPerUnit(set, dpi)) {
        m_printable = {Mm(options.marginLeft / 100.0), Mm(options.marginTop / 100.0),
                       Mm(options.paperWidthMm - options.marginRight / 100.0),
                       Mm(options.paperHeightMm - options.marginBottom / 100.0)};
    }
    std::int32_t Mm(double mm) const { return RoundEven(mm * m_dpi / 25.4); }
    std::int32_t Units(double units) const { return RoundEven(units * m_perUnit); }
    Point At(Point pageUnits) const {
        return {m_printable.left + Units(pageUnits.x), m_printable.top + Units(pageUnits.y)};
    }
    const Rect& Printable() const { return m_printable; }

private:
    double m_dpi;
    double m_perUnit;
    Rect m_printable;
};

void UseFont(Canvas& canvas, const PageFrame& frame, double mm, bool bold) {
    Font font;
    font.height = std::max(1, frame.Mm(mm));
    font.bold = bold;
    font.colour = kBlack;
    canvas.SetFont(font);
}

void PaintBand(Canvas& canvas, TpadreGraficosMS& schematic, const DrawingSet& set, const SheetBand& band,
               const PageFrame& frame) {
    const Point captionTop = frame.At(band.at);
    const Point top = frame.At({band.at.x, band.at.y + set.captionHeight});
    const Rect place{top.x, top.y, top.x + frame.Units(band.design.Width()),
                     top.y + frame.Units(band.design.Height())};
    // The caption line: a rule across the band, the floors it shows and, for a typical floor, the
    // outlet levels over its floors.
    canvas.SetPen({kSilver, 1, PenStyle::Solid});
    canvas.Line({place.left, captionTop.y}, {place.right, captionTop.y});
    UseFont(canvas, frame, kCaptionMm, true);
    const std::int32_t textTop = captionTop.y + frame.Mm(1.2);
    canvas.Text(place.left + frame.Mm(kInsetMm), textTop, band.caption);
    if (!band.notes.empty()) {
        UseFont(canvas, frame, kNoteMm, false);
        canvas.Text(place.left + frame.Mm(kInsetMm + 2.0), textTop + frame.Mm(kCaptionMm + 0.6), band.notes);
    }
    const Point offset{place.left - frame.Units(band.design.left), place.top - frame.Units(band.design.top)};
    std::vector<TBaseGrafMS*> objects;
    for (std::size_t index : schematic.ObjectsMeeting(band.design)) {
        TBaseGrafMS* object = schematic.Object(index);
        object->MoveBy(offset.x, offset.y);
        if (object->HitsRect(place)) {
            objects.push_back(object);
        }
    }
    canvas.SetClip(place);
    PaintInLayers(canvas, objects, schematic.HasTriple);
    canvas.ClearClip();
}

// The marks where the drawing goes on: those of the top and left edges in the header line, beside the
// page's title, those of the bottom and right edges in the footer line, under the cable ends they stand
// for where they have a place.
void PaintMarks(Canvas& canvas, const DrawingSet& set, const SheetPage& page, const PageFrame& frame) {
    const Rect& area = set.drawingArea;
    const Point header = {frame.At({0, 0}).x + frame.Mm(kInsetMm), frame.At({0, 0}).y};
    const Point footer = {header.x, frame.At({0, area.bottom - set.stripHeight}).y};
    const std::int32_t right = frame.At({area.right, 0}).x - frame.Mm(kInsetMm);
    UseFont(canvas, frame, kTitleMm, true);
    canvas.Text(header.x, header.y + frame.Mm(1.0), page.title);
    UseFont(canvas, frame, kMarkMm, false);
    std::string headerText;
    std::string footerText;
    const SheetBand* last = page.bands.empty() ? nullptr : &page.bands.back();
    std::int32_t placedRight = header.x - frame.Mm(60.0);
    for (const ContinuationMark& mark : page.marks) {
        if (mark.edge == PageEdge::Bottom && mark.along >= 0 && last != nullptr) {
            const std::int32_t x = frame.At({last->at.x + mark.along - last->design.left, 0}).x;
            const TextSize size = canvas.TextExtent(mark.text);
            const std::int32_t left = std::clamp(x - size.width / 2, std::max(header.x, placedRight),
                                                 std::max(header.x, right - size.width));
            // A small arrow down from the cable ends to the mark.
            const std::int32_t a = frame.Mm(1.0);
            canvas.SetPen({kBlack, 1, PenStyle::Solid});
            canvas.SetBrush({kBlack, BrushStyle::Solid});
            const Point arrow[3] = {{x - a, footer.y + frame.Mm(0.3)},
                                    {x + a, footer.y + frame.Mm(0.3)},
                                    {x, footer.y + frame.Mm(0.3) + a}};
            canvas.Polygon(arrow);
            canvas.Text(left, footer.y + frame.Mm(1.6), mark.text);
            placedRight = left + size.width + frame.Mm(2.0);
            continue;
        }
        std::string& line =
            mark.edge == PageEdge::Top || mark.edge == PageEdge::Left ? headerText : footerText;
        line += (line.empty() ? "" : "   ") + mark.text;
    }
    if (!headerText.empty()) {
        const TextSize size = canvas.TextExtent(headerText);
        canvas.Text(right - size.width, header.y + frame.Mm(1.6), headerText);
    }
    if (!footerText.empty()) {
        const TextSize size = canvas.TextExtent(footerText);
        canvas.Text(std::max(placedRight, right - size.width), footer.y + frame.Mm(1.6), footerText);
    }
}

// The key plan: the headend as a bar above the stairs, the stairs as columns side by side with their
// floors from the lowest up, and the part this page shows filled: the headend's or the stair's share
// across, and on a stair every floor the page stands for.
void PaintKeyPlan(Canvas& canvas, const DrawingSet& set, const SheetPage& page, const Rect& box) {
    canvas.SetPen({kBlack, 1, PenStyle::Solid});
    canvas.SetBrush({kWhite, BrushStyle::Clear});
    canvas.Rectangle(box);
    std::int32_t stairs = 0;
    for (const KeyPlanPart& part : set.keyPlan) {
        stairs += part.stair >= 0 ? 1 : 0;
    }
    if (set.keyPlan.empty() || box.Width() < 8 || box.Height() < 8) {
        return;
    }
    const std::int32_t pad = std::max(2, box.Height() / 12);
    const Rect inner{box.left + pad, box.top + pad, box.right - pad, box.bottom - pad};
    const bool hasHeadend = set.keyPlan.front().stair < 0;
    const std::int32_t headendBottom = hasHeadend ? inner.top + inner.Height() / 4 : inner.top;
    const std::int32_t columnTop = hasHeadend ? headendBottom + pad : inner.top;
    const std::int32_t columnWidth = stairs > 0 ? inner.Width() / stairs : inner.Width();
    for (const KeyPlanPart& part : set.keyPlan) {
        const Rect r = part.stair < 0
                           ? Rect{inner.left, inner.top, inner.right, headendBottom}
                           : Rect{inner.left + part.stair * columnWidth, columnTop,
                                  inner.left + (part.stair + 1) * columnWidth - pad / 2, inner.bottom};
        const bool thisPart = page.stair == part.stair;
        if (thisPart && part.design.Width() > 0) {
            // The share across that the page shows (a part of a floor cut across pages).
            const double left = std::clamp(
                static_cast<double>(page.shown.left - part.design.left) / part.design.Width(), 0.0, 1.0);
            const double right = std::clamp(
                static_cast<double>(page.shown.right - part.design.left) / part.design.Width(), 0.0, 1.0);
            const std::int32_t x0 = r.left + RoundEven(left * r.Width());
            const std::int32_t x1 = std::max(x0 + 1, r.left + RoundEven(right * r.Width()));
            canvas.SetPen({kSilver, 1, PenStyle::Solid});
            canvas.SetBrush({kSilver, BrushStyle::Solid});
            if (part.stair < 0 || part.topFloor <= 0) {
                canvas.Rectangle({x0, r.top, x1, r.bottom});
            } else {
                const double perFloor = static_cast<double>(r.Height()) / part.topFloor;
                for (const SheetBand& band : page.bands) {
                    for (std::int32_t level : band.floors) {
                        const std::int32_t y1 = r.bottom - RoundEven((level - 1) * perFloor);
                        const std::int32_t y0 = std::min(y1 - 1, r.bottom - RoundEven(level * perFloor));
                        canvas.Rectangle({x0, y0, x1, y1});
                    }
                }
            }
        }
        canvas.SetPen({kBlack, 1, PenStyle::Solid});
        canvas.SetBrush({kWhite, BrushStyle::Clear});
        canvas.Rectangle(r);
        const TextSize size = canvas.TextExtent(part.name);
        canvas.Text(r.left + (r.Width() - size.width) / 2, r.top + (r.Height() - size.height) / 2, part.name);
    }
}

} // namespace

double PagePixelsPerUnit(const DrawingSet& set, double dpi) {
    return set.mmPerUnit * dpi / 25.4;
}

void ScaleForPages(TpadreGraficosMS& schematic, const DrawingSet& set, double dpi) {
    schematic.RescaleAll(PagePixelsPerUnit(set, dpi));
}

double PageTitleBlockWidthMm(double titleBlockWidthMm) {
    return std::max(titleBlockWidthMm, kReadableTitleBlockMm);
}

void PaintDrawingPage(Canvas& canvas, double dpi, TpadreGraficosMS& schematic, const DrawingSet& set,
                      const SheetPage& page, const DrawingSetOptions& options, const SheetContent& content) {
    const PageFrame frame(dpi, set, options);
    const Rect& printable = frame.Printable();
    canvas.SetPen({kBlack, 1, PenStyle::Solid});
    canvas.SetBrush({kWhite, BrushStyle::Clear});
    canvas.Rectangle(printable);
    for (const SheetBand& band : page.bands) {
        PaintBand(canvas, schematic, set, band, frame);
    }
    PaintMarks(canvas, set, page, frame);

    // The bottom reserve: key plan, page number, title block from left to right.
    const std::int32_t margin = frame.Mm(kTitleBlockMargin / 100.0);
    const std::int32_t reserveTop = printable.bottom - frame.Mm(PageReserveMm(options));
    canvas.SetPen({kBlack, 1, PenStyle::Solid});
    canvas.Line({printable.left, reserveTop}, {printable.right, reserveTop});
    const Rect keyBox{printable.left + margin, reserveTop + margin,
                      printable.left + margin + frame.Mm(kKeyPlanWidthMm), printable.bottom - margin};
    Font keyFont;
    keyFont.height = std::max(1, frame.Mm(kKeyPlanMm));
    canvas.SetFont(keyFont);
    PaintKeyPlan(canvas, set, page, keyBox);
    UseFont(canvas, frame, kPageNumberMm, true);
    const std::string number = std::to_string(page.number) + " / " + std::to_string(set.pages.size());
    canvas.Text(keyBox.right + frame.Mm(6.0), keyBox.top + (keyBox.Height() - frame.Mm(kPageNumberMm)) / 2,
                number);
    if (content.showTitleBlock) {
        SheetContent block = content;
        block.dpi = dpi;
        block.outputScale = 1.0;
        block.titleBlockWidthMm = PageTitleBlockWidthMm(content.titleBlockWidthMm);
        const TitleBlockPx size = TitleBlockSize(block);
        PaintTitleBlock(canvas,
                        {printable.right - margin - size.width, printable.bottom - margin - size.height,
                         printable.right - margin, printable.bottom - margin},
                        block);
    }
}

} // namespace ixo
