#pragma once

#include <string>
#include <vector>

namespace ixo {

// One outlet level limit: the level every outlet must reach and must not exceed, in dBµV.
struct Testructuranivel {
    std::string name;
    double minimum = 0;
    double maximum = 0;

    bool operator==(const Testructuranivel&) const = default;
};

// The outlet level limits as kept in the settings: entry 0 for the terrestrial bands, entry 1 for the
// satellite bands.
using TMatestructuranivel = std::vector<Testructuranivel>;

inline constexpr std::size_t kLevelLimitCount = 2;
inline constexpr std::size_t kTerrestrialLimit = 0;
inline constexpr std::size_t kSatelliteLimit = 1;

// Replaces the array by the two built-in entries: "TERR" 60 to 80 dBµV and "SAT" 50 to 70 dBµV.
void DefaultLevelLimits(TMatestructuranivel& array);

// The two built-in entries.
TMatestructuranivel DefaultLevelLimits();

} // namespace ixo
