#include "settings/settings_file.h"

#include "common/file_replace.h"
#include "common/paths.h"
#include "settings/ini_document.h"
#include "settings/ini_values.h"
#include "settings/settings_keys.h"

#include <functional>

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

std::int32_t IntegerOr(const std::optional<std::string>& text, std::int32_t fallback) {
    return text ? ParseIniInteger(*text).value_or(fallback) : fallback;
}

double DecimalOr(const std::optional<std::string>& text, double fallback) {
    return text ? ParseIniDecimal(*text).value_or(fallback) : fallback;
}

// Reads one field. Returns false only for a distance that is present and not a number.
bool ReadField(const IniDocument& document, const SettingField& field, const SettingsRecord& defaults,
               SettingsRecord& record) {
    const std::optional<std::string> text = document.Value(field.section, field.key);
    switch (field.kind) {
    case SettingKind::Distance: {
        auto member = std::get<double SettingsRecord::*>(field.member);
        const std::optional<double> value = text ? ParseIniDecimal(*text) : defaults.*member;
        if (value) {
            record.*member = *value;
        }
        return value.has_value();
    }
    case SettingKind::Level: {
        auto member = std::get<double SettingsRecord::*>(field.member);
        record.*member = DecimalOr(text, defaults.*member);
        return true;
    }
    case SettingKind::Flag: {
        auto member = std::get<bool SettingsRecord::*>(field.member);
        record.*member = IntegerOr(text, defaults.*member ? 1 : 0) > 0;
        return true;
    }
    case SettingKind::Integer: {
        auto member = std::get<std::int32_t SettingsRecord::*>(field.member);
        record.*member = IntegerOr(text, defaults.*member);
        return true;
    }
    }
    return true;
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

bool ReadSettings(const fs::path& path, SettingsRecord& record) {
    const IniDocument document = LoadDocument(path);
    const SettingsRecord defaults = DefaultSettings();
    for (std::string_view key : SettingsReadOrder()) {
        if (!ReadField(document, *FindSettingField(key), defaults, record)) {
            return false;
        }
    }
    return true;
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

bool ReadLevelLimits(TMatestructuranivel& array, const fs::path& path) {
    const IniDocument document = LoadDocument(path);
    const auto count = document.Value(kSectionOutletLevels, kKeyCount);
    if (!count || ParseIniInteger(*count) != static_cast<std::int32_t>(kLevelLimitCount)) {
        DefaultLevelLimits(array);
        return false;
    }
    array.resize(kLevelLimitCount);
    bool complete = true;
    for (std::size_t i = 0; i < kLevelLimitCount; ++i) {
        const auto name = document.Value(kSectionOutletLevels, LimitKey("LNAME", i + 1));
        const auto minimum = document.Value(kSectionOutletLevels, LimitKey("LMIN", i + 1));
        const auto maximum = document.Value(kSectionOutletLevels, LimitKey("LMAX", i + 1));
        complete = complete && name && minimum && maximum;
        if (name) {
            array[i].name = *name;
        }
        if (minimum) {
            array[i].minimum = ParseIniDecimal(*minimum).value_or(0.0);
        }
        if (maximum) {
            array[i].maximum = ParseIniDecimal(*maximum).value_or(0.0);
        }
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
