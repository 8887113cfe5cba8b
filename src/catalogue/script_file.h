#pragma once

#include "catalogue/file_lookup.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace ixo {

// The ".sb" script file of an element table, read once when the table opens.
//
// The file is a text of lines separated by CR LF (a lone LF is accepted too; a CR at the very end of the
// file is taken as a cut-off line break). A record's script starts after the first line that contains
// the record's key and runs up to the next line that contains "@@INIRECOD_" or the end of the file.
//
// Looking up every record by scanning the file from its start would make loading a table quadratic, so
// the lines that contain "@@INIRECOD_" (the marker lines) are indexed when the file is loaded: every
// key of the form "@@INIRECOD_<optional minus><digits>@@" found in a marker line maps to the first line
// that contains it. Such a key can only occur inside a marker line, so the index gives the same line as
// the scan. Any other key (an empty one, or one of another form) falls back to the scan over the lines.
// Like the index file, the content is kept after Unload and reused while the file's stamp is unchanged.
class ScriptFile {
public:
    // Loads and indexes the file (Windows-1252, converted to UTF-8); false when it cannot be read.
    [[nodiscard]] bool Load(const std::filesystem::path& path);
    // Loads from the file's bytes as they are on disk.
    void LoadBytes(std::string_view bytes);
    void Unload();
    bool IsLoaded() const { return m_loaded; }

    // The script lines of the first line that contains key; empty when no line contains it or when
    // unloaded.
    std::span<const std::string> LinesOf(std::string_view key) const;
    // The script as text: every line followed by CR LF.
    std::string TextOf(std::string_view key) const;

    std::size_t LineCount() const { return m_loaded ? m_lines.size() : 0; }

    static constexpr std::string_view kMarker = "@@INIRECOD_";

private:
    static bool IsStandardKey(std::string_view key);
    void Parse(std::string_view bytes);
    void SplitLines(std::string_view text);
    void IndexMarkerLine(std::size_t line);
    std::span<const std::string> ScriptAfter(std::size_t keyLine) const;

    bool m_loaded = false;
    std::optional<FileStamp> m_stamp; // of the content held
    std::vector<std::string> m_lines;
    // For every line, the first marker line at or after it (m_lines.size() when none).
    std::vector<std::uint32_t> m_nextMarker;
    std::unordered_map<std::string, std::uint32_t> m_keyLines;
};

} // namespace ixo
