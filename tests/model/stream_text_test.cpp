#include "model/stream_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ixo {
namespace {

// Counted texts (a pin's peer and cable paths) are single-byte Windows-1252 in the data and UTF-8 in
// memory; plain ASCII takes a shorter way through both directions that must give the same bytes.
TEST(CountedText, AsciiAndAccentedTextsRoundTripWithTheirStoredBytes) {
    BinaryWriter writer;
    WriteCountedText(writer, "P=RedTV=Esc1=Pl2=MS3=Pin1SA");
    WriteCountedText(writer, "Se\xC3\xB1"
                             "al \xE2\x82\xAC"); // "Señal €" in UTF-8
    WriteCountedText(writer, "");
    const std::vector<std::uint8_t> expectedSecond{7, 0, 0, 0, 'S', 'e', 0xF1, 'a', 'l', ' ', 0x80};
    const std::vector<std::uint8_t>& bytes = writer.Bytes();
    ASSERT_EQ(bytes.size(), 4u + 27u + expectedSecond.size() + 4u);
    EXPECT_TRUE(std::equal(expectedSecond.begin(), expectedSecond.end(), bytes.begin() + 31));

    BinaryReader reader(bytes);
    EXPECT_EQ(ReadCountedText(reader), "P=RedTV=Esc1=Pl2=MS3=Pin1SA");
    EXPECT_EQ(ReadCountedText(reader), "Se\xC3\xB1"
                                       "al \xE2\x82\xAC");
    EXPECT_EQ(ReadCountedText(reader), "");
    EXPECT_TRUE(reader.AtEnd());
}

} // namespace
} // namespace ixo
