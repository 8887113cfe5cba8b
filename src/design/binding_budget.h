#pragma once

#include <string>
#include <vector>

namespace ixo {

class LevelSample;
class Tproyecto;

// Per stair with outlets below their minimum, the budget that binds it, in words and figures: its worst
// outlet, the element standing at its maximum that holds it down, the losses between them and the window
// between that maximum and the outlet minimum (or, where the losses fit it, the tilt to the outlet's band).
// Where no element of the stair or the headend stands at its maximum, the headend that has run out: the
// terrestrial headend at its highest output level (terrestrial bands), or the headend amplifiers with
// every gain control at its highest gain (satellite bands), with their level, the losses down to the
// outlet and the window between that level and the outlet minimum.
[[nodiscard]] std::vector<std::string> BindingBudgets(const Tproyecto& project, const LevelSample& sample);

} // namespace ixo
