#include "ui/project/open_design.h"

#include "building/proyecto.h"
#include "common/progress.h"
#include "editing/network_editor.h"
#include "schematic/layout.h"
#include "schematic/schematic.h"
#include "schematic/sheet.h"

namespace ixo {

OpenDesign::OpenDesign() = default;

OpenDesign::~OpenDesign() {
    Free();
}

void OpenDesign::Free() {
    editor.reset();
    if (schematic != nullptr) {
        schematic->Clear();
        schematic.reset();
    }
    open = false;
    project.reset();
}

void OpenDesign::RebuildSchematic() {
    if (project == nullptr) {
        return;
    }
    if (schematic == nullptr) {
        schematic = TPrimerComponente::CreateRoot<TpadreGraficosMS>();
    }
    (void)BuildSchematic(*project, *schematic, NoProgress()); // nothing cancels it
    MarkOutletErrors(*project, *schematic);
}

} // namespace ixo
