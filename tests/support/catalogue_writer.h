#pragma once

#include "catalogue/records.h"

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace ixo::test {

// The base names of the ten element tables, in the order in which the catalogue creates them.
extern const std::vector<std::string> kElementTableNames;

// An element record; its key line is ScriptKeyOf(indice). script holds the script lines (UTF-8), each
// followed by CR LF, or separated by CR LF without the last one.
TRECConScript MakeElement(std::int32_t indice, std::int32_t familia, std::string modelo,
                          std::string script = "", std::string descripcion = "");

// The bytes of an index file of element, family or article records.
std::string ElementIndexBytes(const std::vector<TRECConScript>& records);
std::string FamilyIndexBytes(const std::vector<FamilyRecord>& records);
std::string ArticleIndexBytes(const std::vector<ArticleRecord>& records);
// The bytes of a script file: per record its key line, then its script lines, all ending in CR LF
// (Windows-1252).
std::string ScriptFileBytes(const std::vector<TRECConScript>& records);

// Writes "<base>.bd" and "<base>.sb" into directory.
void WriteElementTable(const std::filesystem::path& directory, const std::string& baseName,
                       const std::vector<TRECConScript>& records);
void WriteFamilies(const std::filesystem::path& directory, const std::vector<FamilyRecord>& records);
void WriteArticles(const std::filesystem::path& directory, const std::vector<ArticleRecord>& records);

// A whole catalogue built up in memory and written into a directory: the ten element tables (empty
// unless given records), "Familias.bd" and "Precios.bd".
class CatalogueWriter {
public:
    CatalogueWriter& Family(std::int32_t familia, std::string nombre, std::string tabla,
                            std::int32_t grupo = 0, std::string atributos = "");
    // Adds a record to the element table of that base name ("Ms", "Repartidores", ...).
    CatalogueWriter& Element(const std::string& table, TRECConScript record);
    CatalogueWriter& Article(std::int32_t clave, std::string modelo, std::string codigo,
                             std::string descripcion);

    void Write(const std::filesystem::path& directory) const;

    const std::vector<FamilyRecord>& Families() const { return m_families; }
    const std::vector<TRECConScript>& Elements(const std::string& table) const;

private:
    std::vector<FamilyRecord> m_families;
    std::map<std::string, std::vector<TRECConScript>> m_elements;
    std::vector<ArticleRecord> m_articles;
};

} // namespace ixo::test
