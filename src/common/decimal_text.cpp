#include "common/decimal_text.h"

#include <array>
#include <charconv>

namespace ixo {

std::string OneDecimalText(double value) {
    // 309 digits of the largest double, its sign, the point and the decimal.
    std::array<char, 320> buffer{};
    const auto result =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed, 1);
    return std::string(buffer.data(), result.ptr);
}

} // namespace ixo
