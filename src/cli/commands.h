#pragma once

#include "cli/command_registry.h"

namespace ixo::cli {

// Every command of the front end. Each group of commands lives in its own file with an Add...Commands
// function; a new group is added here.
CommandRegistry BuildCommandRegistry();

} // namespace ixo::cli
