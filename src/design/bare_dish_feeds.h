#pragma once

// The elements of the headend floor that dishes feed straight, with no IF amplifier between: the
// multiswitches and dish splitters a stand-alone headend is built with. Headend amplifiers go in front
// of them (InsertHeadendAmplifiers) where the satellite levels need more gain than the dishes give.
#include <vector>

namespace ixo {

class TComponenteBase;
class Tproyecto;

[[nodiscard]] std::vector<TComponenteBase*> BareDishFeeds(const Tproyecto& project);

} // namespace ixo
