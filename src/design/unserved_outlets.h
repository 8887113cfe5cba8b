#pragma once

#include <array>
#include <set>
#include <vector>

namespace ixo {

class LevelSample;
class tplanta;
struct UnservedOutlet;

// The outlets of sample still out of limits after the design, each once, with why no control or
// amplifier brought it within them: the levels inside its flat spread over more than the window between
// the limits at a band; its terrestrial or satellite levels span more than the window from their lowest
// to their highest band (cable tilt the slope controls left); no line amplifier could go in on its floor
// (refusedFloors); or the level stays below the minimum (above the maximum) with every control and
// amplifier the catalogue offers (amplify false: amplifiers were not allowed). window: the width of the
// terrestrial and the satellite limits, dB.
[[nodiscard]] std::vector<UnservedOutlet> UnservedOutlets(const LevelSample& sample,
                                                          const std::array<double, 2>& window,
                                                          const std::set<const tplanta*>& refusedFloors,
                                                          bool amplify);

} // namespace ixo
