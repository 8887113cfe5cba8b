#include "render/batched_page_device.h"

#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QTextDocument>
#include <QTextFormat>

#include <vector>

namespace ixo {

// Keeps the state the document's painter sets, gives it to the page's painter before each drawing
// passed on, and holds back the rectangle fills (see the header).
class BatchedPageEngine : public QPaintEngine {
public:
    explicit BatchedPageEngine(QPainter& target) : QPaintEngine(AllFeatures), m_target(target) {}

    bool begin(QPaintDevice*) override { return true; }
    bool end() override {
        Flush();
        return true;
    }
    Type type() const override { return User; }

    void updateState(const QPaintEngineState& state) override;

    void drawRects(const QRectF* rects, int count) override;
    void drawRects(const QRect* rects, int count) override;
    void drawLines(const QLineF* lines, int count) override {
        Pass();
        m_target.drawLines(lines, count);
    }
    void drawLines(const QLine* lines, int count) override {
        Pass();
        m_target.drawLines(lines, count);
    }
    void drawEllipse(const QRectF& rect) override {
        Pass();
        m_target.drawEllipse(rect);
    }
    void drawEllipse(const QRect& rect) override {
        Pass();
        m_target.drawEllipse(rect);
    }
    void drawPath(const QPainterPath& path) override {
        Pass();
        m_target.drawPath(path);
    }
    void drawPoints(const QPointF* points, int count) override {
        Pass();
        m_target.drawPoints(points, count);
    }
    void drawPoints(const QPoint* points, int count) override {
        Pass();
        m_target.drawPoints(points, count);
    }
    void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override;
    void drawPolygon(const QPoint* points, int count, PolygonDrawMode mode) override;
    void drawPixmap(const QRectF& rect, const QPixmap& pixmap, const QRectF& source) override {
        Pass();
        m_target.drawPixmap(rect, pixmap, source);
    }
    void drawTiledPixmap(const QRectF& rect, const QPixmap& pixmap, const QPointF& offset) override {
        Pass();
        m_target.drawTiledPixmap(rect, pixmap, offset);
    }
    void drawImage(const QRectF& rect, const QImage& image, const QRectF& source,
                   Qt::ImageConversionFlags flags) override {
        Pass();
        m_target.drawImage(rect, image, source, flags);
    }
    void drawTextItem(const QPointF& point, const QTextItem& item) override;

private:
    struct Fill {
        QRectF rect; // device coordinates
        QBrush brush;
        QPainter::RenderHints hints;
    };

    // A fill that may wait: no pen, one opaque colour, painted over what is there, moved only.
    bool MayWait() const {
        return m_pen.style() == Qt::NoPen && m_brush.style() == Qt::SolidPattern && m_brush.isOpaque() &&
               m_opacity == 1.0 && m_composition == QPainter::CompositionMode_SourceOver &&
               m_transform.type() <= QTransform::TxTranslate;
    }
    void Hold(const QRectF& rect);
    void Flush();
    void Sync();
    // Before a drawing passed on as it comes.
    void Pass() {
        Flush();
        Sync();
    }

