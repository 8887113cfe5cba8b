#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ixo {

class TalmacenElementos;

// The names of the models a cascade may end with: the first two multiswitches of the cascadable family
// in the order the floor multiswitch table grades them (tap count, then mean tap attenuation; catalogue
// order between equals). The installation defaults choose the end of a cascade among them by index.
std::vector<std::string> CascadeEndModelNames(const TalmacenElementos& store, std::int32_t family);

} // namespace ixo
