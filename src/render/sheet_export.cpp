#include "render/sheet_export.h"

#include "common/file_replace.h"
#include "common/progress.h"
#include "render/image_files.h"
#include "render/qpainter_canvas.h"
#include "schematic/drawing_page.h"
#include "schematic/schematic.h"

#include <QBuffer>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSvgGenerator>

#include <algorithm>
#include <cctype>

namespace ixo {

namespace {

Rect PrintableOf(int width, int height, int dpi, const PageSetup& margins) {
    auto px = [dpi](std::int32_t hundredths) {
        return RoundEven(static_cast<double>(dpi) * hundredths / 2540.0);
    };
    return {px(margins.marginLeft), px(margins.marginTop), width - px(margins.marginRight),
            height - px(margins.marginBottom)};
}

QPageSize PageSizeOf(Paper paper) {
    switch (paper) {
    case Paper::A3:
        return QPageSize(QPageSize::A3);
    case Paper::A2:
        return QPageSize(QPageSize::A2);
    default:
        return QPageSize(QPageSize::A4);
    }
}

ExportResult WriteBytes(const std::filesystem::path& path, const std::string& bytes, QSize size) {
    ExportResult result;
    result.width = size.width();
    result.height = size.height();
    if (!ReplaceFileContents(path, bytes)) {
        result.error = "Unable to write " + path.string() + ": " + LastFileError();
        return result;
    }
    result.ok = true;
    return result;
}

} // namespace

std::optional<SheetFormat> SheetFormatOf(const std::filesystem::path& path) {
    std::string extension = path.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension == ".bmp") {
        return SheetFormat::Bmp;
    }
    if (extension == ".jpg" || extension == ".jpeg") {
        return SheetFormat::Jpeg;
    }
    if (extension == ".png") {
        return SheetFormat::Png;
    }
    if (extension == ".pdf") {
        return SheetFormat::Pdf;
    }
    if (extension == ".svg") {
        return SheetFormat::Svg;
    }
    return std::nullopt;
}

QSize SheetPixels(Paper paper, PaperOrientation orientation, int dpi) {
    const PaperMm mm = PaperSize(paper, orientation);
    return {MmToPx(dpi, mm.width * 100.0), MmToPx(dpi, mm.height * 100.0)};
}

void PaintWholeSheet(QPainter& painter, int width, int height, int dpi, TpadreGraficosMS& schematic,
                     const SheetContent& content, const PageSetup& margins, bool bitmap) {
    SheetContent sheet = content;
    sheet.dpi = dpi;
    sheet.outputScale = 1.0;
    const Rect printable = PrintableOf(width, height, dpi, margins);
    const SchematicPlacement placement = FitSchematic(schematic, printable, BottomReserve(sheet, 1.0));
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    QPainterCanvas canvas(painter, dpi);
    canvas.SetMinimumTextHeight(bitmap ? kMinimumBitmapText : 0);
    PaintSheet(canvas, {0, 0, width, height}, schematic, sheet, printable, placement, {0, 0});
}

QImage RenderSheetImage(TpadreGraficosMS& schematic, const SheetContent& content,
                        const ExportOptions& options) {
    const QSize size = SheetPixels(options.paper, options.orientation, options.dpi);
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    const int dotsPerMetre = RoundEven(options.dpi / 0.0254);
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    QPainter painter(&image);
    PaintWholeSheet(painter, size.width(), size.height(), options.dpi, schematic, content, options.margins,
                    true);
    painter.end();
    return image;
}

