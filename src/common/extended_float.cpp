#include "common/extended_float.h"

#include <bit>
#include <cstring>

namespace ixo {
namespace {

constexpr int kExtendedBias = 16383;
constexpr int kDoubleBias = 1023;
constexpr std::uint64_t kIntegerBit = 1ULL << 63;

ExtendedBytes Pack(bool negative, std::uint32_t exponent, std::uint64_t mantissa) {
    ExtendedBytes bytes{};
    for (std::size_t i = 0; i < 8; ++i) {
        bytes[i] = static_cast<std::uint8_t>(mantissa >> (8 * i));
    }
    const std::uint32_t signExponent = (negative ? 0x8000U : 0U) | (exponent & 0x7FFFU);
    bytes[8] = static_cast<std::uint8_t>(signExponent);
    bytes[9] = static_cast<std::uint8_t>(signExponent >> 8);
    return bytes;
}

double FromBits(std::uint64_t bits) {
    return std::bit_cast<double>(bits);
}

// Shifts value right by count bits, rounding to nearest with ties to even.
std::uint64_t ShiftRightRounded(std::uint64_t value, int count) {
    if (count <= 0) {
        return value;
    }
    if (count > 64) {
        return 0;
    }
    const std::uint64_t kept = count == 64 ? 0 : value >> count;
    const std::uint64_t dropped = count == 64 ? value : value & ((1ULL << count) - 1);
    const std::uint64_t half = 1ULL << (count - 1);
    if (dropped > half || (dropped == half && (kept & 1) != 0)) {
        return kept + 1;
    }
    return kept;
}

} // namespace

ExtendedBytes DoubleToExtended(double value) {
    const auto bits = std::bit_cast<std::uint64_t>(value);
    const bool negative = (bits >> 63) != 0;
    const auto exponent = static_cast<int>((bits >> 52) & 0x7FF);
    const std::uint64_t fraction = bits & ((1ULL << 52) - 1);
    if (exponent == 0x7FF) {
        // Infinity: fraction 0 with the integer bit; NaN: the payload moved to the top, quiet bit kept.
        return Pack(negative, 0x7FFF, kIntegerBit | (fraction << 11));
    }
    if (exponent == 0) {
        if (fraction == 0) {
            return Pack(negative, 0, 0);
        }
        // A subnormal double: normalise (the extended range holds it as a normal number).
        const int shift = std::countl_zero(fraction);
        const std::uint64_t mantissa = fraction << shift;
        const int unbiased = -kDoubleBias + 1 - 52 + 63 - shift;
        return Pack(negative, static_cast<std::uint32_t>(unbiased + kExtendedBias), mantissa);
    }
    const std::uint64_t mantissa = kIntegerBit | (fraction << 11);
    return Pack(negative, static_cast<std::uint32_t>(exponent - kDoubleBias + kExtendedBias), mantissa);
}

double ExtendedToDouble(const ExtendedBytes& bytes) {
    std::uint64_t mantissa = 0;
    for (int i = 7; i >= 0; --i) {
        mantissa = (mantissa << 8) | bytes[static_cast<std::size_t>(i)];
    }
    const std::uint32_t signExponent = bytes[8] | (static_cast<std::uint32_t>(bytes[9]) << 8);
    const std::uint64_t sign = static_cast<std::uint64_t>(signExponent >> 15) << 63;
    const int exponent = static_cast<int>(signExponent & 0x7FFF);
    if (exponent == 0x7FFF) {
        const std::uint64_t fraction = mantissa & ~kIntegerBit;
        if (fraction == 0) {
            return FromBits(sign | (0x7FFULL << 52));
        }
        const std::uint64_t payload = (fraction >> 11) | (1ULL << 51); // always a quiet NaN
        return FromBits(sign | (0x7FFULL << 52) | payload);
    }
    if (mantissa == 0) {
        return FromBits(sign);
    }
    // value = mantissa * 2^(e - 63) with e the unbiased exponent (a zero exponent field reads as -16382).
    const int e = (exponent == 0 ? 1 : exponent) - kExtendedBias;
    const int leading = std::countl_zero(mantissa);
    mantissa <<= leading;          // now the integer bit is set
    int topExponent = e - leading; // value = 1.f * 2^topExponent
    if (topExponent > kDoubleBias) {
        return FromBits(sign | (0x7FFULL << 52));
    }
    // Bits of the mantissa kept: 53 for a normal result, fewer for a subnormal one.
    const int minNormal = 1 - kDoubleBias; // -1022
    int keep = 53;
    if (topExponent < minNormal) {
        keep = 53 - (minNormal - topExponent);
    }
    if (keep < 0) {
        return FromBits(sign); // below half the smallest subnormal
    }
    std::uint64_t rounded = ShiftRightRounded(mantissa, 64 - keep);
    if (topExponent >= minNormal) {
        if (rounded == (1ULL << 53)) { // the rounding carried into a new bit
            rounded >>= 1;
            ++topExponent;
            if (topExponent > kDoubleBias) {
                return FromBits(sign | (0x7FFULL << 52));
            }
        }
        const auto biased = static_cast<std::uint64_t>(topExponent + kDoubleBias);
        return FromBits(sign | (biased << 52) | (rounded & ((1ULL << 52) - 1)));
    }
    // Subnormal: the rounded value is the fraction field itself; a carry into bit 52 makes it the
    // smallest normal number, which the same bit pattern expresses.
    return FromBits(sign | rounded);
}

} // namespace ixo
