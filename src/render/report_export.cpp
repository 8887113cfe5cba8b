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
#include <QThread>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
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
    double rightMargin = 0; // page pixels right of the body
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
    page.rightMargin = width - right;
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
struct LaidOutPart {
    QTextDocument* document = nullptr;
    int pages = 0;
    bool batched = false; // drawn through a BatchedPageDevice
};

LaidOutPart LaidOut(QTextDocument& part, const ReportPageLayout& layout) {
    PrintedBorders(part);
    part.setPageSize(Geometry(layout).body.size());
    // Each paragraph keeps its shaped text from its layout to its drawing.
    for (QTextBlock block = part.begin(); block.isValid(); block = block.next()) {
        block.layout()->setCacheEnabled(true);
    }
    return {&part, part.pageCount(), !HasDecoratedText(part)};
}

// Lays out the parts of the document printed one after the other and hands each to use, in order, until
// use returns false; copies keeps the parts cut out of the writer's document.
//
// The document is cut at its page breaks. A page break always starts a new page, so the parts print the
// same pages as the whole; laying out and drawing each part alone keeps printing linear in the length of
// the report (the whole document would be walked for every page). A report written to be printed only
// comes in parts already.
void ForEachPart(const TextDocumentWriter& writer, const ReportPageLayout& layout,
                 std::vector<std::unique_ptr<QTextDocument>>& copies,
                 const std::function<bool(const LaidOutPart&)>& use) {
    if (writer.PartsAreApart()) {
        for (QTextDocument* part : writer.PartsApart()) {
            if (!use(LaidOut(*part, layout))) {
                return;
            }
        }
        return;
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
        copies.push_back(std::move(part));
        if (!use(LaidOut(*copies.back(), layout))) {
            return;
        }
    }
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

// Draws the body of the page whose flow is view of the document. The page's height cuts the flow; its
// width does not: what the user made wider than the body (a widened table column) runs into the right
// margin on paper as it does in the editor, instead of losing its last column.
void DrawBody(QPainter& painter, QTextDocument& document, const PageGeometry& page, const QRectF& view) {
    painter.translate(page.body.left(), page.body.top() - view.top());
    const QRectF shown = view.adjusted(0, 0, page.rightMargin, 0);
    painter.setClipRect(shown);
    document.drawContents(&painter, shown);
}

// Draws the pages of the document's parts in order on painter, which paints in page pixels, from page
// first to last (1-based, inclusive; 0 for the last page); newPage starts each page after the first.
class PageDrawer {
public:
    PageDrawer(QPainter& painter, const TextDocumentWriter& writer, const ReportPageLayout& layout,
               std::function<bool()> newPage, int first, int last)
        : m_painter(painter), m_writer(writer), m_page(Geometry(layout)), m_newPage(std::move(newPage)),
          m_first(first), m_last(last) {}

    // Draws the part's pages; false when a page could not be started.
    [[nodiscard]] bool Draw(const LaidOutPart& part) {
        for (int i = 0; i < part.pages; ++i) {
            ++m_number;
            if (m_number < m_first || (m_last > 0 && m_number > m_last)) {
                continue;
            }
            if (m_drawn++ > 0 && !m_newPage()) {
                return false;
            }
            m_painter.save();
            const QRectF view(0, i * m_page.body.height(), m_page.body.width(), m_page.body.height());
            if (part.batched) {
                BatchedPageDevice device(m_painter);
                QPainter body(&device);
                DrawBody(body, *part.document, m_page, view);
            } else {
                DrawBody(m_painter, *part.document, m_page, view);
            }
            m_painter.restore();
            // The footer's page number is always printed, the header when the report has one.
            DrawHeaderFooter(m_painter, m_writer, m_page, m_number);
        }
        return true;
    }
    // The document's pages so far.
    int Number() const { return m_number; }

private:
    QPainter& m_painter;
    const TextDocumentWriter& m_writer;
    const PageGeometry m_page;
    const std::function<bool()> m_newPage;
    const int m_first;
    const int m_last;
    int m_number = 0;
    int m_drawn = 0;
};

// The parts laid out on one thread, handed in order to the thread that draws them. The mutex orders a
// part's layout before its drawing: a document is used by one thread at a time.
class PartQueue {
public:
    void Push(const LaidOutPart& part) {
        {
            const std::lock_guard lock(m_mutex);
            m_parts.push_back(part);
        }
        m_changed.notify_one();
    }
    // No more parts come.
    void Close() {
        {
            const std::lock_guard lock(m_mutex);
            m_closed = true;
        }
        m_changed.notify_one();
    }
    // The next part, once laid out; nothing when the parts have all been taken.
    std::optional<LaidOutPart> Pop() {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return !m_parts.empty() || m_closed; });
        if (m_parts.empty()) {
            return std::nullopt;
        }
        const LaidOutPart part = m_parts.front();
        m_parts.pop_front();
        return part;
    }
    // The drawing has given up: the parts left need no layout.
    void Stop() { m_stopped = true; }
    bool Stopped() const { return m_stopped; }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<LaidOutPart> m_parts;
    bool m_closed = false;
    std::atomic<bool> m_stopped = false;
};

