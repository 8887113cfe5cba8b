// The catalogue tool keeps a reader of the binary catalogue of its own, as an independent check of the
// catalogue's table classes: both must read the demo catalogue beside the programs record for record.
#include "catalogue/tabla_compo_script.h"
#include "catalogue/tabla_familia.h"
#include "catalogue/tabla_precios.h"
#include "support/temp_dir.h"
#include "tools/catalogue/binary_catalogue_reader.h"

#include <gtest/gtest.h>

#include <memory>

namespace ixo {
namespace {

template <typename Table, typename Record, typename Read>
std::vector<Record> ReadAll(const std::filesystem::path& file, Read read) {
    auto table = TPrimerComponente::CreateRoot<Table>();
    table->SetFileName(file);
    table->Open();
    EXPECT_TRUE(table->Active()) << file;
    std::vector<Record> records;
    table->First();
    while (!table->Eof()) {
        EXPECT_EQ(table->ReadRecord(), 1) << file;
        records.push_back(read(*table));
    }
    return records;
}

TEST(SecondCatalogueReader, ReadsTheDemoCatalogueAsTheTablesDo) {
    const std::filesystem::path dir = test::DemoCatalogueDirectory();
    std::vector<std::string> warnings;
    const catalogue_tool::CatalogueSource source = catalogue_tool::ReadBinaryCatalogue(dir, warnings);
    EXPECT_TRUE(warnings.empty());
    ASSERT_EQ(source.Tables.size(), catalogue_tool::kElementTableNames.size());
    std::size_t elements = 0;
    for (const catalogue_tool::ElementTable& table : source.Tables) {
        const auto read = ReadAll<TTablaCompoScript, TRECConScript>(dir / (table.Name + ".bd"),
                                                                    [](const TTablaCompoScript& t) {
                                                                        TRECConScript record;
                                                                        t.GetRecord(record);
                                                                        return record;
                                                                    });
        ASSERT_EQ(read.size(), table.Records.size()) << table.Name;
        for (std::size_t i = 0; i < read.size(); ++i) {
            SCOPED_TRACE(table.Name + " record " + std::to_string(i));
            EXPECT_EQ(read[i].Indice, table.Records[i].Indice);
            EXPECT_EQ(read[i].Familia, table.Records[i].Familia);
            EXPECT_EQ(read[i].Modelo, table.Records[i].Modelo);
            EXPECT_EQ(read[i].Descripcion, table.Records[i].Descripcion);
            EXPECT_EQ(read[i].ClaveScript, table.Records[i].ClaveScript);
            EXPECT_EQ(read[i].Script, table.Records[i].Script);
        }
        elements += read.size();
    }
    EXPECT_EQ(elements, 246u); // the demo catalogue's records, none lost by either reader

    const auto families = ReadAll<TTablaFamilia, FamilyRecord>(
        dir / catalogue_tool::kFamilyFileName, [](const TTablaFamilia& t) { return t.Buffer(); });
    ASSERT_EQ(families.size(), source.Families.size());
    for (std::size_t i = 0; i < families.size(); ++i) {
        EXPECT_EQ(families[i].Familia, source.Families[i].Familia);
        EXPECT_EQ(families[i].NombreFamilia, source.Families[i].NombreFamilia);
        EXPECT_EQ(families[i].Tabla, source.Families[i].Tabla);
        EXPECT_EQ(families[i].Grupo, source.Families[i].Grupo);
        EXPECT_EQ(families[i].Atributos, source.Families[i].Atributos);
    }
    const auto articles = ReadAll<TTablaPrecios, ArticleRecord>(
        dir / catalogue_tool::kArticleFileName, [](const TTablaPrecios& t) { return t.Buffer(); });
    ASSERT_EQ(articles.size(), source.Articles.size());
    for (std::size_t i = 0; i < articles.size(); ++i) {
        EXPECT_EQ(articles[i].ClaveArticulo, source.Articles[i].ClaveArticulo);
        EXPECT_EQ(articles[i].Modelo, source.Articles[i].Modelo);
        EXPECT_EQ(articles[i].Codigo, source.Articles[i].Codigo);
        EXPECT_EQ(articles[i].Descripcion, source.Articles[i].Descripcion);
    }
}

} // namespace
} // namespace ixo
