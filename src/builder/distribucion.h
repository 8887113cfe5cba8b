#pragma once

#include "builder/alimentacion_escalera.h"
#include "builder/distribucion_cabecera.h"
#include "builder/distribucion_troncal.h"
#include "common/progress.h"

namespace ixo {

class Tproyecto;

// The stair feeding of a project whose headend is built: the headend-multiswitch layout
// (TipoDistribucionCab 0) or the trunk run, then, when that succeeded, the level run with the headend
// levels of the preferences. Result: -2 without headend floor; otherwise the layout's result (1, or 0
// when the user cancelled, in which case no levels are calculated).
[[nodiscard]] int ConstruirDistribucion(Tproyecto& project, Progress& progress = NoProgress());

} // namespace ixo
