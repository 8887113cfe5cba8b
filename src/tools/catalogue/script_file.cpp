#include "tools/catalogue/script_file.h"

#include "tools/catalogue/catalogue_source.h"

#include <algorithm>

namespace ixo::catalogue_tool {

ScriptFile::ScriptFile(std::string_view bytes) {
    while (!bytes.empty()) {
        std::size_t end = bytes.find('\n');
        std::string_view line = bytes.substr(0, end);
        if (end != std::string_view::npos && line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        if (line.find(kKeyMarker) != std::string_view::npos) {
            m_markerLines.push_back(m_lines.size());
        }
        m_lines.emplace_back(line);
        if (end == std::string_view::npos) {
            break;
        }
        bytes.remove_prefix(end + 1);
    }
}

std::size_t ScriptFile::FindKeyLine(std::string_view key) const {
    auto contains = [&](std::size_t line) { return m_lines[line].find(key) != std::string::npos; };
    // A key holding the marker can only be on a marker line; searching those alone keeps reading a
    // large table linear in practice.
    if (key.find(kKeyMarker) != std::string_view::npos) {
        auto it = std::find_if(m_markerLines.begin(), m_markerLines.end(), contains);
        return it == m_markerLines.end() ? m_lines.size() : *it;
    }
    for (std::size_t line = 0; line < m_lines.size(); ++line) {
        if (contains(line)) {
            return line;
        }
    }
    return m_lines.size();
}

std::string ScriptFile::ReadScript(std::string_view key) const {
    if (key.empty()) {
        return {};
    }
    std::size_t keyLine = FindKeyLine(key);
    if (keyLine == m_lines.size()) {
        return {};
    }
    auto next = std::upper_bound(m_markerLines.begin(), m_markerLines.end(), keyLine);
    std::size_t end = next == m_markerLines.end() ? m_lines.size() : *next;
    std::string script;
    for (std::size_t line = keyLine + 1; line < end; ++line) {
        script += m_lines[line];
        script += "\r\n";
    }
    return script;
}

} // namespace ixo::catalogue_tool
