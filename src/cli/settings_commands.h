#pragma once

#include "cli/command_registry.h"
#include "settings/level_limits.h"
#include "settings/settings_record.h"

#include <filesystem>
#include <iosfwd>
#include <string>

namespace ixo::cli {

// The settings as the program would use them, read the way start-up reads them: the record starts
// zeroed and the file fills it, missing keys taking their defaults.
struct EffectiveSettings {
    enum class FileState { Found, Missing, NotAFile };

    std::filesystem::path file;
    FileState fileState = FileState::Missing;
    SettingsRecord record;
    bool recordComplete = true; // false when a distance was not a number and the read stopped there
    TMatestructuranivel limits;
    bool limitsFromFile = false; // false when the file has no complete list and the defaults stand
    std::string projectDirectory;
};

EffectiveSettings LoadEffectiveSettings(const std::filesystem::path& file);

// Writes the settings grouped by section as "KEY=value" lines, each with the name of the field it
// fills, headed by the file they came from.
void PrintEffectiveSettings(std::ostream& out, const EffectiveSettings& settings);

// "settings": shows the effective settings.
void AddSettingsCommands(CommandRegistry& registry);

} // namespace ixo::cli
