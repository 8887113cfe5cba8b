#pragma once

// The rules of the new-project wizard, without its widgets: the fields of the first page, the grid of
// flats per floor on the second, the checks made when an edit is left, Next and Back, and the results
// handed to the new project. The wizard dialog only shows this state and forwards what the user does.
#include "settings/wizard_results.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ixo {

class WizardModel {
public:
    enum class Page { First = 0, Grid = 1 };
    // What Next or Back asks the dialog to do.
    enum class Move { Stay, ShowFirst, ShowGrid, Finish };
    struct Outcome {
        Move move = Move::Stay;
        std::string message; // an error to show ("Error", error icon); empty for none
    };
    // The result of leaving an edit of the first page.
    struct FieldCheck {
        bool accepted = true;
        std::string message;     // shown with caption "Error" when not empty
        std::string replacement; // the text the edit shows afterwards
    };

    // The values a new wizard starts with: 4 polarities, one stair of one floor with one flat of one
    // outlet in star, cascadeable headend on stair 1.
    WizardModel();

    static constexpr std::string_view kCaption = "Wizard";
    static constexpr std::string_view kErrorCaption = "Error";
    // The polarity items and their values.
    static const std::vector<std::string>& PolarityItems();
    // Digits, "-" and control characters other than carriage return pass the edits' and grid's filter.
    static bool IntegerKeyAccepted(char32_t key);

    Page CurrentPage() const { return m_page; }
    int PolarityIndex() const { return m_polarityIndex; }
    int StairsIndex() const { return m_results.Nverticales - 1; }
    int HeadendIndex() const { return m_results.VertHeader - 1; }
    int HeadendItemCount() const { return m_results.Nverticales; }
    int OutletsIndex() const { return m_results.NoutletViv - 1; }
    int DistributionIndex() const { return m_results.TipoDistribucionViv; }
    int Topology() const { return m_results.TipoDistribucionCab; }
    int Floors() const { return m_results.Nplantas; }
    int Flats() const { return m_results.Nviv; }

    void ChoosePolarity(int index);
    void ChooseStairs(int index);
    void ChooseHeadend(int index);
    void ChooseOutlets(int index);
    void ChooseDistribution(int index);
    // Stand-alone (0) is refused while the building has more flats than a stand-alone headend serves.
    void ChooseTopology(int topology);

    FieldCheck LeaveFloors(std::string_view text);
    FieldCheck LeaveFlats(std::string_view text);

    // Next on the first page checks both edits (texts as shown); on the grid page validates the grid.
    Outcome Next(std::string_view floorsText, std::string_view flatsText);
    Outcome Back();

    // The grid: rows are floors from the top one down, columns stairs from stair 1.
    int GridRows() const { return m_results.Nplantas; }
    int GridColumns() const { return m_results.Nverticales; }
    static std::string RowTitle(int floorsShown, int row);
    static std::string ColumnTitle(int column);
    const std::string& CellText(int row, int column) const;
    void SetCellText(int row, int column, std::string_view text);
    // Moving away from a cell: refused while it is empty or not a whole number; else stored.
    bool LeaveCell(int row, int column);

    // What the wizard hands to the new project.
    const WizardResults& Results() const { return m_results; }

private:
    void RebuildHeadendList();
    void RebuildGrid();
    std::vector<std::int32_t>& StoredFloors(int column);
    Outcome ValidateGrid();

    Page m_page = Page::First;
    int m_polarityIndex = 0;
    WizardResults m_results;
    std::vector<std::vector<std::string>> m_cells; // [row][column]
};

} // namespace ixo
