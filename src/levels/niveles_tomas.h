#pragma once

#include "model/level_vector.h"

#include <vector>

namespace ixo {

class TEscalera;
class TTomaTV;
class Tproyecto;
class Tvivienda;
class tplanta;

// The levels of one outlet over every polarity its flat can select.
struct NivelesToma {
    const TEscalera* Escalera = nullptr;
    const tplanta* Planta = nullptr;
    const Tvivienda* Vivienda = nullptr;
    const TTomaTV* Toma = nullptr;
    // Per band, the level of the polarity nearest to (or furthest beyond) the band's limits: the one an
    // installer has to look at. Band 0 (47 MHz) has no limit and keeps the lowest level.
    LevelVector Peor;
    // The level with the flat's own polarity selected, as the network is left.
    LevelVector Recibido;
};

// Every outlet of the building (stairs, floors bottom up, flats and outlets in order) with its levels.
// Polarities are tried as the outlet check tries them, the flat's own last, so the network is left as
// it was. Outlets without a tap are left out.
std::vector<NivelesToma> NivelesDeTomas(Tproyecto& project);

} // namespace ixo
