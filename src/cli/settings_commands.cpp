#include "cli/settings_commands.h"

#include "cli/cli_app.h"
#include "settings/ini_values.h"
#include "settings/settings_file.h"
#include "settings/settings_keys.h"

#include <ostream>

namespace ixo::cli {
namespace {

// A key with what it is on a comment line of its own above it: a comment after the value would be
// part of the value for programs that read the file as Windows does.
void Line(std::ostream& out, std::string_view key, const std::string& value, std::string_view comment = {}) {
    if (!comment.empty()) {
        out << "; " << comment << "\n";
    }
    out << key << "=" << value << "\n";
}

std::string_view FileStateText(EffectiveSettings::FileState state) {
    switch (state) {
    case EffectiveSettings::FileState::Found:
        return "found";
    case EffectiveSettings::FileState::NotAFile:
        return "not a readable file: built-in defaults";
    case EffectiveSettings::FileState::Unreadable:
        return "cannot be read as a settings file: built-in defaults";
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
            Line(out, key, SettingValueText(record, field), field.description);
        }
    }
}

void PrintLimits(std::ostream& out, const EffectiveSettings& settings) {
    out << "\n[" << kSectionOutletLevels << "]\n";
    if (!settings.limitsFromFile) {
        out << "; built-in defaults\n";
    }
    Line(out, "LNUMBER", std::to_string(settings.limits.size()));
    for (std::size_t i = 0; i < settings.limits.size(); ++i) {
        const std::string number = std::to_string(i + 1);
        const Testructuranivel& limit = settings.limits[i];
        const std::string_view band = i == kTerrestrialLimit ? "terrestrial" : "satellite";
        Line(out, "LNAME" + number, limit.name,
             std::string(band) + " limit: name, minimum and maximum in dBµV");
        Line(out, "LMIN" + number, FormatIniDecimal(limit.minimum));
        Line(out, "LMAX" + number, FormatIniDecimal(limit.maximum));
    }
}

int ShowSettings(const CommandContext& context) {
    const EffectiveSettings settings = LoadEffectiveSettings(context.Options().settingsFile);
    PrintSettingsWarnings(context.err, settings);
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
    if (const auto problem = SettingsFileProblem(file)) {
        settings.unreadable = *problem;
        if (settings.fileState == EffectiveSettings::FileState::Found) {
            settings.fileState = EffectiveSettings::FileState::Unreadable;
        }
    }
    static_cast<void>(ReadSettings(file, settings.record, &settings.problems)); // problems say what failed
    settings.limitsFromFile = ReadLevelLimits(settings.limits, file, &settings.problems);
    settings.projectDirectory = ReadProjectDirectory(file);
    return settings;
}

void PrintSettingsWarnings(std::ostream& err, const EffectiveSettings& settings) {
    if (!settings.unreadable.empty()) {
        err << kProgramName << ": warning: " << settings.file.string()
            << ": cannot be read as a settings file: " << settings.unreadable
            << "; the built-in defaults are used\n";
    }
    for (const SettingsProblem& problem : settings.problems) {
        err << kProgramName << ": warning: " << settings.file.string();
        if (problem.line > 0) {
            err << ":" << problem.line;
        }
        err << ": " << problem.key << "=" << problem.value << " " << problem.reason;
        if (!problem.defaultValue.empty()) {
            err << "; the default " << problem.defaultValue << " is used";
        }
        err << "\n";
    }
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
