#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace ixo {

// Catalogues are made on Windows, where "Repartidores.bd", "REPARTIDORES.BD" and "repartidores.bd" name
// the same file. On a case-sensitive file system the file is looked for by its exact name first and then
// among the directory's entries without regard to ASCII case; when several entries differ only in case,
// the one that sorts first (byte order) wins, so the choice does not depend on directory order.
// Returns the path of the existing entry, or nothing when no entry matches.
std::optional<std::filesystem::path> FindFileIgnoringCase(const std::filesystem::path& directory,
                                                          const std::string& name);

// What identifies the content of a file between two reads: its path, size and modification time. The
// tables keep a file's content after closing and read it again only when its stamp has changed, so
// that the lookups, which open and close a table each time, stay cheap.
struct FileStamp {
    std::filesystem::path path;
    std::uintmax_t size = 0;
    std::filesystem::file_time_type time;
    bool operator==(const FileStamp&) const = default;
};
// The stamp of a regular file, or nothing when it is missing or not a regular file.
std::optional<FileStamp> StampOf(const std::filesystem::path& path);

// Reads a whole regular file into bytes; nothing when it is missing, not a regular file or unreadable.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& path);

} // namespace ixo
