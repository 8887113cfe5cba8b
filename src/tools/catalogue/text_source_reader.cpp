#include "tools/catalogue/text_source_reader.h"

#include "common/ascii_case.h"

#include "tools/catalogue/file_set_io.h"
#include "tools/catalogue/source_text.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <unordered_set>

namespace ixo::catalogue_tool {
namespace {

// The file and line being read, for messages.
struct Place {
    std::string_view file;
    int line = 0;

    [[noreturn]] void Fail(const std::string& message) const {
        throw CatalogueError(LocatedMessage(file, line, message));
    }
};

std::string Quoted(std::string_view text) {
    std::string quoted;
    quoted.reserve(text.size() + 2);
    quoted.append("\"").append(text).append("\"");
    return quoted;
}

std::int32_t ParseNumberField(const Place& place, std::string_view fieldName, std::string_view text) {
    auto value = ParseInt32(text);
    if (!value) {
        place.Fail(std::string(fieldName) + " " + Quoted(text) + " is not a whole number (int32)");
    }
    return *value;
}

std::string CheckedText(const Place& place, std::string_view fieldName, std::string_view text,
                        std::size_t maxBytes) {
    if (auto problem = FieldTextProblem(text, maxBytes)) {
        place.Fail(std::string(fieldName) + " " + Quoted(text) + ": " + *problem);
    }
    return std::string(text);
}

bool IsIgnorable(std::string_view line) {
    std::string_view trimmed = TrimBlanks(line);
    return trimmed.empty() || trimmed.starts_with('#');
}

// Splits a "a | b | c" line into exactly count trimmed fields; the last field takes the rest of the line,
// so it may itself hold "|".
std::vector<std::string_view> SplitFields(const Place& place, std::string_view line, std::size_t count,
                                          std::string_view layout) {
    std::vector<std::string_view> fields;
    while (fields.size() + 1 < count) {
        std::size_t bar = line.find('|');
        if (bar == std::string_view::npos) {
            place.Fail("expected " + std::to_string(count) + " fields \"" + std::string(layout) +
                       "\", found " + std::to_string(fields.size() + 1));
        }
        fields.push_back(TrimBlanks(line.substr(0, bar)));
        line.remove_prefix(bar + 1);
    }
    fields.push_back(TrimBlanks(line));
    return fields;
}

// Remembers the line of each key number and refuses a second one.
class UniqueKeys {
public:
    explicit UniqueKeys(std::string_view what) : m_what(what) {}

    void Add(const Place& place, std::int32_t key) {
        auto [it, added] = m_lines.emplace(key, place.line);
        if (!added) {
            place.Fail("duplicate " + std::string(m_what) + " " + std::to_string(key) + " (first on line " +
                       std::to_string(it->second) + ")");
        }
    }

private:
    std::string_view m_what;
    std::map<std::int32_t, int> m_lines;
};

} // namespace

std::vector<FamilyRecord> ParseFamilies(std::string_view content, std::string_view fileName) {
    std::vector<FamilyRecord> families;
    UniqueKeys numbers("family number");
    Place place{fileName, 0};
    for (const std::string& line : SplitSourceLines(content)) {
        ++place.line;
        if (IsIgnorable(line)) {
            continue;
        }
        auto fields = SplitFields(place, line, 5, "Familia | Tabla | Grupo | Atributos | NombreFamilia");
        FamilyRecord family;
        family.Familia = ParseNumberField(place, "Familia", fields[0]);
        family.Tabla = CheckedText(place, "Tabla", fields[1], limits::kFamilyTabla);
        family.Grupo = ParseNumberField(place, "Grupo", fields[2]);
        family.Atributos = CheckedText(place, "Atributos", fields[3], limits::kFamilyAtributos);
        family.NombreFamilia = CheckedText(place, "NombreFamilia", fields[4], limits::kFamilyNombre);
        numbers.Add(place, family.Familia);
        families.push_back(std::move(family));
    }
    return families;
}

std::vector<ArticleRecord> ParseArticles(std::string_view content, std::string_view fileName) {
    std::vector<ArticleRecord> articles;
    UniqueKeys keys("ClaveArticulo");
    Place place{fileName, 0};
    for (const std::string& line : SplitSourceLines(content)) {
        ++place.line;
        if (IsIgnorable(line)) {
            continue;
        }
        auto fields = SplitFields(place, line, 4, "ClaveArticulo | Modelo | Codigo | Descripcion");
        ArticleRecord article;
        article.ClaveArticulo = ParseNumberField(place, "ClaveArticulo", fields[0]);
        article.Modelo = CheckedText(place, "Modelo", fields[1], limits::kArticleModelo);
        article.Codigo = CheckedText(place, "Codigo", fields[2], limits::kArticleCodigo);
        article.Descripcion = CheckedText(place, "Descripcion", fields[3], limits::kArticleDescripcion);
        keys.Add(place, article.ClaveArticulo);
        articles.push_back(std::move(article));
    }
    return articles;
}

namespace {

constexpr std::string_view kRecordOpener = "@record ";

// Reads one table file record by record. A record is "@record N", header lines up to "script:", then
// script lines up to the next "@record " line.
class ElementTableParser {
public:
    explicit ElementTableParser(std::string_view fileName) : m_place{fileName, 0} {}

