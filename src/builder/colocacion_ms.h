#pragma once

#include "builder/tabla_ms.h"

namespace ixo {

class TComponenteBase;
class TEscalera;
class TMultiswitch;
class Tproyecto;
class tplanta;

// The floor multiswitches of one stair in the trunk layout: placement (elements created from the
// catalogue, owned by the project's network, listed in their floor's ETV), the feeds of the flats from
// the taps (through DiSEqC switches when a position holds several multiswitches) and the chaining of
// positions within a floor and from floor to floor.

// 4 and 12 polarities (cascade family, models graded by tap attenuation). Returns 1.
int ColocarCascada(Tproyecto& project, TEscalera& stair, const TMatMs& table);
// 8 and 16 polarities; `stairs` is the number of stairs of the project. Returns 1.
int ColocarMs816(Tproyecto& project, TEscalera& stair, int stairs, const TMatMs& table);

// Every flat of the stair's floors to a tap of a multiswitch of its floor, then EncadenarPlanta.
void ConectarViviendas(Tproyecto& project, TEscalera& stair);
// Each multiswitch of a floor feeds the multiswitch of the same satellite in the next position;
// `count` is the number of multiswitches at the start of the floor's ETV.
void EncadenarPlanta(Tproyecto& project, tplanta& floor, int count);
// The last position of each floor feeds the first position of the next lower floor with elements.
void EncadenarPlantas(Tproyecto& project, TEscalera& stair);
// Output i of upper to input i of lower (A inputs only with terrestrial distribution), riser cable
// above 0.5 m, floor cable otherwise. Nothing when either is missing or lower is a DiSEqC switch.
void ConectarMs(Tproyecto& project, TComponenteBase* upper, TComponenteBase* lower, double length);

} // namespace ixo
