#include "persistence/component_stream.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace ixo {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Byte by byte: GCC 12 misreads a range insert of characters into a byte vector (-Wstringop-overflow).
void Append(Bytes& bytes, std::string_view text) {
    for (char c : text) {
        bytes.push_back(static_cast<std::uint8_t>(c));
    }
}
void AppendShort(Bytes& bytes, std::string_view text) {
    bytes.push_back(static_cast<std::uint8_t>(text.size()));
    Append(bytes, text);
}

ComponentStreamRecord ReadAll(const Bytes& bytes) {
    BinaryReader reader(bytes);
    ComponentStreamRecord record = ReadComponentStream(reader);
    EXPECT_TRUE(reader.AtEnd());
    return record;
}

// A stream header and a single property whose value bytes are given; then the two closing zeros.
Bytes WithValue(std::string_view property, const Bytes& value) {
    Bytes bytes;
    Append(bytes, "TPF0");
    AppendShort(bytes, "TCBFT");
    AppendShort(bytes, "CBFTRe1");
    AppendShort(bytes, property);
    for (std::uint8_t b : value) {
        bytes.push_back(b);
    }
    bytes.push_back(0);
    bytes.push_back(0);
    return bytes;
}

TEST(ComponentStreamWriter, WritesEveryKindOfValueAsTheFormatSays) {
    BinaryWriter out;
    ComponentStreamWriter writer(out);
    writer.Begin("TRepartidor", "RepartidorRe1");
    writer.WriteInteger("A", 127);
    writer.WriteInteger("B", -129);
    writer.WriteInteger("C", 40000);
    writer.WriteInteger("D", -32768);
    writer.WriteBoolean("E", true);
    writer.WriteBoolean("F", false);
    writer.WriteChar("G", 'S');
    writer.WriteFloat("H", 1.0);
    writer.WriteString("I", "abc");
    writer.WriteString("J", "\xC3\xB1");
    writer.WriteStringList("K", {"x", "yz"});
    writer.WriteIdentifier("Tabla", "TRepartidores.Owner");
    writer.WriteBinary("M", Bytes{1, 2, 3});
    writer.End();

    Bytes expected;
    Append(expected, "TPF0");
    AppendShort(expected, "TRepartidor");
    AppendShort(expected, "RepartidorRe1");
    AppendShort(expected, "A");
    expected.insert(expected.end(), {2, 0x7F});
    AppendShort(expected, "B");
    expected.insert(expected.end(), {3, 0x7F, 0xFF});
    AppendShort(expected, "C");
    expected.insert(expected.end(), {4, 0x40, 0x9C, 0x00, 0x00});
    AppendShort(expected, "D");
    expected.insert(expected.end(), {3, 0x00, 0x80});
    AppendShort(expected, "E");
    expected.push_back(9);
    AppendShort(expected, "F");
    expected.push_back(8);
    AppendShort(expected, "G");
    expected.insert(expected.end(), {6, 1, 'S'});
    AppendShort(expected, "H");
    expected.insert(expected.end(), {5, 0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F});
    AppendShort(expected, "I");
    expected.insert(expected.end(), {6, 3, 'a', 'b', 'c'});
    AppendShort(expected, "J");
    expected.insert(expected.end(), {20, 2, 0, 0, 0, 0xC3, 0xB1});
    AppendShort(expected, "K.Strings");
    expected.insert(expected.end(), {1, 6, 1, 'x', 6, 2, 'y', 'z', 0});
    AppendShort(expected, "Tabla");
    expected.push_back(7);
    AppendShort(expected, "TRepartidores.Owner");
    AppendShort(expected, "M");
    expected.insert(expected.end(), {10, 3, 0, 0, 0, 1, 2, 3});
    expected.insert(expected.end(), {0, 0});
    EXPECT_EQ(out.Bytes(), expected);
}

TEST(ComponentStreamWriter, LongAsciiStringsTakeTheLongTag) {
    BinaryWriter out;
    ComponentStreamWriter writer(out);
    writer.WriteStringValue(std::string(255, 'a'));
    writer.WriteStringValue(std::string(256, 'b'));
    const Bytes& bytes = out.Bytes();
    ASSERT_EQ(bytes.size(), 2u + 255u + 5u + 256u);
    EXPECT_EQ(bytes[0], 6);
    EXPECT_EQ(bytes[1], 255);
    EXPECT_EQ(bytes[257], 12);
    EXPECT_EQ(bytes[258], 0x00);
    EXPECT_EQ(bytes[259], 0x01);
}

