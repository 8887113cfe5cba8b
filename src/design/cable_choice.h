#pragma once

#include <cstdint>

namespace ixo {

class TCableTV;
class Tproyecto;

// The current cable of the catalogue (not for inside flats) with the least loss at the top satellite
// band, when it loses less than the cable of kind `kind` of the project's cable list; null when none
// does, or when on the longest run of that kind it would gain less than minimumGain dB at that band (a
// kind whose runs are all short is not worth a thicker cable).
[[nodiscard]] const TCableTV* LowerLossCable(const Tproyecto& project, int kind, double minimumGain = 0.0);

// The longest connection made with the cable of kind `kind` of the project's cable list, metres.
[[nodiscard]] double LongestRun(const Tproyecto& project, int kind);

} // namespace ixo
