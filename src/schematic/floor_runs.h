#pragma once

// Runs of floors drawn alike, as installers draw a tower block: the floors of a stair whose drawing has
// the same symbols, models, cable lengths, geometry and outlet results are one run, drawn once as a
// typical floor (also when floors drawn otherwise lie between them, as a powered multiswitch every ninth
// floor). An outlet that fails differently on a floor takes that floor out of the run, so a failing
// outlet is never hidden in a run.
#include "schematic/geometry.h"

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace ixo {

class TTomaTV;
class Tproyecto;
struct Tgrafplantas;
struct TgrafEscalera;

// The outlet check's result of every outlet in the project's error lists: bit 0 above the maximum, bit 1
// below the minimum (outlets not listed pass).
using OutletStates = std::unordered_map<const TTomaTV*, std::uint16_t>;
OutletStates OutletStatesOf(const Tproyecto& project);

// The design bounds of a floor's symbols and flat frames (wires left out: trunks reach other floors).
Rect FloorSymbolBounds(const Tgrafplantas& floor);

// What decides whether two floors are drawn alike: every object's kind, caption (models, cable lengths
// and models of wires) and place relative to the floor's symbol bounds, and every outlet's result.
std::string FloorSignature(const Tgrafplantas& floor, const OutletStates& states);

struct FloorRun {
    std::vector<const Tgrafplantas*> floors; // highest first, as drawn
    // The outlets' levels over the run (dBuV): terrestrial bands 175 to 862 MHz, satellite IF bands.
    double lowestTerrestrial = 0.0;
    double highestTerrestrial = 0.0;
    double lowestSatellite = 0.0;
    double highestSatellite = 0.0;
    bool hasLevels = false;
    std::size_t outlets = 0; // the outlets of the run's floors
    std::size_t failing = 0; // of those, the outlets out of limits
};

// Below this level (dBuV) an outlet receives no usable signal: a run's note writes "< 0.0" instead of
// the figure the loss arithmetic gives (-300 dBuV at the top of a tower with nothing to lift it).
inline constexpr double kLowestShownLevel = 0.0;

// The stair's drawn floors other than the headend floor grouped into runs drawn alike (every floor a run
// of its own when everyFloor is set); runs in the order of their highest floors, top down, and each
// run's floors highest first.
std::vector<FloorRun> FloorRuns(const TgrafEscalera& stair, const OutletStates& states, bool everyFloor);

// "FLOOR 7", "FLOOR 3 to FLOOR 38 (x36)", "FLOOR 5, 14, 23 (x3)" or "FLOOR 1 to FLOOR 40 but 5, 14
// to 15 (x37)", whichever is shorter (the multiplication sign in Latin-1).
std::string RunCaption(const FloorRun& run);
// "Outlets: TV 58.1 to 63.0 dBuV, SAT 60.2 to 66.4 dBuV" (micro sign in Latin-1); empty without levels.
// With outlets out of limits their count follows ("; 8 of 16 out of limits"), and a level below
// kLowestShownLevel is written "< 0.0".
std::string RunLevelNote(const FloorRun& run);

} // namespace ixo
