#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ixo {

// Numbers in the settings file. The file is independent of the user's locale: reals are written with a
// decimal point, and a decimal comma (files written on systems that use one) is read as a point.

// A numeric value without a trailing comment: the text before the first ";" or "#" that starts the value
// or follows a blank ("15   ; m" gives "15   "). Text values (names, folders) are taken whole.
std::string_view WithoutInlineComment(std::string_view text);

// A whole decimal integer, optionally signed, that fits 32 bits; surrounding blanks are ignored.
// Anything else ("12abc", "1.5", "", "99999999999") gives no value.
std::optional<std::int32_t> ParseIniInteger(std::string_view text);

// A finite real number; every "," counts as the decimal point, surrounding blanks are ignored and an
// exponent is accepted. Anything else ("", "12,5,1", "inf", "abc") gives no value.
std::optional<double> ParseIniDecimal(std::string_view text);

// The shortest text with a decimal point that reads back to exactly this value: 15 -> "15", 12.5 -> "12.5".
std::string FormatIniDecimal(double value);

} // namespace ixo
