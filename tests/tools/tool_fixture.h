#pragma once

#include "support/temp_dir.h"

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace ixo::test {

// What one run of the catalogue tool gave.
struct ToolRun {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs the ixo-catalogue command line in this process.
ToolRun RunCatalogueTool(const std::vector<std::string>& args);

// Writes a small valid text source into dir: one family per table, one article and the ten table files, each
// table with record 1 of its own family (family 1 for the first table, and so on).
void WriteMinimalSource(const std::filesystem::path& dir);

// Every regular file of dir by name, as bytes.
std::map<std::string, std::string> ReadFolder(const std::filesystem::path& dir);

// The 22 file names of a catalogue: the family and article files and two per element table.
std::vector<std::string> CatalogueFileNames();

} // namespace ixo::test
