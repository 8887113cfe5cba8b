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

#include <fstream>
#include <iterator>

namespace ixo::test {
namespace {

const ::testing::Environment* const kGui = ::testing::AddGlobalTestEnvironment(new OffscreenGui);

ExportOptions Options(SheetFormat format, int dpi = 150, int quality = 75) {
    ExportOptions options;
    options.format = format;
    options.dpi = dpi;
    options.quality = quality;
    return options;
}

std::string ReadAll(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::uint32_t U32(const std::string& bytes, std::size_t at) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at])) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 1])) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 2])) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 3])) << 24;
}

std::uint16_t U16(const std::string& bytes, std::size_t at) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                      static_cast<unsigned char>(bytes[at + 1]) << 8);
}

// The markers of a JPEG file up to its first scan: (marker, offset of its segment's data).
std::vector<std::pair<int, std::size_t>> JpegMarkers(const std::string& bytes) {
    std::vector<std::pair<int, std::size_t>> markers;
    std::size_t at = 2; // after SOI
    while (at + 4 <= bytes.size() && static_cast<unsigned char>(bytes[at]) == 0xFF) {
        const int marker = static_cast<unsigned char>(bytes[at + 1]);
        const std::size_t length = static_cast<std::size_t>(static_cast<unsigned char>(bytes[at + 2]) << 8 |
                                                            static_cast<unsigned char>(bytes[at + 3]));
        markers.emplace_back(marker, at + 4);
        if (marker == 0xDA) {
            break;
        }
        at += 2 + length;
    }
    return markers;
}

class ExportTest : public ::testing::Test {
protected:
    void SetUp() override {
        project = BuildInstallation({.stairs = 1, .floors = 2, .flatsPerFloor = 2, .outlets = 2});
        ASSERT_TRUE(BuildSchematic(*project, *schematic, NoProgress()));
        content.texts = project->Datosproyecto();
    }
    ExportResult Export(const std::string& name, ExportOptions options) {
        return ExportSchematic(dir.Path() / name, *schematic, content, options, NoProgress());
    }

    TempDir dir;
    std::unique_ptr<Tproyecto> project;
    std::unique_ptr<TpadreGraficosMS> schematic = TPrimerComponente::CreateRoot<TpadreGraficosMS>();
    SheetContent content;
};

TEST(SheetSizeTest, PaperSizesInPixels) {
    // 297 mm / 25.4 x 150 = 1753.9 -> 1754; 210 mm -> 1240.2 -> 1240.
    EXPECT_EQ(SheetPixels(Paper::A4, PaperOrientation::Horizontal, 150), QSize(1754, 1240));
    EXPECT_EQ(SheetPixels(Paper::A4, PaperOrientation::Horizontal, 300), QSize(3508, 2480));
    EXPECT_EQ(SheetPixels(Paper::A4, PaperOrientation::Vertical, 150), QSize(1240, 1754));
    // A2 long side 594 mm at 300 dpi: 7015.7 -> 7016.
    EXPECT_EQ(SheetPixels(Paper::A2, PaperOrientation::Horizontal, 300), QSize(7016, 4961));
}

TEST_F(ExportTest, PngHasTheSheetSizeAndPaintsTheSchematic) {
    const ExportResult result = Export("sheet.png", Options(SheetFormat::Png));
    ASSERT_TRUE(result.ok) << result.error;
    QImage image;
    ASSERT_TRUE(image.load(QString::fromStdString((dir.Path() / "sheet.png").string())));
    EXPECT_EQ(image.size(), QSize(1754, 1240));
    // Symbols are filled red (0x0000FF): some pixels of the sheet are pure red.
    int red = 0;
    for (int y = 0; y < image.height(); y += 2) {
        for (int x = 0; x < image.width(); x += 2) {
            red += image.pixel(x, y) == qRgb(255, 0, 0) ? 1 : 0;
        }
    }
    EXPECT_GT(red, 100);
}

TEST_F(ExportTest, BmpIsEightBitsPerPixelByItsHeader) {
    const ExportResult result = Export("sheet.bmp", Options(SheetFormat::Bmp, 150));
    ASSERT_TRUE(result.ok) << result.error;
    const std::string bytes = ReadAll(dir.Path() / "sheet.bmp");
    ASSERT_GE(bytes.size(), 54u);
    EXPECT_EQ(bytes.substr(0, 2), "BM");
    EXPECT_EQ(U32(bytes, 2), bytes.size());       // file size
    EXPECT_EQ(U32(bytes, 10), 14u + 40u + 1024u); // pixel data after the palette
    EXPECT_EQ(U32(bytes, 14), 40u);               // BITMAPINFOHEADER
    EXPECT_EQ(U32(bytes, 18), 1754u);
    EXPECT_EQ(U32(bytes, 22), 1240u);
    EXPECT_EQ(U16(bytes, 28), 8u); // bits per pixel
    EXPECT_EQ(U32(bytes, 30), 0u); // uncompressed
    // Rows of 1754 bytes padded to 1756.
    EXPECT_EQ(bytes.size(), 14u + 40u + 1024u + 1756u * 1240u);
    QImage image;
    ASSERT_TRUE(image.load(QString::fromStdString((dir.Path() / "sheet.bmp").string())));
    EXPECT_EQ(image.pixel(5, 5), qRgb(255, 255, 255));
}

