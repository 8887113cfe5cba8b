#pragma once

// The rules of the level dialog of the signal sources: for a dish the satellite bands (4 to 7) of each
// of its outputs, for the terrestrial headend the terrestrial bands 1 to 3 of its output; the checks made
// when the user moves between cells and leaves the grid, and the levels handed back on OK. Levels are
// 0 to 125 dBuV. OK either returns every level or none: a bad cell changes nothing.
#include "model/level_vector.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ixo {

class InputLevelModel {
public:
    enum class Source { Dish, TerrestrialHeadend };
    static constexpr double kMinimumLevel = 0.0;
    static constexpr double kMaximumLevel = 125.0;
    // The terrestrial headend always delivers this level in band 0.
    static constexpr double kHeadendBand0 = 90.0;
    static constexpr std::size_t kMaxDishOutputs = 4;
    static constexpr std::string_view kLabel = "Levels (dbuV)";
    static constexpr std::string_view kErrorCaption = "Error";

    struct Check {
        bool accepted = true;
        std::string message; // shown with caption "Error" when not empty
    };

    explicit InputLevelModel(char decimalSeparator = '.') : m_separator(decimalSeparator) {}

    // SetMode: the caption and the grid's shape for a dish or the terrestrial headend.
    void SetMode(Source source);
    Source Mode() const { return m_source; }
    std::string Caption() const;
    // The bands shown as columns: 4 to 7 for a dish, 1 to 3 for the terrestrial headend.
    std::vector<std::size_t> Bands() const;
    // Column titles: the frequencies of the bands in MHz.
    std::vector<std::string> ColumnTitles() const;
    int Rows() const { return static_cast<int>(m_cells.size()); }
    int Columns() const { return static_cast<int>(Bands().size()); }

    // The terrestrial headend's output levels; the value row shows bands 1 to 3.
    void SetHeadendLevels(const LevelVector& levels);
    // The dish's output levels, one vector per output (at most four are shown); row i shows bands 4 to 7
    // of output i.
    void SetDishLevels(const std::vector<LevelVector>& levels);

    const std::string& CellText(int row, int column) const;
    void SetCellText(int row, int column, std::string_view text);
    // Moving to another cell: refused while the cell is not a number (no message), refused with the range
    // message while it is outside 0 to 125.
    Check LeaveCell(int row, int column) const;
    // Leaving the grid: a cell that is not a number gives " is not a valid float value.", one outside the
    // range the range message.
    Check LeaveGrid(int row, int column) const;

    // OK: every cell is checked first; on the first bad cell the levels stay as they were and the
    // check's message says why. Otherwise the levels with the cells written into their bands (band 0 of
    // the terrestrial headend := 90), other bands as they were.
    Check Accept();
    const std::vector<LevelVector>& Levels() const { return m_levels; }

private:
    std::optional<double> CellValue(int row, int column) const;
    std::string RangeMessage() const;
    void FillCells();

    char m_separator;
    Source m_source = Source::Dish;
    std::vector<LevelVector> m_levels;             // one per output (one for the terrestrial headend)
    std::vector<std::vector<std::string>> m_cells; // [row][column]
};

} // namespace ixo
