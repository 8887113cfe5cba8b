#pragma once

#include <string>
#include <vector>

namespace ixo {

class TCBFT;
class TPin;
class Tproyecto;

// An element driven past what it takes: an amplifier whose output exceeds its maximum output level
// (catalogue NIVELSAL), or a multiswitch whose input exceeds its maximum input level (MAXNIVELENT).
struct OverdriveProblem {
    enum class Kind { Output, Input };
    Kind kind = Kind::Output;
    const TCBFT* element = nullptr;
    const TPin* pin = nullptr;
    int band = 0;         // 0 to 7
    double level = 0.0;   // dBµV, before a clipping amplifier limits it
    double maximum = 0.0; // dBµV

    // e.g. "LinAmpRe1 (AL-17) output 2 at 2150 MHz: 119.3 dBµV, maximum 117.0 dBµV".
    std::string Text() const;
};

// Checks every amplifier output and every multiswitch input of the project with the levels of the last
// calculation, against the maxima of ForEachRatedMaximum (the design's own: every rated band, 47 MHz
// included); one entry per pin, the band furthest beyond its maximum.
std::vector<OverdriveProblem> CheckOverdrive(const Tproyecto& project);

} // namespace ixo
