#pragma once

#include "common/progress.h"

#include <vector>

namespace ixo {

class TRepartidor;
class Tproyecto;
class tplanta;

// The number of trunk lines: one per polarity plus the terrestrial lines (one in all for 8 polarities
// and more than 12, one per satellite otherwise; none without terrestrial distribution).
int NumeroLineasTroncales(int polarities, bool terrestrial);

// The trunk line list: the last NumeroLineasTroncales splitters of the headend floor's ETV, in ETV
// order (the trunk splitters of the headend); empty when the floor holds fewer, and the stairs are then
// fed straight from the headend.
std::vector<TRepartidor*> LineasTroncales(const Tproyecto& project, const tplanta& headendFloor);

// With 8/16 polarities the line of the trunk splitter fed by the terrestrial headend becomes line 0.
void PonerLineaTerrestrePrimero(std::vector<TRepartidor*>& lines);

// The trunk run: per stair with flats, the floor multiswitches are placed and chained (cascade models
// for 4 and 12 polarities, the 8/16 procedure otherwise), then the stair is fed from the trunk lines, or
// straight from the headend when there are none. One progress step per stair (stairs without flats
// included). Result 1; 0 when the user cancels.
[[nodiscard]] int DistribuirTroncal(Tproyecto& project, tplanta& headendFloor,
                                    Progress& progress = NoProgress());

} // namespace ixo
