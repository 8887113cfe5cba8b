#pragma once

#include "design/slope_classes.h"

#include <vector>

namespace ixo {
class TPotenciometroBase8;
}

// The directions the automatic regulation's ascent moves along, as groups of its settings: every setting
// alone, then the settings moved by one amount. Moving one channel of an amplifier cannot raise a worst
// margin that its other channels share, so the gain (slope) controls of one element move together, and
// so do the gain (slope) controls of every element of one class: the ascent does not stall where every
// one of them would have to move at once. Each slope control also moves with the gain control of its
// line (TiltDirections).
namespace ixo::regulation {

// controls: the control of each setting (null for a setting that is no slider, e.g. a headend level).
// The directions come without their coefficients.
std::vector<Direction> SettingGroups(const std::vector<const TPotenciometroBase8*>& controls);

// A slope control tilts its line about the band it leaves unchanged; where the line's output stands at
// its maximum at the other end of the range (a line amplifier's 175 MHz output at its maximum, its 862 MHz
// outlets short), the slope cannot move without taking levels out at that end, nor the gain without
// passing the maximum. Each slope control therefore also moves with the gain control of the same line
// (same element, the same last word of the caption: "SLOPE VL" with "SAT VL", "SLOPE TER" with "TER"),
// the gain by what keeps the band the slope moves most where it is.
void AddTiltDirections(const std::vector<const TPotenciometroBase8*>& controls,
                       std::vector<Direction>& directions);

} // namespace ixo::regulation
