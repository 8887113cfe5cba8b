#pragma once

// How a printed or saved schematic is put on paper, as Print and Save image offer it: one sheet where
// its texts can be read on the chosen paper and a drawing set otherwise (the default), always one
// sheet, or always the drawing set (the headend, then pages per stair); and whether the set draws every
// floor or runs of floors drawn alike once.
#include "schematic/drawing_set.h"

#include <string>
#include <vector>

namespace ixo {

class TpadreGraficosMS;

enum class SheetPages { Readable, Single, PerStair };

class SheetPagesChoice {
public:
    static const std::vector<std::string>& Items();

    int Index() const { return static_cast<int>(m_pages); }
    // Out-of-range indices keep the choice.
    void SetIndex(int index);
    SheetPages Pages() const { return m_pages; }
    bool EveryFloor() const { return m_everyFloor; }
    void SetEveryFloor(bool everyFloor) { m_everyFloor = everyFloor; }

    // True when the choice gives the drawing set for schematic on the paper of options.
    bool UsesSet(TpadreGraficosMS& schematic, const DrawingSetOptions& options) const;

private:
    SheetPages m_pages = SheetPages::Readable;
    bool m_everyFloor = false;
};

} // namespace ixo
