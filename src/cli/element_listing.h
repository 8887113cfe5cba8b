#pragma once

#include <iosfwd>
#include <string>
#include <string_view>

namespace ixo {
class TComponenteBase;
class Tproyecto;
} // namespace ixo

namespace ixo::cli {

// The address of a network element for `info --elements` and `edit`: the component name for the
// elements of the building's network, the component path below the project for the elements inside
// the flats (their names repeat from flat to flat).
std::string ElementAddress(const TComponenteBase& element);
// The element at an address (any letter case), or null.
TComponenteBase* FindElement(Tproyecto& project, std::string_view address);
// "STAIR1 FLOOR2 FL3", "STAIR1 FLOOR0" (the headend floor), or "-" for an element without place.
std::string ElementPlace(const TComponenteBase& element);
// Every element with its address, class, family, model and place, then one line per connected pin:
// the pin, the element and pin at the other end, cable model and length.
void WriteElementList(std::ostream& out, const Tproyecto& project);

} // namespace ixo::cli
