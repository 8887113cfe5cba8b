#include "catalogue/script_file.h"

#include "catalogue/file_lookup.h"
#include "common/text_encoding.h"

namespace ixo {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The end of "<optional minus><digits>@@" starting at pos in text (one past the closing "@@"), or 0.
std::size_t NumberAndCloseEnd(std::string_view text, std::size_t pos) {
    if (pos < text.size() && text[pos] == '-') {
        ++pos;
    }
    std::size_t digits = pos;
    while (pos < text.size() && IsDigit(text[pos])) {
        ++pos;
    }
    if (pos == digits || text.substr(pos, 2) != "@@") {
        return 0;
    }
    return pos + 2;
}

} // namespace

bool ScriptFile::Load(const std::filesystem::path& path) {
    Unload();
    auto stamp = StampOf(path);
    if (!stamp.has_value()) {
        return false;
    }
    if (stamp != m_stamp) {
        auto bytes = ReadWholeFile(path);
        if (!bytes.has_value()) {
            m_stamp.reset();
            return false;
        }
        Parse(*bytes);
        m_stamp = stamp;
    }
    m_loaded = true;
    return true;
}

void ScriptFile::LoadBytes(std::string_view bytes) {
    Parse(bytes);
    m_stamp.reset();
    m_loaded = true;
}

void ScriptFile::Unload() {
    m_loaded = false;
}

void ScriptFile::Parse(std::string_view bytes) {
    m_lines.clear();
    m_nextMarker.clear();
    m_keyLines.clear();
    SplitLines(Cp1252ToUtf8(bytes));
    m_nextMarker.assign(m_lines.size() + 1, static_cast<std::uint32_t>(m_lines.size()));
    for (std::size_t i = m_lines.size(); i-- > 0;) {
        bool marker = m_lines[i].find(kMarker) != std::string::npos;
        m_nextMarker[i] = marker ? static_cast<std::uint32_t>(i) : m_nextMarker[i + 1];
    }
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        if (m_nextMarker[i] == i) {
            IndexMarkerLine(i);
        }
    }
}

void ScriptFile::SplitLines(std::string_view text) {
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
        if (end == std::string_view::npos) {
            end = text.size();
        }
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        m_lines.emplace_back(line);
        start = next;
    }
}

void ScriptFile::IndexMarkerLine(std::size_t line) {
    std::string_view text = m_lines[line];
    for (std::size_t pos = text.find(kMarker); pos != std::string_view::npos;
         pos = text.find(kMarker, pos + 1)) {
        std::size_t end = NumberAndCloseEnd(text, pos + kMarker.size());
        if (end != 0) {
            m_keyLines.emplace(std::string(text.substr(pos, end - pos)), static_cast<std::uint32_t>(line));
        }
    }
}

bool ScriptFile::IsStandardKey(std::string_view key) {
    return key.starts_with(kMarker) && NumberAndCloseEnd(key, kMarker.size()) == key.size();
}

std::span<const std::string> ScriptFile::ScriptAfter(std::size_t keyLine) const {
    std::size_t first = keyLine + 1;
    std::size_t end = m_nextMarker[first];
    return std::span<const std::string>(m_lines).subspan(first, end - first);
}

std::span<const std::string> ScriptFile::LinesOf(std::string_view key) const {
    if (!m_loaded) {
        return {};
    }
    if (IsStandardKey(key)) {
        auto found = m_keyLines.find(std::string(key));
        return found == m_keyLines.end() ? std::span<const std::string>() : ScriptAfter(found->second);
    }
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        if (m_lines[i].find(key) != std::string::npos) {
            return ScriptAfter(i);
        }
    }
    return {};
}

std::string ScriptFile::TextOf(std::string_view key) const {
    std::string text;
    for (const std::string& line : LinesOf(key)) {
        text += line;
        text += "\r\n";
    }
    return text;
}

} // namespace ixo
