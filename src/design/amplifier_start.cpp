#include "design/amplifier_start.h"

#include "design/tap_grading.h"
#include "editing/edit_journal.h"
#include "model/lin_amp.h"
#include "model/pin.h"
#include "model/potenciometro.h"

#include <algorithm>
#include <cmath>

namespace ixo {
namespace {

// dB: an output this near its maximum may be clipped there, its gain not read.
constexpr double kClipGuard = 0.5;

// What a percent of control changes at a group: its mean level over the group's bands and its tilt.
struct ControlEffect {
    double level = 0.0;
    double tilt = 0.0;
};

ControlEffect EffectOf(const TPotenciometroBase8* control, std::size_t group) {
    ControlEffect effect;
    if (control == nullptr) {
        return effect;
    }
    const std::size_t first = kTiltBands[group][0];
    const std::size_t top = kTiltBands[group][1];
    for (std::size_t band = first; band <= top; ++band) {
        effect.level += (control->GainsAt100()[band] - control->GainsAt0()[band]) / 100.0;
    }
    effect.level /= static_cast<double>(top - first + 1);
    effect.tilt = ((control->GainsAt100()[top] - control->GainsAt0()[top]) -
                   (control->GainsAt100()[first] - control->GainsAt0()[first])) /
                  100.0;
    return effect;
}

void Move(TLinAmp& amplifier, TPotenciometroBase8* control, double by, EditJournal& journal) {
    if (control != nullptr && std::isfinite(by)) {
        journal.Set(amplifier, control->Ajuste, std::clamp(control->Ajuste + by, 0.0, 100.0));
    }
}

void StartChannel(TLinAmp& amplifier, std::size_t channel, const std::array<double, kBandCount>& gain,
                  EditJournal& journal) {
    const TPin* in = amplifier.PinesENTRADA()[channel];
    const TPin* out = amplifier.PinesSALIDA()[channel];
    if (!in->IsConnected()) {
        return;
    }
    const std::size_t group = in->Prefijo == 'A' ? 0 : 1;
    const std::size_t first = kTiltBands[group][0];
    const std::size_t top = kTiltBands[group][1];
    // What the controls have to add, band by band: the planned gain less the gain the channel gives.
    std::array<double, kBandCount> wanted{};
    double level = 0.0;
    int bands = 0;
    for (std::size_t band = first; band <= top; ++band) {
        const double now = out->Levels()[band] - in->Levels()[band];
        if (!std::isfinite(now) || out->Levels()[band] >= amplifier.NivelmaxSignal()[band] - kClipGuard) {
            return; // the channel's gain cannot be read
        }
        wanted[band] = gain[band] - now;
        level += wanted[band];
        ++bands;
    }
    if (bands == 0) {
        return;
    }
    level /= bands;
    const double tilt = wanted[top] - wanted[first];
    TPotenciometroBase8* gainControl = channel < amplifier.LPG().size() ? amplifier.LPG()[channel] : nullptr;
    TPotenciometroBase8* slopeControl = channel < amplifier.LPP().size() ? amplifier.LPP()[channel] : nullptr;
    const ControlEffect g = EffectOf(gainControl, group);
    const ControlEffect s = EffectOf(slopeControl, group);
    const double determinant = g.level * s.tilt - s.level * g.tilt;
    if (std::abs(determinant) > 1e-9) {
        Move(amplifier, gainControl, (level * s.tilt - s.level * tilt) / determinant, journal);
        Move(amplifier, slopeControl, (g.level * tilt - level * g.tilt) / determinant, journal);
    } else if (std::abs(g.level) > 1e-9) {
        Move(amplifier, gainControl, level / g.level, journal);
    }
}

} // namespace

void StartAtLowestGain(TLinAmp& amplifier, EditJournal& journal) {
    for (TPotenciometroBase8* control : amplifier.LPG()) {
        if (control != nullptr) {
            const bool rising = control->GainsAt100()[kBandCount - 1] >= control->GainsAt0()[kBandCount - 1];
            journal.Set(amplifier, control->Ajuste, rising ? 0.0 : 100.0);
        }
    }
}

void StartAtPlannedGain(const std::vector<PlannedAmplifier>& planned, EditJournal& journal) {
    for (const PlannedAmplifier& entry : planned) {
        if (entry.amplifier == nullptr) {
            continue;
        }
        const std::size_t channels =
            std::min(entry.amplifier->PinesENTRADA().size(), entry.amplifier->PinesSALIDA().size());
        for (std::size_t channel = 0; channel < channels; ++channel) {
            StartChannel(*entry.amplifier, channel, entry.gain, journal);
        }
    }
}

} // namespace ixo
