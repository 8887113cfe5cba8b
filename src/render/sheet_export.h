#pragma once

// The drawing sheet on paper: painting the whole sheet at a resolution, saving it as BMP, JPEG, PNG, PDF
// or SVG, and printing it.
#include "schematic/drawing_set.h"
#include "schematic/sheet.h"
#include "schematic/view.h"

#include <QImage>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

class QPainter;
class QPrinter;

namespace ixo {

class Progress;
class TpadreGraficosMS;

enum class SheetFormat { Bmp, Jpeg, Png, Pdf, Svg };
// The format named by a file's extension (case-insensitive), or nothing for an unknown one.
std::optional<SheetFormat> SheetFormatOf(const std::filesystem::path& path);

struct ExportOptions {
    SheetFormat format = SheetFormat::Png;
    Paper paper = Paper::A4;
    int dpi = 150;
    PaperOrientation orientation = PaperOrientation::Horizontal;
    int quality = 75; // JPEG, 1..100
    PageSetup margins;
};

struct ExportResult {
    bool ok = false;
    std::string error; // what failed and why
    int width = 0;     // the sheet in pixels
    int height = 0;
};

// The sheet's pixel size for a paper, orientation and dpi: A4 horizontal at 150 dpi is 1754 x 1240.
QSize SheetPixels(Paper paper, PaperOrientation orientation, int dpi);

// Paints the whole sheet (outline, title block, legend, objects) on a surface of width x height pixels at
// dpi, with the page-setup margins; rescales the schematic to fit. On a bitmap texts lower than
// kMinimumBitmapText pixels are left out.
void PaintWholeSheet(QPainter& painter, int width, int height, int dpi, TpadreGraficosMS& schematic,
                     const SheetContent& content, const PageSetup& margins, bool bitmap);
inline constexpr int kMinimumBitmapText = 3;
// PDF and SVG are painted at this resolution whatever the dpi asked: their lines and texts keep the
// proportions of the schematic when a reader zooms in.
inline constexpr int kVectorDpi = 1200;

// The sheet as a white RGB image.
QImage RenderSheetImage(TpadreGraficosMS& schematic, const SheetContent& content,
                        const ExportOptions& options);

// Saves the sheet to path in options.format. The file is written whole or not at all.
ExportResult ExportSchematic(const std::filesystem::path& path, TpadreGraficosMS& schematic,
                             const SheetContent& content, const ExportOptions& options, Progress& progress);

// The drawing set's page options for an export's paper, orientation and margins and a sheet's title
// block.
DrawingSetOptions DrawingSetOptionsFor(const ExportOptions& options, const SheetContent& content,
                                       bool everyFloor);

// The file of page `page` (1-based) of a set of `count` pages written one file a page: NAME-01.png.
std::filesystem::path PageFilePath(const std::filesystem::path& path, int page, int count);

struct DrawingSetResult {
    bool ok = false;
    std::string error;
    std::vector<std::filesystem::path> files; // the files written
    int pages = 0;
};

// Writes the drawing set planned for schematic: a PDF holds every page; every other format writes one
// file a page (PageFilePath). Each file is written whole or not at all; on a failure the files already
// written stay and the error names the one that failed.
DrawingSetResult ExportDrawingSet(const std::filesystem::path& path, TpadreGraficosMS& schematic,
                                  const DrawingSet& set, const DrawingSetOptions& setOptions,
                                  const SheetContent& content, const ExportOptions& options,
                                  Progress& progress);

// The drawing set's page options for printer's page (its printable area, without further margins).
DrawingSetOptions DrawingSetOptionsForPrinter(QPrinter& printer, const SheetContent& content,
                                              bool everyFloor);

// Prints every page of the drawing set on printer, as the printer's page is set up.
bool PrintDrawingSet(QPrinter& printer, TpadreGraficosMS& schematic, const DrawingSet& set,
                     const DrawingSetOptions& setOptions, const SheetContent& content, int copies);

// Prints the sheet on printer (copies, page and margins as the printer is set up).
bool PrintSchematic(QPrinter& printer, TpadreGraficosMS& schematic, const SheetContent& content, int copies);

} // namespace ixo
