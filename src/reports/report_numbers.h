#pragma once

#include <string>

namespace ixo {

// Numbers in reports, the same whatever the locale (the desktop sets the user's locale, and a report
// must not turn "12.8" into "12,8" in one program and not in another).

// Fixed notation with one decimal: 12.8, -3.0.
std::string FixedOneDecimal(double value);
// The shortest form that reads back exactly, without exponent for everyday values: 175, 950, 12.5.
std::string GeneralNumber(double value);
// value rounded to one decimal (halves away from zero): 12.34 gives 12.3, 0.25 gives 0.3.
double RoundMetresToOneDecimal(double value);

} // namespace ixo
