#pragma once

// The arithmetic of the view on the drawing sheet: unit conversion, the zoom menu's steps, the scroll
// bars, and fitting the schematic into the printable area of a page. The window only calls these.
#include "schematic/geometry.h"

#include <array>
#include <cstdint>

namespace ixo {

class TpadreGraficosMS;

// Hundredths of a millimetre to pixels at dpi: round(v / 100 / 25.4 x dpi).
std::int32_t MmToPx(double dpi, double hundredthsMm);
// The same without rounding, where fractions matter.
double MmToPxExact(double dpi, double hundredthsMm);

// The title block's distance from the printable area's right and bottom edges, hundredths of a mm.
inline constexpr double kTitleBlockMargin = 200.0;

// Page setup in hundredths of a millimetre.
struct PageSetup {
    std::int32_t width = 21000;
    std::int32_t height = 29700;
    std::int32_t marginLeft = 1000;
    std::int32_t marginTop = 1000;
    std::int32_t marginRight = 1000;
    std::int32_t marginBottom = 1000;
};

enum class Paper { A4, A3, A2 };
enum class PaperOrientation { Vertical, Horizontal };
// Paper size in millimetres: long side 297, 420, 594 and short side 210, 297, 420; vertical is upright.
struct PaperMm {
    std::int32_t width = 0;
    std::int32_t height = 0;
};
PaperMm PaperSize(Paper paper, PaperOrientation orientation);

// The zoom menu: "All" (0) then the percentages.
inline constexpr std::array<std::int32_t, 11> kZoomLevels = {0,   10,  25,  50,   75,  100,
                                                             200, 400, 800, 1600, 3200};
// Zoom in: the first percentage greater than the effective zoom (the last when none is).
std::int32_t ZoomInFrom(double effectivePercent);
// Zoom out: the last percentage smaller than the effective zoom, never "All" (10 at least).
std::int32_t ZoomOutFrom(double effectivePercent);
// The effective zoom: 100 x displayed sheet width / sheet width at 100 %.
double EffectiveZoom(std::int32_t displayedSheetWidth, std::int32_t sheetWidthAt100);

struct ScrollBar {
    std::int32_t minimum = 0;
    std::int32_t maximum = 0;
    std::int32_t position = 0;
    bool enabled = false;
    std::int32_t largeChange = 1;
    std::int32_t smallChange = 1;
};
// Range total - visible; keeps the relative position.
void UpdateScrollBar(ScrollBar& bar, std::int32_t visible, std::int32_t total);
// The bar's state before an update, to keep the view's centre.
struct SavedScroll {
    bool enabled = false;
    std::int32_t position = 0;
    std::int32_t range = 0;
    std::int32_t visible = 0;
};
void KeepScrollCentre(const SavedScroll& saved, ScrollBar& bar, std::int32_t visible, std::int32_t total);

// Where the schematic goes inside a printable area: the reserve for the title block at the bottom, the
// fit scale and the centring offset. Rescales the schematic unless rescale is false (then the caller
// rescales it to placement.scale before painting or hit testing).
struct SchematicPlacement {
    Rect area;          // the printable area less the title-block reserve
    double scale = 1.0; // the schematic's scale
    Point centring;     // offset of the schematic's extent inside area
};
SchematicPlacement FitSchematic(TpadreGraficosMS& schematic, const Rect& printable,
                                std::int32_t reserveBottom, bool rescale = true);

// The view on screen.
struct ViewRequest {
    std::int32_t imageWidth = 0;
    std::int32_t imageHeight = 0;
    std::int32_t zoomPercent = 0; // 0 fits the whole sheet
    bool showTitleBlock = true;
    std::int32_t titleBlockHeightPx = 0; // at 100 %
    PageSetup page;
    double dpiX = 96.0;
    double dpiY = 96.0;
    // False leaves the objects at their old scale: a window that shows a stand-in picture first rescales
    // them (RescaleAll(placement.scale)) later, when it paints.
    bool rescaleObjects = true;
};
struct ViewResult {
    Rect sheet;     // the page at the sheet zoom (origin 0, 0)
    Rect printable; // page minus margins at the sheet zoom
    double sheetZoom = 1.0;
    SchematicPlacement placement;
};
// Converts the page to screen pixels, picks the sheet zoom, updates the scroll bars, fits and rescales
// the schematic.
ViewResult ComputeView(TpadreGraficosMS& schematic, const ViewRequest& request, ScrollBar& horizontal,
                       ScrollBar& vertical);

} // namespace ixo
