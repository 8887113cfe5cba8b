#pragma once

#include "cli/command_registry.h"
#include "settings/level_limits.h"
#include "settings/settings_record.h"
#include "settings/wizard_results.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace ixo::cli {

// Everything `ixo-cli new` needs to create a project: the wizard's results, the settings record after
// the --set overrides, the outlet level limits, and where the results go.
struct NewProjectRequest {
    WizardResults shape;
    SettingsRecord settings;
    TMatestructuranivel limits;
    std::vector<std::string> notes;                  // adjustments the wizard would have made silently
    std::optional<std::filesystem::path> levelsFile; // --levels FILE.csv
    std::optional<std::filesystem::path> outputFile; // -o FILE.XPJ
    bool json = false;
};

// The options of `new`, for its command entry.
std::vector<CommandOption> NewProjectOptions();

// Reads and validates the options as the wizard validates its pages (messages as the wizard shows
// them); throws UsageError on bad input. `settings` and `limits` are the effective settings.
NewProjectRequest ParseNewProjectRequest(const CommandContext& context, const SettingsRecord& settings,
                                         const TMatestructuranivel& limits);

// "KEY=VALUE" applied to the record: the key of the settings file (any letter case) and a value of its
// kind (decimal comma accepted for reals; a flag is on for values above 0). Throws UsageError.
void ApplySettingOverride(SettingsRecord& record, std::string_view assignment);

} // namespace ixo::cli
