#include "ui/project/wizard_model.h"

#include <algorithm>

namespace ixo {
namespace {

constexpr std::int32_t kMaxFlatsInGrid = kMaxFlatsPerFloor;

} // namespace

WizardModel::WizardModel() {
    m_results.Npolaridades = 4;
    m_results.Nverticales = 1;
    m_results.Nplantas = 1;
    m_results.VertHeader = 1;
    m_results.Nviv = 1;
    m_results.TipoDistribucionCab = 1;
    m_results.TipoDistribucionViv = 0;
    m_results.NoutletViv = 1;
    RebuildGrid();
}

const std::vector<std::string>& WizardModel::PolarityItems() {
    static const std::vector<std::string> items = {"4", "8", "12", "16"};
    return items;
}

bool WizardModel::IntegerKeyAccepted(char32_t key) {
    if (key == U'\r') {
        return false;
    }
    return (key >= U'0' && key <= U'9') || key == U'-' || key < 0x20 || key == 0x7F;
}

void WizardModel::ChoosePolarity(int index) {
    const auto& items = PolarityItems();
    if (index < 0 || index >= static_cast<int>(items.size())) {
        return;
    }
    m_polarityIndex = index;
    const std::optional<std::int32_t> value = ParseWizardInteger(items[static_cast<std::size_t>(index)]);
    m_results.Npolaridades = value ? *value : 4 * index + 4;
}

void WizardModel::ChooseStairs(int index) {
    if (index < 0 || index >= kMaxStairs) {
        return;
    }
    m_results.Nverticales = index + 1;
    RebuildHeadendList();
}

// The headend list offers one item per stair; the choice stays when still offered, else falls on the
// last stair.
void WizardModel::RebuildHeadendList() {
    const int selected = m_results.VertHeader - 1;
    int index = selected;
    if (selected < 0) {
        index = 0;
    } else if (selected >= m_results.Nverticales) {
        index = m_results.Nverticales - 1;
    }
    m_results.VertHeader = index + 1;
}

void WizardModel::ChooseHeadend(int index) {
    if (index >= 0 && index < m_results.Nverticales) {
        m_results.VertHeader = index + 1;
    }
}

void WizardModel::ChooseOutlets(int index) {
    if (index >= 0 && index < kMaxOutletsPerFlat) {
        m_results.NoutletViv = index + 1;
    }
}

void WizardModel::ChooseDistribution(int index) {
    if (index == 0 || index == 1) {
        m_results.TipoDistribucionViv = index;
    }
}

void WizardModel::ChooseTopology(int topology) {
    if (topology == 0 || topology == 1) {
        m_results.TipoDistribucionCab = TopologyForFlats(topology, m_results.Nviv);
    }
}

WizardModel::FieldCheck WizardModel::LeaveFloors(std::string_view text) {
    const std::optional<std::int32_t> value = ParseWizardInteger(text);
    if (value && *value >= kMinFloors && *value <= kMaxFloors) {
        m_results.Nplantas = *value;
        return {true, {}, std::to_string(*value)};
    }
    return {false, FloorsRangeMessage(), std::string(text)};
}

WizardModel::FieldCheck WizardModel::LeaveFlats(std::string_view text) {
    const std::optional<std::int32_t> value = ParseWizardInteger(text);
    if (!value) {
        return {false, NotAnIntegerMessage(text), std::string(text)};
    }
    if (*value <= 0) {
        // Not a building: the edit gets the total back, without a message.
        return {false, {}, std::to_string(m_results.Nviv)};
    }
    m_results.Nviv = *value;
    m_results.TipoDistribucionCab = TopologyForFlats(m_results.TipoDistribucionCab, *value);
    return {true, {}, std::to_string(*value)};
}

WizardModel::Outcome WizardModel::Next(std::string_view floorsText, std::string_view flatsText) {
    if (m_page == Page::First) {
        const FieldCheck floors = LeaveFloors(floorsText);
        if (!floors.accepted) {
            return {Move::Stay, floors.message};
        }
        const FieldCheck flats = LeaveFlats(flatsText);
        if (!flats.accepted) {
            return {Move::Stay, flats.message};
        }
        m_page = Page::Grid;
        RebuildGrid();
        return {Move::ShowGrid, {}};
    }
    Outcome outcome = ValidateGrid();
    if (outcome.move != Move::Finish) {
        RebuildGrid();
        outcome.move = Move::ShowGrid;
    }
    return outcome;
}

WizardModel::Outcome WizardModel::Back() {
    if (m_page == Page::Grid) {
        m_page = Page::First;
        return {Move::ShowFirst, {}};
    }
    return {Move::Stay, {}};
}

std::string WizardModel::RowTitle(int floorsShown, int row) {
    // The grid's first row holds the titles: data row `row` (0 = top) is floor floorsShown - row.
    return "Floor  " + std::to_string(floorsShown - row);
}

std::string WizardModel::ColumnTitle(int column) {
    return "Stair " + std::to_string(column + 1);
}

// Stair column c (0 = stair 1) is stored as array number (count - 1 - c); entry 0 is the top floor.
std::vector<std::int32_t>& WizardModel::StoredFloors(int column) {
    return m_results.DisViv[static_cast<std::size_t>(m_results.Nverticales - 1 - column)];
}

void WizardModel::RebuildGrid() {
    m_results.DisViv.resize(static_cast<std::size_t>(m_results.Nverticales));
    for (auto& floors : m_results.DisViv) {
        floors.resize(static_cast<std::size_t>(m_results.Nplantas), 0);
    }
    m_cells.assign(static_cast<std::size_t>(m_results.Nplantas),
                   std::vector<std::string>(static_cast<std::size_t>(m_results.Nverticales)));
    for (int row = 0; row < m_results.Nplantas; ++row) {
        for (int column = 0; column < m_results.Nverticales; ++column) {
            m_cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] =
                std::to_string(StoredFloors(column)[static_cast<std::size_t>(row)]);
        }
    }
}

