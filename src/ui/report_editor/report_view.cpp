#include "ui/report_editor/report_view.h"

#include "render/text_document_writer.h"
#include "ui/report_editor/report_editor_rules.h"

#include <QAbstractTextDocumentLayout>
#include <QGraphicsRectItem>
#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QStyleOptionGraphicsItem>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QWheelEvent>

#include <algorithm>

namespace ixo {

namespace {

constexpr double kPixelsPerMm = TextDocumentWriter::kPixelsPerCm / 10.0;
constexpr double kDesk = 16.0; // grey around the sheet

// The text flow without the dashed frame a text item draws around itself while it has the focus: on
// the sheet the margins show where the text is.
class SheetText : public QGraphicsTextItem {
public:
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override {
        QStyleOptionGraphicsItem plain(*option);
        plain.state &= ~(QStyle::State_Selected | QStyle::State_HasFocus);
        QGraphicsTextItem::paint(painter, &plain, widget);
    }
};

} // namespace

ReportView::ReportView(QWidget* parent) : QGraphicsView(parent) {
    auto* scene = new QGraphicsScene(this);
    scene->setBackgroundBrush(QColor(0x80, 0x80, 0x80));
    setScene(scene);
    m_sheet = scene->addRect(QRectF(), QPen(Qt::NoPen), QBrush(Qt::white));
    m_text = new SheetText;
    m_text->setTextInteractionFlags(Qt::TextEditorInteraction);
    scene->addItem(m_text);
    setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    setViewportUpdateMode(QGraphicsView::MinimalViewportUpdate);
    SetPageLayout(m_layout);
}

double ReportView::BodyWidth() const {
    return std::max(10.0, (m_layout.widthMm - m_layout.leftMm - m_layout.rightMm) * kPixelsPerMm);
}

void ReportView::SetDocument(QTextDocument* document) {
    // The text item asks the size of the document it takes, which lays a document out to its end: a
    // long report would keep the window from showing for seconds. Without a page it is not laid out
    // at all; given its width afterwards, the document is laid out as far as the sheet shows it, the
    // rest step by step while the window idles (the sheet grows with it). Margin and width are set
    // once: every change of either lays the whole report out again.
    document->setDocumentMargin(0);
    document->setPageSize(QSizeF(0, 0));
    m_flowHeight = 0;
    m_text->setDocument(document);
    connect(document->documentLayout(), &QAbstractTextDocumentLayout::documentSizeChanged, this,
            [this](const QSizeF& size) {
                m_flowHeight = size.height();
                FitSheet();
            });
    document->setTextWidth(BodyWidth());
    SetPageLayout(m_layout);
    m_text->setFocus();
    SetTextCursor(QTextCursor(document));
}

bool ReportView::LaidOut() const {
    const QTextBlock last = m_text->document()->lastBlock();
    return last.isValid() && last.layout() != nullptr && last.layout()->lineCount() > 0;
}

QTextDocument* ReportView::Document() const {
    return m_text->document();
}

void ReportView::SetPageLayout(const ReportPageLayout& layout) {
    m_layout = layout;
    QTextDocument* document = m_text->document();
    if (document->documentMargin() != 0) {
        document->setDocumentMargin(0);
    }
    if (document->textWidth() != BodyWidth()) {
        // On the document, not the item: the item would ask for the whole layout at once.
        document->setTextWidth(BodyWidth());
    }
    m_text->setPos(layout.leftMm * kPixelsPerMm, layout.topMm * kPixelsPerMm);
    FitSheet();
}

double ReportView::BodyHeight() const {
    return (m_layout.heightMm - m_layout.topMm - m_layout.bottomMm) * kPixelsPerMm;
}

void ReportView::FitSheet() {
    const double width = m_layout.widthMm * kPixelsPerMm;
    // As far as the document is laid out (once laid out to its end, asking the size costs nothing).
    const double flow = LaidOut() ? m_text->document()->size().height() : m_flowHeight;
    const double height = std::max(m_layout.heightMm * kPixelsPerMm,
                                   flow + (m_layout.topMm + m_layout.bottomMm) * kPixelsPerMm);
    m_sheet->setRect(0, 0, width, height);
    scene()->setSceneRect(-kDesk, -kDesk, width + 2 * kDesk, height + 2 * kDesk);
}

QTextCursor ReportView::TextCursor() const {
    return m_text->textCursor();
}

void ReportView::SetTextCursor(const QTextCursor& cursor) {
    m_text->setTextCursor(cursor);
}

double ReportView::CursorY() const {
    const QTextCursor cursor = m_text->textCursor();
    const QTextBlock block = cursor.block();
    const QRectF rect = m_text->document()->documentLayout()->blockBoundingRect(block);
    return rect.top();
}

void ReportView::SetZoom(int percent) {
    percent = std::clamp(percent, ReportEditorRules::kMinZoom, ReportEditorRules::kMaxZoom);
    m_zoom = percent;
    setTransform(QTransform::fromScale(percent / 100.0, percent / 100.0));
    if (zoomChanged) {
        zoomChanged(percent);
    }
}

void ReportView::wheelEvent(QWheelEvent* event) {
    if ((event->modifiers() & Qt::ControlModifier) != 0) {
        const int step = event->angleDelta().y() > 0 ? 10 : -10;
        SetZoom(m_zoom + step);
        event->accept();
        return;
    }
    QGraphicsView::wheelEvent(event);
}

} // namespace ixo
