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
// tap grades the grading would choose and one shift per band group (level and tilt) is at least target,
// the first segment's upward shift no more than headendRoom (what the headend's controls and output
// maxima leave, and the tilt its slope controls have left), an amplifier's no more than takes the
// amplifier's output kMaximumGuard below its rated maximum, band by band (so that the multiswitch inputs
// it feeds stay under theirs: the amplifier sits at them). A segment with a floor that no source could
// serve (its flats' own spread of levels, its input maximum) is asked instead to stay within target of the
// worst margin its floors could reach each alone; else every such floor would want an amplifier of its own.
//
// Down each riser from the headend, the segment grows floor by floor while it is served; a floor that
// would leave it unserved starts a new segment with an amplifier in front of it when the amplifier,
// there, serves that floor (a margin of at least 0, or for a floor that no source could serve, within
// kAmplifierGain of what an unbounded source would reach) and better by more than kAmplifierGain (else the
// floor stays in the segment: an amplifier would add nothing, as at the top floor right below a headend
// at its maximum, or would not serve the floor either, and the next floor would want one again). A floor
// already fed by a line amplifier starts a segment of its own. Each segment is judged at the levels the
// segments above leave it (RiserBudget::FitSegment): the shift, band by band, each source above was
// given (its level and tilt) and the through losses of the grades chosen there reach every floor below,
// so that an amplifier's slope controls only have to take out the tilt of its own segment, not the tilt
// the unamplified riser built up from the headend down. Deterministic, stairs in project order.
//
// gains, when given, receives for each floor returned the gain its amplifier is planned to give band by
// band (dB: its segment's source shift as the budget chose it once the segment was complete), a start
// for the regulation.
std::vector<const tplanta*> PlanLineAmplifiers(const Tproyecto& project, const LevelSample& sample,
                                               const SourceRoom& headendRoom,
                                               const AmplifierModelFor& modelFor, double target,
                                               std::vector<std::array<double, kBandCount>>* gains = nullptr);

// The line amplifiers of the catalogue whose inputs take every connected input of the multiswitch,
// current models first, the smallest first, those with slope controls before those without.
std::vector<const TAmpliBase*> FittingAmplifiers(const Tproyecto& project, const TMultiswitch& multiswitch);

// How far the headend can still lift each band of a riser, dB: for the satellite bands the least
// headroom of the headend amplifiers' gain controls, for the terrestrial ones what the terrestrial
// headend's level has left below its maximum, and no more than takes a headend amplifier's output (in
// sample) to its rated maximum less kMaximumGuard.
std::array<double, kBandCount> HeadendReach(const Tproyecto& project, const LevelSample& sample);

// The headend as the source of every riser's first segment: its lift (HeadendReach), the tilt its IF
// amplifiers' slope controls have left at the satellite bands, and the tilt the terrestrial headend has
// left (its 47 MHz output 0 to kTerrestrialTiltRange dB below its 862 MHz output, linear in frequency:
// a share of it falls between 175 and 862 MHz).
SourceRoom HeadendSource(const Tproyecto& project, const LevelSample& sample);

} // namespace ixo
