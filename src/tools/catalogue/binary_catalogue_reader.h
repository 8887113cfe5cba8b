#pragma once

#include "tools/catalogue/catalogue_source.h"

#include <filesystem>
#include <string>
#include <vector>

namespace ixo::catalogue_tool {

// A small reader of the catalogue files (twelve tables, 22 files), kept apart so the catalogue's own table
// classes can take its place. It gives each record with the script the table reader would give.
//
// Record counts are the file size divided by the record size; a trailing partial record is ignored with a
// warning. File names are matched without regard to case. Throws CatalogueError naming every missing
// file.
CatalogueSource ReadBinaryCatalogue(const std::filesystem::path& dir, std::vector<std::string>& warnings);

} // namespace ixo::catalogue_tool
