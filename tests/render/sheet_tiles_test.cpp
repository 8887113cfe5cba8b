#include "render/sheet_tiles.h"
#include "render_test_support.h"

#include <QImage>
#include <QPainter>
#include <QPen>

#include <gtest/gtest.h>

namespace ixo::test {
namespace {

// A sheet whose every pixel says where it is: red = x mod 256, green = y mod 256, blue = 7, counting
// the regions painted and the tiles' worth of pixels they covered.
struct PatternSheet {
    int regions = 0;
    SheetTiles::RegionPainter Painter() {
        return [this](QImage& region, QPoint origin) {
            ++regions;
            for (int y = 0; y < region.height(); ++y) {
                for (int x = 0; x < region.width(); ++x) {
                    region.setPixel(x, y, Expected(origin.x() + x, origin.y() + y));
                }
            }
        };
    }
    static QRgb Expected(int sheetX, int sheetY) { return qRgb(sheetX & 255, sheetY & 255, 7); }
};

constexpr QRgb kBackdrop = 0xFF00FF00; // pure green: never a pattern pixel (blue is 7 there)

// Pixels of view (showing the sheet from position) that are not the sheet's own pattern.
int NotThePattern(const QImage& view, QPoint position) {
    int wrong = 0;
    for (int y = 0; y < view.height(); ++y) {
        for (int x = 0; x < view.width(); ++x) {
            wrong += view.pixel(x, y) == PatternSheet::Expected(position.x() + x, position.y() + y) ? 0 : 1;
        }
    }
    return wrong;
}

TEST(SheetTilesTest, AStandInShowsWhereTilesAreMissingAndRowsSharpenFromTheCentre) {
    EnsureGui();
    SheetTiles tiles;
    PatternSheet sheet;
    // A view of 600 x 600 at (100, 50) meets tiles 0..2 across and 0..2 down: 9 tiles in 3 rows.
    const QPoint position(100, 50);
    const QSize size(600, 600);
    QImage backdrop(size, QImage::Format_RGB32);
    backdrop.fill(kBackdrop);
    tiles.SetBackdrop(backdrop, position);
    ASSERT_TRUE(tiles.HasBackdrop());
    EXPECT_EQ(tiles.MissingFrom(position, size), 9u);

    QImage view(size, QImage::Format_RGB32);
    tiles.ComposeUnpainted(view, position);
    EXPECT_EQ(sheet.regions, 0) << "composing a stand-in paints nothing";
    EXPECT_EQ(view.pixel(0, 0), kBackdrop);
    EXPECT_EQ(view.pixel(599, 599), kBackdrop);

    // The view's centre (400, 350) lies in tile row 1 (256..511): that row first, in one paint.
    ASSERT_TRUE(tiles.PaintVisibleRow(position, size, sheet.Painter()));
    EXPECT_EQ(sheet.regions, 1);
    EXPECT_EQ(tiles.PaintedLastTime(), 3u);
    EXPECT_EQ(tiles.MissingFrom(position, size), 6u);
    tiles.ComposeUnpainted(view, position);
    // Sheet row 300 (view row 250) is sharp, sheet row 100 (view row 50) still the stand-in.
    EXPECT_EQ(view.pixel(10, 250), PatternSheet::Expected(110, 300));
    EXPECT_EQ(view.pixel(10, 50), kBackdrop);

    // Then the other two rows; a fourth call finds nothing left and drops the stand-in.
    EXPECT_TRUE(tiles.PaintVisibleRow(position, size, sheet.Painter()));
    EXPECT_TRUE(tiles.PaintVisibleRow(position, size, sheet.Painter()));
    EXPECT_EQ(tiles.MissingFrom(position, size), 0u);
    EXPECT_FALSE(tiles.PaintVisibleRow(position, size, sheet.Painter()));
    EXPECT_FALSE(tiles.HasBackdrop());
    EXPECT_EQ(sheet.regions, 3);
    tiles.ComposeUnpainted(view, position);
    EXPECT_EQ(NotThePattern(view, position), 0);
}

TEST(SheetTilesTest, TheStandInMovesWithTheViewAndIsWhiteBeyondItsEdge) {
    EnsureGui();
    SheetTiles tiles;
    QImage backdrop(QSize(300, 200), QImage::Format_RGB32);
    backdrop.fill(kBackdrop);
    tiles.SetBackdrop(backdrop, QPoint(1000, 1000)); // sheet pixels 1000..1299 x 1000..1199
    QImage view(QSize(100, 100), QImage::Format_RGB32);
    // The view at (1250, 1150) shows the backdrop in its top-left 50 x 50 and white elsewhere.
    tiles.ComposeUnpainted(view, QPoint(1250, 1150));
    EXPECT_EQ(view.pixel(0, 0), kBackdrop);
    EXPECT_EQ(view.pixel(49, 49), kBackdrop);
    EXPECT_EQ(view.pixel(50, 49), 0xFFFFFFFF);
    EXPECT_EQ(view.pixel(49, 50), 0xFFFFFFFF);
    EXPECT_EQ(view.pixel(99, 99), 0xFFFFFFFF);
}

TEST(SheetTilesTest, ComposingPaintsWhatIsMissingAndClearingDropsTheStandIn) {
    EnsureGui();
    SheetTiles tiles;
    PatternSheet sheet;
    const QPoint position(-40, 300); // left of the sheet's origin: floor division of the tiles
    const QSize size(400, 300);
    QImage backdrop(size, QImage::Format_RGB32);
    backdrop.fill(kBackdrop);
    tiles.SetBackdrop(backdrop, position);
    QImage view(size, QImage::Format_RGB32);
    tiles.Compose(view, position, sheet.Painter());
    // Tiles -1..1 across (x -40..359) and 1..2 down (y 300..599): 6 tiles in one paint.
    EXPECT_EQ(sheet.regions, 1);
    EXPECT_EQ(tiles.PaintedLastTime(), 6u);
    EXPECT_EQ(NotThePattern(view, position), 0);
    EXPECT_FALSE(tiles.HasBackdrop()) << "a view painted in full needs no stand-in";
    tiles.SetBackdrop(backdrop, position);
    tiles.Clear();
    EXPECT_FALSE(tiles.HasBackdrop());
    EXPECT_EQ(tiles.Count(), 0u);
}

// Long lines through the whole sheet, as a riser runs through many tiles: thin, wide with flat ends,
// and slanting.
void PaintLongLines(QImage& region, QPoint origin) {
    QPainter painter(&region);
    painter.translate(-origin);
    QPen thin(Qt::black);
    thin.setWidth(1);
    painter.setPen(thin);
    painter.drawLine(QPoint(100, -3000), QPoint(100, 6000));
    QPen wide(Qt::black);
    wide.setWidth(7);
    wide.setCapStyle(Qt::FlatCap);
    painter.setPen(wide);
    painter.drawLine(QPoint(333, -2500), QPoint(333, 7000));
    painter.drawLine(QPoint(-900, 417), QPoint(4000, 417));
    painter.setPen(thin);
    painter.drawLine(QPoint(-500, -700), QPoint(3000, 2800));
}

TEST(SheetTilesTest, TilesPaintedRowByRowShowWhatOnePaintShows) {
    EnsureGui();
    const QPoint position(37, 91);
    const QSize size(900, 700);
    SheetTiles atOnce;
    QImage once(size, QImage::Format_RGB32);
    atOnce.Compose(once, position, PaintLongLines);
    SheetTiles byRows;
    QImage backdrop(size, QImage::Format_RGB32);
    backdrop.fill(kBackdrop);
    byRows.SetBackdrop(backdrop, position);
    int rows = 0;
    while (byRows.PaintVisibleRow(position, size, PaintLongLines)) {
        ++rows;
    }
    EXPECT_EQ(rows, 4); // y 91..790: tile rows 0..3
    QImage rowByRow(size, QImage::Format_RGB32);
    byRows.ComposeUnpainted(rowByRow, position);
    // A tile painted alone, as the idle time paints the ring around the view, is the same as well.
    SheetTiles alone;
    while (alone.PaintOneAround(position, size, PaintLongLines)) {
    }
    QImage fromRing(size, QImage::Format_RGB32);
    alone.ComposeUnpainted(fromRing, position);
    int inked = 0;
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            inked += once.pixel(x, y) == 0xFF000000 ? 1 : 0;
        }
    }
    EXPECT_GT(inked, 7 * 700); // the wide riser alone
    EXPECT_EQ(rowByRow, once);
    EXPECT_EQ(fromRing, once);
}

} // namespace
} // namespace ixo::test
