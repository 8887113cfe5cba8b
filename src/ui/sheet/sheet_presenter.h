#pragma once

// The sheet on the window: lays out the schematic on the page at the chosen zoom step, paints it in
// tiles (kept, so that scrolling and panning copy them), shows a scaled stand-in after a zoom step and
// refines it while the user does nothing, and moves the scroll bars. It knows the schematic and the
// project's title block only to show them; it changes neither.
#include "render/sheet_export.h"
#include "schematic/view.h"

#include <QObject>
#include <QPoint>

#include <functional>
#include <memory>

class QImage;
class QSize;
class QTimer;

namespace ixo {

class SheetTiles;
class SheetView;
class TBaseGrafMS;
class TextCache;
class TpadreGraficosMS;
class Tproyecto;

class SheetPresenter : public QObject {
public:
    SheetPresenter(SheetView& view, QObject* parent);
    ~SheetPresenter() override;

    // What is shown: the schematic and the project whose title block frames it; both null when no
    // project is open (the sheet is white). The layout is made again on the next repaint.
    void Show(TpadreGraficosMS* schematic, const Tproyecto* project);
    bool Showing() const { return m_schematic != nullptr && m_project != nullptr; }
    const Tproyecto* Project() const { return m_project; }
    TpadreGraficosMS* Schematic() const { return m_schematic; }
    // The window's page (PageSize, PageMargins); the layout is made again on the next repaint.
    void SetPage(const PageSetup& page);
    // The legend of the outlet colours is shown while some outlet is out of limits.
    void SetShowLegend(bool show) { m_showLegend = show; }
    // The next repaint lays the sheet out again first (the schematic or the view's size changed).
    void NeedLayout() { m_needsLayout = true; }

    // What the sheet frame shows at a resolution (the screen, a printer, an image).
    SheetContent Content(double dpi, double outputScale) const;

    // Paints the sheet anew (the layout first when needed) and shows it.
    void Repaint();
    // Shows the sheet at the scroll bars' position from the painted tiles, painting only the missing.
    void RepaintScrolled();
    void PlaceObjectsOnView();
    std::size_t TilesPaintedLastTime() const;
    bool ViewSharp() const { return !m_refining; }
    void FinishRefining();
    double LastRepaintMs() const { return m_lastRepaintMs; }
    const ViewResult& Layout() const { return m_layout; }

    // Zoom steps of the zoom menu.
    void ChooseZoomStep(int index);
    void ZoomIn();
    void ZoomOut();
    void ZoomAll();
    int ZoomIndex() const { return m_zoomIndex; }
    double CurrentPercent() const;
    // Called with the step chosen, so that the zoom menu shows it checked.
    std::function<void(int)> onZoomStepChosen;

    // Scrolling: the bars to their start; something to scroll; pan from a pressed point.
    void ResetScrollBars();
    bool AnyScrollBarEnabled() const;
    void StartPan(QPoint point);
    // Scrolls so that the sheet point under the pan's start is under point; false when nothing scrolls.
    bool PanTo(QPoint point);
    // Scrolls by a number of pixels (wheel, keys), within the bars' ranges; false when nothing moved.
    bool ScrollBy(int dx, int dy);
    // Page-sized steps of the two bars (the keys' Page Up and Down).
    int PageStepX() const;
    int PageStepY() const;

    // Scrolls so that the object is in the middle of the view, as far as the bars go.
    void CentreOn(TBaseGrafMS& object);
    // The object under a point of the view (after EnsureObjectsScaled).
    HitResult HitTest(QPoint point);
    // Whether a point of the view lies in the title block as drawn (false when it is hidden).
    bool PointInTitleBlock(QPoint point) const;
    // Where an object of the schematic is on view, when it is placed (for locating it).
    void EnsureObjectsScaled();

private:
    void LayOut(const QSize& imageSize, bool rescaleObjects);
    void ApplyScrollBars();
    void ScrollChanged();
    void PaintRegion(QImage& region, QPoint origin);
    void PaintAhead();
    void ZoomWithStandIn();
    QImage ScaledStandIn(const QImage& previous, QPoint oldPosition, double oldZoom,
                         QPoint newPosition) const;

    SheetView& m_view;
    std::unique_ptr<SheetTiles> m_tiles;
    std::unique_ptr<TextCache> m_textCache;
    TpadreGraficosMS* m_schematic = nullptr;
    const Tproyecto* m_project = nullptr;
    PageSetup m_page;
    bool m_showLegend = false;
    bool m_needsLayout = false;
    bool m_scrollRedraw = false;
    int m_zoomIndex = 0;
    ScrollBar m_horizontal;
    ScrollBar m_vertical;
    ViewResult m_layout;
    QPoint m_panStart;
    QPoint m_panStartScroll;
    double m_lastRepaintMs = 0.0;
    bool m_objectsPlaced = false;
    // The shown image is the current project's sheet at m_layout (sharp or a stand-in).
    bool m_viewCurrent = false;
    // A zoom step's stand-in is still on view; the objects await their rescale.
    bool m_refining = false;
    bool m_objectsScaled = true;
    QTimer* m_prefetch = nullptr;
};

} // namespace ixo
