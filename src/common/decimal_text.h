#pragma once

#include <string>

namespace ixo {

// value with one decimal, as printf's "%.1f" writes it in the C locale ("-0.0", "inf", "nan" included),
// without printf's cost: reports write it for every level of every outlet.
[[nodiscard]] std::string OneDecimalText(double value);

} // namespace ixo
