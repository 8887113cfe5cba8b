#pragma once

// The rules of the project information dialog, which edits the title block: ten cells (five of them
// captions the user may reword), the size in millimetres and the visibility.
#include "editing/title_block_edit.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace ixo {

// Where a cell's box sits in the dialog (pixels in the cells' frame) and whether Tab stops at it.
struct TitleBlockCell {
    int left = 0;
    int top = 0;
    int width = 0;
    std::string_view initialText;
    bool tabStop = true;
};

class TitleBlockRules {
public:
    static constexpr std::string_view kCaption = "Project information";
    static constexpr int kCellHeight = 21;

    // The ten cells in line order: author caption and author, date caption and date, revision caption
    // and revision, title caption and the three title lines.
    static const std::array<TitleBlockCell, TitleBlock::kLineCount>& Cells();

    explicit TitleBlockRules(char decimalSeparator);

    // The values on entry. Lines: shown in the boxes when there are at least ten (the first ten); a
    // shorter list leaves the boxes at their initial texts.
    void SetEntry(const TitleBlock& block);

    const std::array<std::string, TitleBlock::kLineCount>& Texts() const { return m_texts; }
    void SetText(std::size_t line, std::string text);
    const std::string& WidthText() const { return m_widthText; }
    const std::string& HeightText() const { return m_heightText; }
    void SetWidthText(std::string text) { m_widthText = std::move(text); }
    void SetHeightText(std::string text) { m_heightText = std::move(text); }
    bool Visible() const { return m_visible; }
    void SetVisible(bool visible) { m_visible = visible; }

    // A size box may be left only holding a number.
    bool SizeTextAccepted(std::string_view text) const;
    // OK: exactly the ten box texts, the sizes as typed (a size that is not a number keeps its value on
    // entry; zero and negative sizes are stored as typed) and the visibility.
    TitleBlock Collect() const;

    char DecimalSeparator() const { return m_separator; }

private:
    char m_separator;
    std::array<std::string, TitleBlock::kLineCount> m_texts;
    std::string m_widthText;
    std::string m_heightText;
    double m_entryWidth = 120.0;
    double m_entryHeight = 40.0;
    bool m_visible = true;
};

} // namespace ixo
