#include "render/report_export.h"

#include "common/ascii_case.h"
#include "common/file_replace.h"
#include "render/batched_page_device.h"
#include "render/text_document_writer.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocumentFragment>
#include <QTextDocumentWriter>
#include <QTextTable>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

namespace ixo {

namespace {

// The PDF is drawn in document pixels (96 to the inch), so that the document's fixed column widths
// and its fonts keep their sizes on paper.
constexpr int kResolution = 96;
constexpr double kPixelsPerMm = kResolution / 25.4;

struct PageGeometry {
    QRectF body; // the text flow, in page pixels
    QRectF header;
    QRectF footer;
};

PageGeometry Geometry(const ReportPageLayout& layout) {
    const double width = layout.widthMm * kPixelsPerMm;
    const double height = layout.heightMm * kPixelsPerMm;
    const double left = layout.leftMm * kPixelsPerMm;
    const double right = std::max(left + 1, width - layout.rightMm * kPixelsPerMm);
    const double top = layout.topMm * kPixelsPerMm;
    const double bottom = std::max(top + 1, height - layout.bottomMm * kPixelsPerMm);
    PageGeometry page;
    page.body = QRectF(left, top, right - left, bottom - top);
    page.header = QRectF(left, 8 * kPixelsPerMm, right - left, std::max(0.0, top - 10 * kPixelsPerMm));
    page.footer = QRectF(left, bottom + 6 * kPixelsPerMm, right - left, 10 * kPixelsPerMm);
    return page;
}

// Qt draws collapsed table borders by looking up every cell's neighbours, three times slower than the
// whole rest of a page; on paper each cell draws its own frame instead, its fixed width two borders
// narrower so that the table keeps its width.
void PrintedBorders(QTextDocument& part) {
    for (QTextFrame* frame : part.rootFrame()->childFrames()) {
        auto* table = qobject_cast<QTextTable*>(frame);
        if (table == nullptr || !table->format().borderCollapse()) {
            continue;
        }
        QTextTableFormat format = table->format();
        format.setBorderCollapse(false);
        QList<QTextLength> widths = format.columnWidthConstraints();
        for (QTextLength& width : widths) {
            if (width.type() == QTextLength::FixedLength) {
                width = QTextLength(QTextLength::FixedLength,
                                    std::max(1.0, width.rawValue() - 2 * format.border()));
            }
        }
        format.setColumnWidthConstraints(widths);
        table->setFormat(format);
    }
}

// A part laid out in pages of the report page's body, as it is printed.
void ReadyToPrint(QTextDocument& part, const ReportPageLayout& layout) {
    PrintedBorders(part);
    part.setPageSize(Geometry(layout).body.size());
    // Each paragraph keeps its shaped text from its layout to its drawing.
    for (QTextBlock block = part.begin(); block.isValid(); block = block.next()) {
        block.layout()->setCacheEnabled(true);
    }
}

// The parts of a document printed one after the other.
struct PrintedParts {
    std::vector<QTextDocument*> parts;
    std::vector<std::unique_ptr<QTextDocument>> copies; // parts cut out of the writer's document
};

// The document cut at its page breaks, each part laid out in pages of the report page's body. A page
// break always starts a new page, so the parts print the same pages as the whole; laying out and drawing
// each part alone keeps printing linear in the length of the report (the whole document would be walked
// for every page). A report written to be printed only comes in parts already.
PrintedParts Paginated(const TextDocumentWriter& writer, const ReportPageLayout& layout) {
    PrintedParts printed;
    if (writer.PartsAreApart()) {
        printed.parts = writer.PartsApart();
        for (QTextDocument* part : printed.parts) {
            ReadyToPrint(*part, layout);
        }
        return printed;
    }
    const QTextDocument& document = writer.Document();
    std::vector<int> starts = {0};
    for (QTextBlock block = document.begin().next(); block.isValid(); block = block.next()) {
        const bool pageBreak =
            (block.blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore) != 0;
        if (pageBreak && QTextCursor(block).currentTable() == nullptr) {
            starts.push_back(block.position());
        }
    }
    const int end = document.characterCount() - 1;
    for (std::size_t i = 0; i < starts.size(); ++i) {
        QTextCursor selection(const_cast<QTextDocument*>(&document));
        selection.setPosition(starts[i]);
        selection.setPosition(i + 1 < starts.size() ? starts[i + 1] - 1 : end, QTextCursor::KeepAnchor);
        auto part = std::make_unique<QTextDocument>();
        part->setDefaultFont(document.defaultFont());
        QTextCursor cursor(part.get());
        cursor.insertFragment(QTextDocumentFragment(selection));
        // The break that made the part is its first page now.
        QTextBlockFormat format = part->begin().blockFormat();
        format.setPageBreakPolicy(QTextFormat::PageBreak_Auto);
        QTextCursor(part->begin()).setBlockFormat(format);
        ReadyToPrint(*part, layout);
        printed.parts.push_back(part.get());
        printed.copies.push_back(std::move(part));
    }
    return printed;
}

// Qt's ODF writer gives a fixed column width its pixel number with the unit "pt"; a copy of the
// document with the widths in points makes the file say what the document shows (2 cm stays 2 cm in a
// word processor, and reads back as 2 cm).
std::unique_ptr<QTextDocument> WithColumnWidthsInPoints(const QTextDocument& document) {
    std::unique_ptr<QTextDocument> copy(document.clone());
    for (QTextBlock block = copy->begin(); block.isValid(); block = block.next()) {
        QTextTable* table = QTextCursor(block).currentTable();
        if (table == nullptr || table->firstPosition() != block.position()) {
            continue;
        }
        QTextTableFormat format = table->format();
        // A cell with its own frame is its column less the two borders; the file names the column.
        const double frames = format.borderCollapse() ? 0.0 : 2 * format.border();
        QList<QTextLength> widths = format.columnWidthConstraints();
        for (QTextLength& width : widths) {
            if (width.type() == QTextLength::FixedLength) {
                width =
                    QTextLength(QTextLength::FixedLength, (width.rawValue() + frames) * 72.0 / kResolution);
            }
        }
        format.setColumnWidthConstraints(widths);
        table->setFormat(format);
    }
    return copy;
}

bool WriteBytes(const std::filesystem::path& file, const QByteArray& bytes) {
    return ReplaceFileContents(file,
                               std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

void DrawHeaderFooter(QPainter& painter, const TextDocumentWriter& writer, const PageGeometry& page,
                      int number) {
    painter.save();
    painter.setFont(QFont(QStringLiteral("Arial"), 10));
    painter.setPen(Qt::black);
    QString header = writer.Header1();
    if (!writer.Header2().isEmpty()) {
        header += (header.isEmpty() ? QString() : QStringLiteral("    ")) + writer.Header2();
    }
    painter.drawText(page.header, Qt::AlignLeft | Qt::AlignBottom, header);
    const QString pageNumber = QString::number(number);
    const QString footer =
        writer.Footer().isEmpty() ? pageNumber : writer.Footer() + QStringLiteral(" ") + pageNumber;
    painter.drawText(page.footer, Qt::AlignHCenter | Qt::AlignTop, footer);
    painter.restore();
}

// Draws the body of the page whose flow is view of the document.
void DrawBody(QPainter& painter, QTextDocument& document, const PageGeometry& page, const QRectF& view) {
    painter.translate(page.body.left(), page.body.top() - view.top());
    painter.setClipRect(view);
    document.drawContents(&painter, view);
}

// Draws the pages first to last (1-based, inclusive) on painter, which paints in page pixels; number
// receives the count of the document's pages.
void DrawPages(QPainter& painter, const TextDocumentWriter& writer, const ReportPageLayout& layout,
               const std::function<bool()>& newPage, int first, int last, int& number, bool& failed) {
    const PrintedParts printed = Paginated(writer, layout);
    const PageGeometry page = Geometry(layout);
    number = 0;
    int drawn = 0;
    for (QTextDocument* document : printed.parts) {
        const int pages = document->pageCount();
        const bool batched = !HasDecoratedText(*document);
        for (int i = 0; i < pages; ++i) {
            ++number;
            if (number < first || (last > 0 && number > last)) {
                continue;
            }
            if (drawn++ > 0 && !newPage()) {
                failed = true;
                return;
            }
            painter.save();
            const QRectF view(0, i * page.body.height(), page.body.width(), page.body.height());
            if (batched) {
                BatchedPageDevice device(painter);
                QPainter body(&device);
                DrawBody(body, *document, page, view);
            } else {
                DrawBody(painter, *document, page, view);
            }
            painter.restore();
            // The footer's page number is always printed, the header when the report has one.
            DrawHeaderFooter(painter, writer, page, number);
        }
    }
}

bool WritePdf(const TextDocumentWriter& writer, QBuffer& buffer, int& number,
              const ReportPageLayout& layout) {
    QPdfWriter pdf(&buffer);
    pdf.setPageLayout(QPageLayout(QPageSize(QSizeF(layout.widthMm, layout.heightMm), QPageSize::Millimeter),
                                  QPageLayout::Portrait, QMarginsF(), QPageLayout::Millimeter));
    pdf.setResolution(kResolution);
    pdf.setCreator(QStringLiteral("Ixo"));
    pdf.setTitle(writer.Header1());
    QPainter painter;
    if (!painter.begin(&pdf)) {
        return false;
    }
    bool failed = false;
    DrawPages(
        painter, writer, layout, [&pdf] { return pdf.newPage(); }, 1, 0, number, failed);
    return painter.end() && !failed;
}

} // namespace

std::optional<ReportFormat> ReportFormatNamed(std::string_view name) {
    const std::string lower = LowerAscii(name);
    if (lower == "html") {
        return ReportFormat::Html;
    }
    if (lower == "odt") {
        return ReportFormat::Odt;
    }
    if (lower == "pdf") {
        return ReportFormat::Pdf;
    }
    return std::nullopt;
}

std::string_view ExtensionOf(ReportFormat format) {
    switch (format) {
    case ReportFormat::Odt:
        return ".odt";
    case ReportFormat::Pdf:
        return ".pdf";
    case ReportFormat::Html:
        break;
    }
    return ".html";
}

int ReportPageCount(const TextDocumentWriter& writer, const ReportPageLayout& layout) {
    int pages = 0;
    for (QTextDocument* part : Paginated(writer, layout).parts) {
        pages += part->pageCount();
    }
    return pages;
}

bool ExportReport(const TextDocumentWriter& writer, const std::filesystem::path& file, ReportFormat format,
                  int* pages, const ReportPageLayout& layout) {
    if (format == ReportFormat::Html) {
        return ReplaceFileContents(file, writer.Html());
    }
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    bool written = false;
    if (format == ReportFormat::Odt) {
        const std::unique_ptr<QTextDocument> copy = WithColumnWidthsInPoints(writer.Document());
        QTextDocumentWriter odf(&buffer, "odf");
        written = odf.write(copy.get());
    } else {
        int count = 0;
        written = WritePdf(writer, buffer, count, layout);
        if (pages != nullptr) {
            *pages = count;
        }
    }
    buffer.close();
    if (!written) {
        SetLastFileError(format == ReportFormat::Odt ? "the document could not be written as ODF text"
                                                     : "the document could not be drawn as PDF");
        return false;
    }
    return WriteBytes(file, buffer.data());
}

bool PrintReport(const TextDocumentWriter& writer, QPagedPaintDevice& device, const ReportPageLayout& layout,
                 int firstPage, int lastPage) {
    QPainter painter;
    if (!painter.begin(&device)) {
        return false;
    }
    int number = 0;
    bool failed = false;
    DrawPages(
        painter, writer, layout, [&device] { return device.newPage(); }, std::max(1, firstPage), lastPage,
        number, failed);
    return painter.end() && !failed;
}

} // namespace ixo
