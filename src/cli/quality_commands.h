#pragma once

#include "cli/command_registry.h"
#include "settings/level_limits.h"

#include <vector>

namespace ixo {
struct SignalQuality;
}

namespace ixo::cli {

// "standards": the standard presets and their figures.
void AddQualityCommands(CommandRegistry& registry);

// --standard, --antenna-level, --antenna-cn, --lnb-cn.
std::vector<CommandOption> QualityOptions();

// The values of those options applied to quality; UsageError for an unknown standard or a value that
// is not a number in range.
void ApplyQualityOptions(const CommandContext& context, SignalQuality& quality);

// A preset other than "Custom" given with --standard sets the level window of both limits entries.
void ApplyStandardLimits(const CommandContext& context, TMatestructuranivel& limits);

} // namespace ixo::cli
