#pragma once

#include "common/progress.h"

namespace ixo {

class Tproyecto;
class tplanta;

// The headend-multiswitch layout: every flat of every stair is cabled straight from an output of one of
// the headend multiswitches (the TMultiswitch elements of the headend floor's ETV, in order), with the
// floor cable. Per stair, the first half (rounded up) of every floor's flats, top floor first, then the
// other flats in creation order; each cable is DistanciaPlantas per floor between the flat and the
// headend floor, plus the horizontal distance to the headend stair, plus 10 m. When a multiswitch has
// no free output the next one is tried once; flats that find no free output stay unconnected.
//
// One progress step per stair. Result 1; 0 when the user cancels (the stairs done stay connected).
[[nodiscard]] int DistribuirDesdeCabecera(Tproyecto& project, tplanta& headendFloor,
                                          Progress& progress = NoProgress());

} // namespace ixo