ExportResult ExportSchematic(const std::filesystem::path& path, TpadreGraficosMS& schematic,
                             const SheetContent& content, const ExportOptions& options, Progress& progress) {
    ExportResult result;
    if (path.empty()) {
        result.error = "No file name for the image";
        return result;
    }
    if (options.dpi <= 0 || options.quality < 1 || options.quality > 100) {
        result.error = "The resolution must be positive and the JPEG quality 1 to 100";
        return result;
    }
    progress.SetCaption("Saving image");
    progress.SetMaximum(100);
    progress.SetPosition(0);
    const QSize size = SheetPixels(options.paper, options.orientation, options.dpi);
    const QSize vectorSize = SheetPixels(options.paper, options.orientation, kVectorDpi);
    switch (options.format) {
    case SheetFormat::Bmp:
        return WriteBytes(path, EncodeBmp8(RenderSheetImage(schematic, content, options), progress), size);
    case SheetFormat::Jpeg: {
        std::string bytes;
        std::string error;
        if (!EncodeJpeg(RenderSheetImage(schematic, content, options), options.quality, progress, bytes,
                        error)) {
            result.error = "Unable to write " + path.string() + ": " + error;
            return result;
        }
        return WriteBytes(path, bytes, size);
    }
    case SheetFormat::Png: {
        QByteArray data;
        QBuffer buffer(&data);
        buffer.open(QIODevice::WriteOnly);
        if (!RenderSheetImage(schematic, content, options).save(&buffer, "PNG")) {
            result.error = "Unable to write " + path.string() + ": PNG encoding failed";
            return result;
        }
        progress.SetPosition(100);
        return WriteBytes(path, std::string(data.constData(), static_cast<std::size_t>(data.size())), size);
    }
    case SheetFormat::Pdf: {
        QByteArray data;
        QBuffer buffer(&data);
        buffer.open(QIODevice::WriteOnly);
        {
            QPdfWriter writer(&buffer);
            writer.setResolution(kVectorDpi);
            QPageLayout layout(PageSizeOf(options.paper),
                               options.orientation == PaperOrientation::Horizontal ? QPageLayout::Landscape
                                                                                   : QPageLayout::Portrait,
                               QMarginsF(0, 0, 0, 0));
            writer.setPageLayout(layout);
            writer.setCreator("Ixo");
            QPainter painter(&writer);
            if (!painter.isActive()) {
                result.error = "Unable to write " + path.string() + ": the PDF could not be started";
                return result;
            }
            PaintWholeSheet(painter, vectorSize.width(), vectorSize.height(), kVectorDpi, schematic, content,
                            options.margins, false);
            painter.end();
        }
        progress.SetPosition(100);
        return WriteBytes(path, std::string(data.constData(), static_cast<std::size_t>(data.size())), size);
    }
    case SheetFormat::Svg: {
        QByteArray data;
        QBuffer buffer(&data);
        buffer.open(QIODevice::WriteOnly);
        {
            QSvgGenerator generator;
            generator.setOutputDevice(&buffer);
            generator.setSize(vectorSize);
            generator.setViewBox(QRect(QPoint(0, 0), vectorSize));
            generator.setResolution(kVectorDpi);
            generator.setTitle("Ixo schematic");
            QPainter painter(&generator);
            PaintWholeSheet(painter, vectorSize.width(), vectorSize.height(), kVectorDpi, schematic, content,
                            options.margins, false);
            painter.end();
        }
        progress.SetPosition(100);
        return WriteBytes(path, std::string(data.constData(), static_cast<std::size_t>(data.size())), size);
    }
    }
    result.error = "Unknown image format";
    return result;
}

bool PrintSchematic(QPrinter& printer, TpadreGraficosMS& schematic, const SheetContent& content, int copies) {
    printer.setCopyCount(std::max(1, copies));
    printer.setFullPage(false);
    QPainter painter;
    if (!painter.begin(&printer)) {
        return false;
    }
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    PageSetup noMargins;
    noMargins.marginLeft = noMargins.marginTop = noMargins.marginRight = noMargins.marginBottom = 0;
    PaintWholeSheet(painter, page.width(), page.height(), printer.resolution(), schematic, content, noMargins,
                    false);
    return painter.end();
}

DrawingSetOptions DrawingSetOptionsFor(const ExportOptions& options, const SheetContent& content,
                                       bool everyFloor) {
    DrawingSetOptions set;
    const PaperMm paper = PaperSize(options.paper, options.orientation);
    set.paperWidthMm = paper.width;
    set.paperHeightMm = paper.height;
    set.marginLeft = options.margins.marginLeft;
    set.marginTop = options.margins.marginTop;
    set.marginRight = options.margins.marginRight;
    set.marginBottom = options.margins.marginBottom;
    set.showTitleBlock = content.showTitleBlock;
    set.titleBlockWidthMm = content.titleBlockWidthMm;
    set.titleBlockHeightMm = content.titleBlockHeightMm;
    set.everyFloor = everyFloor;
    return set;
}

