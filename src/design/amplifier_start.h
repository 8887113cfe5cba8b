#pragma once

#include "model/level_vector.h"

#include <array>
#include <vector>

namespace ixo {

class EditJournal;
class TLinAmp;

// A line amplifier just inserted and the gain its riser segment was planned with, band by band (dB).
struct PlannedAmplifier {
    TLinAmp* amplifier = nullptr;
    std::array<double, kBandCount> gain{};
};

// Puts every gain control of a line amplifier just inserted at its lowest gain, below the amplifier's
// output maximum: from an overdriven start the regulation would first trade outlet margins for the
// maxima.
void StartAtLowestGain(TLinAmp& amplifier, EditJournal& journal);

// Moves the controls of amplifiers standing at their lowest gain (the network calculated with them so)
// towards the gains they were planned with, channel by channel: the channel's gain control to the
// planned level (the mean over the channel's band group, terrestrial 175-862 MHz or satellite
// 950-2150 MHz), its slope control to the planned tilt (the top band's less the first's), both solved
// together where both move the two, each within its range; a band whose output stands at the maximum
// is not read. A tall riser's dozens of amplifiers in a row would otherwise start each far below its
// segment's level, the lowest floors some hundred dB short, where no ascent of the regulation finds its
// way out. The regulation that follows sets them.
void StartAtPlannedGain(const std::vector<PlannedAmplifier>& planned, EditJournal& journal);

} // namespace ixo
