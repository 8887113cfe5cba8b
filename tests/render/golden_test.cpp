// A small sheet painted at low resolution compared with a stored image, with a tolerance for font
// rendering. Set IXO_UPDATE_GOLDEN=1 to rewrite the stored image after an intended change (and look at
// it before committing).
#include "building/proyecto.h"
#include "common/progress.h"
#include "render/sheet_export.h"
#include "render_test_support.h"
#include "schematic/layout.h"
#include "schematic/schematic.h"
#include "schematic/schematic_test_support.h"
#include "support/temp_dir.h"

#include <QImage>

#include <gtest/gtest.h>

#include <cstdlib>

namespace ixo::test {
namespace {

const ::testing::Environment* const kGui = ::testing::AddGlobalTestEnvironment(new OffscreenGui);

// Compares image with the stored golden image name (rewritten with IXO_UPDATE_GOLDEN=1): pixels whose
// colour moved by more than a quarter of the range on some channel; fonts may differ a little between
// machines, shapes may not.
void ExpectLikeGolden(const QImage& image, const QString& name) {
    const QString golden = QString(IXO_TEST_DATA_DIR) + "/render/" + name;
    if (std::getenv("IXO_UPDATE_GOLDEN") != nullptr) {
        ASSERT_TRUE(image.save(golden, "PNG"));
    }
    QImage expected;
    ASSERT_TRUE(expected.load(golden)) << golden.toStdString();
    expected = expected.convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(expected.size(), image.size());
    int different = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb a = image.pixel(x, y);
            const QRgb b = expected.pixel(x, y);
            if (std::abs(qRed(a) - qRed(b)) > 64 || std::abs(qGreen(a) - qGreen(b)) > 64 ||
                std::abs(qBlue(a) - qBlue(b)) > 64) {
                ++different;
            }
        }
    }
    const int total = image.width() * image.height();
    EXPECT_LT(different, total / 200) << different << " of " << total << " pixels differ";
}

TEST(GoldenSheetTest, TheStairPageOfASmallDrawingSetAtFiftyDpi) {
    auto project = BuildInstallation({.stairs = 1, .floors = 2, .flatsPerFloor = 2, .outlets = 3});
    auto schematic = TPrimerComponente::CreateRoot<TpadreGraficosMS>();
    ASSERT_TRUE(BuildSchematic(*project, *schematic, NoProgress()));
    SheetContent content;
    content.texts = {"Ixo test set", "Two floors, star flats", "", "", "Engineer", "A", "", "", "", ""};
    ExportOptions options;
    options.dpi = 50;
    options.format = SheetFormat::Png;
    const DrawingSetOptions setOptions = DrawingSetOptionsFor(options, content, false);
    const DrawingSet set = PlanDrawingSet(*project, *schematic, setOptions);
    ASSERT_GE(set.pages.size(), 2u);
    TempDir dir;
    const DrawingSetResult written =
        ExportDrawingSet(dir.Path() / "set.png", *schematic, set, setOptions, content, options, NoProgress());
    ASSERT_TRUE(written.ok) << written.error;
    ASSERT_EQ(written.files.size(), set.pages.size());
    EXPECT_EQ(written.files[1].filename(), "set-02.png");
    QImage page(QString::fromStdString(written.files[1].string()));
    ASSERT_EQ(page.size(), QSize(585, 413));
    ExpectLikeGolden(page.convertToFormat(QImage::Format_RGB32), "star_two_floors_set_page2_a4_50dpi.png");
}

TEST(GoldenSheetTest, SmallStarInstallationAtFiftyDpi) {
    auto project = BuildInstallation({.stairs = 1, .floors = 2, .flatsPerFloor = 2, .outlets = 3});
    auto schematic = TPrimerComponente::CreateRoot<TpadreGraficosMS>();
    ASSERT_TRUE(BuildSchematic(*project, *schematic, NoProgress()));
    SheetContent content;
    content.texts = {"Ixo test sheet", "Two floors, star flats", "", "", "Engineer", "A", "", "", "", ""};
    ExportOptions options;
    options.dpi = 50;
    const QImage image = RenderSheetImage(*schematic, content, options).convertToFormat(QImage::Format_RGB32);
    // A4 across at 50 dpi: 297 / 25.4 x 50 = 584.6 -> 585; 210 mm -> 413.4 -> 413.
    ASSERT_EQ(image.size(), QSize(585, 413));
    const QString golden = QString(IXO_TEST_DATA_DIR) + "/render/star_two_floors_a4_50dpi.png";
    if (std::getenv("IXO_UPDATE_GOLDEN") != nullptr) {
        ASSERT_TRUE(image.save(golden, "PNG"));
    }
    QImage expected;
    ASSERT_TRUE(expected.load(golden)) << golden.toStdString();
    expected = expected.convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(expected.size(), image.size());
    // Pixels whose colour moved by more than a quarter of the range on some channel; fonts may differ a
    // little between machines, shapes may not.
    int different = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb a = image.pixel(x, y);
            const QRgb b = expected.pixel(x, y);
            if (std::abs(qRed(a) - qRed(b)) > 64 || std::abs(qGreen(a) - qGreen(b)) > 64 ||
                std::abs(qBlue(a) - qBlue(b)) > 64) {
                ++different;
            }
        }
    }
    const int total = image.width() * image.height();
    EXPECT_LT(different, total / 200) << different << " of " << total << " pixels differ";
}

} // namespace
} // namespace ixo::test