DrawingSetOptions DrawingSetOptionsForPrinter(QPrinter& printer, const SheetContent& content,
                                              bool everyFloor) {
    DrawingSetOptions set;
    const QRectF page = printer.pageLayout().paintRect(QPageLayout::Millimeter);
    set.paperWidthMm = page.width();
    set.paperHeightMm = page.height();
    set.marginLeft = set.marginTop = set.marginRight = set.marginBottom = 0;
    set.showTitleBlock = content.showTitleBlock;
    set.titleBlockWidthMm = content.titleBlockWidthMm;
    set.titleBlockHeightMm = content.titleBlockHeightMm;
    set.everyFloor = everyFloor;
    return set;
}

std::filesystem::path PageFilePath(const std::filesystem::path& path, int page, int count) {
    const int digits = std::max(2, static_cast<int>(std::to_string(std::max(1, count)).size()));
    std::string number = std::to_string(page);
    number.insert(0, static_cast<std::size_t>(std::max(0, digits - static_cast<int>(number.size()))), '0');
    std::filesystem::path file = path;
    file.replace_filename(path.stem().string() + "-" + number + path.extension().string());
    return file;
}

namespace {

void PaintPage(QPainter& painter, int dpi, TpadreGraficosMS& schematic, const DrawingSet& set,
               const SheetPage& page, const DrawingSetOptions& setOptions, const SheetContent& content,
               bool bitmap) {
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    QPainterCanvas canvas(painter, dpi);
    canvas.SetMinimumTextHeight(bitmap ? kMinimumBitmapText : 0);
    PaintDrawingPage(canvas, dpi, schematic, set, page, setOptions, content);
}

QSize PagePixels(const DrawingSetOptions& setOptions, int dpi) {
    return {MmToPx(dpi, setOptions.paperWidthMm * 100.0), MmToPx(dpi, setOptions.paperHeightMm * 100.0)};
}

QImage RenderPageImage(TpadreGraficosMS& schematic, const DrawingSet& set, const SheetPage& page,
                       const DrawingSetOptions& setOptions, const SheetContent& content, int dpi) {
    const QSize size = PagePixels(setOptions, dpi);
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    const int dotsPerMetre = RoundEven(dpi / 0.0254);
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    QPainter painter(&image);
    PaintPage(painter, dpi, schematic, set, page, setOptions, content, true);
    painter.end();
    return image;
}

// One page as the bytes of a file of format.
bool EncodePage(TpadreGraficosMS& schematic, const DrawingSet& set, const SheetPage& page,
                const DrawingSetOptions& setOptions, const SheetContent& content,
                const ExportOptions& options, std::string& bytes, std::string& error) {
    Progress& quiet = NoProgress();
    switch (options.format) {
    case SheetFormat::Bmp:
        bytes = EncodeBmp8(RenderPageImage(schematic, set, page, setOptions, content, options.dpi), quiet);
        return true;
    case SheetFormat::Jpeg:
        return EncodeJpeg(RenderPageImage(schematic, set, page, setOptions, content, options.dpi),
                          options.quality, quiet, bytes, error);
    case SheetFormat::Png: {
        QByteArray data;
        QBuffer buffer(&data);
        buffer.open(QIODevice::WriteOnly);
        if (!RenderPageImage(schematic, set, page, setOptions, content, options.dpi).save(&buffer, "PNG")) {
            error = "PNG encoding failed";
            return false;
        }
        bytes.assign(data.constData(), static_cast<std::size_t>(data.size()));
        return true;
    }
    case SheetFormat::Svg: {
        const QSize size = PagePixels(setOptions, kVectorDpi);
        QByteArray data;
        QBuffer buffer(&data);
        buffer.open(QIODevice::WriteOnly);
        {
            QSvgGenerator generator;
            generator.setOutputDevice(&buffer);
            generator.setSize(size);
            generator.setViewBox(QRect(QPoint(0, 0), size));
            generator.setResolution(kVectorDpi);
            generator.setTitle("Ixo drawing set");
            QPainter painter(&generator);
            PaintPage(painter, kVectorDpi, schematic, set, page, setOptions, content, false);
            painter.end();
        }
        bytes.assign(data.constData(), static_cast<std::size_t>(data.size()));
        return true;
    }
    case SheetFormat::Pdf:
        break;
    }
    error = "a PDF holds the whole set";
    return false;
}

} // namespace

