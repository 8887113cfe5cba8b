#pragma once

// Painting the drawing sheet: the printable area's outline, the title block with its ten project texts
// and the maker's mark, the colour legend of outlets out of limits, and the schematic's objects in their
// layers (wires under symbols, back members of stacked figures under front ones). The same paint path
// serves the screen, the printer and every image format.
#include "schematic/canvas.h"
#include "schematic/schematic.h"
#include "schematic/view.h"

#include <string>
#include <vector>

namespace ixo {

class TBaseGrafMS;
class TpadreGraficosMS;
class Tproyecto;

// Outlet fills of outlets out of limits (0x00BBGGRR): navy below the minimum, orange above the maximum,
// purple for both. No symbol draws with these colours (the boxes and a selected outlet are red, the
// rest black, white, silver and cream), so a failing outlet stands out; the legend names them.
inline constexpr Colour kBelowMinimumColour = 0x800000;
inline constexpr Colour kAboveMaximumColour = 0x0080FF;
inline constexpr Colour kBothLimitsColour = 0x800080;

struct SheetContent {
    bool showTitleBlock = true;
    std::vector<std::string> texts; // Datosproyecto: ten cells, missing ones empty
    double titleBlockWidthMm = 90.0;
    double titleBlockHeightMm = 30.0;
    double dpi = 96.0;        // output dpi, for the title block's size
    double outputScale = 1.0; // title block scale (the sheet zoom on screen)
    bool showLegend = false;  // the legend of the outlet error colours
};

// The title block's size in pixels at dpi and scale.
struct TitleBlockPx {
    std::int32_t width = 0;
    std::int32_t height = 0;
};
TitleBlockPx TitleBlockSize(const SheetContent& content);
// The bottom reserve below the schematic: the title block (with its margins) when shown, else the
// legend's height when the legend is shown, else 0.
std::int32_t BottomReserve(const SheetContent& content, double zoom);
// Where PaintSheet with the same arguments draws the title block: the bottom right corner of the
// printable area, inside its margin (drawn or not: callers check showTitleBlock).
Rect TitleBlockRect(const SheetContent& content, const Rect& printable, Point scroll);

// Paints the sheet. printable is the printable area at the sheet zoom (before scrolling); placement the
// schematic's fit in it; scroll the scroll offset (minus the scroll positions). Objects are moved to the
// offset and painted only when they meet clientRect.
void PaintSheet(Canvas& canvas, const Rect& clientRect, TpadreGraficosMS& schematic,
                const SheetContent& content, const Rect& printable, const SchematicPlacement& placement,
                Point scroll);

// Moves the objects that meet clientRect to where PaintSheet with the same arguments shows them, without
// painting: the mouse's hit tests then find the objects of a view that was put together from pictures
// painted earlier.
void PlaceObjects(const Rect& clientRect, TpadreGraficosMS& schematic, const SchematicPlacement& placement,
                  Point scroll);

// HitTest on a view: the objects near (x, y) only, placed first where PaintSheet with placement and scroll
// shows them, so that objects off the view (wherever an earlier paint left them) are never hit.
HitResult HitTestView(TpadreGraficosMS& schematic, std::int32_t x, std::int32_t y,
                      const SchematicPlacement& placement, Point scroll);

// Paints objects already placed in their layers: wires and back members of stacked figures under the
// symbols and front members (the three layers of triple figures when the schematic has one).
void PaintInLayers(Canvas& canvas, const std::vector<TBaseGrafMS*>& objects, bool hasTriple);

// The title block template stretched over block (12 cm x 4 cm design): frame, rules, ten texts, logo.
void PaintTitleBlock(Canvas& canvas, const Rect& block, const SheetContent& content);
// The maker's mark "Vro" inside r.
void PaintMakerMark(Canvas& canvas, const Rect& r);

// Colours the outlets of the project's error lists in the schematic; returns how many were marked.
std::size_t MarkOutletErrors(const Tproyecto& project, TpadreGraficosMS& schematic);
// Every outlet back to its plain fill and text, before marking the errors of a new check.
void ClearOutletErrors(TpadreGraficosMS& schematic);

} // namespace ixo
