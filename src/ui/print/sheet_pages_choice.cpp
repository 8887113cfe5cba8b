#include "ui/print/sheet_pages_choice.h"

namespace ixo {

const std::vector<std::string>& SheetPagesChoice::Items() {
    static const std::vector<std::string> items = {"One sheet where it can be read, else a drawing set",
                                                   "One sheet", "Drawing set: the headend, then each stair"};
    return items;
}

void SheetPagesChoice::SetIndex(int index) {
    if (index >= 0 && index < static_cast<int>(Items().size())) {
        m_pages = static_cast<SheetPages>(index);
    }
}

bool SheetPagesChoice::UsesSet(TpadreGraficosMS& schematic, const DrawingSetOptions& options) const {
    switch (m_pages) {
    case SheetPages::Single:
        return false;
    case SheetPages::PerStair:
        return true;
    case SheetPages::Readable:
        break;
    }
    return !SingleSheetReadable(schematic, options);
}

} // namespace ixo
