// build -> dump -> build gives the same bytes, and what the build writes reads back as the source said.

#include "tools/tool_fixture.h"

#include "tools/catalogue/binary_catalogue_reader.h"
#include "tools/catalogue/text_source_reader.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace ixo::test {
namespace {

using catalogue_tool::CatalogueSource;

std::string Repeat(std::string_view text, int times) {
    std::string result;
    for (int i = 0; i < times; ++i) {
        result += text;
    }
    return result;
}

const std::string kEnye = "\xC3\xB1";           // ñ, 0xF1 in Windows-1252
const std::string kEnDash = "\xE2\x80\x93";     // –, 0x96 in Windows-1252
const std::string kSenal = "Se" + kEnye + "al"; // "Señal"

// The lines given, each ended by LF.
std::string Lines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\n";
    }
    return text;
}

// A text source full of awkward but valid cases.
void WriteAwkwardSource(const std::filesystem::path& dir) {
    WriteMinimalSource(dir);
    WriteFileBytes(dir / "families.txt",
                   Lines({
                       "# not in ascending order on purpose",
                       "30 | Repartidores | 2 | OBS | " + kSenal + " " + kEnDash + " splitters",
                       "",
                       "-5 | Repartidores | -4 |  | " + Repeat(kEnye, 80),
                       "10 | " + std::string(66, 'T') + " | 2147483647 | " + Repeat("\xC3\xA9", 67) +
                           " | Name | with a bar",
                   }));
    WriteFileBytes(dir / "articles.txt", Lines({
                                             "9 | " + std::string(67, 'm') + " | " + std::string(20, '0') +
                                                 " | " + Repeat(kEnDash, 82),
                                             "-1 | " + kSenal + " | A-1 |",
                                             "2 | R-2 | 711002 | Splitter | 2 ways",
                                         }));
    WriteFileBytes(dir / "Repartidores.txt", Lines({
                                                 "# comments and blank lines before the first record",
                                                 "",
                                                 "@record -2147483648",
                                                 "family: -5",
                                                 "model: " + Repeat(kEnye, 64),
                                                 "description: " + Repeat(kEnDash, 80),
                                                 "key: @@INIRECOD_-2147483648@@ rev.2",
                                                 "script:",
                                                 "[SECCION]",
                                                 "A=B=C",
                                                 "  indented = spaced  ",
                                                 "\tX=1",
                                                 "",
                                                 "ECUACIONES",
                                                 "EA/SA=-3,8;-3,9;-4;-4,2;-4,5;-4,8;-5;-5,3",
                                                 "FINECUACIONES",
                                                 "@recording=1",
                                                 "family: 3",
                                                 "#not a comment here",
                                                 "",
                                                 "@record 0",
                                                 "family: 30",
                                                 "model:",
                                                 "description:",
                                                 "script:",
                                                 "@record 1",
                                                 "family: 30",
                                                 "model: M",
                                                 "description: " + kSenal + " " + kEnDash + " 75 ohm",
                                                 "key: @@INIRECOD_1@@" + std::string(66, 'k'),
                                                 "script:",
                                                 "",
                                                 "",
                                                 "@record 12",
                                                 "family: 30",
                                                 "model: M12",
                                                 "description: d",
                                                 "script:",
                                                 "X=12",
                                                 "",
                                             }));
    WriteFileBytes(dir / "Cables.txt", "# no cables yet\n");
}

// The scripts file the awkward source must give, byte for byte.
const std::string kAwkwardScripts =
    "@@INIRECOD_-2147483648@@ rev.2\r\n"
    "[SECCION]\r\nA=B=C\r\n  indented = spaced  \r\n\tX=1\r\n\r\n"
    "ECUACIONES\r\nEA/SA=-3,8;-3,9;-4;-4,2;-4,5;-4,8;-5;-5,3\r\nFINECUACIONES\r\n"
    "@recording=1\r\nfamily: 3\r\n#not a comment here\r\n\r\n"
    "@@INIRECOD_0@@\r\n"
    "@@INIRECOD_1@@" +
    std::string(66, 'k') +
    "\r\n\r\n\r\n"
    "@@INIRECOD_12@@\r\nX=12\r\n\r\n";

ToolRun Build(const std::filesystem::path& source, const std::filesystem::path& out) {
    return RunCatalogueTool({"build", source.string(), out.string()});
}

ToolRun Dump(const std::filesystem::path& catalogue, const std::filesystem::path& out) {
    return RunCatalogueTool({"dump", catalogue.string(), out.string()});
}

// Builds source, dumps it and builds the dump again: both builds must give the same 22 files, and a
// second dump must give the same text as the first.
void ExpectRoundTrip(const std::filesystem::path& source, const std::filesystem::path& work) {
    ToolRun first = Build(source, work / "bd1");
    ASSERT_EQ(first.status, 0) << first.err;
    ToolRun dumped = Dump(work / "bd1", work / "src2");
    ASSERT_EQ(dumped.status, 0) << dumped.err;
    EXPECT_EQ(dumped.err, "");
    ToolRun second = Build(work / "src2", work / "bd2");
    ASSERT_EQ(second.status, 0) << second.err;

    auto bd1 = ReadFolder(work / "bd1");
    auto bd2 = ReadFolder(work / "bd2");
    for (const std::string& name : CatalogueFileNames()) {
        ASSERT_TRUE(bd1.contains(name)) << name;
        EXPECT_EQ(bd1[name], bd2[name]) << name;
    }
    EXPECT_EQ(bd1.size(), CatalogueFileNames().size());

    ASSERT_EQ(Dump(work / "bd2", work / "src3").status, 0);
    EXPECT_EQ(ReadFolder(work / "src2"), ReadFolder(work / "src3"));
}

