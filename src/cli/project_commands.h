#pragma once

#include "cli/command_registry.h"
#include "persistence/project_file.h"

#include <filesystem>

namespace ixo::cli {

// "info", "check" and "resave": commands on project files.
void AddProjectCommands(CommandRegistry& registry);

class CatalogueStore;

// Opens a project for a command; a file that cannot be opened is bad input (UsageError) with the
// program's messages.
OpenedProject OpenForCommand(const std::filesystem::path& path, const CatalogueStore& catalogue);

} // namespace ixo::cli
