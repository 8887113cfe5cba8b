#include "catalogue/catalogue_lookups.h"

#include "sample_catalogue.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace ixo {
namespace {

using test::TempDir;

class LookupTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::SampleCatalogue().Write(dir.Path());
        catalogue = OpenCatalogue(nullptr, dir.Path()).Tables;
    }
    void TearDown() override { FreeCatalogue(catalogue); }

    TTablaCompoScript& Splitters() { return *catalogue->ElementTable(CatalogueTable::Repartidores); }
    std::vector<std::int32_t> Numbers(const std::vector<TSelFamilia>& families) {
        std::vector<std::int32_t> numbers;
        for (const auto& family : families) {
            numbers.push_back(family.Familia);
        }
        return numbers;
    }

    TempDir dir;
    TCatalogo* catalogue = nullptr;
};

TEST_F(LookupTest, RecordByIndiceReadsTheRecordAndItsScript) {
    TRECConScript record = RecordByIndice(Splitters(), 2);
    EXPECT_EQ(record.Indice, 2);
    EXPECT_EQ(record.Modelo, "SPL-4");
    EXPECT_EQ(record.Script, "ENTRADAS=1\r\nSALIDAS=4\r\nDERIVACIONES=1\r\n");
    EXPECT_FALSE(Splitters().Active());

    TRECConScript missing = RecordByIndice(Splitters(), 77);
    EXPECT_EQ(missing.Indice, -1);
    EXPECT_EQ(missing.Modelo, "");
    EXPECT_EQ(missing.Script, "");
}

TEST_F(LookupTest, RecordByIndiceAnswersFromTheBufferWithoutReading) {
    ASSERT_EQ(RecordByIndice(Splitters(), 4).Modelo, "SPL-X");
    std::filesystem::remove(dir / "Repartidores.bd");
    std::filesystem::remove(dir / "Repartidores.sb");
    TRECConScript again = RecordByIndice(Splitters(), 4);
    EXPECT_EQ(again.Modelo, "SPL-X");
    EXPECT_EQ(again.Script, "ENTRADAS=1\r\nSALIDAS=3\r\n");
    EXPECT_EQ(RecordByIndice(Splitters(), 1).Indice, -1);
}

TEST_F(LookupTest, AnOpenTableStaysOpen) {
    Splitters().Open();
    EXPECT_TRUE(LocateIndice(Splitters(), 2));
    EXPECT_TRUE(Splitters().Active());
    EXPECT_EQ(Splitters().Buffer().Modelo, "SPL-4");
    EXPECT_EQ(Splitters().RecNo(), 1);
    EXPECT_FALSE(LocateIndice(Splitters(), 99));
    EXPECT_TRUE(Splitters().Active());
}

TEST_F(LookupTest, FamilyFields) {
    EXPECT_EQ(FamilyName(*catalogue, 5023), "Multiswitch 5x8");
    EXPECT_EQ(FamilyTable(*catalogue, 5023), "Ms");
    EXPECT_EQ(FamilyGroup(*catalogue, 5023), 3);
    EXPECT_EQ(FamilyName(*catalogue, 5024), "");
    EXPECT_EQ(FamilyTable(*catalogue, 5024), "");
    EXPECT_EQ(FamilyGroup(*catalogue, 5024), 0);
    EXPECT_FALSE(catalogue->Familias()->Active());
}

TEST_F(LookupTest, ModelNameAndFirstIndiceGoThroughTheFamilysTable) {
    EXPECT_EQ(ModelName(*catalogue, 4, 2002), "SPL-X");
    EXPECT_EQ(ModelName(*catalogue, 1, 2001), "SPL-2"); // Tabla "repartidores" in lower case
    EXPECT_EQ(ModelName(*catalogue, 9, 2001), "");
    EXPECT_EQ(ModelName(*catalogue, 1, 424242), "");
    EXPECT_EQ(FirstIndiceOfFamily(*catalogue, 2001), 1);
    EXPECT_EQ(FirstIndiceOfFamily(*catalogue, 2002), 4);
    EXPECT_EQ(FirstIndiceOfFamily(*catalogue, 5500), 2);
    EXPECT_EQ(FirstIndiceOfFamily(*catalogue, 5023), -1);
    EXPECT_EQ(FirstIndiceOfFamily(*catalogue, 424242), -1);
}

