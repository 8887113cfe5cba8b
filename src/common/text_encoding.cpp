#include "common/text_encoding.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace ixo {
namespace {

// Code points of the bytes 0x80..0x9F in Windows-1252; 0 marks the five undefined bytes,
// which are carried through as the C1 control of the same value.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char32_t CodePointOf(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F) {
        char32_t mapped = kHighControls[byte - 0x80];
        return mapped != 0 ? mapped : byte;
    }
    return byte;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

char ByteOf(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
        return static_cast<char>(cp);
    }
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == cp || (kHighControls[i] == 0 && cp == 0x80 + i)) {
            return static_cast<char>(0x80 + i);
        }
    }
    return '?';
}

// Decodes one UTF-8 sequence at text[pos]; returns its length, or 0 when malformed.
std::size_t DecodeUtf8(std::string_view text, std::size_t pos, char32_t& cp) {
    auto lead = static_cast<unsigned char>(text[pos]);
    std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
    if (length == 0 || lead >= 0xF8 || pos + length > text.size()) {
        return 0;
    }
    cp = lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        auto next = static_cast<unsigned char>(text[pos + i]);
        if ((next & 0xC0) != 0x80) {
            return 0;
        }
        cp = (cp << 6) | (next & 0x3F);
    }
    return length;
}

} // namespace

bool IsAsciiText(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

void AssignCp1252AsUtf8(std::string& out, std::string_view bytes) {
    if (IsAsciiText(bytes)) {
        out.assign(bytes);
        return;
    }
    out.clear();
    for (char c : bytes) {
        AppendUtf8(out, CodePointOf(static_cast<unsigned char>(c)));
    }
}

std::string Cp1252ToUtf8(std::string_view bytes) {
    // Nearly every text of a project file is ASCII, the same bytes in both encodings.
    if (IsAsciiText(bytes)) {
        return std::string(bytes);
    }
    std::string out;
    out.reserve(bytes.size());
    for (char c : bytes) {
        AppendUtf8(out, CodePointOf(static_cast<unsigned char>(c)));
    }
    return out;
}

std::string Utf8ToCp1252(std::string_view text) {
    if (IsAsciiText(text)) {
        return std::string(text);
    }
    std::string out;
    out.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        auto byte = static_cast<unsigned char>(text[pos]);
        if (byte < 0x80) {
            out.push_back(static_cast<char>(byte));
            ++pos;
            continue;
        }
        char32_t cp = 0;
        std::size_t length = DecodeUtf8(text, pos, cp);
        if (length == 0) {
            out.push_back(static_cast<char>(byte));
            ++pos;
            continue;
        }
        out.push_back(ByteOf(cp));
        pos += length;
    }
    return out;
}

} // namespace ixo
