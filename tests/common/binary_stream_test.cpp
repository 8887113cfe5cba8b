#include "common/binary_stream.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

namespace ixo {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(BinaryWriter, FieldsAreLittleEndian) {
    BinaryWriter writer;
    writer.WriteInt8(-2);
    writer.WriteInt16(-300);
    writer.WriteUInt16(0xBEEF);
    writer.WriteInt32(0x12345678);
    writer.WriteInt32(-1);
    writer.WriteDouble(4000.0);
    EXPECT_EQ(writer.Bytes(), (Bytes{0xFE, 0xD4, 0xFE, 0xEF, 0xBE, 0x78, 0x56, 0x34, 0x12, 0xFF, 0xFF,
                                     0xFF, 0xFF, 0x00, 0x00, 0x00, 0x00, 0x00, 0x40, 0xAF, 0x40}));
}

TEST(BinaryWriter, StringsCarryTheirLengths) {
    BinaryWriter writer;
    writer.WriteShortString("AB");
    writer.WriteCountedString("xyz");
    writer.WriteCountedString("");
    EXPECT_EQ(writer.Bytes(), (Bytes{2, 'A', 'B', 3, 0, 0, 0, 'x', 'y', 'z', 0, 0, 0, 0}));

    BinaryWriter longShort;
    longShort.WriteShortString(std::string(300, 'q'));
    ASSERT_EQ(longShort.Size(), 256u);
    EXPECT_EQ(longShort.Bytes()[0], 255);
}

TEST(BinaryReader, ReadsWhatTheWriterWrote) {
    BinaryWriter writer;
    writer.WriteInt8(-7);
    writer.WriteUInt8(200);
    writer.WriteInt16(std::numeric_limits<std::int16_t>::min());
    writer.WriteUInt16(65535);
    writer.WriteInt32(std::numeric_limits<std::int32_t>::min());
    writer.WriteDouble(-0.125);
    writer.WriteShortString("short");
    writer.WriteCountedString(std::string("a\0b", 3));
    BinaryReader reader(writer.Bytes());
    EXPECT_EQ(reader.ReadInt8(), -7);
    EXPECT_EQ(reader.ReadUInt8(), 200);
    EXPECT_EQ(reader.ReadInt16(), std::numeric_limits<std::int16_t>::min());
    EXPECT_EQ(reader.ReadUInt16(), 65535);
    EXPECT_EQ(reader.ReadInt32(), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(reader.ReadDouble(), -0.125);
    EXPECT_EQ(reader.ReadShortString(), "short");
    EXPECT_EQ(reader.ReadCountedString(), std::string("a\0b", 3));
    EXPECT_TRUE(reader.AtEnd());
    EXPECT_NO_THROW(reader.ExpectEnd("sample"));
}

TEST(BinaryReader, EveryReadPastTheEndThrowsAndLeavesThePosition) {
    const Bytes three{1, 2, 3};
    BinaryReader reader(three);
    EXPECT_THROW(reader.ReadInt32(), StreamError);
    EXPECT_THROW(reader.ReadDouble(), StreamError);
    EXPECT_THROW(reader.ReadBytes(4), StreamError);
    EXPECT_EQ(reader.Position(), 0u);
    EXPECT_EQ(reader.ReadUInt16(), 0x0201);
    EXPECT_THROW(reader.ReadUInt16(), StreamError);
    EXPECT_EQ(reader.ReadUInt8(), 3);
    EXPECT_THROW(reader.ReadUInt8(), StreamError);
    EXPECT_THROW(reader.ReadInt8(), StreamError);

    BinaryReader empty(std::span<const std::uint8_t>{});
    EXPECT_THROW(empty.ReadInt16(), StreamError);
    EXPECT_EQ(empty.ReadBytes(0).size(), 0u);
}

TEST(BinaryReader, StringLengthsBeyondTheDataAreRefused) {
    const Bytes shortString{5, 'a', 'b'};
    BinaryReader s(shortString);
    EXPECT_THROW(s.ReadShortString(), StreamError);

    // A length of 0x7FFFFFFF must be refused before anything is allocated for it.
    const Bytes huge{0xFF, 0xFF, 0xFF, 0x7F, 'a'};
    BinaryReader h(huge);
    EXPECT_THROW(h.ReadCountedString(), StreamError);

    const Bytes negative{0xFE, 0xFF, 0xFF, 0xFF};
    BinaryReader n(negative);
    try {
        n.ReadCountedString();
        FAIL() << "a negative length was accepted";
    } catch (const StreamError& error) {
        EXPECT_NE(std::string(error.what()).find("negative"), std::string::npos) << error.what();
    }
}

TEST(BinaryReader, CountsMustFitTheBytesLeft) {
    const Bytes twoItems{2, 0, 0, 0, 1, 2, 3, 4, 5, 6, 7, 8};
    BinaryReader fits(twoItems);
    EXPECT_EQ(fits.ReadCount(4, "pairs"), 2u);
    BinaryReader tooMany(twoItems);
    EXPECT_THROW(tooMany.ReadCount(5, "items"), StreamError);
    const Bytes negative{0xFF, 0xFF, 0xFF, 0xFF};
    BinaryReader n(negative);
    EXPECT_THROW(n.ReadCount(1, "items"), StreamError);
    const Bytes absurd{0x00, 0x00, 0x00, 0x40};
    BinaryReader a(absurd);
    EXPECT_THROW(a.ReadCount(64, "vectors"), StreamError);
}

TEST(BinaryReader, ExpectEndReportsLeftoverBytes) {
    const Bytes bytes{1, 2};
    BinaryReader reader(bytes);
    reader.ReadUInt8();
    EXPECT_THROW(reader.ExpectEnd("a block"), StreamError);
}

} // namespace
} // namespace ixo