    std::vector<TRECConScript> Parse(std::string_view content) {
        for (const std::string& line : SplitSourceLines(content)) {
            ++m_place.line;
            if (line.starts_with(kRecordOpener)) {
                FinishRecord();
                OpenRecord(line.substr(kRecordOpener.size()));
            } else if (m_state == State::BeforeFirstRecord) {
                if (!IsIgnorable(line)) {
                    m_place.Fail("expected \"@record N\" before " + Quoted(line) +
                                 " (comments and blank lines only before the first record)");
                }
            } else if (m_state == State::Header) {
                ReadHeaderLine(line);
            } else {
                AddScriptLine(line);
            }
        }
        FinishRecord();
        CheckKeysAreFoundAtTheirRecord();
        return std::move(m_records);
    }

private:
    enum class State { BeforeFirstRecord, Header, Script };

    struct Header {
        bool family = false, model = false, description = false, key = false;
    };

    // Where each record was opened and where its key came from, for messages.
    struct RecordLines {
        int opened = 0;
        int key = 0;
    };

    void OpenRecord(std::string_view numberText) {
        std::int32_t indice = ParseNumberField(m_place, "@record", TrimBlanks(numberText));
        if (!m_records.empty()) {
            std::int32_t previous = m_records.back().Indice;
            if (indice == previous) {
                m_place.Fail("duplicate Indice " + std::to_string(indice) + " (first on line " +
                             std::to_string(m_lines.back().opened) + ")");
            }
            if (indice < previous) {
                m_place.Fail("records must be in ascending Indice: " + std::to_string(indice) + " follows " +
                             std::to_string(previous));
            }
        }
        TRECConScript record;
        record.Indice = indice;
        record.ClaveScript = ScriptKeyOf(indice);
        m_records.push_back(std::move(record));
        m_lines.push_back({m_place.line, m_place.line});
        m_header = {};
        m_state = State::Header;
    }

    void ReadHeaderLine(std::string_view line) {
        std::size_t colon = line.find(':');
        std::string_view name = TrimBlanks(line.substr(0, colon));
        std::string_view value = colon == std::string_view::npos ? "" : TrimBlanks(line.substr(colon + 1));
        TRECConScript& record = m_records.back();
        if (colon == std::string_view::npos) {
            UnknownHeader(line);
        } else if (name == "family") {
            Once(m_header.family, name);
            record.Familia = ParseNumberField(m_place, "family", value);
        } else if (name == "model") {
            Once(m_header.model, name);
            record.Modelo = CheckedText(m_place, "model", value, limits::kElementModelo);
        } else if (name == "description") {
            Once(m_header.description, name);
            record.Descripcion = CheckedText(m_place, "description", value, limits::kElementDescripcion);
        } else if (name == "key") {
            Once(m_header.key, name);
            ReadKey(value);
        } else if (name == "script") {
            StartScript(value);
        } else {
            UnknownHeader(line);
        }
    }

    [[noreturn]] void UnknownHeader(std::string_view line) const {
        m_place.Fail("unknown header line " + Quoted(line) +
                     " (expected family:, model:, description:, key: or script:)");
    }

    void Once(bool& seen, std::string_view name) const {
        if (seen) {
            m_place.Fail(std::string(name) + ": given twice in record " +
                         std::to_string(m_records.back().Indice));
        }
        seen = true;
    }

    void ReadKey(std::string_view value) {
        std::string key = CheckedText(m_place, "key", value, limits::kElementKey);
        if (key.find(kKeyMarker) == std::string::npos) {
            m_place.Fail("key " + Quoted(key) + " must contain \"" + std::string(kKeyMarker) +
                         "\": a key line without it would be read as part of the previous script");
        }
        m_records.back().ClaveScript = std::move(key);
        m_lines.back().key = m_place.line;
    }

    void StartScript(std::string_view value) {
        if (!value.empty()) {
            m_place.Fail("nothing may follow \"script:\" on its line (the script starts on the next line)");
        }
        const std::pair<bool, std::string_view> required[] = {
            {m_header.family, "family:"}, {m_header.model, "model:"}, {m_header.description, "description:"}};
        for (const auto& [seen, name] : required) {
            if (!seen) {
                m_place.Fail("record " + std::to_string(m_records.back().Indice) + " has no \"" +
                             std::string(name) + "\" line before \"script:\"");
            }
        }
        m_state = State::Script;
    }

