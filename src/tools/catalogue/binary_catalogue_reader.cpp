#include "tools/catalogue/binary_catalogue_reader.h"

#include "catalogue/file_lookup.h"
#include "common/text_encoding.h"
#include "tools/catalogue/file_set_io.h"
#include "tools/catalogue/script_file.h"

#include <cstdint>
#include <map>
#include <span>

namespace ixo::catalogue_tool {
namespace {

// Decodes every whole record of an index file; Decode takes a span of exactly Size bytes.
template <std::size_t Size, typename Decode>
auto DecodeRecords(const std::filesystem::path& path, Decode decode, std::vector<std::string>& warnings) {
    std::string bytes = ReadWholeFile(path);
    std::size_t count = bytes.size() / Size;
    if (std::size_t rest = bytes.size() % Size; rest != 0) {
        warnings.push_back(LocatedMessage(path.string(), 0,
                                          "the last " + std::to_string(rest) + " bytes are not a whole " +
                                              std::to_string(Size) + "-byte record and are ignored"));
    }
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
    std::vector<decltype(decode(std::span<const std::uint8_t, Size>(data, Size)))> records;
    records.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        records.push_back(decode(std::span<const std::uint8_t, Size>(data + i * Size, Size)));
    }
    return records;
}

// The paths of all 22 files, or CatalogueError listing the missing ones.
std::map<std::string, std::filesystem::path> LocateFiles(const std::filesystem::path& dir) {
    if (!std::filesystem::is_directory(dir)) {
        throw CatalogueError(LocatedMessage(dir.string(), 0, "no such catalogue folder"));
    }
    std::vector<std::string> names = {std::string(kFamilyFileName), std::string(kArticleFileName)};
    for (std::string_view table : kElementTableNames) {
        names.push_back(std::string(table) + ".bd");
        names.push_back(std::string(table) + ".sb");
    }
    std::map<std::string, std::filesystem::path> found;
    std::string missing;
    for (const std::string& name : names) {
        if (auto path = FindFileIgnoringCase(dir, name)) {
            found[name] = *path;
        } else {
            missing += (missing.empty() ? "" : ", ") + name;
        }
    }
    if (!missing.empty()) {
        throw CatalogueError(LocatedMessage(dir.string(), 0, "missing catalogue files: " + missing));
    }
    return found;
}

} // namespace

CatalogueSource ReadBinaryCatalogue(const std::filesystem::path& dir, std::vector<std::string>& warnings) {
    auto paths = LocateFiles(dir);
    CatalogueSource source;
    source.Families =
        DecodeRecords<kFamilyRecordSize>(paths[std::string(kFamilyFileName)], DecodeFamilyRecord, warnings);
    source.Articles = DecodeRecords<kArticleRecordSize>(paths[std::string(kArticleFileName)],
                                                        DecodeArticleRecord, warnings);
    for (std::string_view name : kElementTableNames) {
        ElementTable table{std::string(name), {}};
        table.Records =
            DecodeRecords<kElementRecordSize>(paths[table.Name + ".bd"], DecodeElementRecord, warnings);
        ScriptFile scripts(ReadWholeFile(paths[table.Name + ".sb"]));
        for (TRECConScript& record : table.Records) {
            record.Script = Cp1252ToUtf8(scripts.ReadScript(Utf8ToCp1252(record.ClaveScript)));
        }
        source.Tables.push_back(std::move(table));
    }
    return source;
}

} // namespace ixo::catalogue_tool
