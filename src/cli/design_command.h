#pragma once

#include <iosfwd>

namespace ixo {
class Tproyecto;
struct DesignResult;
} // namespace ixo

namespace ixo::cli {

class CommandRegistry;

// Adds `design`: automatic regulation and line amplifiers on a saved project.
void AddDesignCommand(CommandRegistry& registry);

// Prints what an automatic design changed: controls (element, control, old -> new), amplifiers
// inserted and where, insertions refused, outlets that could not be served and why.
void WriteDesignResult(std::ostream& out, const DesignResult& result);

} // namespace ixo::cli
