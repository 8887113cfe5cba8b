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
    std::string text; // as parsed, for the line numbers of keys
};

IniDocument::IniDocument() : m_impl(std::make_unique<Impl>()) {}
IniDocument::~IniDocument() = default;
IniDocument::IniDocument(IniDocument&&) noexcept = default;
IniDocument& IniDocument::operator=(IniDocument&&) noexcept = default;

IniDocument::LoadStatus IniDocument::Load(const std::filesystem::path& path) {
    m_impl->ini.Reset();
    m_impl->text.clear();
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (!std::filesystem::exists(status)) {
        return LoadStatus::Missing;
    }
    // Only regular files are opened: a pipe or a device could block or never end.
    if (!std::filesystem::is_regular_file(status) || std::filesystem::file_size(path, error) > kMaxFileSize ||
        error) {
        return LoadStatus::Unreadable;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in.is_open()) {
        return LoadStatus::Unreadable;
    }
    std::string text(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>{});
    if (in.bad()) {
        return LoadStatus::Unreadable;
    }
    Parse(text);
    return LoadStatus::Loaded;
}

void IniDocument::Parse(std::string_view text) {
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

} // namespace

int IniDocument::LineOf(std::string_view section, std::string_view key) const {
    std::string_view rest = m_impl->text;
    bool inSection = false;
    for (int number = 1; !rest.empty(); ++number) {
        const auto end = rest.find('\n');
        const std::string_view line = Trimmed(rest.substr(0, end));
        rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + 1);
        if (line.starts_with('[')) {
            const auto close = line.find(']');
            inSection = close != std::string_view::npos &&
                        EqualsIgnoringAsciiCase(Trimmed(line.substr(1, close - 1)), section);
        } else if (inSection && !line.starts_with(';') && !line.starts_with('#')) {
            const auto equals = line.find('=');
            if (equals != std::string_view::npos &&
                EqualsIgnoringAsciiCase(Trimmed(line.substr(0, equals)), key)) {
                return number;
            }
        }
    }
    return 0;
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
