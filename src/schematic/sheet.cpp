#include "schematic/sheet.h"

#include "building/comprueba_errores.h"
#include "building/escalera.h"
#include "building/proyecto.h"
#include "model/toma_tv.h"
#include "schematic/schematic.h"
#include "schematic/stacked_figure.h"
#include "schematic/symbols.h"
#include "schematic/wire.h"

#include <algorithm>
#include <cmath>

namespace ixo {

namespace {

// Legend geometry in points, scaled with the output's dpi.
constexpr double kLegendHeightMm = 10.0;

std::int32_t MmPx(const SheetContent& content, double mm) {
    return RoundEven(MmToPxExact(content.dpi, mm * 100.0) * content.outputScale);
}

void PaintLegend(Canvas& canvas, const Rect& printable, const SheetContent& content) {
    const std::int32_t height = MmPx(content, kLegendHeightMm);
    const std::int32_t swatch = MmPx(content, 3.0);
    const std::int32_t left = printable.left + MmPx(content, 2.0);
    const std::int32_t top = printable.bottom - height;
    Font font;
    font.pointSize = 8;
    font.height = std::max(1, MmPx(content, 3.0));
    font.colour = kBlack;
    canvas.SetFont(font);
    struct Entry {
        Colour colour;
        const char* text;
    };
    const Entry entries[3] = {{kBelowMinimumColour, "Outlet below the minimum level (navy)"},
                              {kAboveMaximumColour, "Outlet above the maximum level (orange)"},
                              {kBothLimitsColour, "Outlet below and above (purple)"}};
    for (int i = 0; i < 3; ++i) {
        const std::int32_t y = top + i * (height / 3);
        canvas.SetPen({kBlack, 1, PenStyle::Solid});
        canvas.SetBrush({entries[i].colour, BrushStyle::Solid});
        canvas.Rectangle({left, y, left + swatch, y + swatch});
        canvas.Text(left + swatch + swatch / 2, y, entries[i].text);
    }
}

// Paints the objects met by the client area: the layers of a schematic with triple figures, else wires
// and back members first, then front members and symbols.
// The objects the spatial index finds near the client area, moved to offset, in creation order.
std::vector<TBaseGrafMS*> MoveObjectsNear(const Rect& clientRect, TpadreGraficosMS& schematic, Point offset,
                                          double scale) {
    // The client area in design units, to ask the spatial index for the objects it meets.
    const double s = scale > 0.0 ? scale : 1.0;
    const Rect design{static_cast<std::int32_t>(std::floor((clientRect.left - offset.x) / s)) - 1,
                      static_cast<std::int32_t>(std::floor((clientRect.top - offset.y) / s)) - 1,
                      static_cast<std::int32_t>(std::ceil((clientRect.right - offset.x) / s)) + 1,
                      static_cast<std::int32_t>(std::ceil((clientRect.bottom - offset.y) / s)) + 1};
    std::vector<TBaseGrafMS*> near;
    for (std::size_t index : schematic.ObjectsMeeting(design)) {
        TBaseGrafMS* object = schematic.Object(index);
        object->MoveBy(offset.x, offset.y);
        near.push_back(object);
    }
    return near;
}

Point ObjectOffset(const SchematicPlacement& placement, Point scroll) {
    return {scroll.x + placement.centring.x + placement.area.left,
            scroll.y + placement.centring.y + placement.area.top};
}

void PaintObjects(Canvas& canvas, const Rect& clientRect, TpadreGraficosMS& schematic, Point offset,
                  double scale) {
    std::vector<TBaseGrafMS*> visible = MoveObjectsNear(clientRect, schematic, offset, scale);
    std::erase_if(visible, [&](TBaseGrafMS* object) { return !object->HitsRect(clientRect); });
    PaintInLayers(canvas, visible, schematic.HasTriple);
}

} // namespace

void PaintInLayers(Canvas& canvas, const std::vector<TBaseGrafMS*>& visible, bool hasTriple) {
    if (hasTriple) {
        for (int layer = 3; layer >= 1; --layer) {
            for (TBaseGrafMS* object : visible) {
                if (auto* wire = dynamic_cast<Tgraflinea*>(object)) {
                    if (wire->LineKind() == layer) {
                        wire->Draw(canvas);
                    }
                } else if (auto* figure = dynamic_cast<TgrafFigura*>(object);
                           figure != nullptr && figure->IsTriple()) {
                    figure->DrawMember(canvas, layer - 1);
                } else {
                    object->Draw(canvas);
                }
            }
        }
        return;
    }
    for (TBaseGrafMS* object : visible) {
        if (dynamic_cast<Tgraflinea*>(object) != nullptr) {
            object->Draw(canvas);
        } else if (auto* figure = dynamic_cast<TgrafFigura*>(object)) {
            figure->DrawMember(canvas, figure->LayerOrder % 2 == 0 ? 1 : 0);
        }
    }
    for (TBaseGrafMS* object : visible) {
        if (dynamic_cast<Tgraflinea*>(object) != nullptr) {
            continue;
        }
        if (auto* figure = dynamic_cast<TgrafFigura*>(object)) {
            figure->DrawMember(canvas, figure->LayerOrder % 2 == 0 ? 0 : 1);
        } else {
            object->Draw(canvas);
        }
    }
}

TitleBlockPx TitleBlockSize(const SheetContent& content) {
    return {MmPx(content, content.titleBlockWidthMm), MmPx(content, content.titleBlockHeightMm)};
}

std::int32_t BottomReserve(const SheetContent& content, double zoom) {
    if (content.showTitleBlock) {
        const std::int32_t m = MmToPx(content.dpi, kTitleBlockMargin);
        const std::int32_t h = RoundEven(MmToPxExact(content.dpi, content.titleBlockHeightMm * 100.0));
        return 2 * RoundEven(m * zoom) + RoundEven(h * zoom);
    }
    if (content.showLegend) {
        return RoundEven(MmToPxExact(content.dpi, (kLegendHeightMm + 2.0) * 100.0) * zoom);
    }
    return 0;
}

void PaintMakerMark(Canvas& canvas, const Rect& r) {
    // An original mark: a red rounded plate with the white letters "Vro" and three arcs of a signal
    // rising from a small dish on its left.
    const std::int32_t h = r.Height();
    if (h <= 2 || r.Width() <= 2) {
        return;
    }
    canvas.SetPen({kBlack, std::max(1, h / 40), PenStyle::Solid});
    canvas.SetBrush({kRed, BrushStyle::Solid});
    canvas.RoundRect(r, h / 3, h / 3);
    const std::int32_t d = h * 6 / 10;
    const Rect dish{r.left + h / 5, r.top + (h - d) / 2, r.left + h / 5 + d, r.top + (h - d) / 2 + d};
    canvas.SetBrush({kWhite, BrushStyle::Solid});
    canvas.Ellipse(dish);
    canvas.SetBrush({kRed, BrushStyle::Solid});
    canvas.Ellipse({dish.left + d / 4, dish.top + d / 4, dish.right - d / 4, dish.bottom - d / 4});
    Font font;
    font.height = std::max(1, h * 7 / 10);
    font.bold = true;
    font.colour = kWhite;
    canvas.SetFont(font);
    const TextSize size = canvas.TextExtent("Vro");
    const std::int32_t textLeft = dish.right + (r.right - dish.right - size.width) / 2;
    canvas.Text(textLeft, r.top + (h - size.height) / 2, "Vro");
}

void PaintTitleBlock(Canvas& canvas, const Rect& block, const SheetContent& content) {
    const double sx = block.Width() / 120.0; // pixels per design mm across
    const double sy = block.Height() / 40.0;
    auto px = [&](double cm) { return block.left + RoundEven(cm * 10.0 * sx); };
    auto py = [&](double cm) { return block.top + RoundEven(cm * 10.0 * sy); };
    canvas.SetPen({kBlack, 1, PenStyle::Solid});
    canvas.SetBrush({kWhite, BrushStyle::Solid});
    canvas.Rectangle(block);
    canvas.Line({px(0), py(1.3)}, {px(9.7), py(1.3)});
    canvas.Line({px(10), py(1.3)}, {px(12), py(1.3)});
    canvas.Line({px(0), py(2.6)}, {px(4), py(2.6)});
    struct Cell {
        double l, t, r, b, textTop;
        int baseSize;
    };
    static constexpr Cell kCells[10] = {{0.1, 0.1, 9.6, 0.65, 0.1, 7},   {0.1, 0.65, 9.6, 1.3, 0.75, 9},
                                        {10.1, 0.1, 11.9, 0.65, 0.1, 7}, {10.1, 0.75, 11.9, 1.3, 0.75, 9},
                                        {0.1, 1.4, 3.9, 1.95, 1.4, 7},   {0.1, 2.05, 3.9, 2.6, 2.05, 9},
                                        {4.4, 1.4, 11.9, 1.95, 1.4, 7},  {4.4, 2.05, 11.9, 2.6, 2.05, 9},
                                        {4.4, 2.7, 11.9, 3.25, 2.7, 9},  {4.4, 3.35, 11.9, 3.9, 3.35, 9}};
    // Font sizes in points follow the template's x stretch (block width in mm over 120).
    const double stretch = content.titleBlockWidthMm / 120.0;
    for (std::size_t i = 0; i < 10; ++i) {
        if (i >= content.texts.size() || content.texts[i].empty()) {
            continue;
        }
        const Cell& cell = kCells[i];
        Font font;
        font.pointSize = std::max(1, RoundEven(cell.baseSize * stretch));
        font.height = std::max(1, RoundEven(font.pointSize * content.dpi / 72.0 * content.outputScale));
        font.colour = kBlack;
        canvas.SetFont(font);
        const Rect clip{px(cell.l), py(cell.t), px(cell.r), py(cell.b)};
        canvas.SetClip(clip);
        canvas.Text(px(cell.l), py(cell.textTop), content.texts[i]);
        canvas.ClearClip();
    }
    PaintMakerMark(canvas, {px(0.1), py(2.7), px(3.9), py(3.93)});
}

Rect TitleBlockRect(const SheetContent& content, const Rect& printable, Point scroll) {
    const TitleBlockPx size = TitleBlockSize(content);
    const std::int32_t margin = RoundEven(MmToPx(content.dpi, kTitleBlockMargin) * content.outputScale);
    const std::int32_t right = printable.right + scroll.x - margin;
    const std::int32_t bottom = printable.bottom + scroll.y - margin;
    return {right - size.width, bottom - size.height, right, bottom};
}

void PaintSheet(Canvas& canvas, const Rect& clientRect, TpadreGraficosMS& schematic,
                const SheetContent& content, const Rect& printable, const SchematicPlacement& placement,
                Point scroll) {
    const Point offset = ObjectOffset(placement, scroll);
    // The outline of the printable area, pushed 10 pixels outside the client area where it lies outside.
    Rect outline{printable.left + scroll.x, printable.top + scroll.y, printable.right + scroll.x,
                 printable.bottom + scroll.y};
    outline.left = std::max(outline.left, clientRect.left - 10);
    outline.top = std::max(outline.top, clientRect.top - 10);
    outline.right = std::min(outline.right, clientRect.right + 10);
    outline.bottom = std::min(outline.bottom, clientRect.bottom + 10);
    canvas.SetPen({kBlack, 1, PenStyle::Solid});
    canvas.SetBrush({kWhite, BrushStyle::Clear});
    canvas.Rectangle(outline);
    const Rect shifted{printable.left + scroll.x, printable.top + scroll.y, printable.right + scroll.x,
                       printable.bottom + scroll.y};
    if (content.showTitleBlock) {
        PaintTitleBlock(canvas, TitleBlockRect(content, printable, scroll), content);
    }
    if (content.showLegend) {
        const std::int32_t margin = RoundEven(MmToPx(content.dpi, kTitleBlockMargin) * content.outputScale);
        PaintLegend(canvas, {shifted.left, shifted.top, shifted.right, shifted.bottom - margin}, content);
    }
    PaintObjects(canvas, clientRect, schematic, offset, placement.scale);
}

void PlaceObjects(const Rect& clientRect, TpadreGraficosMS& schematic, const SchematicPlacement& placement,
                  Point scroll) {
    MoveObjectsNear(clientRect, schematic, ObjectOffset(placement, scroll), placement.scale);
}

HitResult HitTestView(TpadreGraficosMS& schematic, std::int32_t x, std::int32_t y,
                      const SchematicPlacement& placement, Point scroll) {
    const Rect r{x - 2, y - 2, x + 2, y + 2};
    HitResult result;
    for (TBaseGrafMS* object :
         MoveObjectsNear(r, schematic, ObjectOffset(placement, scroll), placement.scale)) {
        if (object->HitsRegion(r)) {
            const HitResult pin = PinAt(object, r);
            result.hit = true;
            result.object = object;
            result.elementPin = pin.elementPin;
            result.pinPosition = pin.pinPosition;
            break;
        }
    }
    return result;
}

void ClearOutletErrors(TpadreGraficosMS& schematic) {
    for (std::size_t i = 0; i < schematic.ObjectCount(); ++i) {
        if (auto* outlet = dynamic_cast<TgrafToma*>(schematic.Object(i));
            outlet != nullptr && outlet->ErrorFill != 0) {
            outlet->ErrorFill = 0;
            outlet->TextColour = kBlack;
        }
    }
}

std::size_t MarkOutletErrors(const Tproyecto& project, TpadreGraficosMS& schematic) {
    std::size_t marked = 0;
    for (const auto& entry : project.Escaleras()) {
        if (entry.Object == nullptr) {
            continue;
        }
        const TCompruebaErrores& errors = entry.Object->ErroresEscalera();
        for (std::size_t i = 0; i < errors.Count(); ++i) {
            const TNodoInfo& node = errors[i];
            auto* outlet = dynamic_cast<TgrafToma*>(schematic.FindGraphicOf(node.Toma));
            if (outlet == nullptr) {
                continue;
            }
            const bool above = (node.Estado & 1) != 0;
            const bool below = (node.Estado & 2) != 0;
            outlet->ErrorFill = above && below ? kBothLimitsColour
                                : above        ? kAboveMaximumColour
                                               : kBelowMinimumColour;
            outlet->TextColour = kWhite;
            ++marked;
        }
    }
    return marked;
}

} // namespace ixo
