#pragma once

#include "design/tap_grading.h"

#include <vector>

namespace ixo {

class LevelSample;
class Tproyecto;

// An active terminal multiswitch at the end of a cascade amplifies what reaches it, but only up to its
// maximum input level (90 dBµV at the satellite bands, 95 dBµV at 47 MHz for a typical one): where the
// riser must carry more than that to serve the floors above, the active end holds the whole riser down.
// A passive cascadable model of its family at the end has no input maximum and, with its lowest tap
// loss, serves the last floor from the riser's level directly.
//
// Per stair, the riser's last floor (the lowest with a multiswitch fed by the riser) when its
// multiswitch is active, rates a maximum input level and one of its connected inputs stands within
// kEndTolerance dB of its maximum (less the design's guard) in sample: the current passive cascadable
// model of its family with the same inputs and taps and the lowest tap loss at the top satellite band
// (the terrestrial tap for a family without satellite inputs). With binding false, every active end
// with an input maximum, whether it binds now or not. Deterministic, stairs in project order.
std::vector<TapGrade> PlanPassiveEnds(const Tproyecto& project, const LevelSample& sample,
                                      bool binding = true);

// dB: an input this near its guarded maximum binds the riser.
inline constexpr double kEndTolerance = 1.0;

} // namespace ixo
