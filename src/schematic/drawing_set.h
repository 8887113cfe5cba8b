#pragma once

// A drawing set: the schematic of a laid-out installation cut into pages that can be read on paper. The
// first pages show the headend and the trunk lines to the stairs, then each stair follows on pages of
// its own, cut by floor ranges. Every page is drawn at one scale, the smallest at which no text of the
// schematic is below the readable height on paper; what does not fit a page at that scale goes on to
// the next page (a floor too wide or too tall for one page is cut between its symbols). Runs of floors
// drawn alike, with the same models, cable lengths and outlet results, are drawn once as a typical
// floor. The set is planned in design units; painting it is drawing_page.h's.
#include "schematic/geometry.h"

#include <cstdint>
#include <string>
#include <vector>

namespace ixo {

class Tproyecto;
class TpadreGraficosMS;

// The smallest text height on paper, in millimetres, that a sheet may show to count as readable: the
// height of the font (its em), as every font of the system is given.
inline constexpr double kReadableTextMm = 1.8;

// The heights (mm on paper) of a band's caption, in bold, and of its note line under it.
inline constexpr double kBandCaptionTextMm = 3.2;
inline constexpr double kBandNoteTextMm = 2.6;
// The width of a band's caption line and note line on paper (mm), from their lengths: an Arial
// character is at most about 0.62 of its height wide on average in bold, 0.58 in regular, with the
// insets the page leaves before them.
double BandCaptionWidthMm(const std::string& caption, const std::string& notes);

struct DrawingSetOptions {
    double paperWidthMm = 297.0;
    double paperHeightMm = 210.0;
    // Page-setup margins, hundredths of a millimetre.
    std::int32_t marginLeft = 1000;
    std::int32_t marginTop = 1000;
    std::int32_t marginRight = 1000;
    std::int32_t marginBottom = 1000;
    bool showTitleBlock = true;
    double titleBlockWidthMm = 90.0;
    double titleBlockHeightMm = 30.0;
    // Draws every floor; otherwise runs of floors drawn alike are drawn once.
    bool everyFloor = false;
    double readableTextMm = kReadableTextMm;
};

// One strip of the schematic drawn on a page: the design rectangle shown, where its top-left corner
// goes on the page (page design units from the drawing area's top-left) and its caption line.
struct SheetBand {
    Rect design;
    Point at;
    std::string caption;         // "FLOOR 3 to FLOOR 38 (x36)", "FLOOR 7", "HEADEND"
    std::string notes;           // the outlet levels over the floors of the band
    std::int32_t firstFloor = 0; // the floors shown (levels as the stair numbers them); 0 for the headend
    std::int32_t lastFloor = 0;
    std::int32_t floorCount = 1;
    std::vector<std::int32_t> floors; // the levels of every floor the band stands for
    std::int32_t piece = 0;           // a band too tall for one page is cut into pieces: 0 the first
};

// A mark at a page's edge where the drawing goes on: on page `page` (1-based), and where the mark sits
// along the edge (design x for the top and bottom edges, design y for the sides).
enum class PageEdge { Top, Bottom, Left, Right };
struct ContinuationMark {
    PageEdge edge = PageEdge::Bottom;
    std::int32_t page = 0;
    std::string text; // "continued on page 4", "STAIR 2: page 5"
    // Design x of the cable ends the mark stands for on a top or bottom edge; the edge's end when -1.
    std::int32_t along = -1;
};

struct SheetPage {
    std::int32_t number = 0; // 1-based
    std::int32_t stair = -1; // index of the stair shown; -1 for the headend pages
    std::string title;       // "HEADEND", "STAIR 2 - FLOOR 100 to FLOOR 51"
    std::vector<SheetBand> bands;
    std::vector<ContinuationMark> marks;
    std::int32_t part = 0; // a drawing too wide for one page is cut across into parts: 0 the leftmost
    // The part of the schematic shown (design units), marked on the key plan.
    Rect shown;
};

// A part of the building on the key plan: the headend above, the stairs side by side below it, each
// with its column's design x range and its highest floor level.
struct KeyPlanPart {
    Rect design;
    std::string name;          // "H", "1", "2", ...
    std::int32_t stair = -1;   // -1 for the headend
    std::int32_t topFloor = 0; // the highest level drawn in the stair
};

struct DrawingSet {
    double mmPerUnit = 0.1;         // paper millimetres per design unit
    std::int32_t smallestFont = 0;  // the smallest text height of the schematic, design units
    Rect drawingArea;               // page design units: the page less its bottom reserve
    std::int32_t stripHeight = 0;   // page design units: the header and footer strips of the area
    std::int32_t captionHeight = 0; // page design units: the caption strip above every band
    std::vector<SheetPage> pages;
    std::vector<KeyPlanPart> keyPlan; // the headend first, then the stairs
    double paperWidthMm = 0.0;
    double paperHeightMm = 0.0;
};

// The smallest height of any text the schematic draws (design units at scale 1), 0 without texts.
// Leaves the schematic at scale 1.
std::int32_t SmallestTextHeight(TpadreGraficosMS& schematic);

// The scale (paper mm per design unit) of the schematic fitted whole on one sheet of options' paper, as
// the single sheet draws it.
double SingleSheetMmPerUnit(const TpadreGraficosMS& schematic, const DrawingSetOptions& options);

// True when the single sheet shows every text at least options.readableTextMm high.
bool SingleSheetReadable(TpadreGraficosMS& schematic, const DrawingSetOptions& options);

// Plans the drawing set of a schematic laid out by BuildSchematic for project (its floors and outlet
// results decide which floors are drawn alike). Leaves the schematic at scale 1.
DrawingSet PlanDrawingSet(const Tproyecto& project, TpadreGraficosMS& schematic,
                          const DrawingSetOptions& options);

// The height in millimetres of the bottom strip a page keeps free for its title block, page number and
// key plan.
double PageReserveMm(const DrawingSetOptions& options);

} // namespace ixo
