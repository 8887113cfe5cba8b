#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace ixo {
class Tproyecto;
struct ControlChange;
struct DesignResult;
} // namespace ixo

namespace ixo::cli {

class CommandRegistry;

// Adds `design`: automatic regulation and line amplifiers on a saved project.
void AddDesignCommand(CommandRegistry& registry);

// The lines of the controls changed, one per control ("AmpliHeaderRe1 (AFI-440) SAT G_SAT1: 50.0 % ->
// 62.5 %"); controls of one element with one caption that moved alike share a line naming their sliders.
std::vector<std::string> ControlChangeLines(const std::vector<ControlChange>& changes);

// Prints what an automatic design changed: controls (element, control, old -> new), amplifiers
// inserted and where, insertions refused, outlets that could not be served and why.
void WriteDesignResult(std::ostream& out, const DesignResult& result);

} // namespace ixo::cli
