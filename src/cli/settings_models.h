#pragma once

#include "cli/settings_commands.h"
#include "settings/settings_record.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace ixo {
class TalmacenElementos;
} // namespace ixo

namespace ixo::cli {

// The catalogue models and families the settings name must be in the catalogue: a dish model the dish
// family lacks builds dishes without a model, a cable model the cable family lacks builds links without
// loss. `record` holds the effective settings (file, then the `--set` overrides given in `assignments`).
//
// - A model or family given with --set that the catalogue lacks (the model not in its family's models)
//   is bad input: UsageError naming the key, the value and what the catalogue lacks.
// - One from the settings file (a value other than the built-in default) is reported on `err` with the
//   file and line, and the built-in defaults of the key (and of its model or family) are used instead.
void CheckSettingsModels(SettingsRecord& record, const std::vector<std::string>& assignments,
                         const EffectiveSettings& settings, const TalmacenElementos& store,
                         std::ostream& err);

} // namespace ixo::cli
