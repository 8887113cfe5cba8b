#include "ui/dialogs/input_level_model.h"

#include "ui/dialogs/number_keys.h"

#include <algorithm>
#include <cmath>

namespace ixo {

void InputLevelModel::SetMode(Source source) {
    m_source = source;
    if (source == Source::TerrestrialHeadend) {
        m_levels.resize(1);
    }
    FillCells();
}

std::string InputLevelModel::Caption() const {
    return m_source == Source::Dish ? "Satellite parabolic antenna input level"
                                    : "Terrestrial amplifier output level";
}

std::vector<std::size_t> InputLevelModel::Bands() const {
    if (m_source == Source::Dish) {
        return {4, 5, 6, 7};
    }
    return {1, 2, 3};
}

std::vector<std::string> InputLevelModel::ColumnTitles() const {
    std::vector<std::string> titles;
    for (const std::size_t band : Bands()) {
        titles.push_back(std::to_string(static_cast<int>(std::lround(kBandFrequenciesMHz[band]))));
    }
    return titles;
}

void InputLevelModel::SetHeadendLevels(const LevelVector& levels) {
    m_source = Source::TerrestrialHeadend;
    m_levels.assign(1, levels);
    FillCells();
}

void InputLevelModel::SetDishLevels(const std::vector<LevelVector>& levels) {
    m_source = Source::Dish;
    m_levels.assign(levels.begin(),
                    levels.begin() + static_cast<std::ptrdiff_t>(std::min(levels.size(), kMaxDishOutputs)));
    FillCells();
}

void InputLevelModel::FillCells() {
    const std::vector<std::size_t> bands = Bands();
    m_cells.assign(m_levels.size(), std::vector<std::string>(bands.size()));
    for (std::size_t row = 0; row < m_levels.size(); ++row) {
        for (std::size_t column = 0; column < bands.size(); ++column) {
            m_cells[row][column] = FormatOneDecimal(m_levels[row][bands[column]], m_separator);
        }
    }
}

const std::string& InputLevelModel::CellText(int row, int column) const {
    static const std::string kNone;
    if (row < 0 || row >= Rows() || column < 0 || column >= Columns()) {
        return kNone;
    }
    return m_cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

void InputLevelModel::SetCellText(int row, int column, std::string_view text) {
    if (row < 0 || row >= Rows() || column < 0 || column >= Columns()) {
        return;
    }
    m_cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = std::string(text);
}

std::optional<double> InputLevelModel::CellValue(int row, int column) const {
    return ParseDecimal(CellText(row, column), m_separator);
}

std::string InputLevelModel::RangeMessage() const {
    return " Value must be between 0 and 125";
}

InputLevelModel::Check InputLevelModel::LeaveCell(int row, int column) const {
    const std::optional<double> value = CellValue(row, column);
    if (!value.has_value()) {
        return {false, {}};
    }
    if (*value < kMinimumLevel || *value > kMaximumLevel) {
        return {false, RangeMessage()};
    }
    return {};
}

InputLevelModel::Check InputLevelModel::LeaveGrid(int row, int column) const {
    const std::optional<double> value = CellValue(row, column);
    if (!value.has_value()) {
        return {false, CellText(row, column) + " is not a valid float value."};
    }
    if (*value < kMinimumLevel || *value > kMaximumLevel) {
        return {false, RangeMessage()};
    }
    return {};
}

InputLevelModel::Check InputLevelModel::Accept() {
    for (int row = 0; row < Rows(); ++row) {
        for (int column = 0; column < Columns(); ++column) {
            const Check check = LeaveGrid(row, column);
            if (!check.accepted) {
                return check;
            }
        }
    }
    const std::vector<std::size_t> bands = Bands();
    for (int row = 0; row < Rows(); ++row) {
        LevelVector& levels = m_levels[static_cast<std::size_t>(row)];
        for (int column = 0; column < Columns(); ++column) {
            levels[bands[static_cast<std::size_t>(column)]] = *CellValue(row, column);
        }
        if (m_source == Source::TerrestrialHeadend) {
            levels[0] = kHeadendBand0;
        }
    }
    return {};
}

} // namespace ixo
