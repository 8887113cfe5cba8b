#pragma once

#include "settings/level_limits.h"
#include "settings/settings_record.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace ixo {

// The settings file "Ixo.ini" beside the program holds three things: the settings record (the defaults
// of a new installation), the outlet level limits and the folder offered for projects. It is a plain
// INI file in UTF-8, independent of the user's locale: reals are written with a decimal point and read
// with a point or a comma.
//
// Reading never fails on a missing file or missing keys: they give the built-in defaults. Every writer
// rewrites only its own sections, through a new file renamed over the old one, and refuses a read-only
// file; on failure it returns false and sets `errorMessage` to the text the caller shows the user
// (" Unable to write to  " + LF CR + the path), leaving the file as it was.

inline constexpr const char* kSettingsFileName = "Ixo.ini";

// The settings file of a program installed in `programDirectory`.
std::filesystem::path SettingsFilePath(const std::filesystem::path& programDirectory);

// A value of the settings file that could not be used as it stands.
struct SettingsProblem {
    int line = 0; // 1-based line of the key in the file; 0 when not found
    std::string key;
    std::string value;        // the text that was found
    std::string defaultValue; // the value taken instead, as the file would hold it; empty when the
                              // value found is used (a key given twice)
    std::string reason;       // what is wrong, after "KEY=value": "is not a number"
};

// Reads the settings into `record`, each missing key taking its default. A value that cannot be read
// (not a number) or that is outside its key's range (SettingValueProblem, the check `--set` makes too)
// takes its key's default alone and is listed in `problems` when given; the other keys are read as
// usual. A key given twice is listed at the line whose value is used (the last). A comment after a value
// ("15   ; m") is ignored, like whole-line ";" and "#" comments. True when every value present could be
// used.
[[nodiscard]] bool ReadSettings(const std::filesystem::path& path, SettingsRecord& record,
                                std::vector<SettingsProblem>* problems = nullptr);

// Rewrites the sections DISTANCE, TV_APARTMENTS, DISTRIBUTION, HEADER and "HEADER LEVEL".
[[nodiscard]] bool WriteSettings(const SettingsRecord& record, const std::filesystem::path& path,
                                 std::string& errorMessage);

// Reads the two outlet level limits of section OUTLET_LEVELS. Returns true when the file holds a complete
// list of two entries; otherwise (no file, a count other than 2, a missing key) the array receives the
// two default entries and the result is false. A limit that is present but not a level from 0 to
// kMaxHeadendLevel dBµV takes that limit's default and is listed in `problems` (so does an unreadable
// count); an entry whose minimum is above its maximum takes both defaults and is listed at the line of
// its minimum.
[[nodiscard]] bool ReadLevelLimits(TMatestructuranivel& array, const std::filesystem::path& path,
                                   std::vector<SettingsProblem>* problems = nullptr);

// Rewrites section OUTLET_LEVELS. An array that does not hold exactly two entries is first replaced by
// the defaults, which are then written.
[[nodiscard]] bool WriteLevelLimits(TMatestructuranivel& array, const std::filesystem::path& path,
                                    std::string& errorMessage);

// Why a settings file that exists cannot be read as one (a folder, larger than 16 MB, UTF-16, NUL
// bytes, no permission), or nothing when it can be read or does not exist. Such a file gives the
// built-in defaults.
std::optional<std::string> SettingsFileProblem(const std::filesystem::path& path);

// The folder offered for projects (DIRECTORIES / DIR_PJT); when missing or empty, the user's documents
// folder with a trailing "/". UTF-8.
std::string ReadProjectDirectory(const std::filesystem::path& path);
std::string DefaultProjectDirectory();

// Rewrites section DIRECTORIES.
bool WriteProjectDirectory(const std::filesystem::path& path, const std::string& directory,
                           std::string& errorMessage);

// The message of a failed write: " Unable to write to  " + LF CR + the path.
std::string UnableToWriteMessage(const std::filesystem::path& path);

} // namespace ixo
