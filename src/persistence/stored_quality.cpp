#include "persistence/stored_quality.h"

#include "persistence/stored_omissions.h"

#include <charconv>
#include <cmath>

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

bool ReadLnbCn(std::string_view text, std::array<double, 4>& values) {
    for (std::size_t i = 0; i < values.size(); ++i) {
        const std::size_t end = i + 1 < values.size() ? text.find(';') : text.size();
        if (end == std::string_view::npos) {
            return false;
        }
        const std::optional<double> value = ParseNumber(text.substr(0, end));
        if (!value) {
            return false;
        }
        values[i] = *value;
        text.remove_prefix(std::min(text.size(), end + 1));
    }
    return true;
}

bool ReadField(std::string_view name, std::string_view value, SignalQuality& quality) {
    if (name == kStandardField) {
        std::optional<std::string> standard = Unescaped(value);
        if (!standard) {
            return false;
        }
        quality.standard = std::move(*standard);
        return true;
    }
    if (name == kAntennaLevelField || name == kAntennaCnField) {
        const std::optional<double> number = ParseNumber(value);
        if (!number) {
            return false;
        }
        if (name == kAntennaLevelField) {
            quality.terrestrialAntennaLevel = *number;
        } else {
            quality.terrestrialAntennaCn = *number;
        }
        return true;
    }
    if (name == kLnbCnField) {
        return ReadLnbCn(value, quality.satelliteLnbCn);
    }
    return true; // a field of a later version
}

// The section after its marker line.
std::optional<SignalQuality> DecodeQuality(std::string_view rest) {
    SignalQuality quality;
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        if (end == std::string_view::npos) {
            return std::nullopt;
        }
        const std::string_view line = rest.substr(0, end);
        const std::size_t tab = line.find('\t');
        if (tab == std::string_view::npos || !ReadField(line.substr(0, tab), line.substr(tab + 1), quality)) {
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

std::optional<ReservedContents> DecodeReservedString(std::string_view reserved) {
    const std::string marker = std::string(kQualityMarker) + '\n';
    std::size_t split = std::string_view::npos;
    if (reserved.starts_with(marker)) {
        split = 0;
    } else if (const std::size_t found = reserved.find("\n" + marker); found != std::string_view::npos) {
        split = found + 1;
    }
    ReservedContents contents;
    std::optional<std::vector<BuildOmission>> omissions = DecodeOmissions(reserved.substr(0, split));
    if (!omissions) {
        return std::nullopt;
    }
    contents.omissions = std::move(*omissions);
    if (split != std::string_view::npos) {
        std::optional<SignalQuality> quality = DecodeQuality(reserved.substr(split + marker.size()));
        if (!quality) {
            return std::nullopt;
        }
        contents.quality = std::move(*quality);
    }
    return contents;
}

} // namespace ixo
