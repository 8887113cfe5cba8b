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
// included, of amplifier outputs and multiswitch inputs). Parallel columns read by level index; the order
// is the same for every sample of an unchanged network.
//
// A large building's samples run to millions of levels, and the design keeps several: each level holds
// its value, band and polarity, and the indexes of its bounds and of its site (flat, outlet, element and
// pin, shared by the bands and polarities of one outlet or pin), about 19 bytes instead of 67.
class LevelSample {
    struct Site {
        const Tvivienda* flat = nullptr;
        const TTomaTV* outlet = nullptr;
        const TCBFT* element = nullptr;
        const TPin* pin = nullptr;
    };

public:
    // A column of the sites' members, read as sample.flats[i].
    template <auto Member> class SiteColumn {
    public:
        explicit SiteColumn(const LevelSample& sample) : m_sample(&sample) {}
        auto operator[](std::size_t i) const { return m_sample->m_sites[m_sample->m_siteOf[i]].*Member; }

    private:
        const LevelSample* m_sample;
    };
    class BoundColumn {
    public:
        explicit BoundColumn(const LevelSample& sample) : m_sample(&sample) {}
        const LevelBound& operator[](std::size_t i) const {
            return m_sample->m_bounds[m_sample->m_boundOf[i]];
        }

    private:
        const LevelSample* m_sample;
    };

    std::vector<double> levels;
    BoundColumn bounds{*this};
    SiteColumn<&Site::flat> flats{*this};       // the flat of an outlet level; null for an element's
    SiteColumn<&Site::outlet> outlets{*this};   // the outlet; null for an element's
    SiteColumn<&Site::element> elements{*this}; // the amplifier or multiswitch; null for an outlet's
    std::vector<std::uint8_t> bands;            // 0 to 7
    std::vector<std::int16_t> polarities;       // the polarity selected; -1 for an element's
    SiteColumn<&Site::pin> pins{*this};         // where the level is: the outlet's tap, the amplifier's
                                                // output, the multiswitch's input

    LevelSample() = default;
    LevelSample(const LevelSample& other);
    LevelSample(LevelSample&& other) noexcept;
    LevelSample& operator=(const LevelSample& other);
    LevelSample& operator=(LevelSample&& other) noexcept;
    ~LevelSample() = default;

    // Takes the sample; the network is left as it was.
    void Take(Tproyecto& project);
    // Room for levels levels (a building's samples run to millions: growing them costs copies).
    void Reserve(std::size_t levels);
    // Gives back the room the columns have beyond their levels.
    void ShrinkToFit();
    // The lowest margin of all levels (infinity for an empty sample).
    double Worst() const;
    // What the design maximises: the lowest margin with each element maximum's weighed by
    // kMaximumWeight (the same sign as Worst).
    double Score() const;
    std::size_t Size() const { return levels.size(); }

private:
    void Add(double level, std::uint32_t bound, std::uint32_t site, std::size_t band, int polarity);
    std::uint32_t AddSite(const Tvivienda* flat, const TTomaTV* outlet, const TCBFT* element,
                          const TPin* pin);
    std::uint32_t BoundIndex(const LevelBound& bound);
    void TakeOutlets(const std::vector<const TTomaTV*>& outlets, std::uint32_t firstSite, int polarity);
    void TakeFlat(Tvivienda& flat, int polarities);
    void TakeElement(TCBFT& element);

    std::vector<std::uint32_t> m_boundOf;
    std::vector<std::uint32_t> m_siteOf;
    std::vector<LevelBound> m_bounds; // the distinct bounds: the terrestrial and satellite limits first
    std::vector<Site> m_sites;
    bool m_withTerrestrial = true;
};

} // namespace ixo
