#pragma once

// What the print preview says about the pages it shows before they are printed: its title names them as
// Print will print them ("Print preview - drawing set, 24 pages", "Print preview - one sheet"), and its
// page line follows the page on view ("Page 3 of 24").
#include <string>

namespace ixo {

class PrintPreviewRules {
public:
    // The pages as last painted for the preview: the drawing set or one sheet, and how many pages.
    void SetPainted(bool drawingSet, int pages);
    // The page on view, 1-based; kept within the pages painted.
    void SetCurrentPage(int page);

    bool DrawingSet() const { return m_drawingSet; }
    int Pages() const { return m_pages; }
    int CurrentPage() const { return m_current; }
    std::string Title() const;
    // Empty before anything is painted.
    std::string PageLine() const;

private:
    bool m_drawingSet = false;
    int m_pages = 0;
    int m_current = 0;
};

} // namespace ixo
