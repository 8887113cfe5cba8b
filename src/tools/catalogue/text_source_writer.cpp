#include "tools/catalogue/text_source_writer.h"

#include "tools/catalogue/source_text.h"

namespace ixo::catalogue_tool {
namespace {

bool HasLineBreak(std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
}

// Collects the warnings of one file, each naming the record concerned.
class Checker {
public:
    Checker(std::string_view file, std::vector<std::string>& warnings) : m_file(file), m_warnings(warnings) {}

    // A value that is read back trimmed, from one line. barSeparated: it is a field of a "a | b | c" line,
    // where only the last field may hold "|".
    void Value(std::string_view record, std::string_view field, std::string_view value, bool barSeparated,
               bool lastField) {
        if (TrimBlanks(value) != value) {
            Warn(record, std::string(field) + " has leading or trailing blanks, which are lost");
        }
        if (HasLineBreak(value)) {
            Warn(record, std::string(field) + " holds a line break, which breaks the text form");
        }
        if (barSeparated && !lastField && value.find('|') != std::string_view::npos) {
            Warn(record, std::string(field) + " holds \"|\", which splits it when read back");
        }
    }

    void Warn(std::string_view record, const std::string& message) {
        m_warnings.push_back(LocatedMessage(m_file, 0, std::string(record) + ": " + message));
    }

private:
    std::string_view m_file;
    std::vector<std::string>& m_warnings;
};

std::string JoinFields(const std::vector<std::string>& fields) {
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        line += (i == 0 ? "" : " | ") + fields[i];
    }
    while (line.ends_with(' ')) { // an empty last field leaves "| "
        line.pop_back();
    }
    return line + "\n";
}

void CheckFields(Checker& checker, const std::string& record, const std::vector<std::string>& names,
                 const std::vector<std::string>& fields) {
    for (std::size_t i = 1; i < fields.size(); ++i) {
        checker.Value(record, names[i], fields[i], true, i + 1 == fields.size());
    }
}

std::string HeaderLine(std::string_view name, std::string_view value) {
    return std::string(name) + ":" + (value.empty() ? "" : " ") + std::string(value) + "\n";
}

void CheckScript(Checker& checker, const std::string& record, const std::vector<std::string>& lines) {
    for (const std::string& line : lines) {
        if (line.starts_with("@record ")) {
            checker.Warn(record, "the script line \"" + line + "\" would open a new record when read back");
        }
        if (line.ends_with('\r')) {
            checker.Warn(record, "a script line ends in a lone CR, which is lost when read back");
        }
    }
}

} // namespace

std::string FormatFamilies(const std::vector<FamilyRecord>& families, std::vector<std::string>& warnings) {
    Checker checker(kFamilyTextName, warnings);
    const std::vector<std::string> names = {"Familia", "Tabla", "Grupo", "Atributos", "NombreFamilia"};
    std::string text = "# Familia | Tabla | Grupo | Atributos | NombreFamilia\n";
    for (const FamilyRecord& family : families) {
        std::vector<std::string> fields = {std::to_string(family.Familia), family.Tabla,
                                           std::to_string(family.Grupo), family.Atributos,
                                           family.NombreFamilia};
        CheckFields(checker, "family " + fields[0], names, fields);
        text += JoinFields(fields);
    }
    return text;
}

std::string FormatArticles(const std::vector<ArticleRecord>& articles, std::vector<std::string>& warnings) {
    Checker checker(kArticleTextName, warnings);
    const std::vector<std::string> names = {"ClaveArticulo", "Modelo", "Codigo", "Descripcion"};
    std::string text = "# ClaveArticulo | Modelo | Codigo | Descripcion\n";
    for (const ArticleRecord& article : articles) {
        std::vector<std::string> fields = {std::to_string(article.ClaveArticulo), article.Modelo,
                                           article.Codigo, article.Descripcion};
        CheckFields(checker, "article " + fields[0], names, fields);
        text += JoinFields(fields);
    }
    return text;
}

std::string FormatElementTable(const ElementTable& table, std::vector<std::string>& warnings) {
    std::string fileName = table.Name + ".txt";
    Checker checker(fileName, warnings);
    std::string text;
    for (const TRECConScript& record : table.Records) {
        std::string name = "record " + std::to_string(record.Indice);
        text += "@record " + std::to_string(record.Indice) + "\n";
        text += HeaderLine("family", std::to_string(record.Familia));
        checker.Value(name, "model", record.Modelo, false, false);
        text += HeaderLine("model", record.Modelo);
        checker.Value(name, "description", record.Descripcion, false, false);
        text += HeaderLine("description", record.Descripcion);
        if (record.ClaveScript != ScriptKeyOf(record.Indice)) {
            checker.Value(name, "key", record.ClaveScript, false, false);
            text += HeaderLine("key", record.ClaveScript);
        }
        text += "script:\n";
        std::vector<std::string> lines = ScriptLines(record.Script);
        CheckScript(checker, name, lines);
        for (const std::string& line : lines) {
            text += line + "\n";
        }
    }
    return text;
}

std::vector<OutputFile> FormatTextSource(const CatalogueSource& source, std::vector<std::string>& warnings) {
    std::vector<OutputFile> files;
    files.push_back({std::string(kFamilyTextName), FormatFamilies(source.Families, warnings)});
    files.push_back({std::string(kArticleTextName), FormatArticles(source.Articles, warnings)});
    for (const ElementTable& table : source.Tables) {
        files.push_back({table.Name + ".txt", FormatElementTable(table, warnings)});
    }
    return files;
}

} // namespace ixo::catalogue_tool
