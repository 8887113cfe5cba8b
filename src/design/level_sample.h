#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <vector>

namespace ixo {

class TCBFT;
class TPin;
class TTomaTV;
class Tproyecto;
class Tvivienda;

// The limits of one level the design looks at (an element's maximum has no minimum).
struct LevelBound {
    double minimum = -std::numeric_limits<double>::infinity();
    double maximum = std::numeric_limits<double>::infinity();
};

// How far inside its bounds a level is: negative beyond them.
double MarginOf(double level, const LevelBound& bound);

// An element's maximum is a hard constraint of the design: a dB beyond it weighs as much as this many
// dB of an outlet beyond its limits (a dB within it as one), so that no outlet margin is ever bought with
// overdrive (an element would pass its maximum less the guard below by a tenth of a dB only to lift outlets
// 100 dB short).
inline constexpr double kMaximumWeight = 1000.0;
// How far below an element's maximum the design aims, dB: the positions it applies are rounded to a
// hundredth of a percent, and a level exactly at its maximum would be read as past it.
inline constexpr double kMaximumGuard = 0.1;
// The margin the design weighs for a level of sample: MarginOf for an outlet's; for an element's
// maximum, the margin to kMaximumGuard below it, times kMaximumWeight where it is negative.
double WeighedMargin(double level, const LevelBound& bound, bool outlet);

// Every level the outlet check and the element limits look at, in a fixed order: each outlet of each
// flat (flats in project order) at every polarity its flat selects (the flat's own last) and every checked
// band; then every maximum of ForEachRatedMaximum (the overdrive check's: every rated band, 47 MHz
// included, of amplifier outputs and multiswitch inputs). Parallel arrays; the order is
// the same for every sample of an unchanged network.
class LevelSample {
public:
    std::vector<double> levels;
    std::vector<LevelBound> bounds;
    std::vector<const Tvivienda*> flats;  // the flat of an outlet level; null for an element's
    std::vector<const TTomaTV*> outlets;  // the outlet; null for an element's
    std::vector<const TCBFT*> elements;   // the amplifier or multiswitch; null for an outlet's
    std::vector<std::uint8_t> bands;      // 0 to 7
    std::vector<std::int16_t> polarities; // the polarity selected; -1 for an element's
    std::vector<const TPin*> pins;        // where the level is: the outlet's tap, the amplifier's output,
                                          // the multiswitch's input

    // Takes the sample; the network is left as it was.
    void Take(Tproyecto& project);
    // Room for levels levels (a building's samples run to millions: growing them costs copies).
    void Reserve(std::size_t levels);
    // The lowest margin of all levels (infinity for an empty sample).
    double Worst() const;
    // What the design maximises: the lowest margin with each element maximum's weighed by
    // kMaximumWeight (the same sign as Worst).
    double Score() const;
    std::size_t Size() const { return levels.size(); }

private:
    void Add(double level, LevelBound bound, const Tvivienda* flat, const TTomaTV* outlet,
             const TCBFT* element, const TPin* pin, std::size_t band, int polarity);
    void TakeOutlets(const Tvivienda& flat, const std::vector<const TTomaTV*>& outlets, int polarity);
    void TakeFlat(Tvivienda& flat, int polarities);
    void TakeElement(TCBFT& element);

    bool m_withTerrestrial = true;
    LevelBound m_terrestrial;
    LevelBound m_satellite;
};

} // namespace ixo
