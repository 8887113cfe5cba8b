#include "reports/informe.h"

#include "builder/instalacion.h"
#include "common/file_replace.h"
#include "model/toma_tv.h"
#include "reports/recording_writer.h"
#include "reports/report_csv.h"
#include "reports/report_numbers.h"
#include "reports/reports_test_support.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

namespace ixo::test {
namespace {

TEST(ReportNumbers, FixedAndGeneralNotation) {
    EXPECT_EQ(FixedOneDecimal(12.8), "12.8");
    EXPECT_EQ(FixedOneDecimal(87.268), "87.3");
    EXPECT_EQ(FixedOneDecimal(2.0), "2.0");
    EXPECT_EQ(FixedOneDecimal(-4.7), "-4.7");
    EXPECT_EQ(FixedOneDecimal(-0.04), "0.0");
    EXPECT_EQ(GeneralNumber(175.0), "175");
    EXPECT_EQ(GeneralNumber(2150.0), "2150");
    EXPECT_EQ(RoundMetresToOneDecimal(12.34), 12.3);
    EXPECT_EQ(RoundMetresToOneDecimal(0.5), 0.5);
    EXPECT_EQ(RoundMetresToOneDecimal(12.36), 12.4);
}

TEST(ReportCsv, FieldsAreQuotedWhenNeeded) {
    EXPECT_EQ(CsvField("RP-2"), "RP-2");
    EXPECT_EQ(CsvField("Splitter 2 ways, F"), "\"Splitter 2 ways, F\"");
    EXPECT_EQ(CsvField("dish 60\" x"), "\"dish 60\"\" x\"");
    EXPECT_EQ(CsvField("a\nb"), "\"a\nb\"");
}

TEST(ReportCsv, MaterialsRows) {
    TElementoRec splitter;
    splitter.Codigo = "710002";
    splitter.Nombre = "RP-2";
    splitter.Descripcion = "Splitter 2 ways, F";
    splitter.Cantidad = 3;
    splitter.Tipo = TipoMaterial::Elemento;
    TElementoRec cable;
    cable.Nombre = "CX-68";
    cable.Cantidad = 12.8;
    cable.Tipo = TipoMaterial::Cable;
    std::ostringstream out;
    WriteMaterialsCsv(out, {splitter, cable}, true);
    EXPECT_EQ(out.str(), "Code,Model,Description,Quantity,Unit\r\n"
                         ",Terrestrial amplifier,Terrestrial amplifier,1,pcs\r\n"
                         "710002,RP-2,\"Splitter 2 ways, F\",3.0,pcs\r\n"
                         ",CX-68,,12.8,m\r\n");
}

class ReportTest : public ReportFixture {};

TEST_F(ReportTest, ReportFileBesideTheProject) {
    Build(BuildingShape{});
    project->NombreFichero = "/work/projects/Block A.XPJ";
    EXPECT_EQ(FicheroInforme(*project, 0),
              std::filesystem::path("/work/projects/Block A_List of materials.html"));
    EXPECT_EQ(FicheroInforme(*project, 1, ".pdf"),
              std::filesystem::path("/work/projects/Block A_Outlet levels.pdf"));
    EXPECT_EQ(NombreInforme(2), "");
    EXPECT_EQ(NombreInforme(-1), "");
}

TEST_F(ReportTest, MaterialsReportHasAnEmptyHeaderAndIsSavedBesideTheProject) {
    Build(BuildingShape{});
    ASSERT_GT(ConstruirInstalacion(*project), 0);
    TempDir folder;
    project->NombreFichero = (folder / "House.XPJ").string();
    RecordingWriter writer;
    ASSERT_EQ(GenerarInforme(kInformeMateriales, *project, writer, NoReportProgress()),
              ReportOutcome::Written);
    EXPECT_TRUE(writer.HeaderFooterSet());
    EXPECT_EQ(writer.Header1(), "");
    ASSERT_TRUE(GuardarInforme(*project, kInformeMateriales, writer));
    const std::string saved = ReadFileBytes(folder / "House_List of materials.html");
    EXPECT_EQ(saved, writer.PlainText());
    EXPECT_NE(saved.find("List of materials"), std::string::npos);
    EXPECT_NE(saved.find("TF-2"), std::string::npos);
}

TEST_F(ReportTest, SavingIntoAMissingFolderFailsWithTheReason) {
    Build(BuildingShape{});
    TempDir folder;
    project->NombreFichero = (folder / "missing" / "House.XPJ").string();
    RecordingWriter writer;
    ASSERT_EQ(GenerarInforme(kInformeMateriales, *project, writer, NoReportProgress()),
              ReportOutcome::Written);
    EXPECT_FALSE(GuardarInforme(*project, kInformeMateriales, writer));
    EXPECT_FALSE(LastFileError().empty());
    EXPECT_FALSE(std::filesystem::exists(folder / "missing"));
}

TEST_F(ReportTest, NoSuchReportFails) {
    Build(BuildingShape{});
    RecordingWriter writer;
    EXPECT_EQ(GenerarInforme(2, *project, writer, NoReportProgress()), ReportOutcome::Failed);
    EXPECT_NE(ReportFailure().find("no report 2"), std::string::npos);
    EXPECT_TRUE(writer.Calls().empty());
}

TEST_F(ReportTest, CancelledMaterialsReportWritesNothing) {
    Build(BuildingShape{});
    ASSERT_GT(ConstruirInstalacion(*project), 0);
    RecordingWriter writer;
    CancelAfter cancel(1);
    EXPECT_EQ(GenerarInforme(kInformeMateriales, *project, writer, cancel), ReportOutcome::Cancelled);
    EXPECT_TRUE(writer.Calls().empty());
}

TEST(RecordingWriterTest, RecordsMisuseWithoutCrashing) {
    RecordingWriter writer;
    const int table = writer.InsertarTabla(2, 2);
    EXPECT_EQ(table, 11);
    writer.InsertarTexto("inside", Atributos(10, false), true); // caret still in the table
    writer.TextoCelda(table, 3, 1, "x");
    writer.TextoCelda(99, 1, 1, "x");
    writer.AnchosColumnas(table, {1.0});
    EXPECT_EQ(writer.Errors().size(), 4u);
    writer.TrasTabla();
    EXPECT_EQ(writer.InsertarTabla(1, 1), 12);
    EXPECT_EQ(writer.InsertarTabla(0, 1), 0); // inside the new table, and empty
}

} // namespace
} // namespace ixo::test
