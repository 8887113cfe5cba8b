#include "schematic/recording_canvas.h"
#include "schematic/schematic.h"
#include "schematic/sheet.h"
#include "schematic/symbols.h"
#include "schematic/view.h"

#include <gtest/gtest.h>

namespace ixo::test {
namespace {

// A schematic holding one power supply (a 120 x 80 box) moved to (x, y), with its extent computed.
std::unique_ptr<TpadreGraficosMS> OneBox(std::int32_t x, std::int32_t y) {
    auto schematic = TPrimerComponente::CreateRoot<TpadreGraficosMS>();
    TBaseGrafMS* box = schematic->Adopt(MakeGraphic<TgrafFuente>(nullptr));
    box->ShiftRel(x, y);
    box->Rescale(1.0);
    schematic->ComputeExtent();
    return schematic;
}

TEST(ViewTest, MillimetresToPixels) {
    EXPECT_EQ(MmToPx(150, 29700), 1754);           // 297 / 25.4 x 150 = 1753.9
    EXPECT_EQ(MmToPx(150, 21000), 1240);           // 1240.2
    EXPECT_EQ(MmToPx(96, 21000), 794);             // 793.7: an upright A4 at 100 % on a 96 dpi screen
    EXPECT_EQ(MmToPx(150, kTitleBlockMargin), 12); // 2 mm: 11.8
    EXPECT_DOUBLE_EQ(MmToPxExact(254, 1000), 100.0);
}

TEST(ViewTest, ZoomSteps) {
    EXPECT_EQ(ZoomInFrom(30.0), 50);
    EXPECT_EQ(ZoomInFrom(50.0), 75);
    EXPECT_EQ(ZoomInFrom(5000.0), 3200);
    EXPECT_EQ(ZoomOutFrom(60.0), 50);
    EXPECT_EQ(ZoomOutFrom(10.0), 10); // never "All"
    EXPECT_DOUBLE_EQ(EffectiveZoom(397, 794), 50.0);
    EXPECT_EQ(PaperSize(Paper::A3, PaperOrientation::Vertical).height, 420);
    EXPECT_EQ(PaperSize(Paper::A2, PaperOrientation::Horizontal).width, 594);
}

TEST(ViewTest, ScrollBarKeepsItsRelativePositionAndCentre) {
    ScrollBar bar;
    // A bar without range starts disabled at 0; the centre is kept once it is enabled.
    UpdateScrollBar(bar, 500, 1500);
    EXPECT_FALSE(bar.enabled);
    EXPECT_EQ(bar.position, 0);
    KeepScrollCentre({false, 0, 0, 500}, bar, 500, 1500);
    EXPECT_TRUE(bar.enabled);
    EXPECT_EQ(bar.position, 500); // (1000 - 0) div 2
    EXPECT_EQ(bar.largeChange, 100);
    EXPECT_EQ(bar.smallChange, 10);
    // Doubling the sheet keeps the relative position: round(2000 x 500 / 1000) = 1000.
    UpdateScrollBar(bar, 500, 2500);
    EXPECT_EQ(bar.maximum, 2000);
    EXPECT_EQ(bar.position, 1000);
    // The view centre: round((2000 + 500) x (500 + 250) / (1000 + 500)) - 250 = 1000.
    KeepScrollCentre({true, 500, 1000, 500}, bar, 500, 2500);
    EXPECT_EQ(bar.position, 1000);
    // Nothing to scroll: disabled at 0.
    UpdateScrollBar(bar, 800, 700);
    EXPECT_FALSE(bar.enabled);
    EXPECT_EQ(bar.position, 0);
}

TEST(ViewTest, ZoomAllFitsTheSheetsHeightOnAWideWindow) {
    auto schematic = OneBox(0, 0);
    ViewRequest request;
    request.imageWidth = 2000;
    request.imageHeight = 1000;
    request.showTitleBlock = false;
    ScrollBar h;
    ScrollBar v;
    const ViewResult view = ComputeView(*schematic, request, h, v);
    // Upright A4 at 96 dpi: 793.7 x 1122.5; q = min(2000 / 793.7, 1000 / 1122.5) = height's.
    EXPECT_NEAR(view.sheetZoom, 1000.0 / MmToPxExact(96, 29700), 1e-9);
    EXPECT_EQ(view.sheet.bottom, 1000);
    EXPECT_FALSE(h.enabled);
    // At 100 % the sheet is as wide as 210 mm at the screen's dpi.
    request.zoomPercent = 100;
    const ViewResult full = ComputeView(*schematic, request, h, v);
    EXPECT_EQ(full.sheet.right, 794);
    EXPECT_TRUE(v.enabled);
}

TEST(ViewTest, AWideSchematicFillsThePrintableWidthAndIsCentredVertically) {
    auto schematic = TPrimerComponente::CreateRoot<TpadreGraficosMS>();
    // Two boxes 1000 apart: extent (-60, -40)-(1060, 40), 1120 x 80.
    for (std::int32_t x : {0, 1000}) {
        TBaseGrafMS* box = schematic->Adopt(MakeGraphic<TgrafFuente>(nullptr));
        box->ShiftRel(x, 0);
        box->Rescale(1.0);
    }
    schematic->ComputeExtent();
    ASSERT_EQ(schematic->Extent(), (Rect{-60, -40, 1060, 40}));
    const SchematicPlacement placement = FitSchematic(*schematic, {100, 100, 660, 500}, 0);
    // r = min(560 / 1120, 400 / 80) = 0.5; the drawing is 560 x 40, centred: (400 - 40) div 2 = 180.
    EXPECT_DOUBLE_EQ(placement.scale, 0.5);
    EXPECT_EQ(placement.centring, (Point{0, 180}));
    EXPECT_EQ(schematic->Object(1)->HalfWidth(), 30);
    // With a reserve at the bottom (the title block) the area shrinks.
    const SchematicPlacement reserved = FitSchematic(*schematic, {100, 100, 660, 500}, 100);
    EXPECT_EQ(reserved.area.bottom, 400);
}

TEST(ViewTest, ALayoutThatLeavesTheObjectsUnscaledPlacesThemAsOneThatRescales) {
    auto schematic = TPrimerComponente::CreateRoot<TpadreGraficosMS>();
    for (std::int32_t x : {0, 1000}) { // extent 1120 x 80, as above
        TBaseGrafMS* box = schematic->Adopt(MakeGraphic<TgrafFuente>(nullptr));
        box->ShiftRel(x, 0);
        box->Rescale(1.0);
    }
    schematic->ComputeExtent();
    ViewRequest request;
    request.imageWidth = 1000;
    request.imageHeight = 700;
    request.zoomPercent = 100;
    request.rescaleObjects = false;
    ScrollBar h;
    ScrollBar v;
    const ViewResult deferred = ComputeView(*schematic, request, h, v);
    // The objects keep their old scale (1: half width 60) until the caller rescales them.
    EXPECT_EQ(schematic->Object(1)->HalfWidth(), 60);
    EXPECT_DOUBLE_EQ(schematic->Object(1)->Scale(), 1.0);
    request.rescaleObjects = true;
    ScrollBar h2;
    ScrollBar v2;
    const ViewResult rescaled = ComputeView(*schematic, request, h2, v2);
    EXPECT_DOUBLE_EQ(deferred.placement.scale, rescaled.placement.scale);
    EXPECT_EQ(deferred.placement.centring, rescaled.placement.centring);
    EXPECT_EQ(deferred.placement.area, rescaled.placement.area);
    EXPECT_EQ(deferred.printable, rescaled.printable);
    // Upright A4 at 96 dpi, 100 %: printable from round(37.8) = 38 to round(793.7 - 37.8) = 756, 718
    // wide; the schematic is scaled to 718 / 1120 = 0.641 (its height, 80, limits it less).
    EXPECT_NEAR(rescaled.placement.scale, 718.0 / 1120.0, 1e-12);
    EXPECT_EQ(schematic->Object(1)->HalfWidth(), 38); // round(60 x 0.641)
}

TEST(TitleBlockTest, TenCellsOnlyTheGivenTextsAndTheTemplateRules) {
    SheetContent content;
    content.texts = {"Project", "Street 1"};
    content.titleBlockWidthMm = 120.0;
    content.titleBlockHeightMm = 40.0;
    content.dpi = 254; // 10 pixels per mm
    RecordingCanvas canvas;
    PaintTitleBlock(canvas, {0, 0, 1200, 400}, content);
    const auto texts = canvas.OfKind(DrawOp::Text);
    // The two texts and the maker's mark.
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0].text, "Project");
    EXPECT_EQ(texts[0].points.front(), (Point{10, 10}));
    EXPECT_EQ(texts[1].points.front(), (Point{10, 75})); // cell 1 text starts at (0.1, 0.75) cm
    EXPECT_EQ(texts[0].font.pointSize, 7);
    EXPECT_EQ(texts[1].font.pointSize, 9);
    EXPECT_EQ(texts[2].text, "Vro");
    // Each text clipped to its cell.
    const auto clips = canvas.OfKind(DrawOp::SetClip);
    ASSERT_EQ(clips.size(), 2u);
    EXPECT_EQ(clips[0].rect, (Rect{10, 10, 960, 65}));
    // Rule 1 from (0, 1.3) to (9.7, 1.3) cm.
    const auto lines = canvas.OfKind(DrawOp::Polyline);
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[0].points, (std::vector<Point>{{0, 130}, {970, 130}}));
    EXPECT_EQ(lines[2].points, (std::vector<Point>{{0, 260}, {400, 260}}));
}

