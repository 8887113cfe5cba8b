#include "settings/ini_values.h"

#include <charconv>
#include <cmath>

namespace ixo {

std::string_view WithoutInlineComment(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((text[i] == ';' || text[i] == '#') && (i == 0 || text[i - 1] == ' ' || text[i - 1] == '\t')) {
            return text.substr(0, i);
        }
    }
    return text;
}
namespace {

std::string_view Trimmed(std::string_view text) {
    constexpr std::string_view kBlanks = " \t\r\n";
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

// from_chars takes a leading "-" but no "+"; a single "+" before a digit or a point is allowed here.
std::string_view WithoutPlus(std::string_view text) {
    if (text.size() > 1 && text.front() == '+' && text[1] != '-' && text[1] != '+') {
        return text.substr(1);
    }
    return text;
}

} // namespace

std::optional<std::int32_t> ParseIniInteger(std::string_view text) {
    const std::string_view number = WithoutPlus(Trimmed(text));
    std::int32_t value = 0;
    const char* end = number.data() + number.size();
    auto [stop, error] = std::from_chars(number.data(), end, value);
    if (number.empty() || error != std::errc() || stop != end) {
        return std::nullopt;
    }
    return value;
}

std::optional<double> ParseIniDecimal(std::string_view text) {
    std::string number(WithoutPlus(Trimmed(text)));
    for (char& c : number) {
        if (c == ',') {
            c = '.';
        }
    }
    double value = 0;
    const char* end = number.data() + number.size();
    auto [stop, error] = std::from_chars(number.data(), end, value, std::chars_format::general);
    if (number.empty() || error != std::errc() || stop != end || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::string FormatIniDecimal(double value) {
    char buffer[64];
    auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    if (error != std::errc()) {
        return "0";
    }
    return std::string(buffer, end);
}

} // namespace ixo
