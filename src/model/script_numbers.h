#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace ixo {

// A catalogue script value that cannot be converted (a non-numeric integer, a row with too few
// numbers, an unterminated block). It aborts building the element whose script holds it.
class ScriptError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Numbers in catalogue scripts use the decimal comma. Surrounding blanks are allowed; anything else
// that is not part of the number makes it unreadable.
std::optional<std::int32_t> TryParseScriptInteger(std::string_view text);
std::optional<double> TryParseScriptDecimal(std::string_view text);

// As above, raising ScriptError naming what (the key) when the text is not a number.
std::int32_t ParseScriptInteger(std::string_view text, std::string_view what);
double ParseScriptDecimal(std::string_view text, std::string_view what);

// Text up to the first ";" (all of it when there is none).
std::string_view FirstField(std::string_view text);
// Removes the text up to and including the first ";"; returns false (text unchanged) when there is none.
bool DropFirstField(std::string_view& text);

} // namespace ixo
