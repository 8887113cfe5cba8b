#pragma once

#include "building/comprueba_errores.h"

#include <string>

namespace ixo {

class TEscalera;
class TTomaTV;
class Tproyecto;

// Compares the level at the outlet's first tap with the limits of the outlet's project: bands 175, 470
// and 862 MHz with limits entry 0 (only when `conTerrestre`), bands 950 to 2150 MHz with entry 1. A
// level equal to a limit is within it. Returns the flags of this comparison (bit 0 above a maximum,
// bit 1 below a minimum) and accumulates the worst levels into `record` over successive calls.
std::uint16_t ComprobarToma(const TTomaTV& outlet, bool conTerrestre, TNodoInfo& record);

// The text of the error list for one record, levels with one decimal, e.g.
// ">MAX(SAT:72.3) <MIN(TER:55.0)".
std::string TextoError(const TNodoInfo& record);

// Checks every outlet of the stair's flats, at every polarity its flat can select, against the project's
// limits and fills the stair's ErroresEscalera; true when some outlet is out of limits. Nothing is
// checked (and the list stays empty) before the installation is calculated.
bool ComprobarErrores(TEscalera& stair);

// Runs every stair's outlet check; ConErrores := some stair found errors and the installation is
// calculated. True when some stair found errors.
bool ComprobarErrores(Tproyecto& project);

} // namespace ixo
