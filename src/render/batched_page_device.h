#pragma once

// A paint device that passes what is drawn on it on to a painter already open on the real page (a PDF
// or a printer), holding back plain opaque rectangle fills and drawing them together before anything
// they could be covered by or cover is drawn.
//
// Why: a report table draws each cell's frame as four filled rectangles, each in a painter state of its
// own (saved, pen and brush set, restored) between the cell's text drawn with a pen. A PDF writes every
// such change of state into the page (the colour, the line style, the clip and the matrix again), most of
// a report's PDF and of its drawing time. Held back, the frames of a page are drawn in one state after
// its text. The page is the same: the rectangles keep their order among themselves and are drawn before
// any other kind of drawing, and text only goes ahead of rectangles of its own colour (two opaque paints
// of one colour cover the same pixels in either order).
//
// Text items are passed on whole, so their decorations (underline, overline, strike-out) would be drawn
// twice: documents with such text are drawn on the page directly (HasDecoratedText).
#include <QPaintDevice>

#include <memory>

class QPainter;
class QTextDocument;

namespace ixo {

class BatchedPageEngine;

class BatchedPageDevice : public QPaintDevice {
public:
    // target paints on the real device, in its own device coordinates, from identity with no clip.
    explicit BatchedPageDevice(QPainter& target);
    ~BatchedPageDevice() override;
    BatchedPageDevice(const BatchedPageDevice&) = delete;
    BatchedPageDevice& operator=(const BatchedPageDevice&) = delete;

    QPaintEngine* paintEngine() const override;

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    QPainter& m_target;
    std::unique_ptr<BatchedPageEngine> m_engine;
};

// True when some text of document is underlined, overlined or struck out.
[[nodiscard]] bool HasDecoratedText(const QTextDocument& document);

} // namespace ixo
