#pragma once

#include <string>
#include <vector>

namespace ixo {

class LevelSample;

// Per stair with outlets below their minimum, the budget that binds it, in words and figures: its worst
// outlet, the element standing at its maximum that holds it down, the losses between them and the window
// between that maximum and the outlet minimum (or, where the losses fit it, the tilt to the outlet's band).
[[nodiscard]] std::vector<std::string> BindingBudgets(const LevelSample& sample);

} // namespace ixo
