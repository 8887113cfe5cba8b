#pragma once

// The account of an automatic design, as `ixo-cli design` prints it and the window shows it.
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace ixo {

struct ControlChange;
struct DesignResult;

// The lines of the controls changed, one per control ("AmpliHeaderRe1 (AFI-440) SAT G_SAT1: 50.0 % ->
// 62.5 %"); controls of one element with one caption that moved alike share a line naming their sliders.
std::vector<std::string> ControlChangeLines(const std::vector<ControlChange>& changes);

// What an automatic design changed: controls (element, control, old -> new), amplifiers inserted and
// where, insertions refused, the worst margin per criterion, the binding budgets, outlets that could not
// be served and why. editsUndo says how the edits undo, after their count.
void WriteDesignResult(std::ostream& out, const DesignResult& result,
                       std::string_view editsUndo = "each undoable");
std::string DesignResultText(const DesignResult& result, std::string_view editsUndo = "each undoable");

} // namespace ixo
