#include "ui/levels/levels_window.h"

#include "ui/charts/chart_crosshair.h"
#include "ui/main/help_key.h"

#include <QChart>
#include <QChartView>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineSeries>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QValueAxis>

namespace ixo {

namespace {

void Fill(QLineSeries* series, const std::vector<ChartPoint>& points) {
    QList<QPointF> list;
    list.reserve(static_cast<qsizetype>(points.size()));
    for (const ChartPoint& point : points) {
        list.append(QPointF(point.x, point.y));
    }
    series->replace(list);
}

QLineSeries* MakeSeries(QChart* chart, const QColor& colour, const char* name) {
    auto* series = new QLineSeries(chart);
    series->setName(QString::fromUtf8(name));
    QPen pen(colour);
    pen.setWidth(colour == Qt::red ? 2 : 1);
    series->setPen(pen);
    chart->addSeries(series);
    return series;
}

QPushButton* MakeButton(const char* caption, QWidget* parent) {
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setToolTip(button->text());
    button->setAutoDefault(false);
    return button;
}

} // namespace

LevelsWindow::LevelsWindow(QWidget* parent) : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("FNiveles"));
    auto* layout = new QVBoxLayout(this);

    m_grid = new QTableWidget(2, LevelsModel::kColumns, this);
    m_grid->setObjectName(QStringLiteral("SG1"));
    m_grid->horizontalHeader()->hide();
    m_grid->verticalHeader()->hide();
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionMode(QAbstractItemView::NoSelection);
    m_grid->setFocusPolicy(Qt::NoFocus);
    m_grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    for (int column = 0; column < LevelsModel::kColumns; ++column) {
        m_grid->setColumnWidth(column, 60);
        for (int row = 0; row < 2; ++row) {
            auto* item = new QTableWidgetItem;
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_grid->setItem(row, column, item);
        }
    }
    for (int row = 0; row < 2; ++row) {
        m_grid->setRowHeight(row, 17);
    }
    m_grid->setFixedSize(60 * LevelsModel::kColumns + 2 * m_grid->frameWidth(),
                         2 * 17 + 2 * m_grid->frameWidth());
    layout->addWidget(m_grid);

    auto* panel = new QHBoxLayout;
    auto* label = new QLabel(QStringLiteral("Polarity"), this);
    panel->addWidget(label);
    panel->addSpacing(4);
    m_polarity = new QComboBox(this);
    m_polarity->setObjectName(QStringLiteral("Cbpolarity"));
    m_polarity->setMinimumWidth(60);
    panel->addWidget(m_polarity);
    QPushButton* zoomIn = MakeButton("Zoom in", this);
    QPushButton* zoomOut = MakeButton("Zoom out", this);
    QPushButton* zoomAll = MakeButton("Zoom all", this);
    QPushButton* print = MakeButton("Print", this);
    for (QPushButton* button : {zoomIn, zoomOut, zoomAll, print}) {
        panel->addWidget(button);
    }
    panel->addStretch(1);
    layout->addLayout(panel);

    m_chart = new QChart;
    m_chart->legend()->hide();
    m_levelAxis = new QValueAxis(m_chart);
    m_levelAxis->setTitleText(QString::fromUtf8(LevelsModel::kLevelAxisTitle));
    m_levelAxis->setRange(LevelsModel::kAxisMinimum, LevelsModel::kAxisMaximum);
    m_levelAxis->setLabelFormat(QStringLiteral("%.1f"));
    m_levelAxis->setTickCount(6);
    m_frequencyAxis = new QValueAxis(m_chart);
    m_frequencyAxis->setTitleText(QString::fromUtf8(LevelsModel::kFrequencyAxisTitle));
    // A label every 400 MHz with a grid line between: four-digit labels every 200 MHz do not fit a chart
    // of this width and were cut short.
    m_frequencyAxis->setRange(0, 2400);
    m_frequencyAxis->setTickCount(7);
    m_frequencyAxis->setMinorTickCount(1);
    m_frequencyAxis->setLabelFormat(QStringLiteral("%.0f")); // whole MHz
    m_chart->addAxis(m_levelAxis, Qt::AlignLeft);
    m_chart->addAxis(m_frequencyAxis, Qt::AlignBottom);
    m_levels = MakeSeries(m_chart, Qt::red, "Series1");
    m_levels->setPointsVisible(true);
    m_levels->setPointLabelsVisible(true);
    m_levels->setPointLabelsFormat(QStringLiteral("@xPoint"));
    m_levels->setPointLabelsClipping(false);
    m_minimum = MakeSeries(m_chart, Qt::black, "Series2");
    m_maximum = MakeSeries(m_chart, Qt::black, "Series3");
    for (QLineSeries* series : {m_levels, m_minimum, m_maximum}) {
        series->attachAxis(m_frequencyAxis);
        series->attachAxis(m_levelAxis);
    }
    m_view = new QChartView(m_chart, this);
    m_view->setObjectName(QStringLiteral("Chart1"));
    m_view->setRenderHint(QPainter::Antialiasing);
    m_view->setMinimumSize(480, 300);
    layout->addWidget(m_view, 1);
    m_crosshair = new ChartCrosshair(m_view);

    connect(zoomIn, &QPushButton::clicked, this, &LevelsWindow::ZoomIn);
    connect(zoomOut, &QPushButton::clicked, this, &LevelsWindow::ZoomOut);
    connect(zoomAll, &QPushButton::clicked, this, &LevelsWindow::ZoomAll);
    connect(print, &QPushButton::clicked, this, &LevelsWindow::Print);
    connect(m_polarity, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (m_showing || !m_model.ChoosePolarity(index)) {
            return;
        }
        ShowLevels();
        if (polarityChanged) {
            polarityChanged();
        }
    });
    InstallHelpKey(this);
    ShowModel();
    resize(560, 480);
}

