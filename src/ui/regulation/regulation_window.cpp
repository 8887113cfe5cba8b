#include "ui/regulation/regulation_window.h"

#include "ui/charts/chart_crosshair.h"
#include "ui/main/help_key.h"

#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QScrollArea>
#include <QSlider>
#include <QVBoxLayout>
#include <QValueAxis>

namespace ixo {

namespace {

QColor ColourOf(const std::string& name) {
    return QColor::fromRgb(static_cast<QRgb>(RegulationModel::ColourOf(name)));
}

constexpr int kPanelHeight = 175;

} // namespace

RegulationWindow::RegulationWindow(std::unique_ptr<RegulationModel> model, NetworkEditor& editor,
                                   QWidget* parent)
    : QDialog(parent), m_model(std::move(model)), m_editor(editor) {
    setObjectName(QStringLiteral("TFampli"));
    setWindowTitle(QString::fromStdString(m_model->Caption()));
    auto* layout = new QVBoxLayout(this);

    m_panel = new QScrollArea(this);
    m_panel->setObjectName(QStringLiteral("Panel1"));
    m_panel->setFixedHeight(kPanelHeight);
    m_panel->setWidgetResizable(false);
    m_panel->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_panel->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_sliderArea = new QWidget;
    m_panel->setWidget(m_sliderArea);
    layout->addWidget(m_panel);

    m_chart = new QChart;
    m_levelAxis = new QValueAxis(m_chart);
    m_levelAxis->setTitleText(QString::fromUtf8(RegulationModel::kLevelAxisTitle));
    m_levelAxis->setRange(RegulationModel::kAxisMinimum, RegulationModel::kAxisMaximum);
    m_levelAxis->setLabelFormat(QStringLiteral("%.1f"));
    m_levelAxis->setTickCount(7);
    m_frequencyAxis = new QValueAxis(m_chart);
    m_frequencyAxis->setTitleText(QString::fromUtf8(RegulationModel::kFrequencyAxisTitle));
    m_frequencyAxis->setRange(0, 2200);
    m_frequencyAxis->setTickCount(12);
    m_frequencyAxis->setLabelFormat(QStringLiteral("%.0f")); // whole MHz: the labels fit their room
    m_chart->addAxis(m_levelAxis, Qt::AlignLeft);
    m_chart->addAxis(m_frequencyAxis, Qt::AlignBottom);
    m_chart->legend()->setAlignment(Qt::AlignRight);
    m_view = new QChartView(m_chart, this);
    m_view->setObjectName(QStringLiteral("Chart1"));
    m_view->setRenderHint(QPainter::Antialiasing);
    m_view->setMinimumSize(560, 320);
    layout->addWidget(m_view, 1);
    m_crosshair = new ChartCrosshair(m_view);

    auto* row = new QHBoxLayout;
    m_equal = new QCheckBox(QString::fromUtf8(RegulationModel::kEqualValue), this);
    m_equal->setObjectName(QStringLiteral("CBIgualpol"));
    m_equal->setChecked(m_model->EqualValue());
    row->addWidget(m_equal);
    row->addStretch(1);
    row->addWidget(new QLabel(QStringLiteral("Zoom"), this));
    auto* zoomIn = new QPushButton(QStringLiteral("+"), this);
    zoomIn->setObjectName(QStringLiteral("ZoomMas"));
    zoomIn->setToolTip(QStringLiteral("Zoom in"));
    auto* zoomOut = new QPushButton(QStringLiteral("-"), this);
    zoomOut->setObjectName(QStringLiteral("Zoommenos"));
    zoomOut->setToolTip(QStringLiteral("Zoom out"));
    auto* zoomAll = new QPushButton(QStringLiteral("All"), this);
    zoomAll->setObjectName(QStringLiteral("Reset1"));
    zoomAll->setToolTip(QStringLiteral("Zoom all"));
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("BCancelar"));
    auto* ok = new QPushButton(QStringLiteral("Ok"), this);
    ok->setObjectName(QStringLiteral("BOk"));
    ok->setDefault(true);
    for (QPushButton* button : {zoomIn, zoomOut, zoomAll}) {
        button->setAutoDefault(false);
        button->setFixedWidth(40);
        row->addWidget(button);
    }
    row->addSpacing(16);
    row->addWidget(cancel);
    row->addWidget(ok);
    layout->addLayout(row);

    connect(m_equal, &QCheckBox::toggled, this, [this](bool checked) { m_model->SetEqualValue(checked); });
    connect(zoomIn, &QPushButton::clicked, this, &RegulationWindow::ZoomIn);
    connect(zoomOut, &QPushButton::clicked, this, &RegulationWindow::ZoomOut);
    connect(zoomAll, &QPushButton::clicked, this, &RegulationWindow::ZoomAll);
    connect(ok, &QPushButton::clicked, this, &RegulationWindow::accept);
    connect(cancel, &QPushButton::clicked, this, &RegulationWindow::reject);
    InstallHelpKey(this);

    BuildSliders();
    resize(760, 600);
    PlaceSliders();
    ShowChart();
}

RegulationWindow::~RegulationWindow() {
    // Closed without Ok or Cancel (the window destroyed by its owner): nothing of the regulation stays.
    if (!m_done) {
        m_model->Cancel();
    }
}

