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

// Every level the outlet check and the element limits look at, in a fixed order: each outlet of each
// flat (flats in project order) at every polarity its flat selects (the flat's own last) and every checked
// band; then every rated band of every connected amplifier output (a headend amplifier's before it clips)
// and every connected input of a multiswitch with a maximum input level. Parallel arrays; the order is
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
    std::size_t Size() const { return levels.size(); }

private:
    void Add(double level, LevelBound bound, const Tvivienda* flat, const TTomaTV* outlet,
             const TCBFT* element, const TPin* pin, std::size_t band, int polarity);
    void TakeOutlets(const Tvivienda& flat, const std::vector<const TTomaTV*>& outlets, int polarity);
    void TakeFlat(Tvivienda& flat, int polarities);
    void TakeElement(TCBFT& element);
    void TakeMaximum(const TCBFT& element, const TPin& pin, const double* level, const double* maximum);

    bool m_withTerrestrial = true;
    LevelBound m_terrestrial;
    LevelBound m_satellite;
};

} // namespace ixo
