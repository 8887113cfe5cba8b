#include "render/sheet_export.h"

#include "common/file_replace.h"
#include "common/progress.h"
#include "render/image_files.h"
#include "render/qpainter_canvas.h"
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

} // namespace ixo
