#pragma once

#include "tools/catalogue/catalogue_source.h"

#include <filesystem>
#include <string>
#include <vector>

namespace ixo::catalogue_tool {

// A second reader of the catalogue files (twelve tables, 22 files), kept on purpose beside the catalogue's
// own table classes: `dump` and the round-trip tests compare what the compiler wrote with what this
// reader and the table classes each read, so a fault in the tables' decoding (clamped lengths, record
// counts, script lookup) shows up instead of being read back the same wrong way. It shares only the byte
// layouts of the index records (catalogue/records.h), which the tests pin down with golden bytes, and the
// file lookup. It gives each record with the script the table reader would give.
//
// Record counts are the file size divided by the record size; a trailing partial record is ignored with a
// warning. File names are matched without regard to case. Throws CatalogueError naming every missing
// file.
CatalogueSource ReadBinaryCatalogue(const std::filesystem::path& dir, std::vector<std::string>& warnings);

} // namespace ixo::catalogue_tool
