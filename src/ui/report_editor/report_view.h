#pragma once

// The report on screen: the document's text flow on a white sheet of the page's width, its margins
// around it, on a grey desk; edited in place and zoomed from 10 to 400 % (Ctrl and the mouse wheel).
#include "render/report_export.h"

#include <QGraphicsView>
#include <QTextCursor>

class QGraphicsRectItem;
class QGraphicsTextItem;
class QTextDocument;

namespace ixo {

class ReportView : public QGraphicsView {
public:
    explicit ReportView(QWidget* parent = nullptr);

    void SetDocument(QTextDocument* document);
    QTextDocument* Document() const;
    void SetPageLayout(const ReportPageLayout& layout);

    QTextCursor TextCursor() const;
    void SetTextCursor(const QTextCursor& cursor);
    // The caret's height in the document flow (document pixels).
    double CursorY() const;

    int Zoom() const { return m_zoom; }
    void SetZoom(int percent);
    // Runs after every zoom change.
    std::function<void(int percent)> zoomChanged;

    QGraphicsTextItem* TextItem() const { return m_text; }
    // The body's height on the page, in document pixels.
    double BodyHeight() const;
    // True once the document is laid out to its end (a document shown is laid out step by step).
    bool LaidOut() const;
    // The height of the text flow laid out so far (document pixels).
    double FlowHeight() const { return m_flowHeight; }

protected:
    void wheelEvent(QWheelEvent* event) override;

private:
    void FitSheet();
    double BodyWidth() const;

    QGraphicsRectItem* m_sheet = nullptr;
    QGraphicsTextItem* m_text = nullptr;
    ReportPageLayout m_layout;
    double m_flowHeight = 0; // the height of the text flow laid out so far
    int m_zoom = 100;
};

} // namespace ixo