const std::string& WizardModel::CellText(int row, int column) const {
    return m_cells.at(static_cast<std::size_t>(row)).at(static_cast<std::size_t>(column));
}

void WizardModel::SetCellText(int row, int column, std::string_view text) {
    m_cells.at(static_cast<std::size_t>(row)).at(static_cast<std::size_t>(column)) = std::string(text);
}

bool WizardModel::LeaveCell(int row, int column) {
    const std::optional<std::int32_t> value = ParseWizardInteger(CellText(row, column));
    if (!value) {
        return false;
    }
    StoredFloors(column).at(static_cast<std::size_t>(row)) = *value;
    return true;
}

WizardModel::Outcome WizardModel::ValidateGrid() {
    bool valid = true;
    long long total = 0;
    std::string badCell;
    for (int row = 0; row < m_results.Nplantas; ++row) {
        for (int column = 0; column < m_results.Nverticales; ++column) {
            const std::optional<std::int32_t> value = ParseWizardInteger(CellText(row, column));
            const std::int32_t flats = value ? *value : 0;
            valid = valid && value.has_value();
            // A floor holds from 0 to 64 flats: a negative count would make the totals agree on a
            // building that does not exist, and a larger one is beyond what can be designed.
            if (value && (flats < 0 || flats > kMaxFlatsInGrid) && badCell.empty()) {
                badCell = ColumnTitle(column) + ", floor " + std::to_string(m_results.Nplantas - row) + ": " +
                          std::to_string(flats) + " flats. A floor holds from 0 to " +
                          std::to_string(kMaxFlatsInGrid) + " flats";
            }
            StoredFloors(column)[static_cast<std::size_t>(row)] = flats;
            total += flats;
        }
    }
    if (total != m_results.Nviv) {
        return {Move::Stay, FlatsTotalMessage(total, m_results.Nviv)};
    }
    if (!badCell.empty()) {
        return {Move::Stay, badCell};
    }
    const long long outlets = total * m_results.NoutletViv;
    if (outlets > kMaxOutletsPerBuilding) {
        return {Move::Stay, "The building would have " + std::to_string(outlets) +
                                " outlets. The most a project can hold is " +
                                std::to_string(kMaxOutletsPerBuilding)};
    }
    if (!valid) {
        return {Move::Stay, {}};
    }
    return {Move::Finish, {}};
}

} // namespace ixo
