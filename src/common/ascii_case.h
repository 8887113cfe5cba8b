#pragma once

#include <string>
#include <string_view>

namespace ixo {

// Catalogue names (table names, file names, kind names) are plain ASCII and are compared the way the
// catalogue's Windows origin does: letters folded to upper case, everything else as is.
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

} // namespace ixo
