#include "model/padre_tv.h"
#include "model/pc_lector_fichero.h"
#include "model/script_numbers.h"
#include "model_test_support.h"

#include <gtest/gtest.h>

namespace ixo {
namespace {

class ScriptReading : public ::testing::Test {
protected:
    void Load(const std::string& script) {
        TRECConScript record;
        record.Indice = 101;
        record.Familia = 1002;
        record.Modelo = "R-2";
        record.Descripcion = "Splitter 2 ways";
        record.Script = script;
        element->LoadRecord(record);
    }

    std::unique_ptr<TPadreTV> owner = TPrimerComponente::CreateRoot<TPadreTV>();
    TPCLectorFichero* element = TPrimerComponente::Create<TPCLectorFichero>(owner.get());
};

TEST_F(ScriptReading, LoadRecordTakesIdentityAndOneLinePerEntry) {
    Load("OBSOLETO=1\r\nCONSUMO=0,5\r\n\r\n[SECCION]\r\nNSALIDAS=2\r\n");
    EXPECT_EQ(element->Indice, 101);
    EXPECT_EQ(element->Familia, 1002);
    EXPECT_EQ(element->Modelo, "R-2");
    EXPECT_EQ(element->Descripcion, "Splitter 2 ways");
    EXPECT_EQ(element->KeyList(),
              (std::vector<std::string>{"OBSOLETO=1", "CONSUMO=0,5", "", "[SECCION]", "NSALIDAS=2"}));
    element->CleanScript();
    EXPECT_EQ(element->KeyList(), (std::vector<std::string>{"OBSOLETO=1", "CONSUMO=0,5", "NSALIDAS=2"}));
    element->ReadObsoleto();
    EXPECT_TRUE(element->Obsoleto);
    element->ClearScript();
    EXPECT_TRUE(element->KeyList().empty());
}

TEST(ScriptLines, BreaksAtCrLfCrOrLf) {
    EXPECT_EQ(SplitScriptLines("a\r\nb\nc\rd"), (std::vector<std::string>{"a", "b", "c", "d"}));
    EXPECT_EQ(SplitScriptLines("a\r\n\r\n"), (std::vector<std::string>{"a", ""}));
    EXPECT_TRUE(SplitScriptLines("").empty());
}

TEST_F(ScriptReading, AKeyPresentTwiceYieldsFirstThenSecondThenDefault) {
    Load("TIPO=A\r\nOTRA=x\r\ntipo=B\r\n");
    EXPECT_EQ(element->ReadKey("Tipo", "Z"), "A");
    EXPECT_EQ(element->ReadKey("TIPO", "Z"), "B");
    EXPECT_EQ(element->ReadKey("TIPO", "Z"), "Z");
    EXPECT_EQ(element->KeyList(), (std::vector<std::string>{"OTRA=x"}));
}

TEST_F(ScriptReading, AnEmptyValueGivesTheDefaultAndIsStillConsumed) {
    Load("GANANCIA=\r\nGANANCIA=12\r\n");
    EXPECT_EQ(element->ReadKey("GANANCIA", "7"), "7");
    EXPECT_EQ(element->ReadKey("GANANCIA", "7"), "12");
}

TEST_F(ScriptReading, ValueIsTheTextAfterTheFirstEqualsSign) {
    Load("FORMULA=a=b\r\nSINVALOR\r\n");
    EXPECT_EQ(element->ReadKey("FORMULA", ""), "a=b");
    // A line without "=" has no name and is never found.
    EXPECT_EQ(element->ReadKey("SINVALOR", "d"), "d");
    EXPECT_EQ(element->KeyList().size(), 1u);
}

TEST_F(ScriptReading, NumericKeysUseTheDecimalCommaAndRefuseText) {
    Load("NSALIDAS=4\r\nCONSUMO=0,25\r\nNENTRADAS=dos\r\nOBSOLETO=si\r\n");
    EXPECT_EQ(element->ReadIntegerKey("NSALIDAS", "0"), 4);
    EXPECT_EQ(element->ReadIntegerKey("NDERIVACIONES", "0"), 0);
    EXPECT_DOUBLE_EQ(element->ReadDecimalKey("CONSUMO", "0"), 0.25);
    EXPECT_THROW(element->ReadIntegerKey("NENTRADAS", "0"), ScriptError);
    EXPECT_THROW(element->ReadObsoleto(), ScriptError);
}

TEST(ScriptNumbers, IntegerAndDecimalForms) {
    EXPECT_EQ(TryParseScriptInteger(" -12 "), -12);
    EXPECT_EQ(TryParseScriptInteger("+3"), 3);
    EXPECT_FALSE(TryParseScriptInteger("3,5").has_value());
    EXPECT_FALSE(TryParseScriptInteger("").has_value());
    EXPECT_FALSE(TryParseScriptInteger("99999999999").has_value());
    EXPECT_EQ(TryParseScriptDecimal("-3,8"), -3.8);
    EXPECT_EQ(TryParseScriptDecimal("2.5"), 2.5);
    EXPECT_FALSE(TryParseScriptDecimal("1,2,3").has_value());
    EXPECT_FALSE(TryParseScriptDecimal("inf").has_value());
    EXPECT_FALSE(TryParseScriptDecimal("4dB").has_value());
}

TEST(ReadNumber, TheNumberBeforeTheFirstSemicolon) {
    EXPECT_DOUBLE_EQ(TPCLectorFichero::ReadNumber("-3,8;4"), -3.8);
    EXPECT_DOUBLE_EQ(TPCLectorFichero::ReadNumber("12"), 12.0);
    EXPECT_DOUBLE_EQ(TPCLectorFichero::ReadNumber("abc;5"), 0.0);
    EXPECT_DOUBLE_EQ(TPCLectorFichero::ReadNumber(""), 0.0);
}

TEST(ReadVector, FewerNumbersRepeatTheLast) {
    LevelVector vector = TPCLectorFichero::ReadVector("1,5;2", false);
    EXPECT_DOUBLE_EQ(vector[0], 1.5);
    for (std::size_t i = 1; i < kBandCount; ++i) {
        EXPECT_DOUBLE_EQ(vector[i], 2.0) << "band " << i;
    }
    LevelVector percent = TPCLectorFichero::ReadVector("1,5;2", true);
    EXPECT_DOUBLE_EQ(percent[0], 0.015);
    for (std::size_t i = 1; i < kBandCount; ++i) {
        EXPECT_DOUBLE_EQ(percent[i], 0.02) << "band " << i;
    }
    EXPECT_EQ(TPCLectorFichero::ReadVector("", false), LevelVector());
    EXPECT_EQ(TPCLectorFichero::ReadVector("", true), LevelVector());
}

TEST(ReadVector, AllEightNumbersAndUnreadableBands) {
    LevelVector vector = TPCLectorFichero::ReadVector("1;2;3;4;5;6;7;8;9", false);
    for (std::size_t i = 0; i < kBandCount; ++i) {
        EXPECT_DOUBLE_EQ(vector[i], static_cast<double>(i + 1));
    }
    // An unreadable number gives 0 in its band; a trailing ";" leaves an empty text (0) for the rest.
    LevelVector holes = TPCLectorFichero::ReadVector("x;-20;", false);
    EXPECT_EQ(holes, (LevelVector{{0.0, -20.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0}}));
}

TEST(HasRecord, AsksTheCatalogueForTheElementsTable) {
    auto owner = TPrimerComponente::CreateRoot<TPadreTV>();
    auto* element = TPrimerComponente::Create<TPCLectorFichero>(owner.get());
    test::FakePartsCatalogue catalogue;
    int tableStandIn = 0;
    auto* table = reinterpret_cast<TTablaCompoScript*>(&tableStandIn);
    catalogue.recordTable = table;
    TRECConScript record;
    record.Indice = 101;
    catalogue.records[101] = record;
    TRECConScript scriptOnly;
    scriptOnly.Indice = -1;
    scriptOnly.Script = "OBSOLETO=0\r\n";
    catalogue.records[102] = scriptOnly;
    ScopedPartsCatalogue installed(&catalogue);

    EXPECT_FALSE(element->HasRecord(101)); // no table
    element->Tabla = table;
    EXPECT_TRUE(element->HasRecord(101));
    EXPECT_TRUE(element->HasRecord(102));
    EXPECT_FALSE(element->HasRecord(103));
    {
        ScopedPartsCatalogue none(nullptr);
        EXPECT_FALSE(element->HasRecord(101));
    }
}

TEST(CatalogueElementCopy, CarriesIdentityButNotDescription) {
    auto owner = TPrimerComponente::CreateRoot<TPadreTV>();
    auto* element = TPrimerComponente::Create<TPCLectorFichero>(owner.get());
    element->Familia = 1002;
    element->Indice = 101;
    element->Modelo = "R-2";
    element->Descripcion = "Splitter";
    element->Obsoleto = true;
    element->KeyList().push_back("X=1");
    auto* copy = dynamic_cast<TPCLectorFichero*>(element->Clone(owner.get()));
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->Familia, 1002);
    EXPECT_EQ(copy->Indice, 101);
    EXPECT_EQ(copy->Modelo, "R-2");
    EXPECT_TRUE(copy->Obsoleto);
    EXPECT_TRUE(copy->Descripcion.empty());
    EXPECT_TRUE(copy->KeyList().empty());
    EXPECT_EQ(copy->Owner(), owner.get());
}

} // namespace
} // namespace ixo
