#include "cli/settings_commands.h"

#include "cli/cli_app.h"
#include "settings/ini_values.h"
#include "settings/settings_file.h"
#include "settings/settings_keys.h"

#include <ostream>

namespace ixo::cli {
namespace {

constexpr std::size_t kCommentColumn = 36;

void Line(std::ostream& out, std::string_view key, const std::string& value, std::string_view comment = {}) {
    std::string text = std::string(key) + "=" + value;
    if (!comment.empty()) {
        text.resize(std::max(text.size() + 1, kCommentColumn), ' ');
        text += "; ";
        text += comment;
    }
    out << text << "\n";
}

std::string_view FileStateText(EffectiveSettings::FileState state) {
    switch (state) {
    case EffectiveSettings::FileState::Found:
        return "found";
    case EffectiveSettings::FileState::NotAFile:
        return "not a readable file: built-in defaults";
    case EffectiveSettings::FileState::Missing:
        break;
    }
    return "not found: built-in defaults";
}

void PrintRecord(std::ostream& out, const SettingsRecord& record) {
    for (const SettingsSection& section : SettingsWriteOrder()) {
        out << "\n[" << section.name << "]\n";
        for (std::string_view key : section.keys) {
            const SettingField& field = *FindSettingField(key);
            Line(out, key, SettingValueText(record, field), field.property);
        }
    }
}

void PrintLimits(std::ostream& out, const EffectiveSettings& settings) {
    out << "\n[" << kSectionOutletLevels << "]";
    if (!settings.limitsFromFile) {
        out << "  ; built-in defaults";
    }
    out << "\n";
    Line(out, "LNUMBER", std::to_string(settings.limits.size()));
    for (std::size_t i = 0; i < settings.limits.size(); ++i) {
        const std::string number = std::to_string(i + 1);
        const Testructuranivel& limit = settings.limits[i];
        const std::string_view band = i == kTerrestrialLimit ? "terrestrial" : "satellite";
        Line(out, "LNAME" + number, limit.name, std::string(band) + " limit");
        Line(out, "LMIN" + number, FormatIniDecimal(limit.minimum), "dBµV");
        Line(out, "LMAX" + number, FormatIniDecimal(limit.maximum), "dBµV");
    }
}

int ShowSettings(const CommandContext& context) {
    const EffectiveSettings settings = LoadEffectiveSettings(context.Options().settingsFile);
    if (!settings.recordComplete) {
        context.err << kProgramName << ": warning: a distance in " << settings.file.string()
                    << " is not a number; the settings after it were not read and show 0\n";
    }
    PrintEffectiveSettings(context.out, settings);
    return kExitSuccess;
}

} // namespace

EffectiveSettings LoadEffectiveSettings(const std::filesystem::path& file) {
    EffectiveSettings settings;
    settings.file = file;
    std::error_code error;
    const auto status = std::filesystem::status(file, error);
    if (std::filesystem::is_regular_file(status)) {
        settings.fileState = EffectiveSettings::FileState::Found;
    } else if (std::filesystem::exists(status)) {
        settings.fileState = EffectiveSettings::FileState::NotAFile;
    }
    settings.recordComplete = ReadSettings(file, settings.record);
    settings.limitsFromFile = ReadLevelLimits(settings.limits, file);
    settings.projectDirectory = ReadProjectDirectory(file);
    return settings;
}

void PrintEffectiveSettings(std::ostream& out, const EffectiveSettings& settings) {
    out << "; settings file: " << settings.file.string() << " (" << FileStateText(settings.fileState)
        << ")\n";
    PrintRecord(out, settings.record);
    PrintLimits(out, settings);
    out << "\n[" << kSectionDirectories << "]\n";
    Line(out, "DIR_PJT", settings.projectDirectory, "project folder");
}

void AddSettingsCommands(CommandRegistry& registry) {
    registry.Add(MakeCommand({"settings"}, "show the effective settings, level limits and project folder",
                             ShowSettings));
}

} // namespace ixo::cli
