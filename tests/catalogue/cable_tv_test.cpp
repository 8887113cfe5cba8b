#include "element_test_support.h"
#include "model/binary_property.h"
#include "model/cable_tv.h"
#include "model/cbft.h"
#include "model/script_numbers.h"

#include <gtest/gtest.h>

namespace ixo {
namespace {

using test::MakeRecord;

TRECConScript CableRecord(std::string_view ecuacion) {
    return MakeRecord(24, 9001, "CX-68",
                      {"OBSOLETO=0", "PDC=1;2;4000;12,25", "DIAMETROEXT=6,8", "RMCURVATURA=35", "EXTERIOR=1",
                       ecuacion, "TIPOCONECTOR=4", "NUMCABLES=2"},
                      "Coaxial cable 6.8 mm");
}

TRECConScript SimpleRecord(int indice) {
    return MakeRecord(indice, 1, "P",
                      {"NENTRADAS=1", "TIPOCENT=1", "ENTRADASPDC=0;0;4000;0", "NSALIDAS=1", "TIPOCSAL=1",
                       "SALIDASPDC=0;0;4000;0", "ECUACIONES", "EA/SA=0;0;0;0;0;0;0;0", "FINECUACIONES"});
}

using Cable = test::ElementFixture;

TEST_F(Cable, CatalogueKeysArePerHundredMetresAndKeptPerMetre) {
    catalogue.records[24] = CableRecord("ECUACION=-20;-10;-30;-40;-20;-20;-20;-50");
    TCableTV* cable = TCableTV::CreateFromCatalogue(network.get(), 24, table.get());
    EXPECT_EQ(cable->Indice, 24);
    EXPECT_EQ(cable->Descripcion, "Coaxial cable 6.8 mm");
    EXPECT_EQ(cable->Diametro, 6.8);
    EXPECT_EQ(cable->RadioCurvatura, 35);
    EXPECT_TRUE(cable->Exterior);
    EXPECT_EQ(cable->Referencia, "24");
    EXPECT_EQ(cable->Tipoconector, 4);
    EXPECT_EQ(cable->NumCables, 2);
    EXPECT_EQ(cable->PasoCorriente(), (TPasocorriente{1, 12.25, 2, 4000.0}));
    EXPECT_DOUBLE_EQ(cable->Coefficients()[0], -0.2);
    EXPECT_DOUBLE_EQ(cable->Coefficients()[7], -0.5);
    EXPECT_DOUBLE_EQ(cable->Attenuation(25.0)[0], -5.0);
    EXPECT_DOUBLE_EQ(cable->Attenuation(25.0)[3], -10.0);
    EXPECT_EQ(cable->Attenuation(0.0), LevelVector());
    EXPECT_TRUE(cable->KeyList().empty());
}

TEST_F(Cable, DefaultsAndSingleNumber) {
    TCableTV* cable = TCableTV::CreateFromRecord(
        network.get(), MakeRecord(7, 9001, "C", {"PDC=0;0;4000", "ECUACION=-20"}), table.get());
    EXPECT_EQ(cable->Attenuation(25.0), LevelVector::Filled(-5.0));
    EXPECT_EQ(cable->Tipoconector, 1);
    EXPECT_EQ(cable->NumCables, 1);
    EXPECT_EQ(cable->PasoCorriente(), (TPasocorriente{0, 0.0, 0, 4000.0})); // unreadable rest: 0
    TCableTV* zero = TCableTV::CreateFromRecord(
        network.get(), MakeRecord(8, 9001, "C", {"PDC=0;0;1;x", "ECUACION=-3;abc"}), table.get());
    EXPECT_EQ(zero->Coefficients()[0], -0.03);
    EXPECT_EQ(zero->Coefficients()[1], 0.0); // unreadable band gives 0 and repeats as the last number
}

TEST_F(Cable, MalformedKeysAbortTheCable) {
    for (auto lines : {std::initializer_list<std::string_view>{"ECUACION=-20"},
                       {"PDC=x;0;0;0"},
                       {"PDC=1;0"},
                       {"PDC=1;0;0;0", "RMCURVATURA=3,5"},
                       {"PDC=1;0;0;0", "EXTERIOR=no"},
                       {"PDC=1;0;0;0", "TIPOCONECTOR=F"},
                       {"PDC=1;0;0;0", "NUMCABLES=?"}}) {
        EXPECT_THROW(TCableTV::CreateFromRecord(network.get(), MakeRecord(9, 9001, "C", lines), table.get()),
                     ScriptError);
    }
    EXPECT_EQ(network->ComponentCount(), 0u);
}

TEST_F(Cable, RecordWithAnotherIndiceGivesIdentityOnly) {
    catalogue.records[24] = CableRecord("ECUACION=-20");
    catalogue.records[24].Indice = 25;
    TCableTV* cable = TCableTV::CreateFromCatalogue(network.get(), 24, table.get());
    EXPECT_EQ(cable->Indice, 25);
    EXPECT_EQ(cable->Tipoconector, 1);
    EXPECT_EQ(cable->Coefficients(), LevelVector());
    // Reload finds the record and reads its keys.
    catalogue.records[26] = CableRecord("ECUACION=-10");
    ASSERT_TRUE(cable->Reload(26));
    EXPECT_EQ(cable->Tipoconector, 4);
    EXPECT_DOUBLE_EQ(cable->Coefficients()[2], -0.1);
    EXPECT_FALSE(cable->Reload(99));
    EXPECT_DOUBLE_EQ(cable->Coefficients()[2], -0.1);
}

TEST_F(Cable, CopyKeepsTheConnectorSoLaterLinksFitIt) {
    TCableTV* prototype = TCableTV::CreateFromRecord(network.get(), CableRecord("ECUACION=-20"), table.get());
    prototype->InteriorVivienda = true;
    TCableTV* copy = TCableTV::CreateCopy(network.get(), *prototype);
    EXPECT_EQ(copy->ClassName(), "TCableTV");
    EXPECT_EQ(copy->Tipoconector, 4);
    EXPECT_EQ(copy->Descripcion, "Coaxial cable 6.8 mm");
    EXPECT_EQ(copy->Referencia, "24");
    EXPECT_EQ(copy->Diametro, 6.8);
    EXPECT_TRUE(copy->InteriorVivienda);
    EXPECT_EQ(copy->NumCables, 2);
    EXPECT_EQ(copy->Coefficients(), prototype->Coefficients());
    EXPECT_EQ(copy->PasoCorriente(), prototype->PasoCorriente());

    auto* a = FromRecord<TCBFT>(SimpleRecord(1));
    auto* b = FromRecord<TCBFT>(SimpleRecord(2));
    ASSERT_TRUE(a->ConnectPin(kFirstFreePin, PinKind::Output, 25.0, copy, kFirstFreePin, PinKind::Input, *b));
    EXPECT_EQ(b->PinesENTRADA()[0]->FittedConnector()->Indice, 4);
    EXPECT_EQ(a->PinesSALIDA()[0]->Cable(), copy);
    // -20 dB per 100 m over 25 m: 5 dB less at the receiving pin; 0 m: unchanged.
    a->ReceiveLevel(LevelVector::Filled(70.0), a->PinesENTRADA()[0]);
    EXPECT_EQ(b->PinesENTRADA()[0]->Levels(), LevelVector::Filled(65.0));
    b->PinesENTRADA()[0]->MetrosCable = 0.0;
    a->ReceiveLevel(LevelVector::Filled(70.0), a->PinesENTRADA()[0]);
    EXPECT_EQ(b->PinesENTRADA()[0]->Levels(), LevelVector::Filled(70.0));
    // A cable destroyed while in use is forgotten by the pins.
    TPrimerComponente::Destroy(copy);
    EXPECT_EQ(b->PinesENTRADA()[0]->Cable(), nullptr);
}

TEST_F(Cable, BinaryDataEcuacionAndPasodeCorriente) {
    TCableTV* cable = TCableTV::CreateFromRecord(
        network.get(), MakeRecord(5, 9001, "C", {"PDC=1;2;4000;12,25", "ECUACION=50;200"}), table.get());
    auto written = WriteBinaryProperties(*cable);
    ASSERT_EQ(written.size(), 2u);
    test::ByteVector ecuacion;
    test::AppendDoubleBits(ecuacion, test::kBitsHalf);
    test::AppendDoubleBits(ecuacion, test::kBitsTwo, 7);
    test::ByteVector paso;
    test::Append(paso, {0x01});
    test::AppendDoubleBits(paso, test::kBits12p25);
    test::Append(paso, {0x02, 0x00, 0x00, 0x00});
    test::AppendDoubleBits(paso, test::kBits4000);
    EXPECT_EQ(written[0].name, "Ecuacion");
    EXPECT_EQ(written[0].bytes, ecuacion);
    EXPECT_EQ(written[1].name, "PasodeCorriente");
    EXPECT_EQ(written[1].bytes, paso);

    auto* read = TPrimerComponente::Create<TCableTV>(network.get());
    ASSERT_TRUE(ReadBinaryProperty(*read, "Ecuacion", ecuacion));
    ASSERT_TRUE(ReadBinaryProperty(*read, "PasodeCorriente", paso));
    EXPECT_EQ(read->Coefficients(), cable->Coefficients());
    EXPECT_EQ(read->PasoCorriente(), cable->PasoCorriente());
    test::ByteVector shortData(ecuacion.begin(), ecuacion.begin() + 12);
    EXPECT_THROW(ReadBinaryProperty(*read, "Ecuacion", shortData), StreamError);
    EXPECT_EQ(read->Coefficients(), LevelVector()); // zeroed before reading
}

} // namespace
} // namespace ixo
