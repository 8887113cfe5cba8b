#pragma once

#include <cstdint>
#include <vector>

namespace ixo {

class TCBFT;
class TMultiswitch;
class Tproyecto;
class tplanta;

// Small helpers shared by the placement and the connection of the floor multiswitches.

// A copy of the catalogue element (family, model) owned by the project's network; null when the store
// has no such element or it is not a transfer-function element.
TCBFT* NuevoElementoCatalogo(Tproyecto& project, std::int32_t family, std::int32_t model);

// Puts elements at the front of the floor's ETV in their order (the first becomes ETV[0]) and records
// the floor as their place.
void InsertarAlFrente(tplanta& floor, const std::vector<TCBFT*>& elements);

// Links the members of a position as one device: the first takes the second as double partner and the
// third as triple partner.
void EnlazarSocios(const std::vector<TCBFT*>& members);

// The multiswitches of the floor's ETV, in order (other elements skipped).
std::vector<TMultiswitch*> MultiswitchesDe(const tplanta& floor);

// How many multiswitches stand side by side in a position of the floor (one per satellite): 3 when the
// first element of ETV has a triple partner, 2 when it has a double partner, else 1.
int TamanoGrupo(const tplanta& floor);

} // namespace ixo
