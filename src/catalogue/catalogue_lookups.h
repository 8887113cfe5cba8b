#pragma once

#include "catalogue/catalogo.h"
#include "catalogue/records.h"
#include "catalogue/sel_elemento.h"
#include "catalogue/sel_familia.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace ixo {

// Lookups in the catalogue files. Each opens the table it needs when it is closed and closes it again
// afterwards; a table that was already open stays open. They never fail: they answer -1, 0, false or
// empty text.

// The record with that Indice and its script. Starts from Indice -1 and an empty script, so that an
// Indice the table does not hold gives Indice -1. When the table's buffer already holds that Indice it
// is returned without reading.
TRECConScript RecordByIndice(TTablaCompoScript& table, std::int32_t indice);
// Whether the table holds that Indice; when it does, its buffer then holds the record.
[[nodiscard]] bool LocateIndice(TTablaCompoScript& table, std::int32_t indice);

// NombreFamilia, Tabla and Grupo of the family from the family file; empty or 0 when absent.
std::string FamilyName(const TCatalogo& catalogue, std::int32_t family);
std::string FamilyTable(const TCatalogo& catalogue, std::int32_t family);
std::int32_t FamilyGroup(const TCatalogo& catalogue, std::int32_t family);
// The Modelo of the record with that Indice in the family's table; empty when absent.
std::string ModelName(const TCatalogo& catalogue, std::int32_t indice, std::int32_t family);
// The Indice of the first record of the family's table that belongs to the family, or -1.
std::int32_t FirstIndiceOfFamily(const TCatalogo& catalogue, std::int32_t family);

// Families that stand for themselves only in exact mode.
bool IsSpecialFamily(std::int32_t family);
// The block of 500 family numbers that holds family: (family div 500) * 500 to that + 499.
std::pair<std::int32_t, std::int32_t> FamilyBlockOf(std::int32_t family);
// The families offered together with family, in file order (see the catalogue explorer): the family
// itself alone when exact and special, else its block; the family itself is always listed, any other
// family only when group is 0 or its Grupo, and when obsolete only with showObsolete.
std::vector<TSelFamilia> FamiliesOfBlock(const TCatalogo& catalogue, std::int32_t family, std::int32_t group,
                                         bool exact, bool showObsolete);

// The models of family in its element table (found by the family's Tabla), in file order, each with
// its script's OBSOLETO value (default 0; a value that is not a whole number reads as 0): the obsolete
// ones (value not 0) only with showObsolete. Empty when the family or its table is not in the catalogue.
std::vector<TselElemento> ModelsOfFamily(const TCatalogo& catalogue, std::int32_t family, bool showObsolete);

struct ArticleInfo {
    std::string Descripcion;
    std::string Codigo;
};
// The description and code of the article of that model (exact, case-sensitive match); empty when
// the model or the article file is missing.
ArticleInfo ArticleOf(const TCatalogo& catalogue, std::string_view model);

} // namespace ixo
