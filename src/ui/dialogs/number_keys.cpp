#include "ui/dialogs/number_keys.h"

#include <charconv>
#include <cmath>

namespace ixo {

namespace {

constexpr char32_t kCarriageReturn = 0x0D;

bool IsControl(char32_t key) {
    return key < 0x20 || key == 0x7F;
}

bool IsDigit(char32_t key) {
    return key >= U'0' && key <= U'9';
}

} // namespace

std::optional<char32_t> DecimalKey(char32_t key, char32_t decimalSeparator) {
    if (key == U'.' || key == U',') {
        return decimalSeparator;
    }
    if (IsDigit(key) || key == U'-' || key == decimalSeparator ||
        (IsControl(key) && key != kCarriageReturn)) {
        return key;
    }
    return std::nullopt;
}

bool IntegerKeyAccepted(char32_t key) {
    return IsDigit(key) || key == U'-' || (IsControl(key) && key != kCarriageReturn);
}

std::optional<double> ParseDecimal(std::string_view text, char decimalSeparator) {
    // Spaces around the number are forgiven; inside it they are not.
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    std::string plain;
    bool digits = false;
    bool separator = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            digits = true;
            plain += c;
        } else if (c == '-' && i == 0) {
            plain += c;
        } else if (c == decimalSeparator && !separator) {
            separator = true;
            plain += '.';
        } else {
            return std::nullopt;
        }
    }
    if (!digits) {
        return std::nullopt;
    }
    // from_chars reads the C notation whatever locale the desktop set.
    double value = 0.0;
    const auto [end, error] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (error != std::errc() || end != plain.data() + plain.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::string FormatOneDecimal(double value, char decimalSeparator) {
    char text[64];
    const auto written = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 1);
    std::string result(text, written.ptr);
    for (char& c : result) {
        if (c == '.') {
            c = decimalSeparator;
        }
    }
    return result;
}

} // namespace ixo