TEST(ComponentStreamWriter, IntegersBeyondThirtyTwoBitsTakeTheSixtyFourBitTag) {
    BinaryWriter out;
    ComponentStreamWriter(out).WriteIntegerValue(0x100000000LL);
    EXPECT_EQ(out.Bytes(), (Bytes{19, 0, 0, 0, 0, 1, 0, 0, 0}));
}

TEST(ComponentStreamReader, ReadsBackWhatTheWriterWrote) {
    BinaryWriter out;
    ComponentStreamWriter writer(out);
    writer.Begin("TPin", "PinRe3");
    writer.WriteInteger("Numeracion", -70000);
    writer.WriteFloat("MetrosCable", 12.75);
    writer.WriteString("NombrePinExterno", "Pin1EA");
    writer.WriteString("Caption", "Se\xC3\xB1"
                                  "al");
    writer.WriteStringList("Lista", {"a", std::string(300, 'c')});
    writer.WriteBinary("Datos", Bytes{9, 8});
    writer.End();

    ComponentStreamRecord record = ReadAll(out.Bytes());
    EXPECT_EQ(record.className, "TPin");
    EXPECT_EQ(record.name, "PinRe3");
    ASSERT_EQ(record.properties.size(), 6u);
    EXPECT_EQ(record.properties[0].value.integer, -70000);
    EXPECT_EQ(record.properties[1].value.real, 12.75);
    EXPECT_EQ(record.properties[2].value.text, "Pin1EA");
    EXPECT_EQ(record.properties[3].value.text, "Se\xC3\xB1"
                                               "al");
    EXPECT_EQ(record.properties[4].name, "Lista.Strings");
    ASSERT_EQ(record.properties[4].value.items.size(), 2u);
    EXPECT_EQ(record.properties[4].value.items[1].text, std::string(300, 'c'));
    EXPECT_EQ(record.properties[5].value.bytes, (Bytes{9, 8}));
}

TEST(ComponentStreamReader, ConvertsEveryStringTagToUtf8) {
    // A short string in the single-byte code page: 0xF1 is n with tilde.
    EXPECT_EQ(ReadAll(WithValue("S", {6, 2, 'a', 0xF1})).properties[0].value.text, "a\xC3\xB1");
    EXPECT_EQ(ReadAll(WithValue("S", {12, 1, 0, 0, 0, 0xF1})).properties[0].value.text, "\xC3\xB1");
    // A wide string: U+00F1, then a surrogate pair (U+1F600), then an unpaired surrogate.
    EXPECT_EQ(ReadAll(WithValue("S", {18, 4, 0, 0, 0, 0xF1, 0, 0x3D, 0xD8, 0x00, 0xDE, 0x00, 0xD8}))
                  .properties[0]
                  .value.text,
              "\xC3\xB1\xF0\x9F\x98\x80\xEF\xBF\xBD");
    EXPECT_EQ(ReadAll(WithValue("S", {20, 2, 0, 0, 0, 0xC3, 0xB1})).properties[0].value.text, "\xC3\xB1");
}

TEST(ComponentStreamReader, ReadsEveryIntegerWidth) {
    EXPECT_EQ(ReadAll(WithValue("N", {2, 0xFF})).properties[0].value.integer, -1);
    EXPECT_EQ(ReadAll(WithValue("N", {3, 0x00, 0x80})).properties[0].value.integer, -32768);
    EXPECT_EQ(ReadAll(WithValue("N", {4, 0xFF, 0xFF, 0xFF, 0x7F})).properties[0].value.integer, 0x7FFFFFFF);
    EXPECT_EQ(ReadAll(WithValue("N", {19, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}))
                  .properties[0]
                  .value.integer,
              -2);
}

