#include "ui/print/print_preview_rules.h"

#include <algorithm>

namespace ixo {

void PrintPreviewRules::SetPainted(bool drawingSet, int pages) {
    m_drawingSet = drawingSet;
    m_pages = std::max(0, pages);
    SetCurrentPage(m_current);
}

void PrintPreviewRules::SetCurrentPage(int page) {
    m_current = m_pages == 0 ? 0 : std::clamp(page, 1, m_pages);
}

std::string PrintPreviewRules::Title() const {
    if (!m_drawingSet) {
        return "Print preview - one sheet";
    }
    return "Print preview - drawing set, " + std::to_string(m_pages) + (m_pages == 1 ? " page" : " pages");
}

std::string PrintPreviewRules::PageLine() const {
    if (m_pages == 0) {
        return {};
    }
    return "Page " + std::to_string(m_current) + " of " + std::to_string(m_pages);
}

} // namespace ixo