void RegulationWindow::BuildSliders() {
    const auto& sliders = m_model->Sliders();
    for (std::size_t i = 0; i < sliders.size(); ++i) {
        const RegulationSlider& model = sliders[i];
        auto* label = new QLabel(QString::fromStdString(model.label), m_sliderArea);
        label->setObjectName(QString::fromStdString(model.kind == RegulationSlider::Kind::Control
                                                        ? "LTR" + model.name.substr(8)
                                                        : "LTR1000" + model.name.substr(12)));
        label->setAlignment(Qt::AlignHCenter);
        auto* slider = new QSlider(Qt::Vertical, m_sliderArea);
        slider->setObjectName(QString::fromStdString(model.name));
        slider->setRange(model.min, model.max);
        slider->setTickInterval(model.frequency);
        slider->setPageStep(model.pageSize);
        slider->setSingleStep(1);
        slider->setTickPosition(QSlider::TicksBothSides);
        slider->setInvertedAppearance(RegulationModel::TopIsMinimum(model));
        slider->setInvertedControls(RegulationModel::TopIsMinimum(model));
        slider->setFixedSize(RegulationModel::kSliderWidth, RegulationModel::kSliderHeight);
        slider->setValue(model.position);
        auto* value = new QLabel(m_sliderArea);
        value->setAlignment(Qt::AlignHCenter);
        connect(slider, &QSlider::valueChanged, this, [this, i](int position) { SliderMoved(i, position); });
        m_labels.push_back(label);
        m_sliders.push_back(slider);
        m_values.push_back(value);
    }
    ShowPositions();
}

void RegulationWindow::PlaceSliders() {
    const int column = m_model->ColumnWidth(m_panel->viewport()->width());
    for (std::size_t i = 0; i < m_sliders.size(); ++i) {
        const int left = static_cast<int>(i) * column;
        m_labels[i]->setGeometry(left, 4, column, 18);
        m_sliders[i]->move(left + (column - RegulationModel::kSliderWidth) / 2, 24);
        m_values[i]->setGeometry(left, 24 + RegulationModel::kSliderHeight + 2, column, 18);
    }
    m_sliderArea->resize(std::max(static_cast<int>(m_sliders.size()) * column, m_panel->viewport()->width()),
                         kPanelHeight - 20);
}

void RegulationWindow::SliderMoved(std::size_t index, int value) {
    if (m_busy || m_done) {
        return;
    }
    m_model->MoveSlider(index, value);
    ShowPositions();
    ShowChart();
    if (levelsChanged) {
        levelsChanged();
    }
}

void RegulationWindow::ShowPositions() {
    m_busy = true;
    const auto& sliders = m_model->Sliders();
    for (std::size_t i = 0; i < m_sliders.size(); ++i) {
        m_sliders[i]->setValue(sliders[i].position);
        const QString value = QString::fromStdString(m_model->ValueText(i));
        m_values[i]->setText(value);
        m_sliders[i]->setToolTip(m_labels[i]->text() + QStringLiteral(": ") + value);
    }
    m_busy = false;
}

void RegulationWindow::ShowChart() {
    std::vector<RegulationLine> lines = m_model->Lines();
    lines.push_back(m_model->MaximumLine());
    // The same lines every time (the same pins): their points are replaced, the series kept.
    if (m_series.size() != lines.size()) {
        for (QLineSeries* series : m_series) {
            m_chart->removeSeries(series);
            delete series;
        }
        m_series.clear();
        for (const RegulationLine& line : lines) {
            auto* series = new QLineSeries(m_chart);
            series->setName(QString::fromStdString(line.title));
            QPen pen(ColourOf(line.colour));
            pen.setWidth(line.colour == "black" ? 2 : 1);
            series->setPen(pen);
            series->setPointsVisible(true);
            m_chart->addSeries(series);
            series->attachAxis(m_frequencyAxis);
            series->attachAxis(m_levelAxis);
            m_series.push_back(series);
        }
    }
    for (std::size_t i = 0; i < lines.size(); ++i) {
        QList<QPointF> points;
        for (std::size_t band = 1; band < kBandCount; ++band) {
            if (lines[i].shown[band - 1]) {
                points.append(QPointF(kBandFrequenciesMHz[band], lines[i].levels[band - 1]));
            }
        }
        m_series[i]->replace(points);
    }
}

QString RegulationWindow::HintAt(const QPoint& viewPoint) {
    return m_crosshair->MoveTo(viewPoint);
}

void RegulationWindow::ZoomIn() {
    m_chart->zoom(1.1);
}

void RegulationWindow::ZoomOut() {
    m_chart->zoom(0.9);
}

void RegulationWindow::ZoomAll() {
    m_chart->zoomReset();
}

void RegulationWindow::accept() {
    if (!m_done) {
        m_done = true;
        m_model->Confirm(m_editor);
    }
    QDialog::accept();
}

void RegulationWindow::reject() {
    if (!m_done) {
        m_done = true;
        m_model->Cancel();
        if (levelsChanged) {
            levelsChanged();
        }
    }
    QDialog::reject();
}

} // namespace ixo
