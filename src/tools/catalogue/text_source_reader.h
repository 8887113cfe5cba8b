#pragma once

#include "tools/catalogue/catalogue_source.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace ixo::catalogue_tool {

// Reading the UTF-8 text source of a catalogue. Each parser takes a file's content and the name to show
// in messages, checks everything the binary files cannot hold or would read back differently, and throws
// CatalogueError naming the file and line of the first fault.

// families.txt: "Familia | Tabla | Grupo | Atributos | NombreFamilia"; file order is kept.
std::vector<FamilyRecord> ParseFamilies(std::string_view content, std::string_view fileName);

// articles.txt: "ClaveArticulo | Modelo | Codigo | Descripcion"; file order is kept.
std::vector<ArticleRecord> ParseArticles(std::string_view content, std::string_view fileName);

// "<Name>.txt": "@record N" blocks with their header lines and script.
std::vector<TRECConScript> ParseElementTable(std::string_view content, std::string_view fileName);

// Reads and parses families.txt, articles.txt and the ten table files of dir. Consistency between them
// (an element's family missing from families.txt or belonging to another table) gives warnings only:
// the catalogue is still a valid set of files.
CatalogueSource ReadTextSource(const std::filesystem::path& dir, std::vector<std::string>& warnings);

} // namespace ixo::catalogue_tool
