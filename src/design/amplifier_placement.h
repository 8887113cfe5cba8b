#pragma once

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

// The line amplifier model the design would insert in front of a riser multiswitch, or null.
using AmplifierModelFor = std::function<const TAmpliBase*(const TMultiswitch&)>;

// The floors in front of whose riser multiswitch a line amplifier goes, from each riser's level budget.
//
// Per floor and band, the window of shifts of the riser's level at the floor's input that serve it: up
// by at least what its lowest outlet lacks of the minimum, down by at least what its highest exceeds the
// maximum, each widened by what another tap grade of its multiswitch's family moves its outlets
// (TapGradeReach: the grading that follows chooses it), and no higher than keeps each of its multiswitch
// inputs kMaximumGuard below its maximum. An amplifier sets the level of every floor below it, down to
// the next, by one shift per band (its gain and slope controls); a riser segment is served when its
// floors' windows have a shift in common, the first segment's no higher than headendRoom (what the
// headend's controls and output maxima leave), an amplifier's segment no higher than takes the
// amplifier's output to its maximum less the guard.
//
// Down each riser from the headend, a floor whose window has nothing in common with the segment above
// starts a new segment with an amplifier in front of it, when the amplifier can serve it (its window
// meets the amplifier's bound); a floor that no amplifier there could serve is left to the segment it
// is in (an amplifier would add nothing). A floor already fed by a line amplifier starts a segment of
// its own. The greedy cut is the fewest: every amplifier shifts everything below it alike, and a
// segment that starts lower has a looser bound. Deterministic, stairs in project order.
std::vector<const tplanta*> PlanLineAmplifiers(const Tproyecto& project, const LevelSample& sample,
                                               const std::array<double, kBandCount>& headendRoom,
                                               const AmplifierModelFor& modelFor);

} // namespace ixo
