#pragma once

#include "settings/settings_record.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ixo {

// The shape of a new building as the new-project wizard collects it, and the wizard's rules. The
// desktop wizard and `ixo-cli new` both fill one and give it to the new project's preferences.
inline constexpr int kMinFloors = 1;
inline constexpr int kMaxFloors = 100;
inline constexpr int kMaxStairs = 8;
inline constexpr int kMaxOutletsPerFlat = 8;
// Limits of the building shape beyond the wizard's own ranges: the grid takes any whole number, but a
// floor of one stair with more flats than this, or a building with more outlets, is not a building this
// program can design in reasonable memory (twice the largest buildings it is measured on).
inline constexpr int kMaxFlatsPerFloor = 64;
inline constexpr long long kMaxOutletsPerBuilding = 102400;
// Above this many flats a headend of stand-alone multiswitches is not offered: the topology becomes
// cascadeable.
inline constexpr int kStandAloneLimit = 256;

struct WizardResults {
    int Npolaridades = 4;        // 4, 8, 12 or 16
    int Nverticales = 1;         // trunk distributions ("stairs"), 1..8
    int Nplantas = 1;            // floors per stair, 1..100
    int VertHeader = 1;          // 1-based stair of the headend
    int Nviv = 1;                // total number of flats
    int TipoDistribucionViv = 0; // 0 star, 1 cascade
    int NoutletViv = 1;          // outlets per flat, 1..8
    int TipoDistribucionCab = 1; // 0 stand-alone, 1 cascadeable
    // Flats per floor, stored as the preferences keep it: array r belongs to stair Nverticales - r
    // (1-based), and within an array entry 0 is the top floor.
    std::vector<std::vector<std::int32_t>> DisViv;
};

// " Value must be between 1 and 100" (the floors edit).
std::string FloorsRangeMessage();
// "<text> is not a valid integer value." (the total flats edit).
std::string NotAnIntegerMessage(std::string_view text);
// "The number of flats is <grid total>. The valid value is <total flats>".
std::string FlatsTotalMessage(long long gridTotal, long long flats);

// A whole number as the wizard's edits read it (optional sign, digits, 32 bits); nothing otherwise.
std::optional<std::int32_t> ParseWizardInteger(std::string_view text);

// The topology the wizard keeps for a total of `flats`: stand-alone is refused above the limit.
int TopologyForFlats(int requestedTopology, long long flats);

// The stored matrix from the grid as the user sees it: one column per stair (stair 1 first), each
// listing its floors from the top down.
std::vector<std::vector<std::int32_t>> MatrixFromGrid(const std::vector<std::vector<std::int32_t>>& stairs);
// The grid back from a stored matrix.
std::vector<std::vector<std::int32_t>> GridFromMatrix(const std::vector<std::vector<std::int32_t>>& matrix);
long long MatrixTotal(const std::vector<std::vector<std::int32_t>>& matrix);

// The adjustment the New command makes when the cascade floor family is the line-powered 5005 series:
// twelve polarities switch to the 5001 series with mains supplies; otherwise the terrestrial headend is
// dropped (that series carries satellite only) and the IF amplifiers become the line-powering 4930 series.
void AdjustPreferencesForFamily5005(SettingsRecord& record, int npolaridades);

} // namespace ixo
