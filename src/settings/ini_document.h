#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ixo {

// An INI file in memory: "[section]" headers and "key=value" lines, sections and keys matched without
// regard to case, values trimmed and freed of surrounding double quotes, as the platform's profile
// functions read them. Keeps sections, keys and comments it does not know in their places, so that
// rewriting one section leaves the rest of the file as it was.
class IniDocument {
public:
    enum class LoadStatus { Loaded, Missing, Unreadable };

    IniDocument();
    ~IniDocument();
    IniDocument(IniDocument&&) noexcept;
    IniDocument& operator=(IniDocument&&) noexcept;
    IniDocument(const IniDocument&) = delete;
    IniDocument& operator=(const IniDocument&) = delete;

    // Replaces the contents by the file's. A missing file, or one that cannot be read as a settings file
    // (a folder, a device, no permission, unreasonably large, UTF-16 or other text that is not UTF-8,
    // NUL bytes), leaves the document empty; LoadProblem() then says why.
    LoadStatus Load(const std::filesystem::path& path);
    // Parses the text; a leading UTF-8 byte-order mark is skipped.
    void Parse(std::string_view text);

    // Why the last Load answered Unreadable ("it is larger than 16 MB"); empty otherwise.
    const std::string& LoadProblem() const;

    // The value of a key, or nothing when the section or the key does not exist.
    std::optional<std::string> Value(std::string_view section, std::string_view key) const;

    // The 1-based lines of the key in the text last loaded or parsed, in file order: more than one when
    // the key is given again (in the same section or a repeated one). Lines end at LF, CR LF or a lone CR.
    std::vector<int> LinesOf(std::string_view section, std::string_view key) const;

    // The line whose value Value() gives (the last of LinesOf: a key given again replaces its value), or
    // 0 when the key is not there.
    int LineOf(std::string_view section, std::string_view key) const;

    // Removes a section with all its keys; a section written afterwards goes to the end of the file.
    void EraseSection(std::string_view section);

    // Sets a key, adding it (and its section) at the end when new. Returns false, changing nothing, when
    // the value holds a line break: it could not be read back as one value.
    [[nodiscard]] bool SetValue(std::string_view section, std::string_view key, std::string_view value);

    // The file text: one "key=value" line per key, a blank line between sections, LF line ends.
    std::string Text() const;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace ixo
