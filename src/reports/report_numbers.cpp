#include "reports/report_numbers.h"

#include <array>
#include <charconv>
#include <cmath>

namespace ixo {

std::string FixedOneDecimal(double value) {
    if (!std::isfinite(value)) {
        return "-";
    }
    // -0.04 would print as "-0.0".
    if (std::fabs(value) < 0.05) {
        value = 0.0;
    }
    std::array<char, 64> buffer{};
    const auto result =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed, 1);
    return std::string(buffer.data(), result.ptr);
}

std::string GeneralNumber(double value) {
    if (!std::isfinite(value)) {
        return "-";
    }
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return std::string(buffer.data(), result.ptr);
}

double RoundMetresToOneDecimal(double value) {
    return std::round(value * 10.0) / 10.0;
}

} // namespace ixo
