#pragma once

#include "model/level_vector.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace ixo {

class TEscalera;
class TPin;
class TTomaTV;
class Tproyecto;
class Tvivienda;
class tplanta;

// One flat of the outlet levels report: the polarity its entry had when the record was made, its entry
// input pin and its outlets in list order. Destroying the record gives the entry (and the pin feeding
// it) its polarity back.
class TregistroInfo {
public:
    explicit TregistroInfo(Tvivienda& flat);
    ~TregistroInfo();
    TregistroInfo(const TregistroInfo&) = delete;
    TregistroInfo& operator=(const TregistroInfo&) = delete;

    Tvivienda& Vivienda() const { return *m_flat; }
    const std::vector<const TTomaTV*>& Tomas() const { return m_outlets; }
    std::int32_t PolaridadGuardada() const { return m_polarity; }
    // Selects polarity on the flat's entry.
    void SeleccionarPolaridad(std::int32_t polarity) const;

private:
    Tvivienda* m_flat;
    TPin* m_entryInput; // null when the flat has no entry
    std::int32_t m_polarity = 0;
    std::vector<const TTomaTV*> m_outlets;
};

// One outlet column of an outlet table: where the outlet is and the level at its first tap.
struct TNodotoma {
    const TEscalera* Escalera = nullptr;
    const tplanta* Planta = nullptr;
    const Tvivienda* Vivienda = nullptr;
    const TTomaTV* Toma = nullptr;
    bool TieneDerivacion = false; // an outlet without tap has no level to show
    LevelVector Niveles;
};

// Every flat of the project (ListaViviendas order), each keeping its polarity until the list goes.
class TListaInfoPau {
public:
    explicit TListaInfoPau(const Tproyecto& project);

    const std::vector<std::unique_ptr<TregistroInfo>>& Registros() const { return m_records; }
    void SeleccionarPolaridad(std::int32_t polarity) const;
    // The outlets of every flat in order, with the levels the network holds now.
    std::vector<TNodotoma> Tomas() const;

private:
    std::vector<std::unique_ptr<TregistroInfo>> m_records;
};

} // namespace ixo
