// The build refuses every text source the binary catalogue cannot hold or would read back differently,
// naming the file and line, and writes nothing.

#include "tools/tool_fixture.h"

#include <gtest/gtest.h>

#include <optional>

namespace ixo::test {
namespace {

std::string Repeat(std::string_view text, int times) {
    std::string result;
    for (int i = 0; i < times; ++i) {
        result += text;
    }
    return result;
}

constexpr std::string_view kHeaders = "family: 2\nmodel: A\ndescription: D\n";

std::string Element(int indice, std::string_view headers = kHeaders,
                    std::string_view script = "OBSOLETO=0\n") {
    return "@record " + std::to_string(indice) + "\n" + std::string(headers) + "script:\n" +
           std::string(script);
}

struct BadSource {
    std::string name;
    std::string file;                   // the file replaced (or removed)
    std::optional<std::string> content; // nothing: the file is removed
    int line;                           // 0: the message names the file alone
    std::string expected;               // part of the message
};

void PrintTo(const BadSource& bad, std::ostream* os) {
    *os << bad.name;
}

class RefusedSource : public ::testing::TestWithParam<BadSource> {};

TEST_P(RefusedSource, IsRefusedWithFileAndLineAndNothingIsWritten) {
    const BadSource& bad = GetParam();
    TempDir dir;
    auto source = dir / "src";
    WriteMinimalSource(source);
    if (bad.content) {
        WriteFileBytes(source / bad.file, *bad.content);
    } else {
        std::filesystem::remove(source / bad.file);
    }
    ToolRun run = RunCatalogueTool({"build", source.string(), (dir / "out").string()});

    EXPECT_EQ(run.status, 2);
    std::string place =
        (source / bad.file).string() + (bad.line > 0 ? ":" + std::to_string(bad.line) : "") + ": ";
    EXPECT_NE(run.err.find(place), std::string::npos) << run.err << "expected place: " << place;
    EXPECT_NE(run.err.find(bad.expected), std::string::npos) << run.err;
    EXPECT_FALSE(std::filesystem::exists(dir / "out"));
}

INSTANTIATE_TEST_SUITE_P(
    Build, RefusedSource,
    ::testing::Values(
        // Order and uniqueness of keys.
        BadSource{"DescendingIndice", "Cables.txt", Element(5) + Element(4), 7,
                  "ascending Indice: 4 follows 5"},
        BadSource{"DuplicateIndice", "Cables.txt", Element(5) + Element(6) + Element(6), 13,
                  "duplicate Indice 6 (first on line 7)"},
        BadSource{"DuplicateFamily", "families.txt", "7 | Cables | 0 | | A\n# note\n7 | Ms | 0 | | B\n", 3,
                  "duplicate family number 7 (first on line 1)"},
        BadSource{"DuplicateArticle", "articles.txt", "1 | A | 1 | x\n1 | B | 2 | y\n", 2,
                  "duplicate ClaveArticulo 1 (first on line 1)"},
        // Field capacities, counted in Windows-1252 bytes.
        BadSource{"LongModel", "Cables.txt", Element(1, "family: 2\nmodel: " + std::string(65, 'M') + "\n"),
                  3, "65 characters long, at most 64 fit"},
        BadSource{"LongModelOfLettersWithAccents", "Cables.txt",
                  Element(1, "family: 2\nmodel: " + Repeat("\xC3\xB1", 65) + "\n"), 3,
                  "65 characters long, at most 64 fit"},
        BadSource{"LongDescription", "Cables.txt",
                  Element(1, "family: 2\nmodel: A\ndescription: " + std::string(81, 'D') + "\n"), 4,
                  "at most 80 fit"},
        BadSource{
            "LongKey", "Cables.txt",
            Element(1, "family: 2\nmodel: A\ndescription: D\nkey: @@INIRECOD_" + std::string(70, 'k') + "\n"),
            5, "81 characters long, at most 80 fit"},
        BadSource{"LongFamilyName", "families.txt", "1 | Cables | 0 | | " + std::string(81, 'n') + "\n", 1,
                  "81 characters long, at most 80 fit"},
        BadSource{"LongTabla", "families.txt", "1 | " + std::string(67, 'x') + " | 0 | | n\n", 1,
                  "at most 66 fit"},
        BadSource{"LongAtributos", "families.txt", "1 | Cables | 0 | " + std::string(68, 'a') + " | n\n", 1,
                  "at most 67 fit"},
        BadSource{"LongArticleModel", "articles.txt", "1 | " + std::string(68, 'm') + " | 1 | d\n", 1,
                  "at most 67 fit"},
        BadSource{"LongArticleCode", "articles.txt", "1 | m | " + std::string(21, '9') + " | d\n", 1,
                  "at most 20 fit"},
        BadSource{"LongArticleDescription", "articles.txt", "1 | m | 1 | " + std::string(83, 'd') + "\n", 1,
                  "at most 82 fit"},
        // Text Windows-1252 cannot hold.
        BadSource{"CharacterOutsideWindows1252", "Tomas.txt", Element(1, "family: 2\nmodel: 75 \xCE\xA9\n"),
                  3, "has no Windows-1252 code"},
        BadSource{"MalformedUtf8InScript", "Tomas.txt", Element(1, kHeaders, "A=1\nB=\xC3(\n"), 7,
                  "malformed UTF-8"},
        // Record structure.
        BadSource{"UnknownHeader", "Ms.txt", Element(1, "family: 2\ncolour: red\n"), 3,
                  "unknown header line"},
        BadSource{"BlankLineInHeader", "Ms.txt", Element(1, "family: 2\n\nmodel: A\n"), 3,
                  "unknown header line"},
        BadSource{"MissingScriptBeforeNextRecord", "Ms.txt",
                  "@record 1\nfamily: 2\nmodel: A\ndescription: D\n" + Element(2), 1,
                  "record 1 has no \"script:\" line"},
        BadSource{"MissingScriptAtEnd", "Ms.txt", Element(1) + "@record 2\nfamily: 2\nmodel: A\n", 7,
                  "record 2 has no \"script:\" line"},
        BadSource{"TextAfterScriptMarker", "Ms.txt",
                  "@record 1\nfamily: 2\nmodel: A\ndescription: D\nscript: X=1\n", 5,
                  "nothing may follow \"script:\""},
        BadSource{"MissingModel", "Ms.txt", Element(1, "family: 2\ndescription: D\n"), 4,
                  "record 1 has no \"model:\" line"},
        BadSource{"HeaderTwice", "Ms.txt", Element(1, "family: 2\nfamily: 3\n"), 3, "family: given twice"},
        BadSource{"TextBeforeFirstRecord", "Ms.txt", "# fine\n\nOBSOLETO=0\n" + Element(1), 3,
                  "expected \"@record N\""},
        BadSource{"FewerFamilyFields", "families.txt", "1 | Cables | 0\n", 1, "expected 5 fields"},
        // Keys and markers that would make the table reader find another script.
        BadSource{"MarkerInScriptLine", "Antenas.txt", Element(1, kHeaders, "A=1\nB=@@INIRECOD_9@@\n"), 7,
                  "may not contain \"@@INIRECOD_\""},
        BadSource{"KeyWithoutMarker", "Antenas.txt",
                  Element(1, "family: 2\nmodel: A\ndescription: D\nkey: K1\n"), 5,
                  "must contain \"@@INIRECOD_\""},
        BadSource{"KeyHiddenByEarlierKey", "Antenas.txt",
                  Element(1, "family: 2\nmodel: A\ndescription: D\nkey: @@INIRECOD_2@@ old\n") + Element(2),
                  8, "contained in the key of the earlier record 1 (line 5)"},
        // Numbers.
        BadSource{"IndiceNotANumber", "Cargas.txt", Element(1) + "@record 2x\n", 7,
                  "\"2x\" is not a whole number"},
        BadSource{"FamilyNotANumber", "Cargas.txt", Element(1, "family: two\n"), 2, "family \"two\" is not"},
        BadSource{"GrupoWithDecimals", "families.txt", "1 | Cables | 1,5 | | n\n", 1, "Grupo \"1,5\""},
        BadSource{"ClaveArticuloOutOfRange", "articles.txt", "4294967296 | m | 1 | d\n", 1,
                  "ClaveArticulo \"4294967296\" is not a whole number"},
        // Files.
        BadSource{"MissingTableFile", "Antenas.txt", std::nullopt, 0, "missing table file"},
        BadSource{"MissingFamilyFile", "families.txt", std::nullopt, 0, "missing family list"}),
    [](const ::testing::TestParamInfo<BadSource>& info) { return info.param.name; });

TEST(BuildValidation, ForeignFamilyAndUnknownTableAreOnlyWarnings) {
    TempDir dir;
    WriteMinimalSource(dir / "src");
    WriteFileBytes(dir / "src" / "families.txt", "1 | Cables | 0 | | A\n2 | Kabel | 0 | | B\n");
    WriteFileBytes(dir / "src" / "Tomas.txt", Element(1, "family: 1\nmodel: A\ndescription: D\n") +
                                                  Element(2, "family: 77\nmodel: B\ndescription: D\n"));
    ToolRun run = RunCatalogueTool({"build", (dir / "src").string(), (dir / "out").string()});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(
        run.err.find("warning: families.txt: family 2: Tabla \"Kabel\" is not one of the element tables"),
        std::string::npos)
        << run.err;
    EXPECT_NE(run.err.find("warning: Tomas.txt: record 1: family 1 belongs to the table \"Cables\""),
              std::string::npos);
    EXPECT_NE(run.err.find("warning: Tomas.txt: record 2: family 77 is not in families.txt"),
              std::string::npos);
}

TEST(BuildValidation, AFailedBuildLeavesThePreviousCatalogueUntouched) {
    TempDir dir;
    WriteMinimalSource(dir / "src");
    ASSERT_EQ(RunCatalogueTool({"build", (dir / "src").string(), (dir / "out").string()}).status, 0);
    auto before = ReadFolder(dir / "out");

    WriteFileBytes(dir / "src" / "Cables.txt", Element(1) + "@record 2\nfamily: 2\n");
    EXPECT_EQ(RunCatalogueTool({"build", (dir / "src").string(), (dir / "out").string()}).status, 2);
    EXPECT_EQ(ReadFolder(dir / "out"), before);
}

TEST(BuildValidation, AFileThatCannotBeWrittenLeavesNoFileChanged) {
    TempDir dir;
    WriteMinimalSource(dir / "src");
    ASSERT_EQ(RunCatalogueTool({"build", (dir / "src").string(), (dir / "out").string()}).status, 0);
    auto before = ReadFolder(dir / "out");

    // A folder where the temporary copy of one file would go makes that write fail.
    WriteFileBytes(dir / "src" / "Cables.txt", Element(1) + Element(2));
    std::filesystem::create_directories(dir / "out" / ".Ms.sb.partial" / "blocker");
    ToolRun run = RunCatalogueTool({"build", (dir / "src").string(), (dir / "out").string()});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("cannot write"), std::string::npos) << run.err;
    EXPECT_EQ(ReadFolder(dir / "out"), before); // no file replaced, no temporary file left
}

} // namespace
} // namespace ixo::test
