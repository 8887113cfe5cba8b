#pragma once

#include <string>
#include <string_view>

namespace ixo {

// The one case-insensitive comparison of the whole tree. Catalogue names (table names, file names, kind
// names), class, component and property names, script keys and settings keys are compared the way the
// catalogue's Windows origin does: ASCII letters folded to upper case, every other byte as is (so the
// result does not depend on the locale).
inline char UpperAscii(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

inline std::string UpperAscii(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) {
        c = UpperAscii(c);
    }
    return upper;
}

inline std::string LowerAscii(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    }
    return lower;
}

inline bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (UpperAscii(a[i]) != UpperAscii(b[i])) {
            return false;
        }
    }
    return true;
}

// Hashing and equality of names as EqualsIgnoringAsciiCase compares them, for unordered containers
// looked up with any string type (no upper-cased copy is made for a lookup).
struct AsciiCaseInsensitiveHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view name) const {
        std::size_t hash = 14695981039346656037ull; // FNV-1a over the upper-cased bytes
        for (const char c : name) {
            hash = (hash ^ static_cast<unsigned char>(UpperAscii(c))) * 1099511628211ull;
        }
        return hash;
    }
};

struct AsciiCaseInsensitiveEqual {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const { return EqualsIgnoringAsciiCase(a, b); }
};

} // namespace ixo
