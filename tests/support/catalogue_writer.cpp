#include "support/catalogue_writer.h"

#include "common/text_encoding.h"
#include "support/temp_dir.h"

namespace ixo::test {
namespace {

template <typename Bytes> void AppendBytes(std::string& out, const Bytes& bytes) {
    out.append(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

} // namespace

const std::vector<std::string> kElementTableNames = {"Repartidores", "Cables",         "Conector", "Cargas",
                                                     "Tomas",        "Amplificadores", "Ms",       "Antenas",
                                                     "Especiales",   "Fuentes"};

TRECConScript MakeElement(std::int32_t indice, std::int32_t familia, std::string modelo, std::string script,
                          std::string descripcion) {
    TRECConScript record;
    record.Indice = indice;
    record.Familia = familia;
    record.Modelo = std::move(modelo);
    record.Descripcion = std::move(descripcion);
    record.ClaveScript = ScriptKeyOf(indice);
    if (!script.empty() && !script.ends_with("\r\n")) {
        script += "\r\n";
    }
    record.Script = std::move(script);
    return record;
}

std::string ElementIndexBytes(const std::vector<TRECConScript>& records) {
    std::string bytes;
    for (const TRECConScript& record : records) {
        AppendBytes(bytes, EncodeElementRecord(record));
    }
    return bytes;
}

std::string FamilyIndexBytes(const std::vector<FamilyRecord>& records) {
    std::string bytes;
    for (const FamilyRecord& record : records) {
        AppendBytes(bytes, EncodeFamilyRecord(record));
    }
    return bytes;
}

std::string ArticleIndexBytes(const std::vector<ArticleRecord>& records) {
    std::string bytes;
    for (const ArticleRecord& record : records) {
        AppendBytes(bytes, EncodeArticleRecord(record));
    }
    return bytes;
}

std::string ScriptFileBytes(const std::vector<TRECConScript>& records) {
    std::string text;
    for (const TRECConScript& record : records) {
        text += record.ClaveScript + "\r\n";
        text += record.Script;
        if (!record.Script.empty() && !record.Script.ends_with("\r\n")) {
            text += "\r\n";
        }
    }
    return Utf8ToCp1252(text);
}

void WriteElementTable(const std::filesystem::path& directory, const std::string& baseName,
                       const std::vector<TRECConScript>& records) {
    WriteFileBytes(directory / (baseName + ".bd"), ElementIndexBytes(records));
    WriteFileBytes(directory / (baseName + ".sb"), ScriptFileBytes(records));
}

void WriteFamilies(const std::filesystem::path& directory, const std::vector<FamilyRecord>& records) {
    WriteFileBytes(directory / "Familias.bd", FamilyIndexBytes(records));
}

void WriteArticles(const std::filesystem::path& directory, const std::vector<ArticleRecord>& records) {
    WriteFileBytes(directory / "Precios.bd", ArticleIndexBytes(records));
}

CatalogueWriter& CatalogueWriter::Family(std::int32_t familia, std::string nombre, std::string tabla,
                                         std::int32_t grupo, std::string atributos) {
    m_families.push_back({familia, std::move(nombre), std::move(tabla), grupo, std::move(atributos)});
    return *this;
}

CatalogueWriter& CatalogueWriter::Element(const std::string& table, TRECConScript record) {
    m_elements[table].push_back(std::move(record));
    return *this;
}

CatalogueWriter& CatalogueWriter::Article(std::int32_t clave, std::string modelo, std::string codigo,
                                          std::string descripcion) {
    m_articles.push_back({clave, std::move(modelo), std::move(codigo), std::move(descripcion)});
    return *this;
}

const std::vector<TRECConScript>& CatalogueWriter::Elements(const std::string& table) const {
    static const std::vector<TRECConScript> none;
    auto found = m_elements.find(table);
    return found == m_elements.end() ? none : found->second;
}

void CatalogueWriter::Write(const std::filesystem::path& directory) const {
    std::filesystem::create_directories(directory);
    for (const std::string& table : kElementTableNames) {
        WriteElementTable(directory, table, Elements(table));
    }
    WriteFamilies(directory, m_families);
    WriteArticles(directory, m_articles);
}

} // namespace ixo::test
