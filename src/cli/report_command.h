#pragma once

#include "cli/command_registry.h"

namespace ixo::cli {

// "report": the list of materials or the outlet levels of a project file as HTML, ODF text, PDF or CSV.
void AddReportCommand(CommandRegistry& registry);

} // namespace ixo::cli
