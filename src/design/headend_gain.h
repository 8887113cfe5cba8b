#pragma once

#include <vector>

namespace ixo {

class TAmpliHeader;

// Another model of a headend amplifier can only help where the regulation ran a gain control of the
// model in use to an end: one with more gain than the model's highest where a control stands at 100 %,
// one with less than its lowest where a control stands at 0 %.
struct GainNeed {
    bool more = false;
    bool less = false;
};
[[nodiscard]] GainNeed GainNeeded(const std::vector<TAmpliHeader*>& amplifiers);

// The highest (lowest) gain of an amplifier's gain controls at the top satellite band.
[[nodiscard]] double GainEnd(const TAmpliHeader& amplifier, bool highest);

} // namespace ixo
