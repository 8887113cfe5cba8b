// Loading an element table: open it and read every record with its script, as the element store does
// at start-up. The indexed script reader is compared with reading each script by scanning the script
// file from its start, which makes a load quadratic in the table size.
#include "catalogue/records.h"
#include "catalogue/script_file.h"
#include "catalogue/tabla_compo_script.h"
#include "common/text_encoding.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace ixo;

// A generated table of count records with realistic scripts (a dozen lines each).
struct GeneratedTable {
    std::string index;
    std::string script;
    std::vector<std::string> keys;
};

GeneratedTable Generate(int count) {
    GeneratedTable table;
    std::mt19937 random(static_cast<unsigned>(count));
    for (int i = 1; i <= count; ++i) {
        TRECConScript record;
        record.Indice = i;
        record.Familia = 5000 + i % 40;
        record.Modelo = "MS-" + std::to_string(i);
        record.Descripcion = "Multiswitch de prueba " + std::to_string(i);
        record.ClaveScript = ScriptKeyOf(i);
        auto bytes = EncodeElementRecord(record);
        table.index.append(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        table.keys.push_back(record.ClaveScript);
        table.script += record.ClaveScript + "\r\n";
        table.script += "ENTRADAS=" + std::to_string(1 + random() % 17) + "\r\n";
        table.script += "SALIDAS=" + std::to_string(4 + random() % 28) + "\r\n";
        table.script += "OBSOLETO=0\r\n";
        for (int band = 0; band < 8; ++band) {
            table.script += "ATEN" + std::to_string(band) + "=" + std::to_string(random() % 30) + ",5;" +
                            std::to_string(random() % 30) + ",0\r\n";
        }
    }
    return table;
}

class TableFiles {
public:
    explicit TableFiles(int count) {
        m_dir = std::filesystem::temp_directory_path() / ("ixo-bench-" + std::to_string(count));
        std::filesystem::create_directories(m_dir);
        GeneratedTable table = Generate(count);
        std::ofstream(m_dir / "Ms.bd", std::ios::binary) << table.index;
        std::ofstream(m_dir / "Ms.sb", std::ios::binary) << table.script;
    }
    ~TableFiles() {
        std::error_code ignored;
        std::filesystem::remove_all(m_dir, ignored);
    }
    std::filesystem::path IndexPath() const { return m_dir / "Ms.bd"; }

private:
    std::filesystem::path m_dir;
};

std::size_t ReadAll(TTablaCompoScript& table) {
    std::size_t bytes = 0;
    table.Open();
    table.First();
    while (!table.Eof()) {
        table.ReadRecord();
        TRECConScript record;
        table.GetRecord(record);
        bytes += record.Script.size();
    }
    table.Close();
    return bytes;
}

// A fresh table each time: the files are read, converted and indexed on every load.
void BM_LoadTable(benchmark::State& state) {
    TableFiles files(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        auto table = TPrimerComponente::CreateRoot<TTablaCompoScript>();
        table->SetFileName(files.IndexPath());
        benchmark::DoNotOptimize(ReadAll(*table));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_LoadTable)->Arg(500)->Arg(5000)->Unit(benchmark::kMillisecond);

// The same table reopened: its content is kept while the files are unchanged.
void BM_ReloadOpenedTable(benchmark::State& state) {
    TableFiles files(static_cast<int>(state.range(0)));
    auto table = TPrimerComponente::CreateRoot<TTablaCompoScript>();
    table->SetFileName(files.IndexPath());
    ReadAll(*table);
    for (auto _ : state) {
        benchmark::DoNotOptimize(ReadAll(*table));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ReloadOpenedTable)->Arg(5000)->Unit(benchmark::kMillisecond);

// Every script found through the index of an in-memory script file.
void BM_IndexedScripts(benchmark::State& state) {
    GeneratedTable table = Generate(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        ScriptFile file;
        file.LoadBytes(table.script);
        std::size_t bytes = 0;
        for (const std::string& key : table.keys) {
            bytes += file.TextOf(key).size();
        }
        benchmark::DoNotOptimize(bytes);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_IndexedScripts)->Arg(500)->Arg(2000)->Arg(5000)->Unit(benchmark::kMillisecond);

// Every script found by scanning the (in-memory) script file from its start, line by line.
std::string ScanForScript(const std::string& bytes, const std::string& key) {
    std::istringstream in(bytes);
    std::string line;
    bool found = false;
    while (!found && std::getline(in, line)) {
        found = line.find(key) != std::string::npos;
    }
    std::string script;
    while (found && std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.find(ScriptFile::kMarker) != std::string::npos) {
            break;
        }
        script += Cp1252ToUtf8(line) + "\r\n";
    }
    return script;
}

void BM_ScannedScripts(benchmark::State& state) {
    GeneratedTable table = Generate(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        std::size_t bytes = 0;
        for (const std::string& key : table.keys) {
            bytes += ScanForScript(table.script, key).size();
        }
        benchmark::DoNotOptimize(bytes);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ScannedScripts)->Arg(500)->Arg(2000)->Arg(5000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
