#include "common/decimal_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <random>
#include <string>

namespace ixo {
namespace {

std::string Printf(double value) {
    char text[400];
    std::snprintf(text, sizeof text, "%.1f", value);
    return text;
}

// Reports and saved CSVs were written with printf; the faster text must match it digit for digit,
// rounding of exact halves (0.25, 0.75: binary values that are exactly a tie) and signs of zero included.
TEST(OneDecimalText, MatchesPrintfOnTiesSignsAndExtremes) {
    const double cases[] = {0.0,
                            -0.0,
                            0.05,
                            -0.04,
                            -0.05,
                            0.25,
                            0.75,
                            -0.25,
                            2.45,
                            59.95,
                            -135.75,
                            1e15 + 0.25,
                            std::numeric_limits<double>::max(),
                            -std::numeric_limits<double>::max(),
                            std::numeric_limits<double>::denorm_min(),
                            std::numeric_limits<double>::infinity(),
                            -std::numeric_limits<double>::infinity(),
                            std::numeric_limits<double>::quiet_NaN()};
    for (const double value : cases) {
        EXPECT_EQ(OneDecimalText(value), Printf(value)) << "value " << value;
    }
    EXPECT_EQ(OneDecimalText(0.25), "0.2");
    EXPECT_EQ(OneDecimalText(-0.04), "-0.0");
}

TEST(OneDecimalText, MatchesPrintfOnLevelsAndRandomValues) {
    for (int tenths = -20000; tenths <= 20000; ++tenths) {
        const double level = tenths / 10.0 + 0.05; // halfway in decimal, not in binary
        ASSERT_EQ(OneDecimalText(level), Printf(level)) << "level " << level;
    }
    // Exact binary ties at every magnitude (x.25 and x.75 are exact), and values across the range where
    // the tenths are worked out without printf, up to and past where that stops.
    for (double whole = 0.0; whole < 1e16; whole = whole * 3.0 + 1.0) {
        for (const double part : {0.25, 0.75, 0.05, 0.95}) {
            for (const double sign : {1.0, -1.0}) {
                const double value = sign * (whole + part);
                ASSERT_EQ(OneDecimalText(value), Printf(value)) << "value " << value;
            }
        }
    }
    for (const double value :
         {9.99999999999999e16, 1e17, 1.0000000000000002e17, 1e18, -1e17, 4503599627370495.5}) {
        EXPECT_EQ(OneDecimalText(value), Printf(value)) << "value " << value;
    }
    std::mt19937_64 random(12345);
    std::uniform_real_distribution<double> levels(-400.0, 400.0);
    std::uniform_real_distribution<double> exponents(-6.0, 18.0);
    for (int i = 0; i < 100000; ++i) {
        const double value = levels(random);
        ASSERT_EQ(OneDecimalText(value), Printf(value)) << "value " << value;
        const double wide = std::pow(10.0, exponents(random)) * (i % 2 == 0 ? 1.0 : -1.0);
        ASSERT_EQ(OneDecimalText(wide), Printf(wide)) << "value " << wide;
    }
}

} // namespace
} // namespace ixo