TEST_F(ExportTest, JpegIsProgressiveAtTheChosenQuality) {
    for (int quality : {50, 75, 100}) {
        const ExportResult result = Export("sheet.jpg", Options(SheetFormat::Jpeg, 150, quality));
        ASSERT_TRUE(result.ok) << result.error;
        const std::string bytes = ReadAll(dir.Path() / "sheet.jpg");
        ASSERT_GE(bytes.size(), 4u);
        EXPECT_EQ(static_cast<unsigned char>(bytes[0]), 0xFF);
        EXPECT_EQ(static_cast<unsigned char>(bytes[1]), 0xD8);
        bool progressive = false;
        bool baseline = false;
        int firstLuminance = -1;
        int precision = -1;
        for (const auto& [marker, at] : JpegMarkers(bytes)) {
            progressive = progressive || marker == 0xC2;
            baseline = baseline || marker == 0xC0;
            if (marker == 0xC2) {
                precision = static_cast<unsigned char>(bytes[at]);
            }
            if (marker == 0xDB && firstLuminance < 0) {
                // Table 0, 8-bit entries: the first (DC) entry of the standard luminance table, 16,
                // scaled by quality q: (16 x s + 50) / 100, s = 5000 / q below 50, else 200 - 2q.
                firstLuminance = static_cast<unsigned char>(bytes[at + 1]);
            }
        }
        EXPECT_TRUE(progressive);
        EXPECT_FALSE(baseline);
        EXPECT_EQ(precision, 8);
        const int scale = quality < 50 ? 5000 / quality : 200 - 2 * quality;
        EXPECT_EQ(firstLuminance, std::max(1, (16 * scale + 50) / 100)) << "quality " << quality;
    }
}

TEST_F(ExportTest, PdfAndSvgAreVectorDocuments) {
    ASSERT_TRUE(Export("sheet.pdf", Options(SheetFormat::Pdf)).ok);
    const std::string pdf = ReadAll(dir.Path() / "sheet.pdf");
    EXPECT_EQ(pdf.substr(0, 5), "%PDF-");
    EXPECT_NE(pdf.find("/MediaBox"), std::string::npos);
    ASSERT_TRUE(Export("sheet.svg", Options(SheetFormat::Svg)).ok);
    const std::string svg = ReadAll(dir.Path() / "sheet.svg");
    EXPECT_NE(svg.find("<svg"), std::string::npos);
    // Painted at the vector resolution: A4 across at 1200 dpi is 14031 x 9921.
    EXPECT_EQ(SheetPixels(Paper::A4, PaperOrientation::Horizontal, kVectorDpi), QSize(14031, 9921));
    EXPECT_NE(svg.find("viewBox=\"0 0 14031 9921\""), std::string::npos);
    // Lines stay lines (no embedded bitmap) and the texts stay text.
    EXPECT_EQ(svg.find("<image"), std::string::npos);
    EXPECT_NE(svg.find("<polyline"), std::string::npos);
    EXPECT_NE(svg.find(">Vro<"), std::string::npos);
}

TEST_F(ExportTest, AFileThatCannotBeWrittenIsAFailureWithItsReason) {
    ExportResult result = ExportSchematic(dir.Path() / "missing" / "sheet.png", *schematic, content,
                                          Options(SheetFormat::Png), NoProgress());
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.find("sheet.png"), std::string::npos);
    result = ExportSchematic({}, *schematic, content, Options(SheetFormat::Png), NoProgress());
    EXPECT_FALSE(result.ok);
    result = ExportSchematic(dir.Path() / "q.jpg", *schematic, content, Options(SheetFormat::Jpeg, 150, 0),
                             NoProgress());
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / "q.jpg"));
}

TEST(SheetFormatTest, ExtensionsChooseTheFormat) {
    EXPECT_EQ(SheetFormatOf("a.BMP"), SheetFormat::Bmp);
    EXPECT_EQ(SheetFormatOf("a.jpeg"), SheetFormat::Jpeg);
    EXPECT_EQ(SheetFormatOf("a.Jpg"), SheetFormat::Jpeg);
    EXPECT_EQ(SheetFormatOf("a.svg"), SheetFormat::Svg);
    EXPECT_FALSE(SheetFormatOf("a.gif").has_value());
    EXPECT_FALSE(SheetFormatOf("noextension").has_value());
}

} // namespace
} // namespace ixo::test
