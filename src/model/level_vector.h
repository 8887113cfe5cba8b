#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <span>
#include <vector>

namespace ixo {

class BinaryReader;
class BinaryWriter;

// Levels are computed at eight fixed frequencies: four terrestrial bands (0..3) and four satellite IF
// bands (4..7).
inline constexpr std::size_t kBandCount = 8;
inline constexpr std::size_t kFirstSatelliteBand = 4;
inline constexpr std::array<double, kBandCount> kBandFrequenciesMHz = {47.0,  175.0,  470.0,  862.0,
                                                                       950.0, 1350.0, 1750.0, 2150.0};

// One value per band: signal levels in dBuV, gains and losses in dB (a loss is a negative gain),
// limits in dBuV. A new vector is all zeros. In streams: 8 little-endian doubles, 64 bytes.
struct LevelVector {
    std::array<double, kBandCount> band{};

    static constexpr std::size_t kStreamSize = 8 * kBandCount;

    static LevelVector Filled(double value);

    double& operator[](std::size_t i) { return band[i]; }
    double operator[](std::size_t i) const { return band[i]; }
    bool operator==(const LevelVector&) const = default;
};

// Band by band: a + b (a level plus a gain, or two gains added). In line: a level run makes several
// for every pin it reaches.
inline LevelVector Sum(const LevelVector& a, const LevelVector& b) {
    LevelVector result;
    for (std::size_t i = 0; i < kBandCount; ++i) {
        result[i] = a[i] + b[i];
    }
    return result;
}
// Band by band: the larger of a and b (two paths mixed into one pin).
inline LevelVector Maximum(const LevelVector& a, const LevelVector& b) {
    LevelVector result;
    for (std::size_t i = 0; i < kBandCount; ++i) {
        result[i] = std::max(a[i], b[i]);
    }
    return result;
}
// Band by band: c x x (a per-metre coefficient times a length).
LevelVector Scale(const LevelVector& c, double x);
// Band by band: a where it is not above limit, else limit.
LevelVector Clip(const LevelVector& a, const LevelVector& limit);

void WriteLevelVector(BinaryWriter& writer, const LevelVector& vector);
LevelVector ReadLevelVector(BinaryReader& reader);
// A list of vectors: int32 count, then the vectors.
void WriteLevelVectorList(BinaryWriter& writer, std::span<const LevelVector> vectors);
std::vector<LevelVector> ReadLevelVectorList(BinaryReader& reader);

} // namespace ixo
