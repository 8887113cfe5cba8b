#include "design/headend_gain.h"

#include "model/ampli_header.h"
#include "model/level_vector.h"
#include "model/potenciometro.h"

#include <algorithm>
#include <limits>

namespace ixo {

GainNeed GainNeeded(const std::vector<TAmpliHeader*>& amplifiers) {
    GainNeed need;
    for (const TAmpliHeader* amplifier : amplifiers) {
        for (const TPotenciometroBase8* control : amplifier->LPG()) {
            if (control != nullptr) {
                need.more = need.more || control->Ajuste >= 100.0;
                need.less = need.less || control->Ajuste <= 0.0;
            }
        }
    }
    return need;
}

// The highest (lowest) gain of an amplifier's gain controls at the top satellite band.
double GainEnd(const TAmpliHeader& amplifier, bool highest) {
    double end = highest ? -std::numeric_limits<double>::infinity() : std::numeric_limits<double>::infinity();
    for (const TPotenciometroBase8* control : amplifier.LPG()) {
        if (control != nullptr) {
            const std::size_t top = kBandCount - 1;
            end = highest ? std::max(end, control->MostGain(top)) : std::min(end, control->LeastGain(top));
        }
    }
    return end;
}
} // namespace ixo
