#include "element_test_support.h"
#include "model/antena.h"
#include "model/binary_property.h"
#include "model/script_numbers.h"

#include <gtest/gtest.h>

namespace ixo {
namespace {

using test::MakeRecord;

// A dish with one input A and four outputs B, gains 1, 2, 3, 4 dB at the satellite bands of outputs
// 1 to 4 (each output has its own letter so that each has its own row).
TRECConScript DishRecord(std::string_view tipo = "TIPO=1") {
    return MakeRecord(10, 3510, "PO-80Q",
                      {"NENTRADAS=1", "TIPOENTRADA=A", "TIPOCENT=1", "ENTRADASPDC=0;0;4000;0", "NSALIDAS=4",
                       "TIPOSALIDA=BCDF", "TIPOCSAL=1;1;1;1",
                       "SALIDASPDC=1;3;400;24;1;3;400;24;1;3;400;24;1;3;400;24", "ECUACIONES",
                       "EA/SB=-20;-20;-20;-20;1;1;1;1", "EA/SC=-20;-20;-20;-20;2;2;2;2",
                       "EA/SD=-20;-20;-20;-20;3;3;3;3", "EA/SF=-20;-20;-20;-20;4;4;4;4", "FINECUACIONES",
                       tipo, "LNB=LQ-40"});
}

LevelVector Seed() {
    return LevelVector{{90, 91, 92, 93, 80, 81, 82, 83}};
}

class Dish : public test::ElementFixture {};

TEST_F(Dish, CatalogueGivesTipoLnbAndOneZeroLevelPerOutput) {
    Tantena* dish = FromRecord<Tantena>(DishRecord());
    EXPECT_EQ(dish->tipo, 1);
    EXPECT_EQ(dish->LNB, "LQ-40");
    ASSERT_EQ(dish->InputLevels().size(), 4u);
    EXPECT_EQ(dish->InputLevels()[3], LevelVector());
    EXPECT_TRUE(dish->KeyList().empty());

    // Without tipo 1 the dish names no LNB (an LNB record itself, for instance).
    Tantena* lnb = FromRecord<Tantena>(DishRecord("TIPO=0"));
    EXPECT_EQ(lnb->tipo, 0);
    EXPECT_EQ(lnb->LNB, "");
    EXPECT_THROW(FromRecord<Tantena>(DishRecord("TIPO=uno")), ScriptError);
}

TEST_F(Dish, StreamingConstructorHasFourZeroLevels) {
    auto* dish = TPrimerComponente::Create<Tantena>(network.get());
    ASSERT_EQ(dish->InputLevels().size(), Tantena::kStreamedLevels);
    EXPECT_EQ(dish->InputLevels()[0], LevelVector());
    EXPECT_EQ(dish->tipo, 0);
}

TEST_F(Dish, CopyTakesLevelsAndLnbButNotTipo) {
    Tantena* dish = FromRecord<Tantena>(DishRecord());
    dish->SetInputLevel(2, Seed());
    auto* copy = TComponenteBase::CreateCopy(network.get(), *dish);
    EXPECT_EQ(copy->LNB, "LQ-40");
    EXPECT_EQ(copy->tipo, 0);
    ASSERT_EQ(copy->InputLevels().size(), 4u);
    EXPECT_EQ(copy->InputLevels()[2], Seed());
    EXPECT_EQ(copy->InputLevels()[1], LevelVector());
}

TEST_F(Dish, SeedingEveryEntryOrOneAndIgnoringMissingEntries) {
    Tantena* dish = FromRecord<Tantena>(DishRecord());
    dish->SetInputLevels(Seed());
    for (const LevelVector& entry : dish->InputLevels()) {
        EXPECT_EQ(entry, Seed());
    }
    dish->SetInputLevel(4, LevelVector());
    dish->SetInputLevel(-1, LevelVector());
    for (const LevelVector& entry : dish->InputLevels()) {
        EXPECT_EQ(entry, Seed());
    }
    dish->SetInputLevel(0, LevelVector::Filled(1.0));
    EXPECT_EQ(dish->InputLevels()[0], LevelVector::Filled(1.0));
}

// Output a carries entry a plus the row from the input's key to output a's key.
TEST_F(Dish, StartPushSendsEachEntryToItsOutput) {
    Tantena* dish = FromRecord<Tantena>(DishRecord());
    dish->SetInputLevels(Seed());
    dish->SetInputLevel(3, LevelVector::Filled(50.0));
    dish->StartPush();
    const LevelVector expected0{{70, 71, 72, 73, 81, 82, 83, 84}};
    const LevelVector expected2{{70, 71, 72, 73, 83, 84, 85, 86}};
    const LevelVector expected3{{30, 30, 30, 30, 54, 54, 54, 54}};
    EXPECT_EQ(dish->PinesSALIDA()[0]->Levels(), expected0);
    EXPECT_EQ(dish->PinesSALIDA()[2]->Levels(), expected2);
    EXPECT_EQ(dish->PinesSALIDA()[3]->Levels(), expected3);
    // The input ends holding the last entry's level.
    EXPECT_EQ(dish->PinesENTRADA()[0]->Levels(), LevelVector::Filled(50.0));
}

TEST_F(Dish, EntriesBeyondTheOutputsAndADishWithoutInputPushNothing) {
    Tantena* dish = FromRecord<Tantena>(DishRecord());
    std::vector<LevelVector> six(6, Seed());
    six[5] = LevelVector::Filled(-7.0);
    dish->SetInputLevelList(six);
    dish->StartPush();
    EXPECT_EQ(dish->PinesENTRADA()[0]->Levels(), Seed()); // entry 3, the last with an output

    auto* bare = TPrimerComponente::Create<Tantena>(network.get());
    bare->SetInputLevels(Seed());
    bare->StartPush(); // no pins at all
    EXPECT_TRUE(bare->PinesSALIDA().empty());
}

TEST_F(Dish, InputLevelsAreStoredAsNivelesEntrada) {
    auto* dish = TPrimerComponente::Create<Tantena>(network.get());
    dish->SetInputLevelList({LevelVector::Filled(2.0), LevelVector::Filled(0.5)});
    test::ByteVector expected;
    test::Append(expected, {0x02, 0x00, 0x00, 0x00});
    test::AppendDoubleBits(expected, test::kBitsTwo, 8);
    test::AppendDoubleBits(expected, test::kBitsHalf, 8);

    std::vector<BinaryPropertyData> written = WriteBinaryProperties(*dish);
    ASSERT_EQ(written.size(), 2u); // the transfer function, then the levels
    EXPECT_EQ(written[0].name, "DCBFT");
    EXPECT_EQ(written[1].name, "NivelesEntrada");
    EXPECT_EQ(written[1].bytes, expected);

    auto* read = TPrimerComponente::Create<Tantena>(network.get());
    ASSERT_TRUE(ReadBinaryProperty(*read, "NivelesEntrada", expected));
    EXPECT_EQ(read->InputLevels(), dish->InputLevels());
    test::ExpectEveryTruncationFails(expected, [](BinaryReader& reader) { ReadLevelVectorList(reader); });
    EXPECT_THROW(ReadBinaryProperty(*read, "NivelesEntrada", test::ByteVector{0x01, 0x00, 0x00, 0x00}),
                 StreamError);
    EXPECT_EQ(read->InputLevels(), dish->InputLevels()); // unchanged by the failed read

    // An empty list is not written.
    read->SetInputLevelList({});
    written = WriteBinaryProperties(*read);
    ASSERT_EQ(written.size(), 1u);
    EXPECT_EQ(written[0].name, "DCBFT");
}

} // namespace
} // namespace ixo
