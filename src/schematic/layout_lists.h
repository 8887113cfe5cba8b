#pragma once

// The layout's bookkeeping: per stair its drawn floors, per floor its graphic objects and flat spaces,
// per flat space the objects of one flat. The objects themselves are owned by the schematic.
#include "schematic/geometry.h"

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

namespace ixo {

class TBaseGrafMS;
class TEscalera;
class tplanta;
class Tvivienda;
struct TgrafEscalera;

struct TespVivgraf {
    std::int32_t Side = -1; // -1 not laid out yet, 0 left of the riser, 1 right
    Tvivienda* Flat = nullptr;
    std::vector<TBaseGrafMS*> Objects;
};

struct Tgrafplantas {
    std::int32_t Nivel = 0;
    tplanta* Planta = nullptr;
    std::vector<TBaseGrafMS*> Symbols;
    std::vector<std::unique_ptr<TespVivgraf>> FlatSpaces;
    TgrafEscalera* Stair = nullptr;
};

struct TgrafEscalera {
    TEscalera* Escalera = nullptr;
    std::int32_t MinLeft = 0;
    std::int32_t MaxRight = 0;
    std::vector<std::unique_ptr<Tgrafplantas>> Floors;
};

struct TgraflistaEscaleras {
    // (top, bottom) per floor index, common to all stairs.
    std::vector<std::pair<std::int32_t, std::int32_t>> FloorBands;
    std::vector<std::unique_ptr<TgrafEscalera>> Stairs;
    void Clear() {
        FloorBands.clear();
        Stairs.clear();
    }
};

} // namespace ixo
