#include "catalogue/catalogo.h"

#include "sample_catalogue.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace ixo {
namespace {

using test::TempDir;

class CatalogueTest : public ::testing::Test {
protected:
    void SetUp() override { test::SampleCatalogue().Write(dir.Path()); }
    ~CatalogueTest() override { FreeCatalogue(opened.Tables); }

    CatalogueCheck Open() {
        opened = OpenCatalogue(nullptr, dir.Path());
        return opened.Check;
    }

    TempDir dir;
    OpenedCatalogue opened;
};

TEST_F(CatalogueTest, CreatesTheTwelveTablesInOrderAndClosed) {
    CatalogueCheck check = Open();
    EXPECT_TRUE(check.Passed);
    EXPECT_EQ(check.ErrorCode, 0);
    TCatalogo& catalogue = *opened.Tables;
    EXPECT_EQ(catalogue.Name(), "");
    std::vector<std::string> names;
    for (TPrimerComponente* table : catalogue.Components()) {
        names.push_back(table->Name());
        EXPECT_FALSE(static_cast<TComumTabla*>(table)->Active());
    }
    EXPECT_EQ(names, (std::vector<std::string>{"TRepartidores", "TCables", "TConector", "Tcargas", "TTomas",
                                               "Tamplificadores", "TMs", "Tantenas", "TaEspecial",
                                               "TaFuentes", "TaFamilia", "TaPrecios"}));
    EXPECT_EQ(catalogue.Table(CatalogueTable::Ms)->FullPath(), dir / "Ms.bd");
    EXPECT_TRUE(catalogue.Table(CatalogueTable::Familias)->Is<TTablaFamilia>());
    EXPECT_TRUE(catalogue.Table(CatalogueTable::Precios)->Is<TTablaPrecios>());
    EXPECT_EQ(catalogue.ElementTable(CatalogueTable::Familias), nullptr);
    EXPECT_EQ(catalogue.TableOfKind(5), catalogue.TableOfKind(10));
    EXPECT_EQ(catalogue.TableOfKind(5)->Name(), "TaEspecial");
    EXPECT_EQ(catalogue.TableOfKind(11), nullptr);
}

TEST_F(CatalogueTest, MissingFilesAddUpToTheErrorCode) {
    std::filesystem::remove(dir / "Cables.bd");
    std::filesystem::remove(dir / "Tomas.sb");
    CatalogueCheck check = Open();
    EXPECT_FALSE(check.Passed);
    EXPECT_EQ(check.ErrorCode, 18);

    std::filesystem::remove(dir / "Precios.bd");
    check = CheckCatalogue(*opened.Tables);
    EXPECT_FALSE(check.Passed);
    EXPECT_EQ(check.ErrorCode, 18 + 2048);
}

TEST_F(CatalogueTest, MissingArticleFileAloneDoesNotFail) {
    std::filesystem::remove(dir / "Precios.bd");
    CatalogueCheck check = Open();
    EXPECT_TRUE(check.Passed);
    EXPECT_EQ(check.ErrorCode, 2048);
}

TEST_F(CatalogueTest, EveryTableHasItsOwnValue) {
    TempDir empty;
    opened = OpenCatalogue(nullptr, empty.Path());
    EXPECT_EQ(opened.Check.ErrorCode, 4095);
    std::filesystem::remove(dir / "Familias.bd");
    std::filesystem::remove(dir / "Fuentes.sb");
    std::filesystem::remove(dir / "Especiales.bd");
    FreeCatalogue(opened.Tables);
    EXPECT_EQ(Open().ErrorCode, 512 + 1024 + 256);
}

TEST_F(CatalogueTest, FileNamesOfAnyCaseAreFound) {
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
        std::string upper = entry.path().filename().string();
        for (char& c : upper) {
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        }
        std::filesystem::rename(entry.path(), dir / upper);
    }
    EXPECT_TRUE(Open().Passed);
    EXPECT_EQ(opened.Check.ErrorCode, 0);
}

TEST_F(CatalogueTest, TableByNameComparesWithoutRegardToCase) {
    Open();
    TCatalogo& catalogue = *opened.Tables;
    EXPECT_EQ(TableByName(catalogue, "Repartidores"), catalogue.Table(CatalogueTable::Repartidores));
    EXPECT_EQ(TableByName(catalogue, "repartidores"), catalogue.Table(CatalogueTable::Repartidores));
    EXPECT_EQ(TableByName(catalogue, "ESPECIALES"), catalogue.Table(CatalogueTable::Especiales));
    EXPECT_EQ(TableByName(catalogue, "Familias"), nullptr); // not an element table
    EXPECT_EQ(TableByName(catalogue, ""), nullptr);
    EXPECT_EQ(TableByName(catalogue, "Repartidores.bd"), nullptr);
}

TEST_F(CatalogueTest, OwnerFreesTheTablesAndALostTableIsForgotten) {
    struct Owner : TPrimerComponente {
        explicit Owner(TPrimerComponente* owner) : TPrimerComponente(owner) {}
    };
    auto owner = TPrimerComponente::CreateRoot<Owner>();
    OpenedCatalogue owned = OpenCatalogue(owner.get(), dir.Path());
    EXPECT_EQ(owner->ComponentCount(), 1u);
    EXPECT_EQ(owned.Tables->ComponentCount(), 12u);
    TPrimerComponente::Destroy(owned.Tables->Table(CatalogueTable::Cargas));
    EXPECT_EQ(owned.Tables->Table(CatalogueTable::Cargas), nullptr);
    EXPECT_EQ(CheckCatalogue(*owned.Tables).ErrorCode, 8);
    FreeCatalogue(owned.Tables);
    EXPECT_EQ(owner->ComponentCount(), 0u);
}

TEST(CatalogueMessage, NamesTheDirectoryAndTheCode) {
    EXPECT_EQ(CatalogueErrorMessage("/opt/ixo/BD", 18),
              "Unable to find database files in /opt/ixo/BD/\n\r\n\rError code:18");
    EXPECT_EQ(CatalogueErrorMessage("/opt/ixo/BD/", 2066),
              "Unable to find database files in /opt/ixo/BD/\n\r\n\rError code:2066");
}

TEST(CatalogueDirectory, IsBesideTheExecutable) {
    EXPECT_EQ(DefaultCatalogueDirectory().filename(), "BD");
}

} // namespace
} // namespace ixo
