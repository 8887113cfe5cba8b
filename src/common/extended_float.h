#pragma once

#include <array>
#include <cstdint>

namespace ixo {

// The 80-bit extended-precision format of component streams: a 64-bit mantissa with an explicit
// integer bit (bytes 0-7, little-endian), then the sign bit and a 15-bit exponent biased by 16383
// (bytes 8-9, little-endian).
using ExtendedBytes = std::array<std::uint8_t, 10>;

// Every double has an exact extended form: zeros keep their sign, subnormals become normal numbers,
// infinities and NaNs keep their kind (a NaN keeps its payload bits).
ExtendedBytes DoubleToExtended(double value);

// The nearest double (ties to even). Values beyond the double range become infinities, values below it
// subnormals or zeros; a zero exponent field with a non-zero mantissa (an extended denormal or a
// pseudo-denormal) is read by its numeric value; an exponent of all ones gives an infinity when the
// fraction bits are zero and a NaN otherwise; an "unnormal" (integer bit clear with a non-zero
// exponent) is read by its numeric value too.
double ExtendedToDouble(const ExtendedBytes& bytes);

} // namespace ixo
