#include "catalogue/records.h"

#include <gtest/gtest.h>

#include <cstring>

namespace ixo {
namespace {

TEST(ElementRecord, ByteLayout) {
    TRECConScript record;
    record.Indice = 0x01020304;
    record.Familia = 9001;
    record.Modelo = "T100";
    record.Descripcion = "Cable";
    record.ClaveScript = ScriptKeyOf(12);
    auto bytes = EncodeElementRecord(record);
    ASSERT_EQ(bytes.size(), 236u);
    EXPECT_EQ(bytes[0], 0x04);
    EXPECT_EQ(bytes[3], 0x01);
    EXPECT_EQ(bytes[4], 9001 & 0xFF);
    EXPECT_EQ(bytes[5], 9001 >> 8);
    EXPECT_EQ(bytes[8], 4);
    EXPECT_EQ(std::memcmp(&bytes[9], "T100", 4), 0);
    EXPECT_EQ(bytes[73], 5);
    EXPECT_EQ(std::memcmp(&bytes[74], "Cable", 5), 0);
    EXPECT_EQ(bytes[154], 15);
    EXPECT_EQ(std::memcmp(&bytes[155], "@@INIRECOD_12@@", 15), 0);
    EXPECT_EQ(bytes[235], 0);

    TRECConScript back = DecodeElementRecord(bytes);
    EXPECT_EQ(back.Indice, record.Indice);
    EXPECT_EQ(back.Familia, record.Familia);
    EXPECT_EQ(back.Modelo, record.Modelo);
    EXPECT_EQ(back.Descripcion, record.Descripcion);
    EXPECT_EQ(back.ClaveScript, record.ClaveScript);
}

TEST(ElementRecord, LengthByteBeyondItsFieldIsClamped) {
    ElementRecordBytes bytes{};
    std::memset(bytes.data(), 'x', bytes.size());
    bytes[8] = 255;   // Modelo claims 255 characters in a 65-byte field
    bytes[154] = 200; // the key claims more than the 81-byte field
    TRECConScript record = DecodeElementRecord(bytes);
    EXPECT_EQ(record.Modelo.size(), 64u);
    EXPECT_EQ(record.ClaveScript.size(), 80u);
}

TEST(ElementRecord, LongTextIsCutToItsField) {
    TRECConScript record;
    record.Modelo = std::string(100, 'M');
    auto back = DecodeElementRecord(EncodeElementRecord(record));
    EXPECT_EQ(back.Modelo, std::string(64, 'M'));
}

TEST(FamilyRecord, ByteLayout) {
    FamilyRecord record{5001, "Multiswitch cascada", "Ms", -4, "OBS"};
    auto bytes = EncodeFamilyRecord(record);
    ASSERT_EQ(bytes.size(), 224u);
    EXPECT_EQ(bytes[4], 19);
    EXPECT_EQ(bytes[85], 2);
    EXPECT_EQ(bytes[86], 'M');
    EXPECT_EQ(bytes[152], 0xFC); // -4 little-endian
    EXPECT_EQ(bytes[155], 0xFF);
    EXPECT_EQ(bytes[156], 3);
    auto back = DecodeFamilyRecord(bytes);
    EXPECT_EQ(back.Familia, 5001);
    EXPECT_EQ(back.NombreFamilia, record.NombreFamilia);
    EXPECT_EQ(back.Tabla, "Ms");
    EXPECT_EQ(back.Grupo, -4);
    EXPECT_EQ(back.Atributos, "OBS");
}

TEST(ArticleRecord, ByteLayoutWithNewRecordDefaults) {
    ArticleRecord record{7, "MS-5x16", "ART-0042", "Multiswitch \xC3\xA9t\xC3\xA9"};
    auto bytes = EncodeArticleRecord(record);
    ASSERT_EQ(bytes.size(), 216u);
    EXPECT_EQ(bytes[4], 7);
    EXPECT_EQ(bytes[72], 1); // unread integers as in a new record
    EXPECT_EQ(bytes[76], 0);
    EXPECT_EQ(bytes[80], 8);
    EXPECT_EQ(bytes[101], 15); // each é is one byte in the file
    EXPECT_EQ(bytes[101 + 13], 0xE9);
    auto back = DecodeArticleRecord(bytes);
    EXPECT_EQ(back.ClaveArticulo, 7);
    EXPECT_EQ(back.Modelo, record.Modelo);
    EXPECT_EQ(back.Codigo, record.Codigo);
    EXPECT_EQ(back.Descripcion, record.Descripcion);
}

TEST(ScriptKey, ClosingMarksKeepKeysApart) {
    EXPECT_EQ(ScriptKeyOf(1), "@@INIRECOD_1@@");
    EXPECT_EQ(ScriptKeyOf(12).find(ScriptKeyOf(1)), std::string::npos);
}

} // namespace
} // namespace ixo