void LevelsWindow::SetProject(Tproyecto* project) {
    m_model.SetProject(project);
    if (project == nullptr) {
        ShowModel();
    }
}

void LevelsWindow::ShowPin(TPin& pin) {
    m_chart->zoomReset();
    m_crosshair->Hide();
    m_model.ShowPin(pin);
    ShowModel();
    if (isHidden()) {
        show();
    }
    raise();
}

void LevelsWindow::Refresh() {
    m_model.Refresh();
    ShowLevels();
}

void LevelsWindow::Forget() {
    m_model.Forget();
    ShowModel();
    hide();
}

void LevelsWindow::ShowModel() {
    m_showing = true;
    m_polarity->clear();
    for (const std::string& item : m_model.PolarityItems()) {
        m_polarity->addItem(QString::fromStdString(item));
    }
    m_polarity->setEnabled(m_model.PolarityEnabled());
    m_showing = false;
    ShowLevels();
    setWindowTitle(QString::fromStdString(m_model.Caption()));
}

void LevelsWindow::ShowLevels() {
    m_showing = true;
    m_polarity->setCurrentIndex(m_model.PolarityEnabled() ? m_model.SelectedPolarity() : -1);
    m_showing = false;
    for (int row = 0; row < 2; ++row) {
        for (int column = 0; column < LevelsModel::kColumns; ++column) {
            m_grid->item(row, column)->setText(QString::fromStdString(m_model.Cell(row, column)));
        }
    }
    Fill(m_levels, m_model.LevelPoints());
    Fill(m_minimum, m_model.MinimumLine());
    Fill(m_maximum, m_model.MaximumLine());
    m_levelAxis->setRange(LevelsModel::kAxisMinimum, LevelsModel::kAxisMaximum);
}

QString LevelsWindow::HintAt(const QPoint& viewPoint) {
    return m_crosshair->MoveTo(viewPoint);
}

void LevelsWindow::ZoomIn() {
    m_chart->zoom(1.1);
}

void LevelsWindow::ZoomOut() {
    m_chart->zoom(0.9);
}

void LevelsWindow::ZoomAll() {
    m_chart->zoomReset();
}

void LevelsWindow::Print() {
    QPrinter* printer = choosePrinter ? choosePrinter() : nullptr;
    if (printer != nullptr) {
        PrintTo(*printer);
    }
}

bool LevelsWindow::PrintTo(QPrinter& printer) {
    QPainter painter;
    if (!painter.begin(&printer)) {
        return false;
    }
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(12);
    painter.setFont(font);
    const QRect page = painter.viewport();
    const int line = painter.fontMetrics().height();
    painter.drawText(QRect(0, line, page.width(), line), Qt::AlignHCenter | Qt::AlignTop,
                     QString::fromStdString(m_model.PrintTitle()));
    m_crosshair->Hide();
    const QRectF target(page.width() / 20.0, 3.0 * line, page.width() - page.width() / 10.0,
                        page.height() - 6.0 * line);
    m_view->render(&painter, target);
    return painter.end();
}

void LevelsWindow::closeEvent(QCloseEvent* event) {
    m_crosshair->Hide();
    m_model.Forget();
    ShowModel();
    QWidget::closeEvent(event);
}

} // namespace ixo
