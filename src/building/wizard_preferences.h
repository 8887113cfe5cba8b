#pragma once

#include "settings/level_limits.h"
#include "settings/settings_record.h"
#include "settings/wizard_results.h"

namespace ixo {

class Tproyecto;

// The wizard's results into a project's preferences, in the New command's order: the settings record,
// the outlet level limits, the building shape and its flats table; then the adjustment for the 5005
// cascade series.
void ApplyWizardToPreferences(Tproyecto& project, const WizardResults& wizard, const SettingsRecord& settings,
                              const TMatestructuranivel& limits);

} // namespace ixo
