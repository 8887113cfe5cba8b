#pragma once

// The crosshair of the level charts (levels and regulation windows): while the mouse moves over the
// plot, a blue vertical and horizontal line through it and the chart's hint saying the frequency and the
// level there; outside the plot neither. The hint's text is the windows' rules (LevelsModel).
#include <QObject>
#include <QPointF>

#include <optional>

class QChartView;
class QGraphicsLineItem;

namespace ixo {

class ChartCrosshair : public QObject {
public:
    explicit ChartCrosshair(QChartView* view);

    // The chart values (frequency, level) under a point of the view, or none outside the plot.
    std::optional<QPointF> ValueAt(const QPoint& viewPoint) const;
    // Moves the crosshair to a point of the view (hidden outside the plot) and sets the view's hint;
    // returns the hint (empty outside).
    QString MoveTo(const QPoint& viewPoint);
    void Hide();
    bool Visible() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QChartView* m_view;
    QGraphicsLineItem* m_vertical = nullptr;
    QGraphicsLineItem* m_horizontal = nullptr;
};

} // namespace ixo
