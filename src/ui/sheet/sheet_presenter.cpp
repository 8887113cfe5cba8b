#include "ui/sheet/sheet_presenter.h"

#include "building/proyecto.h"
#include "render/qpainter_canvas.h"
#include "render/sheet_tiles.h"
#include "render/text_cache.h"
#include "schematic/graphic_object.h"
#include "schematic/layout.h"
#include "schematic/schematic.h"
#include "schematic/sheet.h"
#include "ui/sheet/sheet_view.h"
#include "ui/sheet/zoom_steps.h"

#include <QElapsedTimer>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>

#include <algorithm>

namespace ixo {
namespace {

// How far outside a painted region objects are still painted, in pixels, so that labels reaching over a
// tile's edge are in both tiles.
constexpr std::int32_t kTileBleed = 48;
// On screen, texts lower than 3 pixels are left out and texts lower than 5 pixels, too small to read, are
// drawn as grey lines; both cost as much as readable texts.
constexpr int kMinimumTextPx = 3;
constexpr int kGreekingTextPx = 5;

double Elapsed(const QElapsedTimer& timer) {
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

} // namespace

SheetPresenter::SheetPresenter(SheetView& view, QObject* parent)
    : QObject(parent), m_view(view), m_tiles(std::make_unique<SheetTiles>()),
      m_textCache(std::make_unique<TextCache>()) {
    m_prefetch = new QTimer(this);
    m_prefetch->setSingleShot(true);
    m_prefetch->setInterval(0);
    connect(m_prefetch, &QTimer::timeout, this, [this] { PaintAhead(); });
    connect(m_view.Horizontal(), &QScrollBar::valueChanged, this, [this] { ScrollChanged(); });
    connect(m_view.Vertical(), &QScrollBar::valueChanged, this, [this] { ScrollChanged(); });
}

SheetPresenter::~SheetPresenter() = default;

void SheetPresenter::Show(TpadreGraficosMS* schematic, const Tproyecto* project) {
    m_schematic = project != nullptr ? schematic : nullptr;
    m_project = schematic != nullptr ? project : nullptr;
    m_viewCurrent = false;
    m_refining = false;
    m_objectsScaled = true;
    m_objectsPlaced = false;
    m_needsLayout = true;
    m_tiles->Clear();
}

void SheetPresenter::SetPage(const PageSetup& page) {
    m_page = page;
    m_needsLayout = true;
}

SheetContent SheetPresenter::Content(double dpi, double outputScale) const {
    SheetContent content;
    if (m_project != nullptr) {
        content.showTitleBlock = m_project->cajetinvisible;
        content.texts = m_project->Datosproyecto();
        content.titleBlockWidthMm = m_project->AnchoCajetin;
        content.titleBlockHeightMm = m_project->Altocajetin;
    }
    content.dpi = dpi;
    content.outputScale = outputScale;
    content.showLegend = m_showLegend;
    return content;
}

void SheetPresenter::Repaint() {
    m_tiles->Clear();
    m_refining = false;
    RepaintScrolled();
}

std::size_t SheetPresenter::TilesPaintedLastTime() const {
    return m_tiles->PaintedLastTime();
}

void SheetPresenter::LayOut(const QSize& imageSize, bool rescaleObjects) {
    SheetSurface* surface = m_view.Surface();
    const double dpiX = surface->logicalDpiX();
    const double dpiY = surface->logicalDpiY();
    ViewRequest request;
    request.imageWidth = imageSize.width();
    request.imageHeight = imageSize.height();
    request.zoomPercent = ZoomStepPercent(m_zoomIndex);
    request.showTitleBlock = m_project->cajetinvisible;
    request.titleBlockHeightPx = MmToPx(dpiY, m_project->Altocajetin * 100.0);
    request.page = m_page;
    request.dpiX = dpiX;
    request.dpiY = dpiY;
    request.rescaleObjects = rescaleObjects;
    m_layout = ComputeView(*m_schematic, request, m_horizontal, m_vertical);
    m_objectsScaled = rescaleObjects;
    ApplyScrollBars();
    m_needsLayout = false;
    m_tiles->Clear();
}

void SheetPresenter::EnsureObjectsScaled() {
    if (!m_objectsScaled && m_schematic != nullptr) {
        m_schematic->RescaleAll(m_layout.placement.scale);
        m_objectsScaled = true;
        m_objectsPlaced = false;
    }
}

void SheetPresenter::RepaintScrolled() {
    QElapsedTimer timer;
    timer.start();
    SheetSurface* surface = m_view.Surface();
    QImage image(surface->size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    if (!Showing()) {
        image.fill(Qt::white);
        surface->SetImage(std::move(image));
        m_viewCurrent = false;
        m_refining = false;
        m_lastRepaintMs = Elapsed(timer);
        return;
    }
    if (m_needsLayout) {
        m_refining = false;
        LayOut(image.size(), true);
    }
    const QPoint position(m_horizontal.position, m_vertical.position);
    if (m_refining) {
        // A pan while the zoom step's stand-in is on view moves the stand-in; the tiles follow.
        m_tiles->ComposeUnpainted(image, position);
    } else {
        m_tiles->Compose(image, position,
                         [this](QImage& region, QPoint origin) { PaintRegion(region, origin); });
    }
    // The tiles around the view are painted while the user does nothing, so that a pan step finds them.
    m_prefetch->start();
    // Painting the tiles left the objects where the tiles are; they are put on the view when the mouse
    // asks for them.
    m_objectsPlaced = false;
    m_viewCurrent = true;
    surface->SetImage(std::move(image));
    m_lastRepaintMs = Elapsed(timer);
}

QImage SheetPresenter::ScaledStandIn(const QImage& previous, QPoint oldPosition, double oldZoom,
                                     QPoint newPosition) const {
    QImage standIn(previous.size(), QImage::Format_RGB32);
    standIn.fill(Qt::white);
    // The sheet's pixels grow with the zoom from the page's top-left corner: sheet pixel p at the old
    // zoom is p x f at the new one. The new view's rectangle, taken back to the old view's pixels, is
    // cut to what the old view showed and drawn scaled.
    const double f = m_layout.sheetZoom / oldZoom;
    const QRectF wanted((newPosition.x() / f) - oldPosition.x(), (newPosition.y() / f) - oldPosition.y(),
                        standIn.width() / f, standIn.height() / f);
    const QRectF source = wanted.intersected(QRectF(previous.rect()));
    if (source.isEmpty()) {
        return standIn;
    }
    const QRectF target((source.left() - wanted.left()) * f, (source.top() - wanted.top()) * f,
                        source.width() * f, source.height() * f);
    QPainter painter(&standIn);
    // Nearest-pixel scaling: the stand-in shows for a moment only, and smoothing costs more than a frame.
    painter.drawImage(target, previous, source);
    return standIn;
}

void SheetPresenter::ZoomWithStandIn() {
    QElapsedTimer timer;
    timer.start();
    SheetSurface* surface = m_view.Surface();
    const QImage previous = surface->Image();
    const QPoint oldPosition(m_horizontal.position, m_vertical.position);
    const double oldZoom = m_layout.sheetZoom;
    LayOut(previous.size(), false);
    const QPoint position(m_horizontal.position, m_vertical.position);
    m_tiles->SetBackdrop(ScaledStandIn(previous, oldPosition, oldZoom, position), position);
    m_refining = true;
    QImage image(previous.size(), QImage::Format_RGB32);
    m_tiles->ComposeUnpainted(image, position);
    m_objectsPlaced = false;
    m_prefetch->start();
    surface->SetImage(std::move(image));
    m_lastRepaintMs = Elapsed(timer);
}

void SheetPresenter::FinishRefining() {
    if (!m_refining) {
        return;
    }
    m_refining = false;
    RepaintScrolled();
}

void SheetPresenter::PaintRegion(QImage& region, QPoint origin) {
    EnsureObjectsScaled();
    const double dpiX = m_view.Surface()->logicalDpiX();
    QPainter painter(&region);
    QPainterCanvas canvas(painter, static_cast<int>(dpiX));
    canvas.SetMinimumTextHeight(kMinimumTextPx);
    canvas.SetGreekingHeight(kGreekingTextPx);
    canvas.SetAnchoredDots(true);
    canvas.SetTextCache(m_textCache.get());
    // Objects just outside the region are painted too: their labels may reach in.
    const Rect client{-kTileBleed, -kTileBleed, region.width() + kTileBleed, region.height() + kTileBleed};
    PaintSheet(canvas, client, *m_schematic, Content(dpiX, m_layout.sheetZoom), m_layout.printable,
               m_layout.placement, Point{-origin.x(), -origin.y()});
    m_objectsPlaced = false;
}

void SheetPresenter::PaintAhead() {
    if (!Showing() || m_needsLayout) {
        return;
    }
    const QPoint position(m_horizontal.position, m_vertical.position);
    const auto paint = [this](QImage& region, QPoint origin) { PaintRegion(region, origin); };
    if (m_refining && !m_objectsScaled) {
        // The rescale of every object is a pass of its own, so that no pass keeps the user waiting long.
        EnsureObjectsScaled();
        m_prefetch->start();
        return;
    }
    SheetSurface* surface = m_view.Surface();
    if (m_refining) {
        // The view's own tiles first, a row per pass of the event loop, each shown as soon as it is sharp.
        if (m_tiles->PaintVisibleRow(position, surface->Image().size(), paint)) {
            QImage image(surface->Image().size(), QImage::Format_RGB32);
            m_tiles->ComposeUnpainted(image, position);
            surface->SetImage(std::move(image));
        } else {
            m_refining = false;
        }
        m_prefetch->start();
        return;
    }
    if (m_tiles->PaintOneAround(position, surface->Image().size(), paint)) {
        m_prefetch->start();
    }
}

void SheetPresenter::PlaceObjectsOnView() {
    if (m_objectsPlaced || !Showing()) {
        return;
    }
    EnsureObjectsScaled();
    const QSize size = m_view.Surface()->Image().size();
    PlaceObjects(Rect{0, 0, size.width(), size.height()}, *m_schematic, m_layout.placement,
                 Point{-m_horizontal.position, -m_vertical.position});
    m_objectsPlaced = true;
}

HitResult SheetPresenter::HitTest(QPoint point) {
    if (!Showing()) {
        return {};
    }
    EnsureObjectsScaled();
    return HitTestView(*m_schematic, point.x(), point.y(), m_layout.placement,
                       Point{-m_horizontal.position, -m_vertical.position});
}

bool SheetPresenter::PointInTitleBlock(QPoint point) const {
    if (!Showing() || !m_project->cajetinvisible || m_needsLayout) {
        return false;
    }
    const SheetContent content = Content(m_view.Surface()->logicalDpiX(), m_layout.sheetZoom);
    const Rect block =
        TitleBlockRect(content, m_layout.printable, Point{-m_horizontal.position, -m_vertical.position});
    return point.x() >= block.left && point.x() < block.right && point.y() >= block.top &&
           point.y() < block.bottom;
}

void SheetPresenter::CentreOn(TBaseGrafMS& object) {
    if (!Showing()) {
        return;
    }
    if (m_needsLayout) {
        RepaintScrolled();
    }
    m_objectsPlaced = false;
    PlaceObjectsOnView();
    const Rect bounds = object.GetBounds();
    const QSize size = m_view.Surface()->size();
    ScrollBy((bounds.left + bounds.right) / 2 - size.width() / 2,
             (bounds.top + bounds.bottom) / 2 - size.height() / 2);
    m_objectsPlaced = false;
}

void SheetPresenter::ApplyScrollBars() {
    m_scrollRedraw = false;
    const auto apply = [](QScrollBar* bar, const ScrollBar& model, int visible) {
        bar->setRange(model.minimum, std::max(model.minimum, model.maximum));
        bar->setValue(model.position);
        bar->setSingleStep(model.smallChange);
        bar->setPageStep(std::max(model.largeChange, visible));
        bar->setEnabled(model.enabled);
    };
    apply(m_view.Horizontal(), m_horizontal, m_view.Surface()->width());
    apply(m_view.Vertical(), m_vertical, m_view.Surface()->height());
    m_scrollRedraw = true;
}

void SheetPresenter::ResetScrollBars() {
    m_scrollRedraw = false;
    m_horizontal = ScrollBar{};
    m_vertical = ScrollBar{};
    for (QScrollBar* bar : {m_view.Horizontal(), m_view.Vertical()}) {
        bar->setEnabled(true);
        bar->setValue(bar->minimum());
        bar->setEnabled(false);
    }
    m_scrollRedraw = true;
}

void SheetPresenter::ScrollChanged() {
    if (!m_scrollRedraw) {
        return;
    }
    m_horizontal.position = m_view.Horizontal()->value();
    m_vertical.position = m_view.Vertical()->value();
    RepaintScrolled();
}

bool SheetPresenter::AnyScrollBarEnabled() const {
    return m_horizontal.enabled || m_vertical.enabled;
}

void SheetPresenter::StartPan(QPoint point) {
    m_panStart = point;
    m_panStartScroll = QPoint(m_horizontal.position, m_vertical.position);
}

bool SheetPresenter::PanTo(QPoint point) {
    m_scrollRedraw = false;
    if (m_horizontal.enabled) {
        m_horizontal.position = std::clamp(m_panStartScroll.x() + m_panStart.x() - point.x(), 0,
                                           std::max(0, m_horizontal.maximum));
    } else {
        m_horizontal.position = 0;
    }
    if (m_vertical.enabled) {
        m_vertical.position =
            std::clamp(m_panStartScroll.y() + m_panStart.y() - point.y(), 0, std::max(0, m_vertical.maximum));
    } else {
        m_vertical.position = 0;
    }
    m_view.Horizontal()->setValue(m_horizontal.position);
    m_view.Vertical()->setValue(m_vertical.position);
    if (!AnyScrollBarEnabled()) {
        m_scrollRedraw = true;
        return false;
    }
    RepaintScrolled();
    m_scrollRedraw = true;
    return true;
}

bool SheetPresenter::ScrollBy(int dx, int dy) {
    if (!Showing() || !AnyScrollBarEnabled()) {
        return false;
    }
    StartPan(QPoint(0, 0));
    const QPoint before(m_horizontal.position, m_vertical.position);
    PanTo(QPoint(-dx, -dy));
    return QPoint(m_horizontal.position, m_vertical.position) != before;
}

int SheetPresenter::PageStepX() const {
    return std::max(1, m_view.Surface()->width() * 9 / 10);
}

int SheetPresenter::PageStepY() const {
    return std::max(1, m_view.Surface()->height() * 9 / 10);
}

double SheetPresenter::CurrentPercent() const {
    return m_layout.sheetZoom * 100.0;
}

void SheetPresenter::ChooseZoomStep(int index) {
    if (index < 0 || index >= ZoomStepCount()) {
        return;
    }
    if (onZoomStepChosen) {
        onZoomStepChosen(index);
    }
    m_zoomIndex = index;
    const QImage& shown = m_view.Surface()->Image();
    if (Showing() && m_viewCurrent && !m_needsLayout && m_layout.sheetZoom > 0.0 &&
        shown.size() == m_view.Surface()->size()) {
        ZoomWithStandIn();
        return;
    }
    m_needsLayout = true;
    Repaint();
}

void SheetPresenter::ZoomIn() {
    ChooseZoomStep(ZoomInStep(m_zoomIndex, CurrentPercent()));
}

void SheetPresenter::ZoomOut() {
    ChooseZoomStep(ZoomOutStep(m_zoomIndex, CurrentPercent()));
}

void SheetPresenter::ZoomAll() {
    ChooseZoomStep(0);
}

} // namespace ixo
