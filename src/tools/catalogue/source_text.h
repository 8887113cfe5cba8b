#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ixo::catalogue_tool {

// Small text helpers shared by the text source reader and writer.

// The lines of a text file: split on LF, a CR before the LF dropped, a leading UTF-8 byte order mark
// dropped. A final LF ends the last line rather than starting an empty one.
std::vector<std::string> SplitSourceLines(std::string_view content);

// Without leading and trailing blanks (spaces and tabs).
std::string_view TrimBlanks(std::string_view text);

// A whole decimal int32 ("-4", "1002"); nothing else on the text.
std::optional<std::int32_t> ParseInt32(std::string_view text);

// Why text cannot go into a Windows-1252 field of maxBytes characters, or nothing when it fits.
std::optional<std::string> FieldTextProblem(std::string_view text, std::size_t maxBytes);

// Why text cannot be written as Windows-1252 at all (a character outside it, malformed UTF-8).
std::optional<std::string> EncodingProblem(std::string_view text);

} // namespace ixo::catalogue_tool
