#pragma once

#include <array>
#include <optional>
#include <string>

namespace ixo {

// What the sources deliver besides their level, and the standard the project is checked against. The
// carrier-to-noise ratio at an outlet starts from these: the terrestrial headend amplifies what the
// antenna gives it (its own noise is judged against that level, and the antenna signal may already
// carry noise of its own), and a dish's LNB delivers the satellite IF with a C/N that depends on the
// dish and the satellite.
struct SignalQuality {
    static constexpr double kDefaultAntennaLevel = 60.0; // dBµV per channel at the headend input
    static constexpr double kDefaultLnbCn = 16.0;        // dB, a clear-sky Ku-band link on a 80 cm dish
    // The range every figure is taken from, given as an option or read from a project file (dBµV, dB).
    static constexpr double kLowestFigure = -50.0;
    static constexpr double kHighestFigure = 150.0;

    // The standard preset chosen for the project (its name), empty when none is.
    std::string standard;
    double terrestrialAntennaLevel = kDefaultAntennaLevel;
    // The C/N of the antenna signal itself, when the user measured or knows it.
    std::optional<double> terrestrialAntennaCn;
    // The C/N at the LNB output at 950, 1350, 1750 and 2150 MHz.
    std::array<double, 4> satelliteLnbCn{kDefaultLnbCn, kDefaultLnbCn, kDefaultLnbCn, kDefaultLnbCn};

    // Nothing chosen: every field at its default (a project file then carries nothing of it).
    bool IsDefault() const;
    bool operator==(const SignalQuality&) const = default;
};

} // namespace ixo
