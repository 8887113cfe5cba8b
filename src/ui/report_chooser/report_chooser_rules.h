#pragma once

// The rules of the report chooser "Create reports": one item per report, the first selected at first;
// the chosen report follows the selection (none: -1) and a double click on an item chooses it.
#include <span>
#include <string_view>

namespace ixo {

class ReportChooserRules {
public:
    static constexpr std::string_view kCaption = "Create reports";

    ReportChooserRules();

    // The reports offered, in report order (their index is the report's number).
    static std::span<const std::string_view> Names();

    int Chosen() const { return m_chosen; }
    // The list's selection moved to item index (-1: nothing selected).
    void Select(int index);
    // A double click on item index: true when it chooses a report (and closes with OK).
    bool DoubleClick(int index);
    // OK goes on only with a report chosen.
    bool CanAccept() const { return m_chosen >= 0; }

private:
    int m_chosen = 0;
};

} // namespace ixo