    QPainter& m_target;
    QPen m_pen;
    QBrush m_brush;
    QPointF m_brushOrigin;
    QBrush m_background;
    Qt::BGMode m_backgroundMode = Qt::TransparentMode;
    QTransform m_transform;
    QPainter::RenderHints m_hints;
    QPainter::CompositionMode m_composition = QPainter::CompositionMode_SourceOver;
    qreal m_opacity = 1.0;
    std::vector<Fill> m_held;
    QColor m_heldColour; // the colour of every held fill, invalid when they have several
};

void BatchedPageEngine::updateState(const QPaintEngineState& state) {
    const DirtyFlags flags = state.state();
    if ((flags & DirtyPen) != 0) {
        m_pen = state.pen();
    }
    if ((flags & DirtyBrush) != 0) {
        m_brush = state.brush();
    }
    if ((flags & DirtyBrushOrigin) != 0) {
        m_brushOrigin = state.brushOrigin();
    }
    if ((flags & DirtyBackground) != 0) {
        m_background = state.backgroundBrush();
    }
    if ((flags & DirtyBackgroundMode) != 0) {
        m_backgroundMode = state.backgroundMode();
    }
    if ((flags & DirtyTransform) != 0) {
        m_transform = state.transform();
    }
    if ((flags & DirtyHints) != 0) {
        m_hints = state.renderHints();
    }
    if ((flags & DirtyCompositionMode) != 0) {
        m_composition = state.compositionMode();
    }
    if ((flags & DirtyOpacity) != 0) {
        m_opacity = state.opacity();
    }
    if ((flags & (DirtyClipPath | DirtyClipRegion | DirtyClipEnabled)) != 0) {
        // What waits was drawn inside the former clip; a clip is set in the coordinates of its time.
        Flush();
        m_target.setTransform(m_transform);
        if ((flags & DirtyClipPath) != 0) {
            m_target.setClipPath(state.clipPath(), state.clipOperation());
        } else if ((flags & DirtyClipRegion) != 0) {
            m_target.setClipRegion(state.clipRegion(), state.clipOperation());
        }
        if ((flags & DirtyClipEnabled) != 0) {
            m_target.setClipping(state.isClipEnabled());
        }
    }
}

void BatchedPageEngine::Sync() {
    if (m_target.pen() != m_pen) {
        m_target.setPen(m_pen);
    }
    if (m_target.brush() != m_brush) {
        m_target.setBrush(m_brush);
    }
    if (m_target.brushOrigin() != m_brushOrigin) {
        m_target.setBrushOrigin(m_brushOrigin);
    }
    if (m_target.background() != m_background) {
        m_target.setBackground(m_background);
    }
    if (m_target.backgroundMode() != m_backgroundMode) {
        m_target.setBackgroundMode(m_backgroundMode);
    }
    if (m_target.transform() != m_transform) {
        m_target.setTransform(m_transform);
    }
    if (m_target.renderHints() != m_hints) {
        m_target.setRenderHints(m_target.renderHints() & ~m_hints, false);
        m_target.setRenderHints(m_hints, true);
    }
    if (m_target.compositionMode() != m_composition) {
        m_target.setCompositionMode(m_composition);
    }
    if (m_target.opacity() != m_opacity) {
        m_target.setOpacity(m_opacity);
    }
}

void BatchedPageEngine::Hold(const QRectF& rect) {
    const QColor colour = m_brush.color();
    if (m_held.empty()) {
        m_heldColour = colour;
    } else if (m_heldColour.isValid() && m_heldColour != colour) {
        m_heldColour = QColor();
    }
    m_held.push_back({m_transform.mapRect(rect), m_brush, m_hints});
}

void BatchedPageEngine::Flush() {
    if (m_held.empty()) {
        return;
    }
    m_target.setPen(Qt::NoPen);
    m_target.setTransform(QTransform());
    m_target.setOpacity(1.0);
    m_target.setCompositionMode(QPainter::CompositionMode_SourceOver);
    for (const Fill& fill : m_held) {
        if (m_target.brush() != fill.brush) {
            m_target.setBrush(fill.brush);
        }
        if (m_target.renderHints() != fill.hints) {
            m_target.setRenderHints(m_target.renderHints() & ~fill.hints, false);
            m_target.setRenderHints(fill.hints, true);
        }
        m_target.drawRect(fill.rect);
    }
    m_held.clear();
}

void BatchedPageEngine::drawRects(const QRectF* rects, int count) {
    if (MayWait()) {
        for (int i = 0; i < count; ++i) {
            Hold(rects[i]);
        }
        return;
    }
    Pass();
    m_target.drawRects(rects, count);
}

void BatchedPageEngine::drawRects(const QRect* rects, int count) {
    if (MayWait()) {
        for (int i = 0; i < count; ++i) {
            Hold(QRectF(rects[i]));
        }
        return;
    }
    Pass();
    m_target.drawRects(rects, count);
}

void BatchedPageEngine::drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) {
    Pass();
    switch (mode) {
    case OddEvenMode:
        m_target.drawPolygon(points, count, Qt::OddEvenFill);
        break;
    case WindingMode:
        m_target.drawPolygon(points, count, Qt::WindingFill);
        break;
    case ConvexMode:
        m_target.drawConvexPolygon(points, count);
        break;
    case PolylineMode:
        m_target.drawPolyline(points, count);
        break;
    }
}

void BatchedPageEngine::drawPolygon(const QPoint* points, int count, PolygonDrawMode mode) {
    QPolygonF polygon;
    polygon.reserve(count);
    for (int i = 0; i < count; ++i) {
        polygon.append(QPointF(points[i]));
    }
    drawPolygon(polygon.constData(), count, mode);
}

void BatchedPageEngine::drawTextItem(const QPointF& point, const QTextItem& item) {
    // Text may go ahead of held fills of its own plain colour only.
    const QBrush ink = m_pen.brush();
    const bool sameColour = ink.style() == Qt::SolidPattern && ink.isOpaque() && m_heldColour.isValid() &&
                            ink.color() == m_heldColour && m_opacity == 1.0 &&
                            m_composition == QPainter::CompositionMode_SourceOver;
    if (!sameColour) {
        Flush();
    }
    Sync();
    m_target.drawTextItem(point, item);
}

BatchedPageDevice::BatchedPageDevice(QPainter& target)
    : m_target(target), m_engine(std::make_unique<BatchedPageEngine>(target)) {}

BatchedPageDevice::~BatchedPageDevice() = default;

QPaintEngine* BatchedPageDevice::paintEngine() const {
    return m_engine.get();
}

int BatchedPageDevice::metric(PaintDeviceMetric metric) const {
    const QPaintDevice& device = *m_target.device();
    switch (metric) {
    case PdmWidth:
        return device.width();
    case PdmHeight:
        return device.height();
    case PdmWidthMM:
        return device.widthMM();
    case PdmHeightMM:
        return device.heightMM();
    case PdmNumColors:
        return device.colorCount();
    case PdmDepth:
        return device.depth();
    case PdmDpiX:
        return device.logicalDpiX();
    case PdmDpiY:
        return device.logicalDpiY();
    case PdmPhysicalDpiX:
        return device.physicalDpiX();
    case PdmPhysicalDpiY:
        return device.physicalDpiY();
    case PdmDevicePixelRatio:
        return static_cast<int>(device.devicePixelRatio());
    case PdmDevicePixelRatioScaled:
        return static_cast<int>(device.devicePixelRatio() * QPaintDevice::devicePixelRatioFScale());
    }
    return 0;
}

bool HasDecoratedText(const QTextDocument& document) {
    for (const QTextFormat& format : document.allFormats()) {
        if (!format.isCharFormat()) {
            continue;
        }
        const QTextCharFormat text = format.toCharFormat();
        if (text.fontUnderline() || text.fontOverline() || text.fontStrikeOut() ||
            text.underlineStyle() != QTextCharFormat::NoUnderline) {
            return true;
        }
    }
    return false;
}

} // namespace ixo
