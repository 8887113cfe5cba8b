#include "ui/charts/chart_crosshair.h"

#include "ui/charts/chart_texts.h"

#include <QChart>
#include <QChartView>
#include <QEvent>
#include <QGraphicsLineItem>
#include <QMouseEvent>
#include <QPen>

namespace ixo {

ChartCrosshair::ChartCrosshair(QChartView* view) : QObject(view), m_view(view) {
    QPen pen(Qt::blue, 1, Qt::SolidLine);
    pen.setCosmetic(true);
    m_vertical = new QGraphicsLineItem(view->chart());
    m_horizontal = new QGraphicsLineItem(view->chart());
    for (QGraphicsLineItem* line : {m_vertical, m_horizontal}) {
        line->setPen(pen);
        line->setZValue(100);
        line->hide();
    }
    view->setMouseTracking(true);
    view->viewport()->setMouseTracking(true);
    view->viewport()->installEventFilter(this);
}

std::optional<QPointF> ChartCrosshair::ValueAt(const QPoint& viewPoint) const {
    QChart* chart = m_view->chart();
    const QPointF inChart = chart->mapFromScene(m_view->mapToScene(viewPoint));
    if (!chart->plotArea().contains(inChart) || chart->series().isEmpty()) {
        return std::nullopt;
    }
    return chart->mapToValue(inChart, chart->series().front());
}

QString ChartCrosshair::MoveTo(const QPoint& viewPoint) {
    const std::optional<QPointF> value = ValueAt(viewPoint);
    if (!value) {
        Hide();
        return {};
    }
    QChart* chart = m_view->chart();
    const QRectF plot = chart->plotArea();
    const QPointF at = chart->mapFromScene(m_view->mapToScene(viewPoint));
    m_vertical->setLine(at.x(), plot.top(), at.x(), plot.bottom());
    m_horizontal->setLine(plot.left(), at.y(), plot.right(), at.y());
    m_vertical->show();
    m_horizontal->show();
    const QString hint = QString::fromStdString(CrosshairHint(value->x(), value->y()));
    m_view->setToolTip(hint);
    m_view->setStatusTip(hint);
    return hint;
}

void ChartCrosshair::Hide() {
    m_vertical->hide();
    m_horizontal->hide();
    m_view->setToolTip({});
}

bool ChartCrosshair::Visible() const {
    return m_vertical->isVisible();
}

bool ChartCrosshair::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseMove) {
        MoveTo(static_cast<QMouseEvent*>(event)->position().toPoint());
    } else if (event->type() == QEvent::Leave) {
        Hide();
    }
    return QObject::eventFilter(watched, event);
}

} // namespace ixo
