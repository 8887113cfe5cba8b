#pragma once

#include "catalogue/records.h"

#include <array>
#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace ixo::catalogue_tool {

// The base names of the ten element tables: "<Name>.bd" + "<Name>.sb" in the catalogue, "<Name>.txt" in
// the text source. The order is the order in which the tool reads and writes them.
inline constexpr std::array<std::string_view, 10> kElementTableNames = {
    "Repartidores",   "Cables", "Conector", "Cargas",     "Tomas",
    "Amplificadores", "Ms",     "Antenas",  "Especiales", "Fuentes"};

inline constexpr std::string_view kFamilyFileName = "Familias.bd";
inline constexpr std::string_view kArticleFileName = "Precios.bd";
inline constexpr std::string_view kFamilyTextName = "families.txt";
inline constexpr std::string_view kArticleTextName = "articles.txt";

// The marker every key line of a ".sb" file carries: a line containing it ends the script before it.
inline constexpr std::string_view kKeyMarker = "@@INIRECOD_";

// Field capacities in Windows-1252 bytes (one byte per character).
namespace limits {
inline constexpr std::size_t kElementModelo = 64, kElementDescripcion = 80, kElementKey = 80;
inline constexpr std::size_t kFamilyNombre = 80, kFamilyTabla = 66, kFamilyAtributos = 67;
inline constexpr std::size_t kArticleModelo = 67, kArticleCodigo = 20, kArticleDescripcion = 82;
} // namespace limits

// One element table: its records in file order, each with its script (lines each followed by CR LF).
struct ElementTable {
    std::string Name;
    std::vector<TRECConScript> Records;
};

// The whole catalogue in memory, as both the text source and the binary files describe it.
struct CatalogueSource {
    std::vector<FamilyRecord> Families;
    std::vector<ArticleRecord> Articles;
    std::vector<ElementTable> Tables; // in the order of kElementTableNames
};

// Bad input: a malformed text source or an unreadable catalogue. The message names the file and, where
// there is one, the line ("Cables.txt:12: ...").
class CatalogueError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// "file:line: message", or "file: message" when line is 0.
std::string LocatedMessage(std::string_view file, int line, std::string_view message);

// Splits a script text (lines each followed by CR LF) into its lines; an empty text has no lines.
std::vector<std::string> ScriptLines(std::string_view script);

} // namespace ixo::catalogue_tool
