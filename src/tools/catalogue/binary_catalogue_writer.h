#pragma once

#include "tools/catalogue/catalogue_source.h"
#include "tools/catalogue/file_set_io.h"

#include <vector>

namespace ixo::catalogue_tool {

// The catalogue files of a checked source (22 for the twelve tables): "Familias.bd" in ascending family
// number, "Precios.bd" in ascending ClaveArticulo, and per table "<Name>.bd" with its records in order and
// "<Name>.sb" holding, per record, its key line and its script lines, each line ended by CR LF.
// Text is written in Windows-1252.
std::vector<OutputFile> EncodeCatalogue(const CatalogueSource& source);

} // namespace ixo::catalogue_tool
