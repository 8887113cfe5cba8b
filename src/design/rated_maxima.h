#pragma once

#include <cstddef>
#include <functional>

namespace ixo {

class TCBFT;
class TPin;

// What a maximum is, for the design and for the overdrive check alike: the catalogue's rated figure of
// each amplifier output (NIVELSAL) and of each connected multiswitch input (MAXNIVELENT), at every band
// the model rates, 47 MHz included (a band rated 0 has no maximum). A headend amplifier clips its
// output at the maximum, so what it is driven to is its input plus the channel's gains; the terrestrial
// headend's output is the project's headend level, set within its own range, and has no entry.
//
// visit(pin, band, level, maximum) is called once per rated band of each such pin, in pin order: the
// outputs of an amplifier whose output is connected (a headend amplifier's: whose input is), the
// connected inputs of a multiswitch that has a maximum input level.
using RatedMaximumVisitor =
    std::function<void(const TPin& pin, std::size_t band, double level, double maximum)>;
void ForEachRatedMaximum(TCBFT& element, const RatedMaximumVisitor& visit);

} // namespace ixo
