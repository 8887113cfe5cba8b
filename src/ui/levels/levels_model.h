#pragma once

// The rules of the levels window: what it shows of one pin (the caption, the grid of frequencies and
// levels, the points of the level line and, for an outlet, the minimum and maximum limits as steps), the
// polarity box of an outlet's flat and what choosing a polarity does, the crosshair's hint and the
// printed title. The levels come from the network as it stands; a polarity change goes to the core's
// SeleccionarPolaridad, which recomputes the flat's levels. The window only shows these.
#include "model/level_vector.h"

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace ixo {

class TPin;
class Tproyecto;

struct ChartPoint {
    double x = 0; // MHz
    double y = 0; // dBµV
    bool operator==(const ChartPoint&) const = default;
};

class LevelsModel {
public:
    static constexpr int kColumns = 8;
    static constexpr double kAxisMinimum = -30.0; // dBµV
    static constexpr double kAxisMaximum = 120.0;
    static constexpr const char* kLevelAxisTitle = "Level (dBuV)";
    static constexpr const char* kFrequencyAxisTitle = "Frequency (MHz)";

    void SetProject(Tproyecto* project);
    Tproyecto* Project() const { return m_project; }

    // Shows the pin's levels (the window shows itself when hidden).
    void ShowPin(TPin& pin);
    // Reads the shown pin's levels again (after a change that keeps the network's elements, such as a
    // regulation or an undo that keeps the pin).
    void Refresh();
    // Closing the window, or a change that may free the pin: forgets the project, pin and places.
    void Forget();

    TPin* Pin() const { return m_pin; }
    bool IsOutlet() const { return m_outlet; }
    const std::string& Caption() const { return m_caption; }

    // The grid: row 0 the frequencies of bands 1 to 7 in columns 1 to 7, row 1 the levels with one
    // decimal; column 0 names the rows.
    std::string Cell(int row, int column) const;

    // The level line: bands 1 to 7 (47 MHz is not drawn). Empty without a pin.
    const std::vector<ChartPoint>& LevelPoints() const { return m_levelPoints; }
    // The limits of an outlet as steps changing between 862 and 862.1 MHz; empty for other pins.
    const std::vector<ChartPoint>& MinimumLine() const { return m_minimum; }
    const std::vector<ChartPoint>& MaximumLine() const { return m_maximum; }

    // The polarity box: "1" to Npolaridades, enabled for an outlet with a polarity pin, its selection the
    // index of that pin's polarity (-1 for none).
    const std::vector<std::string>& PolarityItems() const { return m_polarities; }
    bool PolarityEnabled() const { return m_polarityPin != nullptr; }
    int SelectedPolarity() const { return m_selectedPolarity; }
    // Chooses polarity index for the outlet's flat; the network's levels follow at once and the shown
    // levels are read again. False (nothing changed) without a polarity pin or for an index outside the
    // box.
    [[nodiscard]] bool ChoosePolarity(int index);

    // The printed title: the caption, and the polarity when the box offers one.
    std::string PrintTitle() const;

private:
    void Read();
    void MakeCaption();

    Tproyecto* m_project = nullptr;
    TPin* m_pin = nullptr;
    TPin* m_polarityPin = nullptr;
    bool m_outlet = false;
    LevelVector m_levels;
    std::string m_caption = "LEVELS";
    std::vector<ChartPoint> m_levelPoints;
    std::vector<ChartPoint> m_minimum;
    std::vector<ChartPoint> m_maximum;
    std::vector<std::string> m_polarities;
    int m_selectedPolarity = -1;
};

} // namespace ixo
