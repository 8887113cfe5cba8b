#pragma once

#include "building/build_omission.h"
#include "building/signal_quality.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ixo {

// The source quality and the chosen standard travel in the header's reserved string too, as a tagged
// section after the omissions (stored_omissions.h): every reader of the format skips the string, so the
// file stays readable by all of them, and a project that chose nothing (SignalQuality::IsDefault) adds
// nothing, so its file is the same as ever.
//
// The section (UTF-8): the line "IxoQuality 1", then one line per field that differs from its default:
// its name, a tab, its value, a line feed. Fields: "standard" (the preset's name, escaped as in the
// omissions), "antennaLevel" and "antennaCn" (dBµV, dB), "lnbCn" (four values separated by ";"). Numbers
// are written in the shortest form that reads back exactly. Unknown field names are skipped, so a later
// version may add fields.
inline constexpr std::string_view kQualityMarker = "IxoQuality 1";

// The whole reserved string: the omissions' text, then the quality section when there is something to
// keep. Empty for a project without either.
std::string EncodeReservedString(const std::vector<BuildOmission>& omissions, const SignalQuality& quality);

struct ReservedContents {
    std::vector<BuildOmission> omissions;
    SignalQuality quality;
};

// Splits the reserved string at the quality marker line and reads both parts. The empty string holds
// neither. nullopt, with the reason in problem when given, for any other text that cannot be read
// whole: a text with neither marker line (a damaged marker, CR LF line ends), a bad number or one out of
// SignalQuality's range, a standard no preset has, a field without its tab, a line without line feed.
// A project whose header cannot be read is refused: a damaged record must never open as a design that
// was built whole, or without the standard it is checked against.
std::optional<ReservedContents> DecodeReservedString(std::string_view reserved, std::string* problem = nullptr);

} // namespace ixo
