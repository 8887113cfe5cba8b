#pragma once

#include "building/build_omission.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ixo {

// What the builder left out travels with the project in the header's reserved string, the one place of
// the file that every reader of the format reads and skips whatever it holds: a project without
// omissions keeps the empty string (its file is the same as ever), one with omissions stores them as
// text there, so that a saved design that could not be built whole never opens as one that passes.
//
// The text (UTF-8): the line "IxoOmissions 1", then one line per omission: its kind ("element" or
// "connection"), a tab, its description, a tab, the place it concerns; every line ends with a line
// feed. Backslash, tab and line feed inside a field are written as "\\", "\t" and "\n".
inline constexpr std::string_view kOmissionsMarker = "IxoOmissions 1";

// The reserved string for these omissions: empty when there are none.
std::string EncodeOmissions(const std::vector<BuildOmission>& omissions);

// The omissions a reserved string holds: none for the empty string; nullopt for a text that cannot be
// read (no marker line, an unknown kind, a missing field, a bad escape, a line without its line feed),
// with the reason in problem when given.
std::optional<std::vector<BuildOmission>> DecodeOmissions(std::string_view reserved,
                                                          std::string* problem = nullptr);

} // namespace ixo
