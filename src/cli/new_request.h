#pragma once

#include "cli/command_registry.h"
#include "settings/level_limits.h"
#include "settings/settings_record.h"
#include "settings/wizard_results.h"

#include <filesystem>
#include <optional>
#include <string>
#include <utility>
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

// "LMIN1=…", "LMAX2=…", "LNAME1=…": a level limit for this run. False when the key is not a limit's;
// UsageError for a level that is not a number from 0 to kMaxHeadendLevel.
bool ApplyLimitOverride(TMatestructuranivel& limits, std::string_view assignment);

// The catalogue families given with --set (key and family number), for the check against the catalogue.
std::vector<std::pair<std::string, std::int32_t>> FamiliesSet(const CommandContext& context,
                                                              const SettingsRecord& settings);

} // namespace ixo::cli
