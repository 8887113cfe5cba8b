#include "catalogue/tabla_compo_script.h"
#include "catalogue/tabla_familia.h"
#include "catalogue/tabla_precios.h"

#include "support/catalogue_writer.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace ixo {
namespace {

using test::MakeElement;
using test::TempDir;

std::vector<TRECConScript> ThreeSplitters() {
    return {MakeElement(1, 2001, "SPL-2", "SALIDAS=2\r\nATEN=3,5", "Splitter 2"),
            MakeElement(12, 2001, "SPL-4", "SALIDAS=4"), MakeElement(30, 2002, "SPL-6")};
}

class ElementTableTest : public ::testing::Test {
protected:
    void SetUp() override { test::WriteElementTable(dir.Path(), "Repartidores", ThreeSplitters()); }
    TTablaCompoScript& Table() {
        if (!table) {
            table = TPrimerComponente::CreateRoot<TTablaCompoScript>();
            table->SetFileName(dir.Path() / "Repartidores.bd");
        }
        return *table;
    }

    TempDir dir;
    std::unique_ptr<TTablaCompoScript> table;
};

TEST_F(ElementTableTest, SetFileNameSplitsDirectoryAndDerivesTheScriptFile) {
    EXPECT_EQ(Table().Directory(), dir.Path());
    EXPECT_EQ(Table().FileName(), "Repartidores.bd");
    EXPECT_EQ(Table().ScriptFileName(), "Repartidores.sb");
    Table().SetFileName("Other.x.bd"); // a bare name keeps the directory
    EXPECT_EQ(Table().Directory(), dir.Path());
    EXPECT_EQ(Table().ScriptFileName(), "Other.x.sb");
    Table().SetFileName("NoExtension");
    EXPECT_EQ(Table().ScriptFileName(), "NoExtension.sb");
}

TEST_F(ElementTableTest, ClosedTableReadsNothing) {
    EXPECT_FALSE(Table().Active());
    EXPECT_TRUE(Table().Eof());
    EXPECT_EQ(Table().RecordCount(), -1);
    EXPECT_EQ(Table().ReadRecord(), -1);
    EXPECT_EQ(Table().FindByKey(1), -1);
    EXPECT_EQ(Table().ReadScript(ScriptKeyOf(1)), "");
}

TEST_F(ElementTableTest, ReadsEveryRecordWithItsScript) {
    Table().Open();
    ASSERT_TRUE(Table().Active());
    EXPECT_EQ(Table().RecordCount(), 3);
    Table().First();
    std::vector<TRECConScript> read;
    while (!Table().Eof()) {
        ASSERT_EQ(Table().ReadRecord(), 1);
        EXPECT_EQ(Table().RecNo(), static_cast<std::int32_t>(read.size()));
        TRECConScript record;
        Table().GetRecord(record);
        read.push_back(record);
    }
    ASSERT_EQ(read.size(), 3u);
    EXPECT_EQ(read[0].Indice, 1);
    EXPECT_EQ(read[0].Modelo, "SPL-2");
    EXPECT_EQ(read[0].Descripcion, "Splitter 2");
    EXPECT_EQ(read[0].ClaveScript, "@@INIRECOD_1@@");
    EXPECT_EQ(read[0].Script, "SALIDAS=2\r\nATEN=3,5\r\n");
    EXPECT_EQ(read[1].Script, "SALIDAS=4\r\n");
    EXPECT_EQ(read[2].Script, "");
    EXPECT_EQ(Table().ScriptLines().size(), 0u);
}

TEST_F(ElementTableTest, ReadingPastTheEndEmptiesTheBufferAndStaysOnTheLastRecord) {
    Table().Open();
    Table().Seek(2);
    ASSERT_EQ(Table().ReadRecord(), 1);
    EXPECT_TRUE(Table().HasRecord());
    EXPECT_EQ(Table().ReadRecord(), -1);
    EXPECT_FALSE(Table().HasRecord());
    EXPECT_EQ(Table().Buffer().Modelo, "");
    EXPECT_TRUE(Table().ScriptLines().empty());
    EXPECT_EQ(Table().RecNo(), 2);
}

TEST_F(ElementTableTest, FindByKeyKeepsRecNoAndTheBufferAndLeavesThePositionAfterTheMatch) {
    Table().Open();
    Table().Seek(2);
    ASSERT_EQ(Table().ReadRecord(), 1);
    EXPECT_EQ(Table().FindByKey(12), 1);
    EXPECT_EQ(Table().RecNo(), 2);
    EXPECT_EQ(Table().Buffer().Indice, 30);
    ASSERT_EQ(Table().ReadRecord(), 1); // the position is after record 1
    EXPECT_EQ(Table().Buffer().Indice, 30);
    EXPECT_EQ(Table().FindByKey(99), -1);
    EXPECT_TRUE(Table().Eof());
    EXPECT_EQ(Table().FindByKey(1), 0);
    EXPECT_FALSE(Table().Eof());
}

TEST_F(ElementTableTest, SeekIgnoresRecordsOutsideTheTable) {
    Table().Open();
    Table().Seek(1);
    Table().Seek(3);
    Table().Seek(-1);
    EXPECT_EQ(Table().RecNo(), 1);
    ASSERT_EQ(Table().ReadRecord(), 1);
    EXPECT_EQ(Table().Buffer().Indice, 12);
}

TEST_F(ElementTableTest, FileNameCannotChangeWhileOpen) {
    Table().Open();
    Table().SetFileName(dir.Path() / "Cables.bd");
    EXPECT_EQ(Table().FileName(), "Repartidores.bd");
    Table().Close();
    EXPECT_FALSE(Table().Active());
    EXPECT_EQ(Table().GetState(), TComumTabla::State::Browsing);
}

TEST_F(ElementTableTest, MissingScriptFileKeepsTheTableClosed) {
    std::filesystem::remove(dir / "Repartidores.sb");
    EXPECT_FALSE(Table().FilesExist());
    EXPECT_FALSE(Table().IsReadable());
    Table().Open();
    EXPECT_FALSE(Table().Active());
    EXPECT_TRUE(Table().Eof());
}

TEST_F(ElementTableTest, ScriptFileWithoutTheKeyGivesAnEmptyScriptButTheRecordIsRead) {
    test::WriteFileBytes(dir / "Repartidores.sb", "@@INIRECOD_12@@\r\nSALIDAS=4\r\n");
    Table().Open();
    ASSERT_EQ(Table().ReadRecord(), 1);
    TRECConScript record;
    Table().GetRecord(record);
    EXPECT_EQ(record.Indice, 1);
    EXPECT_EQ(record.Modelo, "SPL-2");
    EXPECT_EQ(record.Script, "");
    EXPECT_EQ(Table().ReadScript(ScriptKeyOf(12)), "SALIDAS=4\r\n");
}

TEST_F(ElementTableTest, EmptyIndexIsReadableAndHasNoRecords) {
    test::WriteElementTable(dir.Path(), "Repartidores", {});
    EXPECT_TRUE(Table().IsReadable());
    EXPECT_FALSE(Table().Active()); // IsReadable closes the table
    Table().Open();
    EXPECT_EQ(Table().RecordCount(), 0);
    EXPECT_TRUE(Table().Eof());
    EXPECT_EQ(Table().ReadRecord(), -1);
    EXPECT_EQ(Table().RecNo(), 0);
}

TEST_F(ElementTableTest, TrailingPartialRecordIsIgnored) {
    std::string bytes = test::ReadFileBytes(dir / "Repartidores.bd");
    test::WriteFileBytes(dir / "Repartidores.bd", bytes + std::string(100, '\x7F'));
    Table().Open();
    EXPECT_EQ(Table().RecordCount(), 3);
    Table().Seek(2);
    EXPECT_EQ(Table().ReadRecord(), 1);
    EXPECT_EQ(Table().ReadRecord(), -1);
}

TEST_F(ElementTableTest, FilesAreFoundWithoutRegardToCase) {
    std::filesystem::rename(dir / "Repartidores.bd", dir / "REPARTIDORES.BD");
    std::filesystem::rename(dir / "Repartidores.sb", dir / "repartidores.SB");
    EXPECT_TRUE(Table().FilesExist());
    Table().Open();
    ASSERT_TRUE(Table().Active());
    EXPECT_EQ(Table().IndexFilePath(), dir / "REPARTIDORES.BD");
    ASSERT_EQ(Table().ReadRecord(), 1);
    EXPECT_EQ(Table().ScriptLines().size(), 2u);
}

TEST_F(ElementTableTest, ExactNameWinsOverOtherCases) {
    test::WriteElementTable(dir.Path(), "REPARTIDORES", {MakeElement(5, 2001, "OTHER")});
    Table().Open();
    EXPECT_EQ(Table().RecordCount(), 3);
}

TEST(FamilyTable, ReadsRecordsAndFindsByFamilyNumber) {
    TempDir dir;
    test::WriteFamilies(
        dir.Path(), {{2001, "Repartidores 2", "Repartidores", 0, ""}, {5001, "Multiswitch", "Ms", 8, "OBS"}});
    auto table = TPrimerComponente::CreateRoot<TTablaFamilia>();
    table->SetFileName(dir / "Familias.bd");
    EXPECT_TRUE(table->IsReadable());
    table->Open();
    EXPECT_EQ(table->RecordCount(), 2);
    table->First();
    ASSERT_EQ(table->ReadRecord(), 1);
    EXPECT_EQ(table->Buffer().NombreFamilia, "Repartidores 2");
    EXPECT_EQ(table->FindByKey(5001), 1);
    EXPECT_EQ(table->RecNo(), 0);
    EXPECT_EQ(table->Buffer().Familia, 2001);
    ASSERT_EQ(table->ReadRecord(), -1); // positioned after the match, at the end
    EXPECT_EQ(table->Buffer().Familia, 2001);
    EXPECT_EQ(table->FindByKey(5002), -1);
}

TEST(ArticleTable, FindByModelIsExactAndCaseSensitive) {
    TempDir dir;
    test::WriteArticles(dir.Path(), {{1, "MS-58", "A001", "Multiswitch"}, {2, "ms-58", "A002", "lower"}});
    auto table = TPrimerComponente::CreateRoot<TTablaPrecios>();
    table->SetFileName(dir / "Precios.bd");
    table->Open();
    EXPECT_EQ(table->FindByModel("ms-58"), 1);
    EXPECT_EQ(table->FindByModel("MS-58"), 0);
    EXPECT_EQ(table->FindByModel("MS-5"), -1);
    EXPECT_EQ(table->FindByKey(2), 1);
    table->Seek(1);
    ASSERT_EQ(table->ReadRecord(), 1);
    EXPECT_EQ(table->Buffer().Codigo, "A002");
}

TEST(BaseTable, HasNoRecords) {
    auto table = TPrimerComponente::CreateRoot<TComumTabla>();
    EXPECT_EQ(table->ReadRecord(), -1);
    EXPECT_TRUE(table->Eof());
    table->Open();
    EXPECT_TRUE(table->Active());
    EXPECT_TRUE(table->Eof());
    EXPECT_EQ(table->ReadRecord(), -1);
    table->Close();
    EXPECT_FALSE(table->Active());
}

} // namespace
} // namespace ixo
