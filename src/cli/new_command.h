#pragma once

#include "cli/command_registry.h"

namespace ixo::cli {

// "new": the New command without windows.
void AddNewCommand(CommandRegistry& registry);

} // namespace ixo::cli
