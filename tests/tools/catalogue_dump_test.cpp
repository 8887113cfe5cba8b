// Dumping a catalogue the tool did not make: odd key lines, keys missing from the script file, partial
// records, file names in other cases, missing files.

#include "tools/tool_fixture.h"

#include "catalogue/records.h"

#include <gtest/gtest.h>

namespace ixo::test {
namespace {

template <typename Bytes> std::string AsString(const Bytes& bytes) {
    return std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

std::string Element(std::int32_t indice, const char* model, const char* key) {
    TRECConScript record{indice, 2, model, "d", key, ""};
    std::string bytes = AsString(EncodeElementRecord(record));
    bytes[8 + 1 + record.Modelo.size() + 1] = 'Z'; // left-over bytes after the text are not part of it
    return bytes;
}

// A catalogue as another program might have left it. Cables holds the interesting records.
void WriteForeignCatalogue(const std::filesystem::path& dir) {
    std::filesystem::create_directories(dir);
    WriteFileBytes(dir / "Familias.bd", AsString(EncodeFamilyRecord({2, "Cables", "Cables", 0, ""})));
    WriteFileBytes(dir / "Precios.bd", "");
    for (const std::string& name : CatalogueFileNames()) {
        if (!std::filesystem::exists(dir / name)) {
            WriteFileBytes(dir / name, "");
        }
    }
    std::filesystem::remove(dir / "Cables.bd");
    std::filesystem::remove(dir / "Cables.sb");
    // Model "Señal –" in Windows-1252; record 3 has a key of its own; record 7's key line carries more
    // text than the key; record 12's key is not in the script file ("_120@@" is another key); a partial
    // record follows the last whole one.
    WriteFileBytes(dir / "CABLES.BD", Element(1,
                                              "Se\xF1"
                                              "al \x96",
                                              "@@INIRECOD_1@@") +
                                          Element(3, "K3", "@@INIRECOD_3@@ (old)") +
                                          Element(7, "K7", "@@INIRECOD_7@@") +
                                          Element(12, "K12", "@@INIRECOD_12@@") + std::string(100, '\x01'));
    WriteFileBytes(dir / "cables.sb", "@@INIRECOD_1@@\r\nA=1\nB=[2]\r\n"
                                      "xx @@INIRECOD_7@@ old\r\nC=7\r\n\r\n"
                                      "@@INIRECOD_120@@\r\nD=120\r\n"
                                      "@@INIRECOD_3@@ (old)\r\nE=3\r\n"
                                      "@@INIRECOD_1@@ again\r\nF=1");
}

const std::string kForeignCables =
    "@record 1\nfamily: 2\nmodel: Se\xC3\xB1"
    "al \xE2\x80\x93\ndescription: d\n"
    "script:\nA=1\nB=[2]\n"
    "@record 3\nfamily: 2\nmodel: K3\ndescription: d\nkey: @@INIRECOD_3@@ (old)\n"
    "script:\nE=3\n"
    "@record 7\nfamily: 2\nmodel: K7\ndescription: d\nscript:\nC=7\n\n"
    "@record 12\nfamily: 2\nmodel: K12\ndescription: d\nscript:\n";

TEST(CatalogueDump, ForeignCatalogueGivesWhatTheTableReaderFinds) {
    TempDir dir;
    WriteForeignCatalogue(dir / "bd");
    ToolRun run = RunCatalogueTool({"dump", (dir / "bd").string(), (dir / "src").string()});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadFileBytes(dir / "src" / "Cables.txt"), kForeignCables);
    EXPECT_NE(run.err.find("CABLES.BD: the last 100 bytes are not a whole 236-byte record and are ignored"),
              std::string::npos)
        << run.err;
    EXPECT_EQ(ReadFileBytes(dir / "src" / "families.txt"),
              "# Familia | Tabla | Grupo | Atributos | NombreFamilia\n2 | Cables | 0 |  | Cables\n");
    EXPECT_EQ(ReadFileBytes(dir / "src" / "Ms.txt"), "");
}

TEST(CatalogueDump, ForeignCatalogueRebuildsAndDumpsTheSame) {
    TempDir dir;
    WriteForeignCatalogue(dir / "bd");
    ASSERT_EQ(RunCatalogueTool({"dump", (dir / "bd").string(), (dir / "src").string()}).status, 0);
    ToolRun rebuilt = RunCatalogueTool({"build", (dir / "src").string(), (dir / "bd2").string()});
    ASSERT_EQ(rebuilt.status, 0) << rebuilt.err;
    EXPECT_EQ(ReadFileBytes(dir / "bd2" / "Cables.sb"), "@@INIRECOD_1@@\r\nA=1\r\nB=[2]\r\n"
                                                        "@@INIRECOD_3@@ (old)\r\nE=3\r\n"
                                                        "@@INIRECOD_7@@\r\nC=7\r\n\r\n"
                                                        "@@INIRECOD_12@@\r\n");
    ASSERT_EQ(RunCatalogueTool({"dump", (dir / "bd2").string(), (dir / "src2").string()}).status, 0);
    EXPECT_EQ(ReadFolder(dir / "src2"), ReadFolder(dir / "src"));
}

TEST(CatalogueDump, MissingFilesAreAllNamed) {
    TempDir dir;
    WriteForeignCatalogue(dir / "bd");
    std::filesystem::remove(dir / "bd" / "Precios.bd");
    std::filesystem::remove(dir / "bd" / "Ms.sb");
    ToolRun run = RunCatalogueTool({"dump", (dir / "bd").string(), (dir / "src").string()});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find((dir / "bd").string() + ": missing catalogue files: Precios.bd, Ms.sb"),
              std::string::npos)
        << run.err;
    EXPECT_FALSE(std::filesystem::exists(dir / "src"));
}

TEST(CatalogueDump, WhatTheTextFormCannotCarryIsWarnedAbout) {
    TempDir dir;
    WriteForeignCatalogue(dir / "bd");
    WriteFileBytes(dir / "bd" / "Familias.bd",
                   AsString(EncodeFamilyRecord({2, " Cables", "Cables", 0, "A|B"})));
    std::string scripts = ReadFileBytes(dir / "bd" / "cables.sb");
    scripts.replace(scripts.find("C=7"), 3, "@record 9");
    WriteFileBytes(dir / "bd" / "cables.sb", scripts);

    ToolRun run = RunCatalogueTool({"dump", (dir / "bd").string(), (dir / "src").string()});
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.err.find("families.txt: family 2: Atributos holds \"|\""), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("families.txt: family 2: NombreFamilia has leading or trailing blanks"),
              std::string::npos);
    EXPECT_NE(run.err.find("Cables.txt: record 7: the script line \"@record 9\" would open a new record"),
              std::string::npos);
}

} // namespace
} // namespace ixo::test
