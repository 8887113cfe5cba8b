#pragma once

#include "cli/command_registry.h"

namespace ixo::cli {

// "info", "check" and "resave": commands on project files.
void AddProjectCommands(CommandRegistry& registry);

} // namespace ixo::cli
