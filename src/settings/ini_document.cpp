#include "settings/ini_document.h"

// Keys and values stay UTF-8 bytes: only the narrow-character document is needed.
#define SI_NO_CONVERSION
#include <SimpleIni.h>

#include "common/ascii_case.h"

#include <fstream>
#include <iterator>

namespace ixo {
namespace {

// A settings file is a few kilobytes; anything far larger is not one.
constexpr std::uintmax_t kMaxFileSize = 16u << 20;

} // namespace

struct IniDocument::Impl {
    Impl() : ini(/*a_bIsUtf8=*/true, /*a_bMultiKey=*/false, /*a_bMultiLine=*/false) {
        ini.SetSpaces(false);
        ini.SetQuotes(true);
    }
    CSimpleIniA ini;
    std::string text;        // as parsed, for the line numbers of keys
    std::string loadProblem; // why the last load could not read the file
};

IniDocument::IniDocument() : m_impl(std::make_unique<Impl>()) {}
IniDocument::~IniDocument() = default;
IniDocument::IniDocument(IniDocument&&) noexcept = default;
IniDocument& IniDocument::operator=(IniDocument&&) noexcept = default;

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// Why a file's bytes are not a settings file's text, or nothing.
std::string TextProblem(std::string_view text) {
    if (text.starts_with("\xFF\xFE") || text.starts_with("\xFE\xFF")) {
        return "it is UTF-16 text; a settings file is UTF-8 (or plain ASCII)";
    }
    if (text.find('\0') != std::string_view::npos) {
        return "it holds NUL bytes: it is not a text file";
    }
    return {};
}

} // namespace

IniDocument::LoadStatus IniDocument::Load(const std::filesystem::path& path) {
    m_impl->ini.Reset();
    m_impl->text.clear();
    m_impl->loadProblem.clear();
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (!std::filesystem::exists(status)) {
        return LoadStatus::Missing;
    }
    const auto unreadable = [this](std::string problem) {
        m_impl->loadProblem = std::move(problem);
        return LoadStatus::Unreadable;
    };
    // Only regular files are opened: a pipe or a device could block or never end.
    if (!std::filesystem::is_regular_file(status)) {
        return unreadable(std::filesystem::is_directory(status) ? "it is a folder"
                                                                : "it is not a regular file");
    }
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error) {
        return unreadable("its size cannot be read: " + error.message());
    }
    if (size > kMaxFileSize) {
        return unreadable("it is larger than " + std::to_string(kMaxFileSize >> 20) +
                          " MB: a settings file is a few kilobytes");
    }
    std::ifstream in(path, std::ios::binary);
    if (!in.is_open()) {
        return unreadable("it cannot be opened (no permission?)");
    }
    std::string text(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>{});
    if (in.bad()) {
        return unreadable("it cannot be read");
    }
    if (std::string problem = TextProblem(text); !problem.empty()) {
        return unreadable(std::move(problem));
    }
    Parse(text);
    return LoadStatus::Loaded;
}

const std::string& IniDocument::LoadProblem() const {
    return m_impl->loadProblem;
}

void IniDocument::Parse(std::string_view text) {
    if (text.starts_with(kUtf8Mark)) {
        text.remove_prefix(kUtf8Mark.size()); // the first line is still line 1
    }
    m_impl->ini.Reset();
    m_impl->text.assign(text);
    m_impl->ini.LoadData(text.data(), text.size());
}

namespace {

std::string_view Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

// The next line of rest and what follows it; a line ends at LF, CR LF or a lone CR (files written on
// old Macintosh systems), as the INI parser ends them.
std::string_view NextLine(std::string_view& rest) {
    const auto end = rest.find_first_of("\r\n");
    const std::string_view line = rest.substr(0, end);
    if (end == std::string_view::npos) {
        rest = {};
    } else {
        const bool crlf = rest[end] == '\r' && end + 1 < rest.size() && rest[end + 1] == '\n';
        rest.remove_prefix(end + (crlf ? 2 : 1));
    }
    return line;
}

} // namespace

std::vector<int> IniDocument::LinesOf(std::string_view section, std::string_view key) const {
    std::vector<int> lines;
    std::string_view rest = m_impl->text;
    bool inSection = false;
    for (int number = 1; !rest.empty(); ++number) {
        const std::string_view line = Trimmed(NextLine(rest));
        if (line.starts_with('[')) {
            const auto close = line.find(']');
            inSection = close != std::string_view::npos &&
                        EqualsIgnoringAsciiCase(Trimmed(line.substr(1, close - 1)), section);
        } else if (inSection && !line.starts_with(';') && !line.starts_with('#')) {
            const auto equals = line.find('=');
            if (equals != std::string_view::npos &&
                EqualsIgnoringAsciiCase(Trimmed(line.substr(0, equals)), key)) {
                lines.push_back(number);
            }
        }
    }
    return lines;
}

int IniDocument::LineOf(std::string_view section, std::string_view key) const {
    const std::vector<int> lines = LinesOf(section, key);
    return lines.empty() ? 0 : lines.back();
}

std::optional<std::string> IniDocument::Value(std::string_view section, std::string_view key) const {
    const char* value = m_impl->ini.GetValue(std::string(section).c_str(), std::string(key).c_str());
    if (value == nullptr) {
        return std::nullopt;
    }
    return std::string(value);
}

void IniDocument::EraseSection(std::string_view section) {
    m_impl->ini.Delete(std::string(section).c_str(), nullptr);
}

bool IniDocument::SetValue(std::string_view section, std::string_view key, std::string_view value) {
    if (value.find_first_of("\r\n") != std::string_view::npos) {
        return false;
    }
    const SI_Error result = m_impl->ini.SetValue(std::string(section).c_str(), std::string(key).c_str(),
                                                 std::string(value).c_str());
    return result >= 0;
}

std::string IniDocument::Text() const {
    std::string text;
    m_impl->ini.Save(text);
    return text;
}

} // namespace ixo
