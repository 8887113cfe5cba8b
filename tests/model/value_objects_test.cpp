#include "model/carga.h"
#include "model/conector.h"
#include "model/level_vector.h"
#include "model/paso_corriente.h"
#include "model/primer_objeto.h"
#include "model_test_support.h"

#include <gtest/gtest.h>

namespace ixo {
namespace {

using test::Append;
using test::AppendDoubleBits;
using test::AppendText;
using test::ByteVector;

TConector SampleConnector() {
    TConector connector;
    connector.Indice = 7;
    connector.Familia = 3001;
    connector.Modelo = "CF-7";
    connector.Descripcion = "Conector \xC3\xB1"; // "Conector ñ"
    connector.Tipo = 'F';
    connector.Sexo = 'H';
    return connector;
}

// Indice 7, Familia 3001, Descripcion (size 11, length 10, ñ as one byte), Modelo (size 5), Sexo, Tipo.
ByteVector SampleConnectorBytes() {
    ByteVector bytes;
    Append(bytes, {0x07, 0x00, 0x00, 0x00, 0xB9, 0x0B, 0x00, 0x00});
    Append(bytes, {0x0B, 0x00, 0x0A});
    AppendText(bytes, "Conector ");
    Append(bytes, {0xF1});
    Append(bytes, {0x05, 0x00, 0x04});
    AppendText(bytes, "CF-7");
    Append(bytes, {'H', 'F'});
    return bytes;
}

TEST(ValueObjects, DefaultsOfConnectorAndLoad) {
    TConector connector;
    EXPECT_EQ(connector.Tipo, 'F');
    EXPECT_EQ(connector.Sexo, 'M');
    EXPECT_EQ(connector.Indice, 0);
    EXPECT_EQ(connector.Familia, 0);
    auto load = TCarga::DefaultLoad();
    EXPECT_EQ(load->Indice, 1);
    EXPECT_EQ(load->Modelo, "FCF");
    EXPECT_EQ(load->Impedancia, 75);
    EXPECT_EQ(load->Flag, 0);
}

TEST(ValueObjects, ConnectorBytesBothWays) {
    BinaryWriter writer;
    SampleConnector().WriteToStream(writer);
    EXPECT_EQ(writer.Bytes(), SampleConnectorBytes());

    ByteVector bytes = SampleConnectorBytes();
    BinaryReader reader(bytes);
    TConector read;
    read.ReadFromStream(reader);
    EXPECT_TRUE(reader.AtEnd());
    TConector expected = SampleConnector();
    EXPECT_EQ(read.Indice, expected.Indice);
    EXPECT_EQ(read.Familia, expected.Familia);
    EXPECT_EQ(read.Modelo, expected.Modelo);
    EXPECT_EQ(read.Descripcion, expected.Descripcion);
    EXPECT_EQ(read.Tipo, 'F');
    EXPECT_EQ(read.Sexo, 'H');
}

TEST(ValueObjects, LoadBytesEndWithImpedanceThenFlag) {
    BinaryWriter writer;
    TCarga::DefaultLoad()->WriteToStream(writer);
    ByteVector expected;
    Append(expected, {0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}); // Indice 1, Familia 0
    Append(expected, {0x01, 0x00, 0x00});                               // empty Descripcion
    Append(expected, {0x04, 0x00, 0x03, 'F', 'C', 'F'});                // Modelo
    Append(expected, {0x4B, 0x00, 0x00, 0x00, 0x00});                   // 75, flag 0
    EXPECT_EQ(writer.Bytes(), expected);
}

TEST(ValueObjects, TruncatedOrInconsistentIdentityIsRefusedAndLeavesTheObject) {
    test::ExpectEveryTruncationFails(SampleConnectorBytes(), [](BinaryReader& reader) {
        TConector connector;
        connector.ReadFromStream(reader);
    });

    TConector untouched = SampleConnector();
    // Size 0 for Descripcion: not even the length byte.
    ByteVector zeroSize{7, 0, 0, 0, 0, 0, 0, 0, 0x00, 0x00};
    BinaryReader zero(zeroSize);
    EXPECT_THROW(untouched.ReadFromStream(zero), StreamError);
    EXPECT_EQ(untouched.Modelo, "CF-7");
    // A length byte claiming more than its size.
    ByteVector overlong{7,   0,   0,   0,   0,   0,    0,    0,    0x02, 0x00, 0x05,
                        'a', 'b', 'c', 'd', 'e', 0x01, 0x00, 0x00, 'M',  'F'};
    BinaryReader over(overlong);
    EXPECT_THROW(untouched.ReadFromStream(over), StreamError);
    // A size beyond any short string.
    ByteVector absurd{7, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0x00};
    BinaryReader big(absurd);
    EXPECT_THROW(untouched.ReadFromStream(big), StreamError);
    EXPECT_EQ(untouched.Indice, 7);
    EXPECT_EQ(untouched.Familia, 3001);
}

TEST(ValueObjects, ShortTextIsCutTo255Bytes) {
    TsegundoObjeto identity;
    identity.Descripcion = std::string(300, 'd');
    BinaryWriter writer;
    identity.WriteToStream(writer);
    ASSERT_EQ(writer.Size(), 8u + 2 + 256 + 2 + 1);
    EXPECT_EQ(writer.Bytes()[8], 0x00); // size 256 = 0x0100
    EXPECT_EQ(writer.Bytes()[9], 0x01);
    EXPECT_EQ(writer.Bytes()[10], 255);
}

TEST(ValueObjects, CloneKeepsTheMostSpecificClass) {
    TConector connector = SampleConnector();
    const TPrimerObjeto& asRoot = connector;
    std::unique_ptr<TPrimerObjeto> copy = asRoot.Clone();
    EXPECT_EQ(copy->ClassName(), "TConector");
    auto* typed = dynamic_cast<TConector*>(copy.get());
    ASSERT_NE(typed, nullptr);
    EXPECT_EQ(typed->Sexo, 'H');
}

TEST(Pasocorriente, TwentyOneBytesInFieldOrder) {
    TPasocorriente data{1, 12.25, -2, 4000.0};
    BinaryWriter writer;
    WritePasocorriente(writer, data);
    ByteVector expected{0x01};
    AppendDoubleBits(expected, test::kBits12p25);
    Append(expected, {0xFE, 0xFF, 0xFF, 0xFF});
    AppendDoubleBits(expected, test::kBits4000);
    EXPECT_EQ(writer.Bytes(), expected);
    ASSERT_EQ(expected.size(), TPasocorriente::kStreamSize);

    BinaryReader reader(expected);
    EXPECT_EQ(ReadPasocorriente(reader), data);
    test::ExpectEveryTruncationFails(expected, [](BinaryReader& r) { ReadPasocorriente(r); });

    TPasocorriente fresh;
    EXPECT_EQ(fresh, (TPasocorriente{0, 0.0, 0, 4000.0}));
}

TEST(LevelVectors, BandArithmetic) {
    LevelVector a;
    LevelVector b;
    for (std::size_t i = 0; i < kBandCount; ++i) {
        a[i] = static_cast<double>(i);
        b[i] = 3.5;
    }
    LevelVector sum = Sum(a, b);
    LevelVector max = Maximum(a, b);
    LevelVector clipped = Clip(a, b);
    LevelVector scaled = Scale(LevelVector::Filled(-0.2), 25.0);
    for (std::size_t i = 0; i < kBandCount; ++i) {
        EXPECT_DOUBLE_EQ(sum[i], i + 3.5);
        EXPECT_DOUBLE_EQ(max[i], i < 4 ? 3.5 : static_cast<double>(i));
        EXPECT_DOUBLE_EQ(clipped[i], i < 4 ? static_cast<double>(i) : 3.5);
        EXPECT_DOUBLE_EQ(scaled[i], -5.0);
    }
    EXPECT_EQ(LevelVector(), LevelVector::Filled(0.0));
    EXPECT_EQ(kBandFrequenciesMHz.front(), 47.0);
    EXPECT_EQ(kBandFrequenciesMHz[3], 862.0);
    EXPECT_EQ(kBandFrequenciesMHz[4], 950.0);
    EXPECT_EQ(kBandFrequenciesMHz.back(), 2150.0);
}

TEST(LevelVectors, VectorAndListBytes) {
    std::vector<LevelVector> list{LevelVector::Filled(2.0), LevelVector::Filled(-3.5)};
    BinaryWriter writer;
    WriteLevelVectorList(writer, list);
    ByteVector expected{0x02, 0x00, 0x00, 0x00};
    AppendDoubleBits(expected, test::kBitsTwo, 8);
    AppendDoubleBits(expected, test::kBitsMinus3p5, 8);
    EXPECT_EQ(writer.Bytes(), expected);

    BinaryReader reader(expected);
    EXPECT_EQ(ReadLevelVectorList(reader), list);
    EXPECT_TRUE(reader.AtEnd());
    test::ExpectEveryTruncationFails(expected, [](BinaryReader& r) { ReadLevelVectorList(r); });

    // A count that the data cannot hold is refused before the list is allocated.
    ByteVector absurd{0xFF, 0xFF, 0xFF, 0x0F};
    AppendDoubleBits(absurd, test::kBitsTwo, 8);
    BinaryReader big(absurd);
    EXPECT_THROW(ReadLevelVectorList(big), StreamError);
    ByteVector empty{0, 0, 0, 0};
    BinaryReader none(empty);
    EXPECT_TRUE(ReadLevelVectorList(none).empty());
}

} // namespace
} // namespace ixo
