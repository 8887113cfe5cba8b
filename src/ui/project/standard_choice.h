#pragma once

// The rules of "Standard and signal quality": which standard preset the project is checked against and
// what its sources deliver (antenna level, LNB C/N). Kept apart from the widgets so that they are
// tested without a display.
#include "building/signal_quality.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace ixo {

class Tproyecto;

class StandardChoice {
public:
    // Starts from the project's choices ("None" when it has no standard).
    explicit StandardChoice(const Tproyecto& project);

    // "None" first, then every preset's title.
    std::vector<std::string> Choices() const;
    int Selected() const { return m_selected; }
    void Select(int index);

    // Texts as typed (decimal comma or point). An entry that is not a number from -50 to 150 makes the
    // choice invalid, with the reason in Problem().
    std::string AntennaLevelText() const { return m_antennaLevel; }
    void SetAntennaLevelText(std::string text) { m_antennaLevel = std::move(text); }
    // The LNB C/N: one text per IF band (950, 1350, 1750, 2150 MHz). The single text is the quick way:
    // setting it sets the four bands; it starts as their common value ("" when they differ).
    std::string LnbCnText() const { return m_lnbCn; }
    void SetLnbCnText(std::string text);
    static constexpr std::size_t kLnbBands = 4;
    std::string LnbCnBandText(std::size_t band) const;
    void SetLnbCnBandText(std::size_t band, std::string text);
    static std::string LnbBandName(std::size_t band); // "950 MHz"
    std::optional<std::string> Problem() const;

    // The levels window the chosen preset sets, as text ("" for none or Custom).
    std::string WindowText() const;

    // Writes the choices into the project (its quality; a preset other than Custom also sets its two
    // level limits) and marks it modified; false (nothing changed) while a value is invalid or when
    // nothing differs. The caller recalculates.
    bool Apply(Tproyecto& project) const;

private:
    SignalQuality Chosen() const;

    int m_selected = 0;
    std::string m_antennaLevel;
    std::string m_lnbCn;
    std::array<std::string, kLnbBands> m_lnbCnBands;
    SignalQuality m_original;
};

} // namespace ixo
