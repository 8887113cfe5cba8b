#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace ixo {

class TTomaTV;
class Tvivienda;
class Tproyecto;

// One outlet with at least one band out of its limits after a level run. The last six fields are the
// outlet's worst-level record: a highest or lowest value means something only when the matching flag
// bit is set (bit 0: above the maximum, bit 1: below the minimum).
struct TNodoInfo {
    TTomaTV* Toma = nullptr;       // the outlet (not owned)
    Tvivienda* Vivienda = nullptr; // its flat (not owned)
    std::uint16_t Estado = 0;      // bit 0: some band above its maximum; bit 1: some band below its minimum
    std::uint32_t FlagsTerrestre = 0; // bands 175, 470 and 862 MHz (16-bit value in a 32-bit slot)
    double MaximoTerrestre = 0.0;     // highest level found above the terrestrial maximum, dBµV
    double MinimoTerrestre = 0.0;     // lowest level found below the terrestrial minimum, dBµV
    std::uint32_t FlagsSatelite = 0;  // bands 950, 1350, 1750 and 2150 MHz
    double MaximoSatelite = 0.0;      // highest level found above the satellite maximum, dBµV
    double MinimoSatelite = 0.0;      // lowest level found below the satellite minimum, dBµV
    // The band (0..7) of each of the four worst levels above, for the reports.
    std::uint8_t BandMaximoTerrestre = 0;
    std::uint8_t BandMinimoTerrestre = 0;
    std::uint8_t BandMaximoSatelite = 0;
    std::uint8_t BandMinimoSatelite = 0;
};

// The error list of one stair: the outlets out of limits found by the last check, in the order found.
// The list owns its records; clearing it frees them. The check itself lives with the level run.
class TCompruebaErrores {
public:
    Tproyecto* Proyecto = nullptr; // the project of the stair (not owned)
    bool ConTerrestre = true;      // the terrestrial bands are compared with their limits

    std::size_t Count() const { return m_nodos.size(); }
    bool Empty() const { return m_nodos.empty(); }
    TNodoInfo& operator[](std::size_t i) { return *m_nodos[i]; }
    const TNodoInfo& operator[](std::size_t i) const { return *m_nodos[i]; }
    // Appends a record and answers it.
    TNodoInfo& Add(const TNodoInfo& nodo) {
        m_nodos.push_back(std::make_unique<TNodoInfo>(nodo));
        return *m_nodos.back();
    }
    void Clear() { m_nodos.clear(); }
    // Drops the records of an outlet (one being freed); answers how many went.
    std::size_t RemoveOutlet(const TTomaTV* outlet) {
        return std::erase_if(m_nodos, [outlet](const auto& nodo) { return nodo->Toma == outlet; });
    }

private:
    std::vector<std::unique_ptr<TNodoInfo>> m_nodos;
};

} // namespace ixo
