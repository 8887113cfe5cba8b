#pragma once

#include "common/progress.h"

namespace ixo {

class Tproyecto;

// The build run of a new project whose building model exists: the headend, the stair feeding and the
// level run. finalizadocalculoTV is false while it runs (so the outlet check of the level run leaves
// the error lists empty) and true once it succeeded. One progress step per stair while the stairs are
// fed; the caller sets the maximum (the structure took its own steps before).
//
// Result greater than 0: built and calculated. 0: no headend floor, or the user cancelled (the project
// then has no network to show).
[[nodiscard]] int ConstruirInstalacion(Tproyecto& project, Progress& progress = NoProgress());

} // namespace ixo
