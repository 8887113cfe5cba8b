#pragma once

// The rules of the Add amplifier and Remove amplifier tools: what the element under the mouse takes.
// Add amplifier offers, by the element and the project:
// - headend amplifiers for the dishes feeding a multiswitch without both taps and outputs, or a dish
//   splitter feeding a multiswitch beside it (the headend amplifier family of the preferences);
// - an amplifier inside the flat of an outlet or of the splitter its entry feeds, unless the flat has one
//   (the flat amplifier family);
// - for an element of a floor other than the headend's (not a DiSEqC switch): with 8 or more than 12
//   polarities and its third input fed by a dish, headend amplifiers on the headend floor; else a line
//   amplifier of the 8- or 16-polarity line family, of the 5005 cascade's family, or of the line
//   amplifiers.
// Remove amplifier takes out an amplifier inside a flat, a headend amplifier (or, with the headend's
// multiswitches, every headend amplifier of the multiswitch it feeds) or a line amplifier.
#include <cstdint>

namespace ixo {

class TComponenteBase;
class TMultiswitch;
class Tproyecto;
class Tvivienda;

struct AmplifierToolInsertion {
    enum class Kind { None, HeadendAmplifiers, FlatAmplifier, LineAmplifier };
    Kind kind = Kind::None;
    // The explorer opens on this family and model with this group filter, in exact mode when set.
    std::int32_t family = 0;
    std::int32_t model = 0;
    std::int32_t group = 0;
    bool exact = false;
    // Headend amplifiers: the dishes of the headend floor rather than of the element's floor.
    bool onHeadendFloor = false;
    Tvivienda* flat = nullptr; // the flat of a flat amplifier
};

[[nodiscard]] AmplifierToolInsertion AmplifierToolInsertionAt(TComponenteBase& element,
                                                              const Tproyecto& project);

struct AmplifierToolRemoval {
    enum class Kind { None, FlatAmplifier, HeadendAmplifier, HeadendAmplifiersOf, LineAmplifier };
    Kind kind = Kind::None;
    TMultiswitch* multiswitch = nullptr; // the multiswitch whose headend amplifiers go
};

[[nodiscard]] AmplifierToolRemoval AmplifierToolRemovalAt(TComponenteBase& element, const Tproyecto& project);

} // namespace ixo
