#include "common/decimal_text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

namespace ixo {
namespace {

// Tenths of value rounded as printf rounds the exact value (to nearest, ties to even), or false when
// value is out of the range where that is done exactly. A double has 53 significant bits and 10 needs
// 4, so value * 10 is exact in the 64 bits of an x87 long double; rounding it once is then exact.
bool ExactTenths(double value, std::uint64_t& tenths) {
    if (std::numeric_limits<long double>::digits < 64 || !(std::fabs(value) < 1e17)) {
        return false;
    }
    const long double scaled = std::nearbyint(static_cast<long double>(value) * 10.0L);
    tenths = static_cast<std::uint64_t>(std::fabs(scaled));
    return true;
}

} // namespace

std::string OneDecimalText(double value) {
    std::uint64_t tenths = 0;
    if (ExactTenths(value, tenths)) {
        std::array<char, 32> digits{};
        const auto end = std::to_chars(digits.data(), digits.data() + digits.size(), tenths / 10).ptr;
        std::string text;
        text.reserve(static_cast<std::size_t>(end - digits.data()) + 3);
        if (std::signbit(value)) {
            text += '-'; // printf keeps the sign of a negative value that rounds to zero
        }
        text.append(digits.data(), end);
        text += '.';
        text += static_cast<char>('0' + tenths % 10);
        return text;
    }
    // 309 digits of the largest double, its sign, the point and the decimal.
    std::array<char, 320> buffer{};
    const auto result =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed, 1);
    return std::string(buffer.data(), result.ptr);
}

} // namespace ixo
