#include "tools/catalogue/binary_catalogue_writer.h"

#include "common/text_encoding.h"

#include <algorithm>

namespace ixo::catalogue_tool {
namespace {

template <typename Bytes> void Append(std::string& out, const Bytes& bytes) {
    out.append(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

OutputFile EncodeFamilies(std::vector<FamilyRecord> families) {
    std::stable_sort(families.begin(), families.end(),
                     [](const FamilyRecord& a, const FamilyRecord& b) { return a.Familia < b.Familia; });
    OutputFile file{std::string(kFamilyFileName), {}};
    for (const FamilyRecord& family : families) {
        Append(file.Bytes, EncodeFamilyRecord(family));
    }
    return file;
}

OutputFile EncodeArticles(std::vector<ArticleRecord> articles) {
    std::stable_sort(articles.begin(), articles.end(), [](const ArticleRecord& a, const ArticleRecord& b) {
        return a.ClaveArticulo < b.ClaveArticulo;
    });
    OutputFile file{std::string(kArticleFileName), {}};
    for (const ArticleRecord& article : articles) {
        Append(file.Bytes, EncodeArticleRecord(article));
    }
    return file;
}

} // namespace

std::vector<OutputFile> EncodeCatalogue(const CatalogueSource& source) {
    std::vector<OutputFile> files;
    files.push_back(EncodeFamilies(source.Families));
    files.push_back(EncodeArticles(source.Articles));
    for (const ElementTable& table : source.Tables) {
        OutputFile index{table.Name + ".bd", {}};
        OutputFile scripts{table.Name + ".sb", {}};
        for (const TRECConScript& record : table.Records) {
            Append(index.Bytes, EncodeElementRecord(record));
            scripts.Bytes += Utf8ToCp1252(record.ClaveScript);
            scripts.Bytes += "\r\n";
            scripts.Bytes += Utf8ToCp1252(record.Script);
        }
        files.push_back(std::move(index));
        files.push_back(std::move(scripts));
    }
    return files;
}

} // namespace ixo::catalogue_tool
