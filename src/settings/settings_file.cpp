#include "settings/settings_file.h"

#include "common/file_replace.h"
#include "common/paths.h"
#include "settings/ini_document.h"
#include "settings/ini_values.h"
#include "settings/settings_keys.h"

#include <functional>
#include <vector>

namespace ixo {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kKeyCount = "LNUMBER";
constexpr std::string_view kKeyDirectory = "DIR_PJT";

IniDocument LoadDocument(const fs::path& path) {
    IniDocument document;
    document.Load(path);
    return document;
}

// Reads one field: a missing key takes its default; a value that cannot be read takes its default too and
// is listed in `problems`. Returns false for such a value.
bool ReadField(const IniDocument& document, const SettingField& field, const SettingsRecord& defaults,
               SettingsRecord& record, std::vector<SettingsProblem>* problems) {
    const std::optional<std::string> text = document.Value(field.section, field.key);
    bool readable = true;
    const auto take = [&](auto member, auto parsed, auto convert) {
        if (!text) {
            record.*member = defaults.*member;
        } else if (parsed) {
            record.*member = convert(*parsed);
        } else {
            record.*member = defaults.*member;
            readable = false;
        }
    };
    const std::string_view value = text ? WithoutInlineComment(*text) : std::string_view{};
    switch (field.kind) {
    case SettingKind::Distance:
    case SettingKind::Level:
        take(std::get<double SettingsRecord::*>(field.member), ParseIniDecimal(value),
             [](double v) { return v; });
        break;
    case SettingKind::Flag:
        take(std::get<bool SettingsRecord::*>(field.member), ParseIniInteger(value),
             [](std::int32_t v) { return v > 0; });
        break;
    case SettingKind::Integer:
    case SettingKind::Family:
        take(std::get<std::int32_t SettingsRecord::*>(field.member), ParseIniInteger(value),
             [](std::int32_t v) { return v; });
        break;
    }
    if (!readable && problems != nullptr) {
        problems->push_back({document.LineOf(field.section, field.key), std::string(field.key), *text,
                             SettingValueText(defaults, field)});
    }
    return readable;
}

// Loads the file, lets `edit` rewrite its sections and puts the result in place. A file that exists
// but cannot be read is not written either: its other sections would be lost.
bool UpdateFile(const fs::path& path, std::string& errorMessage,
                const std::function<bool(IniDocument&)>& edit) {
    errorMessage.clear();
    IniDocument document;
    bool ok = !IsReadOnlyFile(path) && document.Load(path) != IniDocument::LoadStatus::Unreadable &&
              edit(document) && ReplaceFileContents(path, document.Text());
    if (!ok) {
        errorMessage = UnableToWriteMessage(path);
    }
    return ok;
}

std::string LimitKey(std::string_view name, std::size_t number) {
    return std::string(name) + std::to_string(number);
}

} // namespace

fs::path SettingsFilePath(const fs::path& programDirectory) {
    return programDirectory / kSettingsFileName;
}

std::string UnableToWriteMessage(const fs::path& path) {
    return std::string(" Unable to write to  ") + "\n\r" + path.string();
}

bool ReadSettings(const fs::path& path, SettingsRecord& record, std::vector<SettingsProblem>* problems) {
    const IniDocument document = LoadDocument(path);
    const SettingsRecord defaults = DefaultSettings();
    bool readable = true;
    for (std::string_view key : SettingsReadOrder()) {
        readable = ReadField(document, *FindSettingField(key), defaults, record, problems) && readable;
    }
    return readable;
}

bool WriteSettings(const SettingsRecord& record, const fs::path& path, std::string& errorMessage) {
    return UpdateFile(path, errorMessage, [&record](IniDocument& document) {
        bool ok = true;
        for (const SettingsSection& section : SettingsWriteOrder()) {
            document.EraseSection(section.name);
            for (std::string_view key : section.keys) {
                const SettingField& field = *FindSettingField(key);
                ok = document.SetValue(section.name, key, SettingValueText(record, field)) && ok;
            }
        }
        return ok;
    });
}

