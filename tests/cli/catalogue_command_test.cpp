#include "cli/cli_run.h"

#include "support/catalogue_writer.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <sstream>

namespace ixo::cli {
namespace {

using test::CatalogueWriter;
using test::MakeElement;
using test::TempDir;

using test::CliRun;
using test::Contains;

CliRun RunCatalogueCli(std::vector<std::string> words, const std::filesystem::path& catalogue) {
    words.insert(words.begin(), {"--catalogue", catalogue.string()});
    return test::RunIxoCli(words, catalogue.parent_path());
}

// A small catalogue: two multiswitch families of one block (one obsolete) and a splitter family.
class CatalogueCommand : public ::testing::Test {
protected:
    void SetUp() override {
        CatalogueWriter()
            .Family(1002, "Splitters", "Repartidores")
            .Family(5001, "Cascade multiswitches", "Ms", -4)
            .Family(5011, "Old multiswitches", "Ms", -4, "OBS")
            .Family(5023, "Headend multiswitches", "MS", 8)
            .Element("Repartidores", MakeElement(1, 1002, "R-2", "OBSOLETO=0", "Splitter 2 ways"))
            .Element("Repartidores", MakeElement(2, 1002, "R-3-OLD", "OBSOLETO=1", "Splitter 3 ways"))
            .Element("Ms", MakeElement(7, 5001, "MC-504", "", "Multiswitch 5x4"))
            .Article(1, "R-2", "711002", "Splitter")
            .Write(m_dir.Path());
    }
    TempDir m_dir;
};

TEST_F(CatalogueCommand, FamiliesHideObsoleteUnlessAskedAndFilterByGroup) {
    CliRun all = RunCatalogueCli({"catalogue", "families"}, m_dir.Path());
    ASSERT_EQ(all.status, 0) << all.err;
    EXPECT_TRUE(Contains(all.out, "Cascade multiswitches"));
    EXPECT_FALSE(Contains(all.out, "Old multiswitches"));

    CliRun obsolete = RunCatalogueCli({"catalogue", "families", "--obsolete"}, m_dir.Path());
    EXPECT_TRUE(Contains(obsolete.out, "Old multiswitches"));

    CliRun group = RunCatalogueCli({"catalogue", "families", "--group", "8"}, m_dir.Path());
    EXPECT_TRUE(Contains(group.out, "Headend multiswitches"));
    EXPECT_FALSE(Contains(group.out, "Splitters"));
}

TEST_F(CatalogueCommand, FamiliesOfOneBlock) {
    CliRun block =
        RunCatalogueCli({"catalogue", "families", "--block", "5023", "--group", "-4"}, m_dir.Path());
    ASSERT_EQ(block.status, 0) << block.err;
    EXPECT_TRUE(Contains(block.out, "Cascade multiswitches"));
    EXPECT_TRUE(Contains(block.out, "Headend multiswitches")); // the family itself is always listed
    EXPECT_FALSE(Contains(block.out, "Splitters"));
    CliRun exact = RunCatalogueCli({"catalogue", "families", "--block", "5001", "--exact"}, m_dir.Path());
    EXPECT_TRUE(Contains(exact.out, "Cascade multiswitches"));
    EXPECT_FALSE(Contains(exact.out, "Headend multiswitches"));
}

TEST_F(CatalogueCommand, ModelsWithArticleCodesAndObsoleteOnRequest) {
    CliRun models = RunCatalogueCli({"catalogue", "models", "1002"}, m_dir.Path());
    ASSERT_EQ(models.status, 0) << models.err;
    EXPECT_TRUE(Contains(models.out, "R-2"));
    EXPECT_TRUE(Contains(models.out, "711002"));
    EXPECT_FALSE(Contains(models.out, "R-3-OLD"));
    CliRun obsolete = RunCatalogueCli({"catalogue", "models", "1002", "--obsolete"}, m_dir.Path());
    EXPECT_TRUE(Contains(obsolete.out, "R-3-OLD"));
    // The family's table is found whatever the case of its Tabla field.
    CliRun headend = RunCatalogueCli({"catalogue", "models", "5001"}, m_dir.Path());
    EXPECT_TRUE(Contains(headend.out, "MC-504"));
}

TEST_F(CatalogueCommand, BadInputExitsWithTwo) {
    EXPECT_EQ(RunCatalogueCli({"catalogue", "models", "77"}, m_dir.Path()).status, 2);
    EXPECT_EQ(RunCatalogueCli({"catalogue", "models", "abc"}, m_dir.Path()).status, 2);
    EXPECT_EQ(RunCatalogueCli({"catalogue", "families", "--group", "x"}, m_dir.Path()).status, 2);
}

TEST(CatalogueCommandMissingFiles, ReportsTheFolderAndTheErrorCode) {
    TempDir dir;
    CatalogueWriter().Family(1002, "Splitters", "Repartidores").Write(dir.Path());
    std::filesystem::remove(dir / "Cables.bd");
    std::filesystem::remove(dir / "Tomas.sb");
    CliRun run = RunCatalogueCli({"catalogue", "families"}, dir.Path());
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(Contains(run.err, "Unable to find database files in " + dir.Path().string()));
    EXPECT_TRUE(Contains(run.err, "Error code:18"));
}

TEST(CatalogueCheck, TheDemoCatalogueLoadsEveryRecord) {
    CliRun run = RunCatalogueCli({"catalogue", "check"}, test::DemoCatalogueDirectory());
    EXPECT_EQ(run.status, 0) << run.out << run.err;
    EXPECT_TRUE(Contains(run.out, "records skipped: 0")) << run.out;
    EXPECT_FALSE(Contains(run.out, "\nskipped:")) << run.out;
    // Every element table of the demo catalogue has prototypes.
    for (const char* table : {"REPARTIDORES", "CABLES", "TOMAS", "AMPLIFICADORES", "MS", "ANTENAS"}) {
        EXPECT_TRUE(Contains(run.out, table)) << table;
    }
    EXPECT_FALSE(Contains(run.out, "  0\n")) << run.out;
}

TEST(CatalogueCheck, AMalformedScriptSkipsOnlyItsRecordAndFails) {
    TempDir dir;
    CatalogueWriter()
        .Family(9001, "Cables", "Cables")
        .Element("Cables", MakeElement(24, 9001, "CX-68", "PDC=1;0;0;0\r\nECUACION=-20", "Cable"))
        .Element("Cables", MakeElement(25, 9001, "CX-BAD", "PDC=x;0;0;0", "Broken cable"))
        .Write(dir.Path());
    CliRun run = RunCatalogueCli({"catalogue", "check"}, dir.Path());
    EXPECT_EQ(run.status, 1) << run.out << run.err;
    EXPECT_TRUE(Contains(run.out, "prototypes: 1, records skipped: 1")) << run.out;
    EXPECT_TRUE(Contains(run.out, "skipped: CABLES record 25 (TCableTV)")) << run.out;
}

} // namespace
} // namespace ixo::cli
