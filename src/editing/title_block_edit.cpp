#include "editing/title_block_edit.h"

#include "building/proyecto.h"
#include "editing/edit_journal.h"

namespace ixo {
namespace {

void Store(Tproyecto& project, const TitleBlock& block) {
    project.SetDatosproyecto(block.lines);
    project.AnchoCajetin = block.widthMm;
    project.Altocajetin = block.heightMm;
    project.cajetinvisible = block.visible;
}

} // namespace

TitleBlock TitleBlockOf(const Tproyecto& project) {
    return {project.Datosproyecto(), project.AnchoCajetin, project.Altocajetin, project.cajetinvisible};
}

void SetTitleBlock(Tproyecto& project, const TitleBlock& block, EditJournal& journal) {
    const TitleBlock before = TitleBlockOf(project);
    Store(project, block);
    // The title block is no part of the network: no level changes, no stair to check again.
    journal.Record([&project, before] { Store(project, before); },
                   [&project, block] { Store(project, block); });
}

} // namespace ixo
