#pragma once

#include "project/level_limits.h"
#include "project/settings_record.h"
#include "project/wizard_results.h"

#include <memory>

namespace ixo {

class Progress;
class TalmacenElementos;
class Tproyecto;

// The wizard's results into a project's preferences, in the New command's order: the settings record,
// the outlet level limits, the building shape and its flats table; then the adjustment for the 5005
// cascade series.
void ApplyWizardToPreferences(Tproyecto& project, const WizardResults& wizard, const SettingsRecord& settings,
                              const TMatestructuranivel& limits);

struct NuevoProyecto {
    std::unique_ptr<Tproyecto> Proyecto;
    // ConstruirInstalacion's result: greater than 0 when the network was built and calculated.
    int Resultado = 0;
};

// The New command without its windows: a project on the store from the wizard's results, its structure
// (one progress step per stair), the installation and its level run (one more step per stair), then
// the outlet check that the error list runs after a build.
NuevoProyecto CrearProyectoDesdeAsistente(TalmacenElementos& store, const WizardResults& wizard,
                                          const SettingsRecord& settings, const TMatestructuranivel& limits,
                                          Progress& progress);

} // namespace ixo