void ExpectSameRecord(const TRECConScript& a, const TRECConScript& b) {
    EXPECT_EQ(a.Indice, b.Indice);
    EXPECT_EQ(a.Familia, b.Familia);
    EXPECT_EQ(a.Modelo, b.Modelo);
    EXPECT_EQ(a.Descripcion, b.Descripcion);
    EXPECT_EQ(a.ClaveScript, b.ClaveScript);
    EXPECT_EQ(a.Script, b.Script);
}

TEST(CatalogueRoundTrip, StarterContent) {
    TempDir work;
    ExpectRoundTrip(IXO_CATALOGUE_SOURCE_DIR, work.Path());
}

TEST(CatalogueRoundTrip, StarterContentBuildsWithoutWarnings) {
    TempDir work;
    ToolRun run = Build(IXO_CATALOGUE_SOURCE_DIR, work / "bd");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
}

TEST(CatalogueRoundTrip, AwkwardContent) {
    TempDir work;
    WriteAwkwardSource(work / "src");
    ExpectRoundTrip(work / "src", work.Path());
}

TEST(CatalogueRoundTrip, AwkwardContentReadsBackAsWritten) {
    TempDir work;
    WriteAwkwardSource(work / "src");
    ASSERT_EQ(Build(work / "src", work / "bd").status, 0);
    std::vector<std::string> warnings;
    CatalogueSource source = catalogue_tool::ReadTextSource(work / "src", warnings);
    CatalogueSource built = catalogue_tool::ReadBinaryCatalogue(work / "bd", warnings);

    // Families and articles come back in ascending key order, every field intact.
    ASSERT_EQ(built.Families.size(), 3u);
    std::vector<std::int32_t> familyNumbers;
    for (const FamilyRecord& family : built.Families) {
        familyNumbers.push_back(family.Familia);
        auto same = std::find_if(source.Families.begin(), source.Families.end(),
                                 [&](const FamilyRecord& f) { return f.Familia == family.Familia; });
        ASSERT_NE(same, source.Families.end());
        EXPECT_EQ(family.NombreFamilia, same->NombreFamilia);
        EXPECT_EQ(family.Tabla, same->Tabla);
        EXPECT_EQ(family.Grupo, same->Grupo);
        EXPECT_EQ(family.Atributos, same->Atributos);
    }
    EXPECT_EQ(familyNumbers, (std::vector<std::int32_t>{-5, 10, 30}));
    EXPECT_EQ(built.Families[2].NombreFamilia, kSenal + " " + kEnDash + " splitters");
    EXPECT_EQ(built.Families[1].NombreFamilia, "Name | with a bar");
    ASSERT_EQ(built.Articles.size(), 3u);
    EXPECT_EQ(built.Articles[0].ClaveArticulo, -1);
    EXPECT_EQ(built.Articles[0].Modelo, kSenal);
    EXPECT_EQ(built.Articles[0].Descripcion, "");
    EXPECT_EQ(built.Articles[2].Codigo, std::string(20, '0'));
    EXPECT_EQ(built.Articles[2].Descripcion, Repeat(kEnDash, 82));

    // Element records in file order, each with the script the table reader finds.
    const auto& sourceRecords = source.Tables[0].Records;
    const auto& builtRecords = built.Tables[0].Records;
    ASSERT_EQ(builtRecords.size(), 4u);
    ASSERT_EQ(sourceRecords.size(), 4u);
    for (std::size_t i = 0; i < builtRecords.size(); ++i) {
        SCOPED_TRACE(i);
        ExpectSameRecord(builtRecords[i], sourceRecords[i]);
    }
    EXPECT_EQ(builtRecords[0].Modelo, Repeat(kEnye, 64));
    EXPECT_EQ(builtRecords[1].Script, "");
    EXPECT_EQ(builtRecords[2].Script, "\r\n\r\n");
    EXPECT_TRUE(built.Tables[1].Records.empty());
}

TEST(CatalogueRoundTrip, AwkwardContentBytes) {
    TempDir work;
    WriteAwkwardSource(work / "src");
    ASSERT_EQ(Build(work / "src", work / "bd").status, 0);
    auto files = ReadFolder(work / "bd");

    EXPECT_EQ(files["Repartidores.sb"], kAwkwardScripts);
    EXPECT_EQ(files["Repartidores.bd"].size(), 4 * kElementRecordSize);
    EXPECT_EQ(files["Cables.bd"], "");
    EXPECT_EQ(files["Cables.sb"], "");

    // Text goes in as Windows-1252: "Señal – splitters" is the name of family 30, the last record.
    const std::string& families = files["Familias.bd"];
    ASSERT_EQ(families.size(), 3 * kFamilyRecordSize);
    const std::string name30 = "Se\xF1"
                               "al \x96 splitters";
    EXPECT_EQ(families.substr(2 * kFamilyRecordSize + 4, 1 + name30.size()),
              static_cast<char>(name30.size()) + name30);
    // A 64-letter model of "ñ" fills its field: length byte 64, then 64 bytes 0xF1.
    const std::string& elements = files["Repartidores.bd"];
    EXPECT_EQ(static_cast<unsigned char>(elements[8]), 64);
    EXPECT_EQ(elements.substr(9, 64), std::string(64, '\xF1'));
}

TEST(CatalogueRoundTrip, DemoCatalogueBesideTheProgramsIsBuiltFromTheSource) {
    TempDir work;
    ASSERT_EQ(Build(IXO_CATALOGUE_SOURCE_DIR, work / "bd").status, 0);
    auto built = ReadFolder(work / "bd");
    for (const std::string& name : CatalogueFileNames()) {
        EXPECT_EQ(ReadFileBytes(DemoCatalogueDirectory() / name), built[name]) << name;
    }
}

} // namespace
} // namespace ixo::test