bool ReadLevelLimits(TMatestructuranivel& array, const fs::path& path,
                     std::vector<SettingsProblem>* problems) {
    const IniDocument document = LoadDocument(path);
    const auto count = document.Value(kSectionOutletLevels, kKeyCount);
    if (!count ||
        ParseIniInteger(WithoutInlineComment(*count)) != static_cast<std::int32_t>(kLevelLimitCount)) {
        if (count && problems != nullptr) {
            problems->push_back({document.LineOf(kSectionOutletLevels, kKeyCount), std::string(kKeyCount),
                                 *count, std::to_string(kLevelLimitCount)});
        }
        DefaultLevelLimits(array);
        return false;
    }
    TMatestructuranivel defaults;
    DefaultLevelLimits(defaults);
    array.resize(kLevelLimitCount);
    bool complete = true;
    // A limit that cannot be read takes its default alone (a limit of 0 would pass every outlet).
    const auto readLimit = [&](std::string_view name, std::size_t i, double fallback) {
        const std::string key = LimitKey(name, i + 1);
        const auto text = document.Value(kSectionOutletLevels, key);
        if (!text) {
            complete = false;
            return fallback;
        }
        if (const auto value = ParseIniDecimal(WithoutInlineComment(*text))) {
            return *value;
        }
        if (problems != nullptr) {
            problems->push_back(
                {document.LineOf(kSectionOutletLevels, key), key, *text, FormatIniDecimal(fallback)});
        }
        return fallback;
    };
    for (std::size_t i = 0; i < kLevelLimitCount; ++i) {
        const auto name = document.Value(kSectionOutletLevels, LimitKey("LNAME", i + 1));
        complete = complete && name;
        if (name) {
            array[i].name = *name;
        }
        array[i].minimum = readLimit("LMIN", i, defaults[i].minimum);
        array[i].maximum = readLimit("LMAX", i, defaults[i].maximum);
    }
    if (!complete) {
        DefaultLevelLimits(array);
    }
    return complete;
}

bool WriteLevelLimits(TMatestructuranivel& array, const fs::path& path, std::string& errorMessage) {
    if (array.size() != kLevelLimitCount) {
        DefaultLevelLimits(array);
    }
    return UpdateFile(path, errorMessage, [&array](IniDocument& document) {
        document.EraseSection(kSectionOutletLevels);
        bool ok = document.SetValue(kSectionOutletLevels, kKeyCount, std::to_string(array.size()));
        for (std::size_t i = 0; i < array.size(); ++i) {
            ok = document.SetValue(kSectionOutletLevels, LimitKey("LNAME", i + 1), array[i].name) && ok;
            ok = document.SetValue(kSectionOutletLevels, LimitKey("LMIN", i + 1),
                                   FormatIniDecimal(array[i].minimum)) &&
                 ok;
            ok = document.SetValue(kSectionOutletLevels, LimitKey("LMAX", i + 1),
                                   FormatIniDecimal(array[i].maximum)) &&
                 ok;
        }
        return ok;
    });
}

std::string DefaultProjectDirectory() {
    return (DocumentsDirectory() / "").string();
}

std::string ReadProjectDirectory(const fs::path& path) {
    const auto directory = LoadDocument(path).Value(kSectionDirectories, kKeyDirectory);
    if (!directory || directory->empty()) {
        return DefaultProjectDirectory();
    }
    return *directory;
}

bool WriteProjectDirectory(const fs::path& path, const std::string& directory, std::string& errorMessage) {
    return UpdateFile(path, errorMessage, [&directory](IniDocument& document) {
        document.EraseSection(kSectionDirectories);
        return document.SetValue(kSectionDirectories, kKeyDirectory, directory);
    });
}

} // namespace ixo
