#pragma once

#include <string>
#include <vector>

namespace ixo {

class TCBFT;
class TComponenteBase;
class TLinAmp;
class TMultiswitch;
class TTomaTV;
class Tvivienda;
class Tproyecto;
class tplanta;

// Every transfer-function element of the project: those of the building's network in creation order,
// then those inside each flat, flat by flat.
std::vector<TCBFT*> NetworkElements(const Tproyecto& project);

// The multiswitch of a floor that the riser feeds from outside the floor (the first one listed; a line
// amplifier inserted on the floor stands in the riser), or null.
TMultiswitch* RiserEntry(const tplanta& floor);

// The line amplifier feeding the multiswitch's first connected input, or null.
const TLinAmp* AmplifierFeeding(const TMultiswitch& multiswitch);

// The name of what the element's first connected output feeds, or "?".
std::string FedName(const TComponenteBase& element);

// "STAIR2 FLOOR7", or "FLOOR7" for a floor outside the stairs.
std::string FloorPlace(const tplanta& floor);
// "STAIR1 FLOOR2 FL3": the flat's floor and name.
std::string FlatPlace(const Tvivienda& flat);
// "STAIR2 FLOOR7 FL14 T3": the outlet's place, its number counted among the flat's outlets.
std::string OutletPlace(const Tvivienda& flat, const TTomaTV& outlet);

} // namespace ixo
