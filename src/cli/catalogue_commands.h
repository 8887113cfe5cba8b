#pragma once

#include "cli/command_registry.h"

namespace ixo::cli {

// "catalogue families" and "catalogue models": what the catalogue offers, family by family.
void AddCatalogueCommands(CommandRegistry& registry);

} // namespace ixo::cli
