#pragma once

#include "catalogue/file_lookup.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>

namespace ixo {

// A catalogue index file: a plain sequence of fixed-size records without header, read into memory when
// its table opens, with a read position counted in records. A trailing partial record (a file whose
// size is not a multiple of the record size) is ignored: it is not counted and never read. The content
// is kept after Unload and reused by the next Load while the file's stamp is unchanged.
class IndexFile {
public:
    explicit IndexFile(std::size_t recordSize) : m_recordSize(recordSize) {}

    // Loads the whole file and positions at record 0; false (and unloaded) when it cannot be read.
    [[nodiscard]] bool Load(const std::filesystem::path& path);
    void Unload();
    bool IsLoaded() const { return m_loaded; }

    // The number of whole records; 0 when unloaded.
    std::int32_t Count() const { return m_loaded ? m_count : 0; }
    std::int32_t Position() const { return m_position; }
    void SetPosition(std::int32_t record);
    bool AtEnd() const { return m_position >= Count(); }

    // The bytes of record n (0 <= n < Count()).
    std::span<const std::uint8_t> Record(std::int32_t n) const;
    // The record at the position, which then advances by one record; nothing at the end.
    std::optional<std::span<const std::uint8_t>> ReadNext();

private:
    std::size_t m_recordSize;
    std::string m_bytes;
    std::optional<FileStamp> m_stamp; // of the content in m_bytes
    bool m_loaded = false;
    std::int32_t m_count = 0;
    std::int32_t m_position = 0;
};

} // namespace ixo