// Draws the parts queue hands over into a PDF in bytes; number receives the count of its pages.
bool DrawPdf(const TextDocumentWriter& writer, const ReportPageLayout& layout, PartQueue& queue,
             QByteArray& bytes, int& number) {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    bool drawn = false;
    {
        QPdfWriter pdf(&buffer);
        pdf.setPageLayout(
            QPageLayout(QPageSize(QSizeF(layout.widthMm, layout.heightMm), QPageSize::Millimeter),
                        QPageLayout::Portrait, QMarginsF(), QPageLayout::Millimeter));
        pdf.setResolution(kResolution);
        pdf.setCreator(QStringLiteral("Ixo"));
        pdf.setTitle(writer.Header1());
        QPainter painter;
        if (painter.begin(&pdf)) {
            PageDrawer drawer(
                painter, writer, layout, [&pdf] { return pdf.newPage(); }, 1, 0);
            drawn = true;
            while (const std::optional<LaidOutPart> part = queue.Pop()) {
                if (!drawer.Draw(*part)) {
                    drawn = false;
                    break;
                }
            }
            number = drawer.Number();
            drawn = painter.end() && drawn;
        }
    }
    queue.Stop();
    buffer.close();
    return drawn;
}

// The PDF is drawn on a thread of its own while the calling thread lays out the parts after the one
// being drawn: most of the time of a long report goes half to the layout, half to drawing and writing
// the PDF. Each document goes from the one thread to the other once laid out and is only drawn then.
// The drawing thread keeps the font engines of its own (the page header and footer) until the PDF is
// written; the text laid out here is drawn with this thread's, which live as long as it.
bool WritePdf(const TextDocumentWriter& writer, QByteArray& bytes, int& number,
              const ReportPageLayout& layout) {
    PartQueue queue;
    bool drawn = false;
    const std::unique_ptr<QThread> drawing(
        QThread::create([&] { drawn = DrawPdf(writer, layout, queue, bytes, number); }));
    drawing->start();
    std::vector<std::unique_ptr<QTextDocument>> copies;
    ForEachPart(writer, layout, copies, [&queue](const LaidOutPart& part) {
        if (queue.Stopped()) {
            return false;
        }
        queue.Push(part);
        return true;
    });
    queue.Close();
    drawing->wait();
    return drawn;
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
    std::vector<std::unique_ptr<QTextDocument>> copies;
    ForEachPart(writer, layout, copies, [&pages](const LaidOutPart& part) {
        pages += part.pages;
        return true;
    });
    return pages;
}

bool ExportReport(const TextDocumentWriter& writer, const std::filesystem::path& file, ReportFormat format,
                  int* pages, const ReportPageLayout& layout) {
    if (format == ReportFormat::Html) {
        return ReplaceFileContents(file, writer.Html());
    }
    QByteArray bytes;
    bool written = false;
    if (format == ReportFormat::Odt) {
        const std::unique_ptr<QTextDocument> copy = WithColumnWidthsInPoints(writer.Document());
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QTextDocumentWriter odf(&buffer, "odf");
        written = odf.write(copy.get());
        buffer.close();
    } else {
        int count = 0;
        written = WritePdf(writer, bytes, count, layout);
        if (pages != nullptr) {
            *pages = count;
        }
    }
    if (!written) {
        SetLastFileError(format == ReportFormat::Odt ? "the document could not be written as ODF text"
                                                     : "the document could not be drawn as PDF");
        return false;
    }
    return WriteBytes(file, bytes);
}

bool PrintReport(const TextDocumentWriter& writer, QPagedPaintDevice& device, const ReportPageLayout& layout,
                 int firstPage, int lastPage) {
    QPainter painter;
    if (!painter.begin(&device)) {
        return false;
    }
    PageDrawer drawer(
        painter, writer, layout, [&device] { return device.newPage(); }, std::max(1, firstPage), lastPage);
    bool drawn = true;
    std::vector<std::unique_ptr<QTextDocument>> copies;
    ForEachPart(writer, layout, copies, [&drawer, &drawn](const LaidOutPart& part) {
        drawn = drawer.Draw(part);
        return drawn;
    });
    return painter.end() && drawn;
}

} // namespace ixo
