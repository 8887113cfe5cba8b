#include "settings/settings_file.h"

#include "common/file_replace.h"
#include "common/paths.h"
#include "settings/ini_document.h"
#include "settings/ini_values.h"
#include "settings/settings_keys.h"

#include <functional>
#include <optional>
#include <variant>
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

constexpr std::string_view kNotANumber = "is not a number";

// A key given more than once: the last value is the one used, and that is the line named.
void ReportRepeats(const IniDocument& document, std::string_view section, std::string_view key,
                   std::vector<SettingsProblem>* problems) {
    const std::vector<int> lines = document.LinesOf(section, key);
    if (problems == nullptr || lines.size() < 2) {
        return;
    }
    std::string earlier;
    for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
        earlier += (i == 0 ? "" : ", ") + std::to_string(lines[i]);
    }
    problems->push_back({lines.back(),
                         std::string(key),
                         document.Value(section, key).value_or(""),
                         {},
                         "is given more than once (also on line" +
                             std::string(lines.size() > 2 ? "s " : " ") + earlier +
                             "): this value, the last, is used"});
}

// The value of a field as a number, or why it cannot be used.
struct FieldNumber {
    std::optional<double> value;
    std::string reason;
};

FieldNumber ParseField(const SettingField& field, std::string_view text) {
    std::optional<double> number;
    if (field.kind == SettingKind::Distance || field.kind == SettingKind::Level) {
        number = ParseIniDecimal(text);
    } else if (const auto integer = ParseIniInteger(text)) {
        number = *integer;
    }
    if (!number) {
        return {std::nullopt, std::string(kNotANumber)};
    }
    if (const auto problem = SettingValueProblem(field, *number)) {
        return {std::nullopt, "is out of range: it must be " + *problem};
    }
    return {number, {}};
}

struct AssignNumber {
    void operator()(double SettingsRecord::*member) const { record.*member = number; }
    void operator()(std::int32_t SettingsRecord::*member) const {
        record.*member = static_cast<std::int32_t>(number);
    }
    void operator()(bool SettingsRecord::*member) const { record.*member = number > 0; }
    SettingsRecord& record;
    double number;
};

// Reads one field: a missing key takes its default; a value that cannot be read or is out of range
// takes its default too and is listed in `problems`. Returns false for such a value.
bool ReadField(const IniDocument& document, const SettingField& field, const SettingsRecord& defaults,
               SettingsRecord& record, std::vector<SettingsProblem>* problems) {
    const std::optional<std::string> text = document.Value(field.section, field.key);
    std::visit([&](auto member) { record.*member = defaults.*member; }, field.member);
    if (!text) {
        return true;
    }
    ReportRepeats(document, field.section, field.key, problems);
    const FieldNumber number = ParseField(field, WithoutInlineComment(*text));
    if (number.value) {
        std::visit(AssignNumber{record, *number.value}, field.member);
        return true;
    }
    if (problems != nullptr) {
        problems->push_back({document.LineOf(field.section, field.key), std::string(field.key), *text,
                             SettingValueText(defaults, field), number.reason});
    }
    return false;
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
    const auto report = [&](std::string key, std::string value, std::string fallback, std::string reason) {
        if (problems != nullptr) {
            problems->push_back({document.LineOf(kSectionOutletLevels, key), key, std::move(value),
                                 std::move(fallback), std::move(reason)});
        }
    };
    const auto count = document.Value(kSectionOutletLevels, kKeyCount);
    if (!count ||
        ParseIniInteger(WithoutInlineComment(*count)) != static_cast<std::int32_t>(kLevelLimitCount)) {
        if (count) {
            report(std::string(kKeyCount), *count, std::to_string(kLevelLimitCount),
                   "is not the number of limits (" + std::to_string(kLevelLimitCount) + ")");
        }
        DefaultLevelLimits(array);
        return false;
    }
    ReportRepeats(document, kSectionOutletLevels, kKeyCount, problems);
    TMatestructuranivel defaults;
    DefaultLevelLimits(defaults);
    array.resize(kLevelLimitCount);
    bool complete = true;
    // A limit that cannot be read takes its default alone (a limit of 0 would pass every outlet, one of
    // 1e300 would pass every outlet too): the range is the one `--set` takes.
    const auto readLimit = [&](std::string_view name, std::size_t i, double fallback) {
        const std::string key = LimitKey(name, i + 1);
        const auto text = document.Value(kSectionOutletLevels, key);
        if (!text) {
            complete = false;
            return fallback;
        }
        ReportRepeats(document, kSectionOutletLevels, key, problems);
        const auto value = ParseIniDecimal(WithoutInlineComment(*text));
        if (!value) {
            report(key, *text, FormatIniDecimal(fallback), std::string(kNotANumber));
            return fallback;
        }
        if (const auto problem = LevelLimitProblem(*value)) {
            report(key, *text, FormatIniDecimal(fallback), "is out of range: it must be " + *problem);
            return fallback;
        }
        return *value;
    };
    for (std::size_t i = 0; i < kLevelLimitCount; ++i) {
        const auto name = document.Value(kSectionOutletLevels, LimitKey("LNAME", i + 1));
        complete = complete && name;
        if (name) {
            array[i].name = *name;
        }
        array[i].minimum = readLimit("LMIN", i, defaults[i].minimum);
        array[i].maximum = readLimit("LMAX", i, defaults[i].maximum);
        if (array[i].minimum > array[i].maximum) {
            const std::string maximumKey = LimitKey("LMAX", i + 1);
            report(LimitKey("LMIN", i + 1), FormatIniDecimal(array[i].minimum),
                   FormatIniDecimal(defaults[i].minimum),
                   "is above " + maximumKey + "=" + FormatIniDecimal(array[i].maximum) + " (line " +
                       std::to_string(document.LineOf(kSectionOutletLevels, maximumKey)) +
                       "): the limits are reversed; the default maximum " +
                       FormatIniDecimal(defaults[i].maximum) + " is used too");
            array[i].minimum = defaults[i].minimum;
            array[i].maximum = defaults[i].maximum;
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

std::optional<std::string> SettingsFileProblem(const fs::path& path) {
    IniDocument document;
    if (document.Load(path) == IniDocument::LoadStatus::Unreadable) {
        return document.LoadProblem();
    }
    return std::nullopt;
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
