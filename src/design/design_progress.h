#pragma once

#include <vector>

namespace ixo {

class LevelSample;

// The worst outlet margin of each stair (outlets outside the stairs as one more), lowest first, dB.
std::vector<double> StairMargins(const LevelSample& sample);

// What a design step is judged by (Improves): the score of a sample and its stairs' worst margins, kept
// for the comparison instead of the whole sample (a tall building's run to millions of levels).
struct Standing {
    double score = 0.0;
    std::vector<double> stairs; // StairMargins
};
Standing StandingOf(const LevelSample& sample);

// Whether the design step that took the levels from before to after gained: its score (the worst margin,
// element maxima weighed as hard constraints) rose by more than tolerance, or did not fall by more than
// tolerance and the stairs' worst margins, compared lowest first, rose by more than tolerance at the first
// that differs. A step that serves one stair better while another binds the worst margin (its outlets
// short of what no step of this one changes) is kept.
bool Improves(const Standing& before, const Standing& after, double tolerance);
bool Improves(const Standing& before, const LevelSample& after, double tolerance);
bool Improves(const LevelSample& before, const LevelSample& after, double tolerance);

} // namespace ixo