TEST_F(LookupTest, FamiliesOfBlockFiltersByGroupAndObsolescence) {
    // Block 5000..5499, group 8, not obsolete, plus 5023 itself (group 3).
    EXPECT_EQ(Numbers(FamiliesOfBlock(*catalogue, 5023, 8, true, false)),
              (std::vector<std::int32_t>{5001, 5005, 5023, 5040}));
    EXPECT_EQ(Numbers(FamiliesOfBlock(*catalogue, 5023, 8, true, true)),
              (std::vector<std::int32_t>{5001, 5005, 5023, 5030, 5040}));
    EXPECT_EQ(Numbers(FamiliesOfBlock(*catalogue, 5001, 0, true, false)), (std::vector<std::int32_t>{5001}));
    EXPECT_EQ(Numbers(FamiliesOfBlock(*catalogue, 5001, 0, false, false)),
              (std::vector<std::int32_t>{5001, 5005, 5023, 5040}));
    EXPECT_EQ(Numbers(FamiliesOfBlock(*catalogue, 5001, 0, false, true)),
              (std::vector<std::int32_t>{5001, 5005, 5023, 5030, 5040, 5400}));
    // The family asked for is listed even when obsolete and of another group.
    EXPECT_EQ(Numbers(FamiliesOfBlock(*catalogue, 5400, 8, false, false)),
              (std::vector<std::int32_t>{5001, 5005, 5040, 5400}));
    auto names = FamiliesOfBlock(*catalogue, 5001, 0, true, false);
    EXPECT_EQ(names.front().NombreFamilia, "Multiswitch cascadable");
    EXPECT_EQ(names.front().Tabla, "Ms");
}

TEST(FamiliesOfBlock, ListsTheLastRecordOfTheFile) {
    TempDir dir;
    test::CatalogueWriter writer;
    writer.Family(4999, "Before", "Ms").Family(5001, "First", "Ms").Family(5499, "Last", "Ms");
    writer.Write(dir.Path());
    TCatalogo* catalogue = OpenCatalogue(nullptr, dir.Path()).Tables;
    auto families = FamiliesOfBlock(*catalogue, 5200, 0, false, false);
    ASSERT_EQ(families.size(), 2u);
    EXPECT_EQ(families.back().NombreFamilia, "Last");
    EXPECT_EQ(FamilyBlockOf(5499), std::make_pair(5000, 5499));
    EXPECT_EQ(FamilyBlockOf(5500), std::make_pair(5500, 5999));
    EXPECT_EQ(FamilyBlockOf(std::numeric_limits<std::int32_t>::max()).second,
              std::numeric_limits<std::int32_t>::max());
    FreeCatalogue(catalogue);
}

TEST(ModelsOfFamily, ListsTheFamilysModelsInFileOrderAndLeavesObsoleteOnesOutUnlessAsked) {
    TempDir dir;
    test::CatalogueWriter writer;
    writer.Family(2001, "Interior", "Repartidores").Family(2002, "Exterior", "repartidores");
    writer.Element("Repartidores", test::MakeElement(7, 2001, "SPL-7", "SALIDAS=2\r\nOBSOLETO=0"))
        .Element("Repartidores", test::MakeElement(3, 2002, "SPL-X", "SALIDAS=3"))
        .Element("Repartidores", test::MakeElement(5, 2001, "SPL-OLD", "obsoleto=1"))
        .Element("Repartidores", test::MakeElement(9, 2001, "SPL-9", "OBSOLETO=\r\nSALIDAS=4"))
        .Element("Repartidores", test::MakeElement(4, 2001, "SPL-ODD", "OBSOLETO=yes"));
    writer.Write(dir.Path());
    TCatalogo* catalogue = OpenCatalogue(nullptr, dir.Path()).Tables;
    auto names = [](const std::vector<TselElemento>& models) {
        std::vector<std::string> found;
        for (const TselElemento& model : models) {
            found.push_back(model.Modelo + (model.Obsoleto ? "*" : ""));
        }
        return found;
    };
    EXPECT_EQ(names(ModelsOfFamily(*catalogue, 2001, false)),
              (std::vector<std::string>{"SPL-7", "SPL-9", "SPL-ODD"}));
    EXPECT_EQ(names(ModelsOfFamily(*catalogue, 2001, true)),
              (std::vector<std::string>{"SPL-7", "SPL-OLD*", "SPL-9", "SPL-ODD"}));
    const auto exterior = ModelsOfFamily(*catalogue, 2002, false);
    ASSERT_EQ(exterior.size(), 1u);
    EXPECT_EQ(exterior.front().Indice, 3);
    EXPECT_EQ(exterior.front().Familia, 2002);
    EXPECT_TRUE(ModelsOfFamily(*catalogue, 4242, true).empty()) << "a family the catalogue does not know";
    EXPECT_FALSE(catalogue->ElementTable(CatalogueTable::Repartidores)->Active()) << "closed again";
    FreeCatalogue(catalogue);
}

TEST_F(LookupTest, ArticleOfMatchesTheModelExactly) {
    ArticleInfo article = ArticleOf(*catalogue, "MS-5x8");
    EXPECT_EQ(article.Codigo, "ART-0001");
    EXPECT_EQ(article.Descripcion, "Multiswitch 5 entradas 8 salidas");
    EXPECT_EQ(ArticleOf(*catalogue, "ms-5x8").Codigo, "");
    std::filesystem::remove(dir / "Precios.bd");
    ArticleInfo none = ArticleOf(*catalogue, "SPL-2");
    EXPECT_EQ(none.Codigo, "");
    EXPECT_EQ(none.Descripcion, "");
}

} // namespace
} // namespace ixo