TEST(ComponentStreamReader, RejectsMalformedStreams) {
    auto fails = [](const Bytes& bytes) {
        BinaryReader reader(bytes);
        EXPECT_THROW(ReadComponentStream(reader), StreamError);
    };
    fails(WithValue("S", {11}));                         // a tag outside the table
    fails(WithValue("S", {0}));                          // a list end where a value belongs
    fails(WithValue("S", {20, 2, 0, 0, 0, 0xC3, 0x28})); // malformed UTF-8
    fails(WithValue("S", {20, 2, 0, 0, 0, 0xC0, 0x80})); // overlong UTF-8
    fails(WithValue("S", {12, 0xFF, 0xFF, 0xFF, 0x7F})); // a length beyond the data
    fails(WithValue("S", {12, 0xFF, 0xFF, 0xFF, 0xFF})); // a negative length
    fails(WithValue("S", {18, 0x00, 0x00, 0x00, 0x40})); // a character count beyond the data
    fails(WithValue("S", {10, 0x10, 0x00, 0x00, 0x00})); // a binary block beyond the data
    // Lists nested deeper than the bound.
    Bytes nested;
    for (int i = 0; i <= kMaxListDepth; ++i) {
        nested.push_back(1);
    }
    for (int i = 0; i <= kMaxListDepth; ++i) {
        nested.push_back(0);
    }
    fails(WithValue("S", nested));
    // A child list that is not empty.
    Bytes withChild = WithValue("N", {2, 1});
    withChild.back() = 1;
    fails(withChild);
    // No signature.
    Bytes noSignature = WithValue("N", {2, 1});
    noSignature[0] = 'X';
    fails(noSignature);
}

TEST(ComponentStreamReader, EveryTruncationFailsCleanly) {
    BinaryWriter out;
    ComponentStreamWriter writer(out);
    writer.Begin("TCableTV", "CableTVPr1");
    writer.WriteInteger("Familia", 9001);
    writer.WriteFloat("Diametro", 6.9);
    writer.WriteStringList("L", {"uno", "dos"});
    writer.WriteString("W", "\xC3\xB1");
    writer.WriteBinary("Ecuacion", Bytes(64, 7));
    writer.End();
    const Bytes& full = out.Bytes();
    for (std::size_t size = 0; size < full.size(); ++size) {
        Bytes cut(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(size));
        BinaryReader reader(cut);
        EXPECT_THROW(ReadComponentStream(reader), StreamError) << size;
    }
}

// The value handed to the visitor is reused from record to record; a record read from inside the visitor
// of another (a binary property holding a stream) must neither see nor spoil the outer record's value.
TEST(ComponentStreamReader, ARecordReadInsideAnotherKeepsBothValues) {
    auto stream = [](std::string_view name, std::string_view text) {
        BinaryWriter out;
        ComponentStreamWriter writer(out);
        writer.Begin("TCableTV", name);
        writer.WriteString("Modelo", text);
        writer.WriteInteger("Familia", 9001);
        writer.End();
        return out.Bytes();
    };
    const Bytes outer = stream("Outer", "outer text");
    const Bytes inner = stream("Inner", "inner text that is longer than the outer one");
    BinaryReader outerReader(outer);
    const ComponentStreamHeader outerHeader = ReadComponentStreamHeader(outerReader);
    std::vector<std::string> seen;
    ReadComponentStreamProperties(
        outerReader, outerHeader, [&](std::string_view name, const StreamValue& value) {
            seen.push_back(std::string(name) + "=" +
                           (value.IsString() ? value.text : std::to_string(value.integer)));
            if (name == "Modelo") {
                BinaryReader innerReader(inner);
                const ComponentStreamHeader innerHeader = ReadComponentStreamHeader(innerReader);
                ReadComponentStreamProperties(innerReader, innerHeader,
                                              [&](std::string_view innerName, const StreamValue& innerValue) {
                                                  if (innerName == "Modelo") {
                                                      seen.push_back("inner " + innerValue.text);
                                                  }
                                              });
                seen.push_back("after " + value.text);
            }
        });
    EXPECT_TRUE(outerReader.AtEnd());
    const std::vector<std::string> expected{"Modelo=outer text",
                                            "inner inner text that is longer than the outer one",
                                            "after outer text", "Familia=9001"};
    EXPECT_EQ(seen, expected);
}

TEST(ComponentStreamReader, PeeksAtTheSignatureWithoutConsuming) {
    const Bytes bytes = WithValue("N", {2, 1});
    BinaryReader reader(bytes);
    EXPECT_TRUE(NextIsComponentStream(reader));
    EXPECT_EQ(reader.Position(), 0u);
    const Bytes shortBytes{'T', 'P'};
    EXPECT_FALSE(NextIsComponentStream(BinaryReader(shortBytes)));
}

} // namespace
} // namespace ixo
