#pragma once

#include "cli/command_registry.h"

namespace ixo::cli {

// "edit": opens a project, runs edit commands on it, recalculates, checks and saves it.
void AddEditCommand(CommandRegistry& registry);

} // namespace ixo::cli