DrawingSetResult ExportDrawingSet(const std::filesystem::path& path, TpadreGraficosMS& schematic,
                                  const DrawingSet& set, const DrawingSetOptions& setOptions,
                                  const SheetContent& content, const ExportOptions& options,
                                  Progress& progress) {
    DrawingSetResult result;
    result.pages = static_cast<int>(set.pages.size());
    if (path.empty()) {
        result.error = "No file name for the drawing set";
        return result;
    }
    if (set.pages.empty()) {
        result.error = "The drawing set has no pages: the paper leaves no room for a readable drawing";
        return result;
    }
    if (options.dpi <= 0 || options.quality < 1 || options.quality > 100) {
        result.error = "The resolution must be positive and the JPEG quality 1 to 100";
        return result;
    }
    progress.SetCaption("Saving the drawing set");
    progress.SetMaximum(static_cast<int>(set.pages.size()));
    progress.SetPosition(0);
    const int dpi =
        options.format == SheetFormat::Pdf || options.format == SheetFormat::Svg ? kVectorDpi : options.dpi;
    ScaleForPages(schematic, set, dpi);
    if (options.format == SheetFormat::Pdf) {
        QByteArray data;
        QBuffer buffer(&data);
        buffer.open(QIODevice::WriteOnly);
        {
            QPdfWriter writer(&buffer);
            writer.setResolution(kVectorDpi);
            writer.setPageLayout(QPageLayout(
                QPageSize(QSizeF(setOptions.paperWidthMm, setOptions.paperHeightMm), QPageSize::Millimeter),
                QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
            writer.setCreator("Ixo");
            writer.setTitle("Ixo drawing set");
            QPainter painter(&writer);
            if (!painter.isActive()) {
                result.error = "Unable to write " + path.string() + ": the PDF could not be started";
                return result;
            }
            for (std::size_t i = 0; i < set.pages.size(); ++i) {
                if (i > 0) {
                    writer.newPage();
                }
                PaintPage(painter, kVectorDpi, schematic, set, set.pages[i], setOptions, content, false);
                progress.SetPosition(static_cast<int>(i + 1));
            }
            painter.end();
        }
        if (!ReplaceFileContents(path,
                                 std::string(data.constData(), static_cast<std::size_t>(data.size())))) {
            result.error = "Unable to write " + path.string() + ": " + LastFileError();
            return result;
        }
        result.files.push_back(path);
        result.ok = true;
        return result;
    }
    for (std::size_t i = 0; i < set.pages.size(); ++i) {
        const std::filesystem::path file = PageFilePath(path, static_cast<int>(i + 1), result.pages);
        std::string bytes;
        std::string error;
        if (!EncodePage(schematic, set, set.pages[i], setOptions, content, options, bytes, error)) {
            result.error = "Unable to write " + file.string() + ": " + error;
            return result;
        }
        if (!ReplaceFileContents(file, bytes)) {
            result.error = "Unable to write " + file.string() + ": " + LastFileError();
            return result;
        }
        result.files.push_back(file);
        progress.SetPosition(static_cast<int>(i + 1));
    }
    result.ok = true;
    return result;
}

bool PrintDrawingSet(QPrinter& printer, TpadreGraficosMS& schematic, const DrawingSet& set,
                     const DrawingSetOptions& setOptions, const SheetContent& content, int copies) {
    if (set.pages.empty()) {
        return false;
    }
    printer.setCopyCount(std::max(1, copies));
    printer.setFullPage(false);
    QPainter painter;
    if (!painter.begin(&printer)) {
        return false;
    }
    ScaleForPages(schematic, set, printer.resolution());
    for (std::size_t i = 0; i < set.pages.size(); ++i) {
        if (i > 0 && !printer.newPage()) {
            painter.end();
            return false;
        }
        PaintPage(painter, printer.resolution(), schematic, set, set.pages[i], setOptions, content, false);
    }
    return painter.end();
}

} // namespace ixo