TEST(SheetTest, WithoutTheTitleBlockTheSchematicUsesTheWholePrintableArea) {
    SheetContent content;
    content.dpi = 150;
    content.showTitleBlock = false;
    EXPECT_EQ(BottomReserve(content, 1.0), 0);
    content.showTitleBlock = true;
    content.titleBlockHeightMm = 30.0;
    // 2 x round(12 x 1) + round(177.2 x 1): 2 mm margins and a 30 mm block at 150 dpi.
    EXPECT_EQ(BottomReserve(content, 1.0), 2 * 12 + 177);
}

TEST(HitTestTest, ObjectAndPinUnderTheMouse) {
    auto schematic = TPrimerComponente::CreateRoot<TpadreGraficosMS>();
    auto* splitter = schematic->Adopt(MakeGraphic<TgrafRepartidor>(nullptr));
    splitter->ShiftRel(500, 500);
    splitter->Rescale(1.0);
    const HitResult inside = HitTest(*schematic, 520, 480);
    EXPECT_TRUE(inside.hit);
    EXPECT_EQ(inside.object, splitter);
    // The input pin at (500, 415): hit within 2 + 1 pixels.
    const HitResult pin = PinAt(splitter, {498, 412, 502, 416});
    EXPECT_TRUE(pin.hit);
    EXPECT_EQ(pin.pinPosition, (Point{500, 415}));
    EXPECT_FALSE(HitTest(*schematic, 100, 100).hit);
}

} // namespace
} // namespace ixo::test
