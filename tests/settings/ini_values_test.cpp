#include "settings/ini_values.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace ixo {
namespace {

TEST(IniValues, IntegersMustBeWholeAndFit32Bits) {
    EXPECT_EQ(ParseIniInteger("5001"), 5001);
    EXPECT_EQ(ParseIniInteger(" -3 "), -3);
    EXPECT_EQ(ParseIniInteger("+7"), 7);
    EXPECT_EQ(ParseIniInteger("2147483647"), 2147483647);
    EXPECT_EQ(ParseIniInteger("-2147483648"), std::numeric_limits<std::int32_t>::min());
    for (const char* bad :
         {"", " ", "12abc", "1.5", "1,5", "0x10", "2147483648", "99999999999", "+-1", "+", "abc", "1 2"}) {
        EXPECT_FALSE(ParseIniInteger(bad).has_value()) << '"' << bad << '"';
    }
}

TEST(IniValues, DecimalsTakeAPointOrAComma) {
    EXPECT_EQ(ParseIniDecimal("12,5"), 12.5);
    EXPECT_EQ(ParseIniDecimal("12.5"), 12.5);
    EXPECT_EQ(ParseIniDecimal(" 15 "), 15.0);
    EXPECT_EQ(ParseIniDecimal("-0,25"), -0.25);
    EXPECT_EQ(ParseIniDecimal("+3"), 3.0);
    EXPECT_EQ(ParseIniDecimal("1e2"), 100.0);
    EXPECT_EQ(ParseIniDecimal(",5"), 0.5);
    for (const char* bad : {"", "abc", "12,5,1", "12.5m", "inf", "nan", "1e999", "--1", "+"}) {
        EXPECT_FALSE(ParseIniDecimal(bad).has_value()) << '"' << bad << '"';
    }
}

TEST(IniValues, DecimalsAreWrittenShortestAndReadBackExactly) {
    EXPECT_EQ(FormatIniDecimal(15.0), "15");
    EXPECT_EQ(FormatIniDecimal(12.5), "12.5");
    EXPECT_EQ(FormatIniDecimal(0.1), "0.1");
    EXPECT_EQ(FormatIniDecimal(-62.75), "-62.75");
    for (double value : {1.0 / 3.0, 2.0 / 3.0 * 1e-9, 123456789.123456789, -0.0, 5e-324, 1.7e308}) {
        const auto back = ParseIniDecimal(FormatIniDecimal(value));
        ASSERT_TRUE(back.has_value()) << FormatIniDecimal(value);
        EXPECT_EQ(*back, value);
        EXPECT_EQ(std::signbit(*back), std::signbit(value));
    }
}

} // namespace
} // namespace ixo
