#pragma once

#include "cli/command_registry.h"
#include "settings/level_limits.h"
#include "settings/settings_file.h"
#include "settings/settings_record.h"

#include <filesystem>
#include <iosfwd>
#include <string>
#include <vector>

namespace ixo::cli {

// The settings as the program would use them, read the way start-up reads them: the record starts
// zeroed and the file fills it, missing keys taking their defaults.
struct EffectiveSettings {
    enum class FileState { Found, Missing, NotAFile, Unreadable };

    std::filesystem::path file;
    FileState fileState = FileState::Missing;
    std::string unreadable; // why a file that is there cannot be read as a settings file
    SettingsRecord record;
    std::vector<SettingsProblem> problems; // values that could not be read: their defaults stand
    TMatestructuranivel limits;
    bool limitsFromFile = false; // false when the file has no complete list and the defaults stand
    std::string projectDirectory;
};

EffectiveSettings LoadEffectiveSettings(const std::filesystem::path& file);

// One warning line on `err` for each value of the file that could not be used, naming the file, the line
// and the key, what is wrong and the default taken instead; and one for a file that cannot be read at
// all. Every command that reads the settings file prints them.
void PrintSettingsWarnings(std::ostream& err, const EffectiveSettings& settings);

// Writes the settings as a settings file that reads back to the same values: sections of "KEY=value"
// lines, each under a comment line that says what it is, headed by the file they came from.
void PrintEffectiveSettings(std::ostream& out, const EffectiveSettings& settings);

// "settings": shows the effective settings.
void AddSettingsCommands(CommandRegistry& registry);

} // namespace ixo::cli
