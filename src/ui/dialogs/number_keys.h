#pragma once

// The key filters of the numeric fields of the small dialogs. The decimal filter accepts digits, "-",
// the decimal separator and control characters other than carriage return, and turns "." and "," into
// the decimal separator, so that a user may type either on any keyboard.
#include <optional>
#include <string>
#include <string_view>

namespace ixo {

// The character a typed key puts into a decimal field, or nothing when the key is dropped.
std::optional<char32_t> DecimalKey(char32_t key, char32_t decimalSeparator);
// Digits, "-" and control characters other than carriage return.
bool IntegerKeyAccepted(char32_t key);

// A whole text read as a number written with decimalSeparator (one sign, digits, at most one separator,
// at least one digit). Nothing for any other text, so that "1e3", "inf" or "2.5x" are not numbers.
std::optional<double> ParseDecimal(std::string_view text, char decimalSeparator);
// value with one decimal, written with decimalSeparator ("12.5" or "12,5").
std::string FormatOneDecimal(double value, char decimalSeparator);

} // namespace ixo
