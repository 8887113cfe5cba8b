#pragma once

// What the window shows of the project's standard beyond the outlet check of the level limits: the
// outlets whose C/N (or satellite tilt, when the standard limits it) fails. The level windows need no
// second display: choosing a standard sets them as the project's limits, which the outlet check colours.
#include "design/design_verdict.h"

#include <cstddef>
#include <string>
#include <vector>

namespace ixo {

class Tproyecto;

struct StandardFailures {
    std::string standard;             // the preset's title; empty when the project has none
    std::size_t outlets = 0;          // outlets judged
    std::vector<std::string> failing; // e.g. "STAIR1 FLOOR1 FL1 T1: TER C/N 17.2 dB at 175 MHz (>= 25.0 dB)"
};

// Judges every outlet against the project's standard (nothing without one, or with an unknown name).
// The outlet measurement tries every polarity and leaves the network as it was.
StandardFailures FindStandardFailures(Tproyecto& project);

// The same from the standard's judgement of the design verdict, which has measured every outlet already.
StandardFailures StandardFailuresOf(const DesignVerdict::StandardJudgement& judgement);

// The status bar's part: "" without a standard, "C/N meets ICT (Spain)" when every outlet meets it, else
// e.g. "3 outlets fail the C/N of ICT (Spain)".
std::string StandardFailuresText(const StandardFailures& failures);

// The list shown as the status's tip: the level failures' count is already in the status, this names
// the outlets failing the standard, one a line, the first `shown` of them and how many more.
std::string StandardFailuresList(const StandardFailures& failures, std::size_t shown = 25);

} // namespace ixo
