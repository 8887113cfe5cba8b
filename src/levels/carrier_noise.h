#pragma once

#include "model/level_vector.h"

#include <cstdint>
#include <map>
#include <optional>
#include <unordered_map>
#include <utility>
#include <vector>

namespace ixo {

class TCBFT;
class TEscalera;
class TPin;
class TPrimerComponente;
class TTablaCompoScript;
class TTomaTV;
class Tproyecto;
class Tvivienda;
class tplanta;
struct SignalQuality;

// Carrier-to-noise ratio (C/N) through the network, computed beside the levels from the levels of the
// last level run (which it does not change).
//
// Every active element adds its own noise, referred to its input: its contribution is
// C/N = level at its input - noise figure - thermal noise of the channel's bandwidth, all in dB(µV).
// Noise powers add, so along the path from a source to an outlet 1/(C/N) = sum of 1/(C/N)i in linear
// terms. Passive parts (cables, splitters, outlets, passive multiswitch paths) lower carrier and noise
// alike and add nothing. The sources start the sum: the terrestrial headend amplifies the antenna signal
// (its noise figure against the antenna level, plus the antenna signal's own C/N when known) and each
// dish delivers the C/N of its LNB.

// Catalogue key of an element's noise figure: eight values in dB, one per band. A band whose path is
// passive holds 0 (it adds no noise). Catalogues without the key get the default of the element's kind.
inline constexpr const char* kNoiseFigureKey = "FIGURARUIDO";

// Noise bandwidths: a DVB-T channel of 8 MHz, and a DVB-S/S2 transponder of 27.5 Mbaud (noise bandwidth
// equal to the symbol rate).
inline constexpr double kTerrestrialNoiseBandwidthHz = 8.0e6;
inline constexpr double kSatelliteNoiseBandwidthHz = 27.5e6;

// Thermal noise power kTB at 290 K into 75 ohm as a level in dBµV: 10 log10(k T B R) + 120. About 3.8
// dBµV for 8 MHz and 9.2 dBµV for 27.5 MHz.
double ThermalNoiseDbuV(double bandwidthHz);
// The thermal noise of the band's channel (terrestrial or satellite bandwidth).
double ThermalNoiseOfBand(std::size_t band);

// Default noise figures (dB per band, 0 = passive band) of elements whose model gives none.
LevelVector DefaultNoiseFigure(const TCBFT& element);

// The noise figures of elements, read from their catalogue records (through the installed catalogue)
// once per model.
class NoiseFigures {
public:
    // nullopt for an element that adds no noise anywhere (passive), else its figure per band.
    std::optional<LevelVector> Of(const TCBFT& element);

private:
    std::map<std::pair<const TTablaCompoScript*, int>, std::optional<LevelVector>> m_byModel;
};

// Combines ratios in dB: -10 log10(sum 10^(-x/10)). Infinity (no noise) for an empty list.
double CombineCarrierToNoise(const std::vector<double>& ratiosDb);

// The C/N per band at pins (outputs or taps), walking up from each to the sources through the input that
// carries each band's level. Infinity in a band no source reaches. With a shared network (the project's
// RedTV), the sums at the pins of its elements are kept per pin, band and polarity, so that the outlets
// below one riser walk it once; valid while no level outside the flats changes.
class CarrierNoiseWalk {
public:
    CarrierNoiseWalk(const SignalQuality& quality, NoiseFigures& figures,
                     const TPrimerComponente* sharedNetwork = nullptr);
    LevelVector At(const TPin& pin);

private:
    struct Sum {
        double noise = 0.0;   // sum of 1/(C/N) in linear terms
        bool reached = false; // a source was reached
    };
    struct Key {
        const TPin* pin;
        std::size_t band;
        std::int32_t polarity;
        bool operator==(const Key&) const = default;
    };
    struct KeyHash {
        std::size_t operator()(const Key& key) const {
            const auto pin = reinterpret_cast<std::uintptr_t>(key.pin);
            return std::hash<std::uintptr_t>()(pin ^ (key.band << 1) ^
                                               (static_cast<std::uintptr_t>(key.polarity) << 5));
        }
    };
    Sum At(const TPin& out, std::size_t band, int depth);
    Sum SourceSum(const TCBFT& element, std::size_t band);

    const SignalQuality& m_quality;
    NoiseFigures& m_figures;
    const TPrimerComponente* m_sharedNetwork;
    std::unordered_map<Key, Sum, KeyHash> m_memo;
};

// The same for one pin, without keeping anything.
LevelVector CarrierToNoiseAt(const TPin& pin, const SignalQuality& quality, NoiseFigures& figures);

// One outlet's levels and C/N over every polarity its flat can select.
struct OutletQuality {
    const TEscalera* Escalera = nullptr;
    const tplanta* Planta = nullptr;
    const Tvivienda* Vivienda = nullptr;
    const TTomaTV* Toma = nullptr;
    LevelVector lowestLevel;  // per band, the lowest over the polarities
    LevelVector highestLevel; // per band, the highest
    LevelVector worstCn;      // per band, the lowest C/N over the polarities
    // The largest spread of level over the satellite IF bands (950-2150 MHz) at one polarity.
    double satelliteTilt = 0;
    // C/N per band for each polarity tried, and that polarity, in the order tried (the flat's own last;
    // polarity -1 alone when the flat has no entry pin).
    std::vector<LevelVector> cnByPolarity;
    std::vector<std::int32_t> polarities;
};

// Every outlet of the building (stairs, floors bottom up, flats and outlets in order) with a tap.
// Polarities are tried as the outlet check tries them, the flat's own last: the network is left as it
// was.
std::vector<OutletQuality> MeasureOutletQuality(Tproyecto& project);

} // namespace ixo
