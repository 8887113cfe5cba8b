#include "catalogue/tabla_compo_script.h"
#include "catalogue/tabla_familia.h"

#include "common/text_encoding.h"
#include "support/catalogue_writer.h"
#include "support/naive_script_reader.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <random>

namespace ixo {
namespace {

using test::MakeElement;
using test::TempDir;

// Damages bytes the way a bad copy or a broken editor would: flipped bytes, a cut, junk at the end.
std::string Mutate(std::string bytes, std::mt19937& random) {
    switch (random() % 4) {
    case 0: // flip a few bytes
        for (int flips = 1 + random() % 8; flips > 0 && !bytes.empty(); --flips) {
            bytes[random() % bytes.size()] = static_cast<char>(random());
        }
        break;
    case 1: // truncate
        bytes.resize(bytes.empty() ? 0 : random() % bytes.size());
        break;
    case 2: // append junk
        for (int extra = 1 + random() % 300; extra > 0; --extra) {
            bytes.push_back(static_cast<char>(random()));
        }
        break;
    default: // set length bytes and keys to extreme values
        for (std::size_t at = 8; at < bytes.size(); at += 73 + random() % 100) {
            bytes[at] = static_cast<char>(0xFF);
        }
        break;
    }
    return bytes;
}

// Replaces a file. Removing it first avoids the flush that some file systems (ext4) make when a file is
// truncated and rewritten, which would make thousands of mutants slow.
void ReplaceFile(const std::filesystem::path& path, const std::string& bytes) {
    std::filesystem::remove(path);
    test::WriteFileBytes(path, bytes);
}

std::size_t Cp1252Length(const std::string& utf8) {
    return Utf8ToCp1252(utf8).size();
}

// Reads every record of a damaged element table and checks what must hold whatever the bytes are.
void CheckElementTable(const std::filesystem::path& dir, const std::string& indexBytes,
                       const std::string& scriptBytes) {
    auto table = TPrimerComponente::CreateRoot<TTablaCompoScript>();
    table->SetFileName(dir / "Repartidores.bd");
    table->Open();
    ASSERT_TRUE(table->Active());
    const auto count = static_cast<std::int32_t>(indexBytes.size() / kElementRecordSize);
    ASSERT_EQ(table->RecordCount(), count);
    table->First();
    std::vector<TRECConScript> records;
    while (!table->Eof()) {
        ASSERT_EQ(table->ReadRecord(), 1);
        ASSERT_EQ(table->RecNo(), static_cast<std::int32_t>(records.size()));
        TRECConScript record;
        table->GetRecord(record);
        ASSERT_LE(Cp1252Length(record.Modelo), 64u);
        ASSERT_LE(Cp1252Length(record.Descripcion), 80u);
        ASSERT_LE(Cp1252Length(record.ClaveScript), 80u);
        ASSERT_EQ(record.Script, test::NaiveReadScript(scriptBytes, record.ClaveScript));
        records.push_back(std::move(record));
    }
    auto read = static_cast<std::int32_t>(records.size());
    for (std::int32_t n = 0; n < read; ++n) {
        std::int32_t found = table->FindByKey(records[n].Indice);
        ASSERT_GE(found, 0);
        ASSERT_LE(found, n); // the first record with that Indice
        ASSERT_EQ(table->RecNo(), read - 1);
    }
    ASSERT_EQ(read, count);
    ASSERT_EQ(table->ReadRecord(), -1);
    ASSERT_TRUE(table->ScriptLines().empty());
    table->Close();
    ASSERT_TRUE(table->IsReadable());
}

TEST(TableCorruption, DamagedElementTablesReadSafely) {
    TempDir dir;
    std::vector<TRECConScript> records;
    for (int i = 1; i <= 6; ++i) {
        records.push_back(MakeElement(i * 7, 2000 + i, "MODEL-" + std::to_string(i),
                                      "ENTRADAS=1\r\nSALIDAS=" + std::to_string(i) + "\r\nATEN=3,5;4",
                                      "desc"));
    }
    const std::string index = test::ElementIndexBytes(records);
    const std::string script = test::ScriptFileBytes(records);
    std::mt19937 random(77);
    for (int mutant = 0; mutant < 1500; ++mutant) {
        bool damageIndex = random() % 2 == 0;
        std::string indexBytes = damageIndex ? Mutate(index, random) : index;
        std::string scriptBytes = damageIndex && random() % 2 == 0 ? script : Mutate(script, random);
        ReplaceFile(dir / "Repartidores.bd", indexBytes);
        ReplaceFile(dir / "Repartidores.sb", scriptBytes);
        SCOPED_TRACE("mutant " + std::to_string(mutant));
        CheckElementTable(dir.Path(), indexBytes, scriptBytes);
        if (HasFatalFailure()) {
            return;
        }
    }
}

TEST(TableCorruption, DamagedFamilyFilesReadSafely) {
    TempDir dir;
    std::vector<FamilyRecord> families;
    for (int i = 0; i < 5; ++i) {
        families.push_back({5000 + i, "Family " + std::to_string(i), "Ms", i, i % 2 ? "OBS" : ""});
    }
    const std::string bytes = test::FamilyIndexBytes(families);
    std::mt19937 random(78);
    for (int mutant = 0; mutant < 500; ++mutant) {
        std::string damaged = Mutate(bytes, random);
        ReplaceFile(dir / "Familias.bd", damaged);
        auto table = TPrimerComponente::CreateRoot<TTablaFamilia>();
        table->SetFileName(dir / "Familias.bd");
        table->Open();
        ASSERT_EQ(table->RecordCount(), static_cast<std::int32_t>(damaged.size() / kFamilyRecordSize));
        std::int32_t read = 0;
        table->First();
        while (!table->Eof()) {
            ASSERT_EQ(table->ReadRecord(), 1);
            ASSERT_LE(Cp1252Length(table->Buffer().NombreFamilia), 80u);
            ASSERT_LE(Cp1252Length(table->Buffer().Tabla), 66u);
            ASSERT_LE(Cp1252Length(table->Buffer().Atributos), 67u);
            ++read;
        }
        ASSERT_EQ(read, table->RecordCount());
        ASSERT_EQ(table->ReadRecord(), -1);
    }
}

} // namespace
} // namespace ixo
