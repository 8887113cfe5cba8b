#pragma once

#include <vector>

namespace ixo {

class LevelSample;

// The worst outlet margin of each stair (outlets outside the stairs as one more), lowest first, dB.
std::vector<double> StairMargins(const LevelSample& sample);

// Whether the design step that took the levels from before to after gained: its score (the worst margin,
// element maxima weighed as hard constraints) rose by more than tolerance, or did not fall by more than
// tolerance and the stairs' worst margins, compared lowest first, rose by more than tolerance at the first
// that differs. A step that serves one stair better while another binds the worst margin (its outlets
// short of what no step of this one changes) is kept.
bool Improves(const LevelSample& before, const LevelSample& after, double tolerance);

} // namespace ixo
