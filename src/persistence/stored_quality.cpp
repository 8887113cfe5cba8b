#include "persistence/stored_quality.h"

#include "persistence/stored_omissions.h"
#include "settings/standard_presets.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace ixo {
namespace {

constexpr std::string_view kStandardField = "standard";
constexpr std::string_view kAntennaLevelField = "antennaLevel";
constexpr std::string_view kAntennaCnField = "antennaCn";
constexpr std::string_view kLnbCnField = "lnbCn";

std::string Number(double value) {
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

std::optional<double> ParseNumber(std::string_view text) {
    double value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::string Escaped(std::string_view field) {
    std::string out;
    for (char c : field) {
        if (c == '\\') {
            out += "\\\\";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c == '\n') {
            out += "\\n";
        } else {
            out += c;
        }
    }
    return out;
}

std::optional<std::string> Unescaped(std::string_view field) {
    std::string out;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] != '\\') {
            out += field[i];
            continue;
        }
        if (++i == field.size()) {
            return std::nullopt;
        }
        if (field[i] == '\\') {
            out += '\\';
        } else if (field[i] == 't') {
            out += '\t';
        } else if (field[i] == 'n') {
            out += '\n';
        } else {
            return std::nullopt;
        }
    }
    return out;
}

std::string EncodeQuality(const SignalQuality& quality) {
    const SignalQuality defaults;
    std::string text(kQualityMarker);
    text += '\n';
    const auto line = [&text](std::string_view name, const std::string& value) {
        text += name;
        text += '\t';
        text += value;
        text += '\n';
    };
    if (quality.standard != defaults.standard) {
        line(kStandardField, Escaped(quality.standard));
    }
    if (quality.terrestrialAntennaLevel != defaults.terrestrialAntennaLevel) {
        line(kAntennaLevelField, Number(quality.terrestrialAntennaLevel));
    }
    if (quality.terrestrialAntennaCn) {
        line(kAntennaCnField, Number(*quality.terrestrialAntennaCn));
    }
    if (quality.satelliteLnbCn != defaults.satelliteLnbCn) {
        std::string values;
        for (double value : quality.satelliteLnbCn) {
            values += (values.empty() ? "" : ";") + Number(value);
        }
        line(kLnbCnField, values);
    }
    return text;
}

std::string RangeText() {
    char text[64];
    std::snprintf(text, sizeof text, "a number from %g to %g", SignalQuality::kLowestFigure,
                  SignalQuality::kHighestFigure);
    return text;
}

// A figure of the section, refused outside the range the options take (a stored 1e6 would make every
// C/N infinite and every outlet pass).
std::optional<double> ReadFigure(std::string_view text) {
    const std::optional<double> value = ParseNumber(text);
    if (!value || *value < SignalQuality::kLowestFigure || *value > SignalQuality::kHighestFigure) {
        return std::nullopt;
    }
    return value;
}

bool ReadLnbCn(std::string_view text, std::array<double, 4>& values) {
    for (std::size_t i = 0; i < values.size(); ++i) {
        const std::size_t end = i + 1 < values.size() ? text.find(';') : text.size();
        if (end == std::string_view::npos) {
            return false;
        }
        const std::optional<double> value = ReadFigure(text.substr(0, end));
        if (!value) {
            return false;
        }
        values[i] = *value;
        text.remove_prefix(std::min(text.size(), end + 1));
    }
    return true;
}

// Reads one field into quality; the reason it cannot, or empty.
std::string ReadField(std::string_view name, std::string_view value, SignalQuality& quality) {
    if (name == kStandardField) {
        std::optional<std::string> standard = Unescaped(value);
        if (!standard) {
            return "the standard's name has a bad escape";
        }
        const StandardPreset* preset = FindStandardPreset(*standard);
        if (preset == nullptr) {
            return "unknown standard '" + *standard + "' (known: " + StandardPresetNames() + ")";
        }
        quality.standard = std::move(*standard);
        return {};
    }
    if (name == kAntennaLevelField || name == kAntennaCnField) {
        const std::optional<double> number = ReadFigure(value);
        if (!number) {
            return std::string(name) + " '" + std::string(value.substr(0, 40)) + "' is not " + RangeText();
        }
        if (name == kAntennaLevelField) {
            quality.terrestrialAntennaLevel = *number;
        } else {
            quality.terrestrialAntennaCn = *number;
        }
        return {};
    }
    if (name == kLnbCnField) {
        return ReadLnbCn(value, quality.satelliteLnbCn)
                   ? std::string()
                   : "lnbCn '" + std::string(value.substr(0, 60)) + "' is not four of " + RangeText() +
                         " separated by ';'";
    }
    return {}; // a field of a later version
}

// The section after its marker line (line 1 of the section).
std::optional<SignalQuality> DecodeQuality(std::string_view rest, std::string& problem) {
    SignalQuality quality;
    for (int number = 2; !rest.empty(); ++number) {
        const std::size_t end = rest.find('\n');
        const std::string where = "the record of the signal quality, line " + std::to_string(number) + ": ";
        if (end == std::string_view::npos) {
            problem = where + "it does not end with a line feed";
            return std::nullopt;
        }
        const std::string_view line = rest.substr(0, end);
        const std::size_t tab = line.find('\t');
        if (tab == std::string_view::npos) {
            problem = where + "no tab between the field's name and its value";
            return std::nullopt;
        }
        if (std::string why = ReadField(line.substr(0, tab), line.substr(tab + 1), quality); !why.empty()) {
            problem = where + why;
            return std::nullopt;
        }
        rest.remove_prefix(end + 1);
    }
    return quality;
}

} // namespace

std::string EncodeReservedString(const std::vector<BuildOmission>& omissions, const SignalQuality& quality) {
    std::string text = EncodeOmissions(omissions);
    if (!quality.IsDefault()) {
        text += EncodeQuality(quality);
    }
    return text;
}

std::optional<ReservedContents> DecodeReservedString(std::string_view reserved, std::string* problem) {
    const std::string marker = std::string(kQualityMarker) + '\n';
    std::size_t split = std::string_view::npos;
    if (reserved.starts_with(marker)) {
        split = 0;
    } else if (const std::size_t found = reserved.find("\n" + marker); found != std::string_view::npos) {
        split = found + 1;
    }
    std::string why;
    ReservedContents contents;
    std::optional<std::vector<BuildOmission>> omissions = DecodeOmissions(reserved.substr(0, split), &why);
    if (omissions) {
        contents.omissions = std::move(*omissions);
        if (split != std::string_view::npos) {
            std::optional<SignalQuality> quality = DecodeQuality(reserved.substr(split + marker.size()), why);
            if (quality) {
                contents.quality = std::move(*quality);
                return contents;
            }
        } else {
            return contents;
        }
    }
    if (problem != nullptr) {
        *problem = std::move(why);
    }
    return std::nullopt;
}

} // namespace ixo
