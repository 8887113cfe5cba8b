#include "tools/catalogue/source_text.h"

#include "common/text_encoding.h"

#include <charconv>
#include <cstdio>

namespace ixo::catalogue_tool {
namespace {

// Length of the UTF-8 sequence led by byte (1 for ASCII and for stray bytes).
std::size_t SequenceLength(unsigned char byte) {
    if (byte >= 0xF0) {
        return 4;
    }
    if (byte >= 0xE0) {
        return 3;
    }
    if (byte >= 0xC0) {
        return 2;
    }
    return 1;
}

std::string Hex(unsigned value, int digits) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%0*X", digits, value);
    return buffer;
}

} // namespace

std::vector<std::string> SplitSourceLines(std::string_view content) {
    if (content.starts_with("\xEF\xBB\xBF")) {
        content.remove_prefix(3);
    }
    std::vector<std::string> lines;
    while (!content.empty()) {
        std::size_t end = content.find('\n');
        std::string_view line = content.substr(0, end);
        if (end != std::string_view::npos && line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        lines.emplace_back(line);
        if (end == std::string_view::npos) {
            break;
        }
        content.remove_prefix(end + 1);
    }
    return lines;
}

std::string_view TrimBlanks(std::string_view text) {
    std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    std::size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

std::optional<std::int32_t> ParseInt32(std::string_view text) {
    std::int32_t value = 0;
    const char* end = text.data() + text.size();
    auto [ptr, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || ptr != end) {
        return std::nullopt;
    }
    return value;
}

std::optional<std::string> EncodingProblem(std::string_view text) {
    // Character by character: each must come back unchanged from Windows-1252.
    for (std::size_t pos = 0; pos < text.size();) {
        auto lead = static_cast<unsigned char>(text[pos]);
        std::size_t length = SequenceLength(lead);
        if (pos + length > text.size()) {
            length = text.size() - pos;
        }
        std::string_view character = text.substr(pos, length);
        if (Cp1252ToUtf8(Utf8ToCp1252(character)) != character) {
            if (length == 1 || Utf8ToCp1252(character).size() != 1) {
                return "malformed UTF-8 (byte 0x" + Hex(lead, 2) + ")";
            }
            return "the character \"" + std::string(character) + "\" has no Windows-1252 code";
        }
        pos += length;
    }
    return std::nullopt;
}

std::optional<std::string> FieldTextProblem(std::string_view text, std::size_t maxBytes) {
    if (auto problem = EncodingProblem(text)) {
        return problem;
    }
    std::size_t size = Utf8ToCp1252(text).size();
    if (size > maxBytes) {
        return std::to_string(size) + " characters long, at most " + std::to_string(maxBytes) + " fit";
    }
    return std::nullopt;
}

} // namespace ixo::catalogue_tool
