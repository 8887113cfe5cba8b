#include "model/script_numbers.h"

#include <charconv>
#include <cmath>
#include <string>

namespace ixo {
namespace {

std::string_view Trim(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// from_chars takes no leading "+"; a sign followed by another sign is not a number.
std::string_view WithoutPlus(std::string_view text) {
    if (text.size() > 1 && text.front() == '+' && text[1] != '-' && text[1] != '+') {
        text.remove_prefix(1);
    }
    return text;
}

} // namespace

std::optional<std::int32_t> TryParseScriptInteger(std::string_view text) {
    text = WithoutPlus(Trim(text));
    std::int32_t value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

std::optional<double> TryParseScriptDecimal(std::string_view text) {
    std::string number(WithoutPlus(Trim(text)));
    for (char& c : number) {
        if (c == ',') {
            c = '.';
        }
    }
    double value = 0.0;
    auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (number.empty() || error != std::errc() || end != number.data() + number.size() ||
        !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::int32_t ParseScriptInteger(std::string_view text, std::string_view what) {
    if (auto value = TryParseScriptInteger(text)) {
        return *value;
    }
    throw ScriptError("'" + std::string(text) + "' is not a valid integer value for " + std::string(what));
}

double ParseScriptDecimal(std::string_view text, std::string_view what) {
    if (auto value = TryParseScriptDecimal(text)) {
        return *value;
    }
    throw ScriptError("'" + std::string(text) + "' is not a valid number for " + std::string(what));
}

std::string_view FirstField(std::string_view text) {
    return text.substr(0, text.find(';'));
}

bool DropFirstField(std::string_view& text) {
    std::size_t separator = text.find(';');
    if (separator == std::string_view::npos) {
        return false;
    }
    text.remove_prefix(separator + 1);
    return true;
}

} // namespace ixo
