#include "common/extended_float.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>

namespace ixo {
namespace {

ExtendedBytes Make(std::uint64_t mantissa, std::uint16_t signExponent) {
    ExtendedBytes bytes{};
    for (std::size_t i = 0; i < 8; ++i) {
        bytes[i] = static_cast<std::uint8_t>(mantissa >> (8 * i));
    }
    bytes[8] = static_cast<std::uint8_t>(signExponent);
    bytes[9] = static_cast<std::uint8_t>(signExponent >> 8);
    return bytes;
}

std::uint64_t Bits(double value) {
    return std::bit_cast<std::uint64_t>(value);
}

TEST(ExtendedFloat, WritesTheTenBytesOfKnownValues) {
    EXPECT_EQ(DoubleToExtended(1.0), Make(0x8000000000000000ULL, 0x3FFF));
    EXPECT_EQ(DoubleToExtended(-2.5), Make(0xA000000000000000ULL, 0xC000));
    EXPECT_EQ(DoubleToExtended(0.1), Make(0xCCCCCCCCCCCCD000ULL, 0x3FFB));
    EXPECT_EQ(DoubleToExtended(30.0), Make(0xF000000000000000ULL, 0x4003));
    EXPECT_EQ(DoubleToExtended(0.0), Make(0, 0));
    EXPECT_EQ(DoubleToExtended(-0.0), Make(0, 0x8000));
    EXPECT_EQ(DoubleToExtended(std::numeric_limits<double>::infinity()), Make(0x8000000000000000ULL, 0x7FFF));
    EXPECT_EQ(DoubleToExtended(-std::numeric_limits<double>::infinity()),
              Make(0x8000000000000000ULL, 0xFFFF));
    // The smallest subnormal double, 2^-1074, is a normal extended number.
    EXPECT_EQ(DoubleToExtended(std::numeric_limits<double>::denorm_min()),
              Make(0x8000000000000000ULL, static_cast<std::uint16_t>(16383 - 1074)));
}

TEST(ExtendedFloat, ReadsToTheNearestDouble) {
    EXPECT_EQ(ExtendedToDouble(Make(0x8000000000000000ULL, 0x3FFF)), 1.0);
    // 0.1 in full extended precision rounds to the double 0.1.
    EXPECT_EQ(ExtendedToDouble(Make(0xCCCCCCCCCCCCCCCDULL, 0x3FFB)), 0.1);
    // Halfway between 1 and the next double: ties go to the even mantissa (1.0); just above goes up.
    EXPECT_EQ(ExtendedToDouble(Make(0x8000000000000400ULL, 0x3FFF)), 1.0);
    EXPECT_EQ(ExtendedToDouble(Make(0x8000000000000401ULL, 0x3FFF)), std::nextafter(1.0, 2.0));
    EXPECT_EQ(ExtendedToDouble(Make(0x8000000000000C00ULL, 0x3FFF)), 1.0 + 2 * std::ldexp(1.0, -52));
    // All ones rounds up into the next power of two.
    EXPECT_EQ(ExtendedToDouble(Make(0xFFFFFFFFFFFFFFFFULL, 0x3FFF)), 2.0);
}

TEST(ExtendedFloat, ReadsValuesOutsideTheDoubleRangeSanely) {
    EXPECT_EQ(ExtendedToDouble(Make(0x8000000000000000ULL, 0x7FFE)), std::numeric_limits<double>::infinity());
    EXPECT_EQ(ExtendedToDouble(Make(0x8000000000000000ULL, 0xFFFE)),
              -std::numeric_limits<double>::infinity());
    EXPECT_EQ(ExtendedToDouble(Make(0x8000000000000000ULL, 0x0001)), 0.0);
    EXPECT_TRUE(std::signbit(ExtendedToDouble(Make(0x8000000000000000ULL, 0x8001))));
    // 2^-1075 is half the smallest subnormal: a tie, to even (zero); a little more rounds up.
    EXPECT_EQ(ExtendedToDouble(Make(0x8000000000000000ULL, 16383 - 1075)), 0.0);
    EXPECT_EQ(ExtendedToDouble(Make(0x8000000000000001ULL, 16383 - 1075)),
              std::numeric_limits<double>::denorm_min());
    // 1.5 * 2^-1074 is a tie between 1 and 2 subnormal units: to even, 2 units.
    EXPECT_EQ(ExtendedToDouble(Make(0xC000000000000000ULL, 16383 - 1074)),
              2 * std::numeric_limits<double>::denorm_min());
    // Largest subnormal rounded up becomes the smallest normal number.
    EXPECT_EQ(ExtendedToDouble(Make(0xFFFFFFFFFFFFFFFFULL, 16383 - 1023)),
              std::numeric_limits<double>::min());
}

TEST(ExtendedFloat, ReadsSpecialEncodings) {
    EXPECT_TRUE(std::isnan(ExtendedToDouble(Make(0xC000000000000000ULL, 0x7FFF))));
    EXPECT_TRUE(std::isnan(ExtendedToDouble(Make(0x0000000000000001ULL, 0x7FFF))));
    EXPECT_EQ(ExtendedToDouble(Make(0, 0x7FFF)), std::numeric_limits<double>::infinity());
    // Extended denormals and pseudo-denormals are far below the double range.
    EXPECT_EQ(ExtendedToDouble(Make(0x8000000000000000ULL, 0)), 0.0);
    EXPECT_EQ(ExtendedToDouble(Make(1, 0)), 0.0);
    // An unnormal (integer bit clear) is read by its value: 0.5 written with exponent 0.
    EXPECT_EQ(ExtendedToDouble(Make(0x4000000000000000ULL, 0x3FFF)), 0.5);
    // A zero mantissa is zero whatever the exponent.
    EXPECT_EQ(Bits(ExtendedToDouble(Make(0, 0xC000))), Bits(-0.0));
}

TEST(ExtendedFloat, EveryDoubleSurvivesTheRoundTripBitForBit) {
    std::mt19937_64 random(20261209);
    for (int i = 0; i < 100000; ++i) {
        const double value = std::bit_cast<double>(random());
        const double back = ExtendedToDouble(DoubleToExtended(value));
        if (std::isnan(value)) {
            EXPECT_TRUE(std::isnan(back));
        } else {
            ASSERT_EQ(Bits(back), Bits(value)) << value;
        }
    }
    for (double value : {0.0, -0.0, 1e-310, -4.9e-324, std::numeric_limits<double>::max(),
                         std::numeric_limits<double>::min(), 100.0, 80.0, 1e308}) {
        EXPECT_EQ(Bits(ExtendedToDouble(DoubleToExtended(value))), Bits(value)) << value;
    }
}

} // namespace
} // namespace ixo
