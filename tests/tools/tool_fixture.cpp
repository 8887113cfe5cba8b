#include "tools/tool_fixture.h"

#include "tools/catalogue/catalogue_source.h"
#include "tools/catalogue/catalogue_tool.h"

#include <sstream>

namespace ixo::test {

ToolRun RunCatalogueTool(const std::vector<std::string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    ToolRun run;
    run.status = catalogue_tool::RunCatalogueTool(args, out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
}

void WriteMinimalSource(const std::filesystem::path& dir) {
    std::filesystem::create_directories(dir);
    std::string families;
    int family = 1;
    for (std::string_view name : catalogue_tool::kElementTableNames) {
        families += std::to_string(family) + " | " + std::string(name) + " | 0 |  | Family of " +
                    std::string(name) + "\n";
        WriteFileBytes(dir / (std::string(name) + ".txt"), "@record 1\nfamily: " + std::to_string(family) +
                                                               "\nmodel: M" + std::to_string(family) +
                                                               "\ndescription: D\nscript:\nOBSOLETO=0\n");
        ++family;
    }
    WriteFileBytes(dir / "families.txt", families);
    WriteFileBytes(dir / "articles.txt", "1 | M1 | 100 | Article\n");
}

std::map<std::string, std::string> ReadFolder(const std::filesystem::path& dir) {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        if (entry.is_regular_file()) {
            files[entry.path().filename().string()] = ReadFileBytes(entry.path());
        }
    }
    return files;
}

std::vector<std::string> CatalogueFileNames() {
    std::vector<std::string> names = {"Familias.bd", "Precios.bd"};
    for (std::string_view table : catalogue_tool::kElementTableNames) {
        names.push_back(std::string(table) + ".bd");
        names.push_back(std::string(table) + ".sb");
    }
    return names;
}

} // namespace ixo::test
