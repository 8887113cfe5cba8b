#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace ixo::catalogue_tool {

// A ".sb" script file as the element table reads it: lines separated by CR LF (a lone LF is taken as a
// line end too). A record's script is found by its key line.
class ScriptFile {
public:
    // bytes: the file content, Windows-1252 as stored.
    explicit ScriptFile(std::string_view bytes);

    // The script of key: the first line containing key (substring match) is the key line; every line
    // after it up to a line containing "@@INIRECOD_" or the end of the file belongs to the script, each
    // followed by CR LF. Empty when no line contains the key, and for an empty key (it names no record).
    std::string ReadScript(std::string_view key) const;

private:
    std::size_t FindKeyLine(std::string_view key) const;

    std::vector<std::string> m_lines;
    std::vector<std::size_t> m_markerLines; // lines containing "@@INIRECOD_", ascending
};

} // namespace ixo::catalogue_tool