    void AddScriptLine(std::string_view line) {
        if (auto problem = EncodingProblem(line)) {
            m_place.Fail("script line: " + *problem);
        }
        if (line.find(kKeyMarker) != std::string_view::npos) {
            m_place.Fail("a script line may not contain \"" + std::string(kKeyMarker) +
                         "\": the table reader would end the script there");
        }
        std::string& script = m_records.back().Script;
        script += line;
        script += "\r\n";
    }

    void FinishRecord() const {
        if (m_state == State::Header) {
            Place opened{m_place.file, m_lines.back().opened};
            opened.Fail("record " + std::to_string(m_records.back().Indice) + " has no \"script:\" line");
        }
    }

    // The table reader finds a record's script at the first line of the ".sb" file that contains its key.
    // Script lines cannot contain a key (they hold no key marker), so only an earlier record's key line can
    // hide it. Two standard keys never contain one another, so only unusual keys need comparing.
    void CheckKeysAreFoundAtTheirRecord() const {
        std::vector<std::size_t> unusual;
        for (std::size_t i = 0; i < m_records.size(); ++i) {
            const std::string& key = m_records[i].ClaveScript;
            bool standard = key == ScriptKeyOf(m_records[i].Indice);
            if (standard) {
                for (std::size_t j : unusual) {
                    CheckNotHiddenBy(i, j);
                }
            } else {
                for (std::size_t j = 0; j < i; ++j) {
                    CheckNotHiddenBy(i, j);
                }
                unusual.push_back(i);
            }
        }
    }

    void CheckNotHiddenBy(std::size_t record, std::size_t earlier) const {
        const std::string& key = m_records[record].ClaveScript;
        if (m_records[earlier].ClaveScript.find(key) != std::string::npos) {
            Place place{m_place.file, m_lines[record].key};
            place.Fail("the key " + Quoted(key) + " of record " + std::to_string(m_records[record].Indice) +
                       " is contained in the key of the earlier record " +
                       std::to_string(m_records[earlier].Indice) + " (line " +
                       std::to_string(m_lines[earlier].key) + "), so its script could not be found");
        }
    }

    Place m_place;
    State m_state = State::BeforeFirstRecord;
    Header m_header;
    std::vector<TRECConScript> m_records;
    std::vector<RecordLines> m_lines;
};

std::string ReadSourceFile(const std::filesystem::path& path, std::string_view what) {
    if (!std::filesystem::is_regular_file(path)) {
        throw CatalogueError(LocatedMessage(path.string(), 0, "missing " + std::string(what)));
    }
    return ReadWholeFile(path);
}

// Warnings for elements whose family is unknown or belongs to another table, and families naming a table
// that does not exist: the catalogue explorer and the element store would not find them.
void CheckFamilies(const CatalogueSource& source, std::vector<std::string>& warnings) {
    std::map<std::int32_t, std::string> tableOfFamily;
    std::unordered_set<std::string> tableNames;
    for (std::string_view name : kElementTableNames) {
        tableNames.insert(LowerAscii(name));
    }
    for (const FamilyRecord& family : source.Families) {
        tableOfFamily[family.Familia] = family.Tabla;
        if (!tableNames.contains(LowerAscii(family.Tabla))) {
            warnings.push_back(LocatedMessage(kFamilyTextName, 0,
                                              "family " + std::to_string(family.Familia) + ": Tabla " +
                                                  Quoted(family.Tabla) +
                                                  " is not one of the element tables"));
        }
    }
    for (const ElementTable& table : source.Tables) {
        std::string fileName = table.Name + ".txt";
        for (const TRECConScript& record : table.Records) {
            auto it = tableOfFamily.find(record.Familia);
            std::string where =
                "record " + std::to_string(record.Indice) + ": family " + std::to_string(record.Familia);
            if (it == tableOfFamily.end()) {
                warnings.push_back(LocatedMessage(fileName, 0, where + " is not in families.txt"));
            } else if (LowerAscii(it->second) != LowerAscii(table.Name)) {
                warnings.push_back(
                    LocatedMessage(fileName, 0, where + " belongs to the table " + Quoted(it->second)));
            }
        }
    }
}

} // namespace

std::vector<TRECConScript> ParseElementTable(std::string_view content, std::string_view fileName) {
    return ElementTableParser(fileName).Parse(content);
}

CatalogueSource ReadTextSource(const std::filesystem::path& dir, std::vector<std::string>& warnings) {
    CatalogueSource source;
    auto familiesPath = dir / kFamilyTextName;
    source.Families = ParseFamilies(ReadSourceFile(familiesPath, "family list"), familiesPath.string());
    auto articlesPath = dir / kArticleTextName;
    source.Articles = ParseArticles(ReadSourceFile(articlesPath, "article list"), articlesPath.string());
    for (std::string_view name : kElementTableNames) {
        auto path = dir / (std::string(name) + ".txt");
        ElementTable table{std::string(name),
                           ParseElementTable(ReadSourceFile(path, "table file"), path.string())};
        source.Tables.push_back(std::move(table));
    }
    CheckFamilies(source, warnings);
    return source;
}

} // namespace ixo::catalogue_tool
