#pragma once

namespace ixo::cli {

class CommandRegistry;

// Adds `design`: automatic regulation and line amplifiers on a saved project.
void AddDesignCommand(CommandRegistry& registry);

} // namespace ixo::cli
