#include "common/text_encoding.h"

#include <gtest/gtest.h>

namespace ixo {
namespace {

TEST(TextEncoding, Cp1252LettersBecomeUtf8AndBack) {
    // "Señal – 75 Ω?" : ñ is Latin-1, the en dash lives in the 0x80..0x9F block, Ω has no byte.
    const std::string cp1252 = "Se\xF1"
                               "al \x96 \x80";
    const std::string utf8 = Cp1252ToUtf8(cp1252);
    EXPECT_EQ(utf8, "Se\xC3\xB1"
                    "al \xE2\x80\x93 \xE2\x82\xAC");
    EXPECT_EQ(Utf8ToCp1252(utf8), cp1252);
}

TEST(TextEncoding, EveryByteSurvivesTheRoundTrip) {
    std::string all;
    for (int b = 0; b < 256; ++b) {
        all.push_back(static_cast<char>(b));
    }
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
}

// Decoding into a reused string leaves nothing of what it held before, ASCII or not.
TEST(TextEncoding, DecodingIntoAReusedStringReplacesItsText) {
    std::string out = "a much longer text that was read before this one";
    AssignCp1252AsUtf8(out, "Se\xF1or");
    EXPECT_EQ(out, Cp1252ToUtf8("Se\xF1or"));
    AssignCp1252AsUtf8(out, "ab");
    EXPECT_EQ(out, "ab");
    AssignCp1252AsUtf8(out, "");
    EXPECT_TRUE(out.empty());
}

TEST(TextEncoding, UnmappableAndMalformedInput) {
    EXPECT_EQ(Utf8ToCp1252("\xCE\xA9"), "?");             // Ω
    EXPECT_EQ(Utf8ToCp1252("a\xC3"), "a\xC3");            // cut sequence: kept as Latin-1
    EXPECT_EQ(Utf8ToCp1252("\xE2\x28\xA1"), "\xE2(\xA1"); // bad continuation
}

} // namespace
} // namespace ixo
