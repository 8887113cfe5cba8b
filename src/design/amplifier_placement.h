#pragma once

#include "design/tap_grading.h"
#include "model/level_vector.h"

#include <array>
#include <functional>
#include <vector>

namespace ixo {

class LevelSample;
class TAmpliBase;
class TMultiswitch;
class Tproyecto;
class tplanta;

// dB: the worst margins a segment's budget may be asked to leave for the segment to grow by a floor,
// the fewest amplifiers first. The budget is a sketch of what the regulation can reach: one headend
// shift serves several stairs, one tap grade every band, the slope controls tilt their bands only
// roughly linearly; a segment that the budget serves only just can be left short once all of that is
// regulated together, and the wider target then cuts the risers into shorter segments.
inline constexpr double kTightMargin = 3.0;
inline constexpr double kWideMargin = 6.0;
// dB: what an amplifier must add to the floor it would serve to be placed.
inline constexpr double kAmplifierGain = 0.5;

// The line amplifier model the design would insert in front of a riser multiswitch, or null.
using AmplifierModelFor = std::function<const TAmpliBase*(const TMultiswitch&)>;

// The floors in front of whose riser multiswitch a line amplifier goes, from each riser's level budget
// (RiserBudget: per floor the margins of its outlets and the tap grades its multiswitch may take).
//
// An amplifier sets the level of every floor below it, down to the next, by one shift per band (its
// gain and slope controls); a riser segment is served when the worst margin its floors reach with the
// tap grades the grading would choose and one shift per band group (level and tilt) is at least
// target, the first
// segment's upward shift no more than headendRoom (what the headend's controls and output maxima
// leave, and the tilt its slope controls have left), an amplifier's no more than takes the amplifier's output
// kMaximumGuard below its rated maximum, band by band (so that the multiswitch inputs it feeds stay under
// theirs: the amplifier sits at them).
//
// Down each riser from the headend, the segment grows floor by floor while it is served; a floor that
// would leave it unserved starts a new segment with an amplifier in front of it when the amplifier,
// there, serves that floor (a margin of at least 0) and better by more than kAmplifierGain (else the
// floor stays in the segment: an amplifier would add nothing, as at the top floor right below a headend
// at its maximum, or would not serve the floor either, and the next floor would want one again). A floor
// already fed by a line amplifier starts a segment of its own. Deterministic, stairs in project order.
std::vector<const tplanta*> PlanLineAmplifiers(const Tproyecto& project, const LevelSample& sample,
                                               const SourceRoom& headendRoom,
                                               const AmplifierModelFor& modelFor, double target);

} // namespace ixo
