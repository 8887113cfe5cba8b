#pragma once

// The window's open design: the project, its schematic and its edit history. Empty when no project is
// open; a project can be open without a schematic (an installation that was not built).
#include <memory>

namespace ixo {

class NetworkEditor;
class TpadreGraficosMS;
class Tproyecto;

struct OpenDesign {
    OpenDesign();
    ~OpenDesign();
    OpenDesign(const OpenDesign&) = delete;
    OpenDesign& operator=(const OpenDesign&) = delete;

    std::unique_ptr<Tproyecto> project;
    std::unique_ptr<TpadreGraficosMS> schematic;
    std::unique_ptr<NetworkEditor> editor;
    bool open = false;

    // Frees everything: the history first (it points into the project), the schematic, the project.
    void Free();
    // The schematic made again from the project (after an edit) with the outlets' error colours.
    void RebuildSchematic();
};

} // namespace ixo
