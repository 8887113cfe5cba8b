#pragma once

// The levels window: a small tool window over the main window with the grid of a pin's levels, the
// polarity box of an outlet's flat, zoom and print buttons and the chart of level against frequency (the
// outlet's limits as black steps). Its rules are LevelsModel's; the window only shows them.
#include "ui/levels/levels_model.h"

#include <QWidget>

#include <functional>

class QComboBox;
class QLineSeries;
class QPrinter;
class QPushButton;
class QTableWidget;
class QValueAxis;
class QChart;
class QChartView;

namespace ixo {

class ChartCrosshair;

class LevelsWindow : public QWidget {
public:
    explicit LevelsWindow(QWidget* parent);

    void SetProject(Tproyecto* project);
    // Shows the pin's levels; shows the window when hidden.
    void ShowPin(TPin& pin);
    // Reads the shown pin's levels again (after a regulation, say).
    void Refresh();
    // Forgets the pin (it may be freed by an edit) and hides the window.
    void Forget();

    const LevelsModel& Model() const { return m_model; }
    QTableWidget* Grid() const { return m_grid; }
    QComboBox* PolarityBox() const { return m_polarity; }
    QChartView* ChartView() const { return m_view; }
    QLineSeries* LevelSeries() const { return m_levels; }
    QLineSeries* MinimumSeries() const { return m_minimum; }
    QLineSeries* MaximumSeries() const { return m_maximum; }
    QValueAxis* LevelAxis() const { return m_levelAxis; }
    QValueAxis* FrequencyAxis() const { return m_frequencyAxis; }
    // The crosshair's hint at a point of the view (empty outside the plot).
    QString HintAt(const QPoint& viewPoint);

    // Zoom in (110 %), zoom out (90 %), zoom all.
    void ZoomIn();
    void ZoomOut();
    void ZoomAll();
    // Print: the printer set up by the main window's print dialog (null: cancelled).
    std::function<QPrinter*()> choosePrinter;
    void Print();
    // The title and the chart on the printer's page; false when painting could not begin.
    bool PrintTo(QPrinter& printer);
    // After a polarity change: the network's levels changed (the main window marks and repaints).
    std::function<void()> polarityChanged;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void ShowModel();
    void ShowLevels();

    LevelsModel m_model;
    QTableWidget* m_grid = nullptr;
    QComboBox* m_polarity = nullptr;
    QChart* m_chart = nullptr;
    QChartView* m_view = nullptr;
    QLineSeries* m_levels = nullptr;
    QLineSeries* m_minimum = nullptr;
    QLineSeries* m_maximum = nullptr;
    QValueAxis* m_levelAxis = nullptr;
    QValueAxis* m_frequencyAxis = nullptr;
    ChartCrosshair* m_crosshair = nullptr;
    bool m_showing = false;
};

} // namespace ixo
