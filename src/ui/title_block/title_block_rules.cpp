#include "ui/title_block/title_block_rules.h"

#include "ui/dialogs/number_keys.h"

namespace ixo {

const std::array<TitleBlockCell, TitleBlock::kLineCount>& TitleBlockRules::Cells() {
    static const std::array<TitleBlockCell, TitleBlock::kLineCount> cells = {{
        {16, 16, 360, "Author:", false},
        {16, 40, 360, "", true},
        {384, 16, 97, "Date:", false},
        {384, 40, 97, "3/04/2003", true},
        {16, 80, 139, "Revisión", false},
        {16, 104, 139, "1", true},
        {160, 80, 321, "Title", false},
        {160, 104, 321, "", true},
        {160, 132, 321, "", true},
        {160, 158, 321, "", true},
    }};
    return cells;
}

TitleBlockRules::TitleBlockRules(char decimalSeparator)
    : m_separator(decimalSeparator), m_widthText("120"), m_heightText("40") {
    for (std::size_t i = 0; i < m_texts.size(); ++i) {
        m_texts[i] = std::string(Cells()[i].initialText);
    }
}

void TitleBlockRules::SetEntry(const TitleBlock& block) {
    if (block.lines.size() >= TitleBlock::kLineCount) {
        for (std::size_t i = 0; i < m_texts.size(); ++i) {
            m_texts[i] = block.lines[i];
        }
    }
    m_entryWidth = block.widthMm;
    m_entryHeight = block.heightMm;
    m_widthText = FormatOneDecimal(block.widthMm, m_separator);
    m_heightText = FormatOneDecimal(block.heightMm, m_separator);
    m_visible = block.visible;
}

void TitleBlockRules::SetText(std::size_t line, std::string text) {
    if (line < m_texts.size()) {
        m_texts[line] = std::move(text);
    }
}

bool TitleBlockRules::SizeTextAccepted(std::string_view text) const {
    return ParseDecimal(text, m_separator).has_value();
}

TitleBlock TitleBlockRules::Collect() const {
    TitleBlock block;
    block.lines.assign(m_texts.begin(), m_texts.end());
    block.widthMm = ParseDecimal(m_widthText, m_separator).value_or(m_entryWidth);
    block.heightMm = ParseDecimal(m_heightText, m_separator).value_or(m_entryHeight);
    block.visible = m_visible;
    return block;
}

} // namespace ixo
