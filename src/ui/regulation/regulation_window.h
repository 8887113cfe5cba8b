#pragma once

// The regulation window of an amplifier (with its partners) or a multiswitch: a row of vertical sliders
// (gain and slope controls, the terrestrial mode or attenuator), the chart of the outputs against the
// maximum-output line, "Equal value", zoom, Ok and Cancel. Every move recalculates the network; Ok makes
// the regulation one step of the edit history, Cancel (or closing) puts everything back. Its rules are
// RegulationModel's; the window only shows them.
#include "ui/regulation/regulation_model.h"

#include <QDialog>

#include <functional>
#include <memory>
#include <vector>

class QChart;
class QChartView;
class QCheckBox;
class QLabel;
class QLineSeries;
class QScrollArea;
class QSlider;
class QValueAxis;

namespace ixo {

class ChartCrosshair;

class RegulationWindow : public QDialog {
public:
    // The window on a model made for the element; OK records into editor.
    RegulationWindow(std::unique_ptr<RegulationModel> model, NetworkEditor& editor, QWidget* parent);
    ~RegulationWindow() override;

    RegulationModel& Model() const { return *m_model; }
    QSlider* Slider(std::size_t index) const { return m_sliders.at(index); }
    QLabel* SliderLabel(std::size_t index) const { return m_labels.at(index); }
    std::size_t SliderCount() const { return m_sliders.size(); }
    QCheckBox* EqualValue() const { return m_equal; }
    QChartView* ChartView() const { return m_view; }
    QChart* Chart() const { return m_chart; }
    QValueAxis* LevelAxis() const { return m_levelAxis; }
    // The output lines then the maximum line, as drawn.
    const std::vector<QLineSeries*>& Series() const { return m_series; }
    QString HintAt(const QPoint& viewPoint);
    void ZoomIn();
    void ZoomOut();
    void ZoomAll();

    // After every move (the network's levels and outlet check changed): the main window's status bar
    // and error list follow.
    std::function<void()> levelsChanged;

    void accept() override;
    void reject() override;

private:
    void BuildSliders();
    void PlaceSliders();
    void SliderMoved(std::size_t index, int value);
    void ShowPositions();
    void ShowChart();

    std::unique_ptr<RegulationModel> m_model;
    NetworkEditor& m_editor;
    QScrollArea* m_panel = nullptr;
    QWidget* m_sliderArea = nullptr;
    std::vector<QSlider*> m_sliders;
    std::vector<QLabel*> m_labels;
    std::vector<QLabel*> m_values;
    QCheckBox* m_equal = nullptr;
    QChart* m_chart = nullptr;
    QChartView* m_view = nullptr;
    QValueAxis* m_levelAxis = nullptr;
    QValueAxis* m_frequencyAxis = nullptr;
    std::vector<QLineSeries*> m_series;
    ChartCrosshair* m_crosshair = nullptr;
    bool m_busy = false; // the window itself moves the sliders
    bool m_done = false; // Ok or Cancel ran
};

} // namespace ixo
