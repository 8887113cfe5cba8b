#pragma once

#include "settings/level_limits.h"
#include "settings/settings_record.h"
#include "settings/wizard_results.h"

#include <memory>

namespace ixo {

class Progress;
class TalmacenElementos;
class Tproyecto;

struct NuevoProyecto {
    std::unique_ptr<Tproyecto> Proyecto;
    // ConstruirInstalacion's result: greater than 0 when the network was built and calculated.
    int Resultado = 0;
};

// The New command without its windows: a project on the store from the wizard's results, its structure
// (one progress step per stair), the installation and its level run (one more step per stair), then
// the outlet check that the error list runs after a build.
[[nodiscard]] NuevoProyecto CrearProyectoDesdeAsistente(TalmacenElementos& store, const WizardResults& wizard,
                                                        const SettingsRecord& settings,
                                                        const TMatestructuranivel& limits,
                                                        Progress& progress);

} // namespace ixo
