#pragma once

#include "settings/level_limits.h"
#include "settings/settings_record.h"

#include <filesystem>
#include <string>

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

// Reads the settings into `record`, each missing key taking its default. A distance (DISTANCE section)
// that is present but not a number stops the read: the fields read before it hold the file's values,
// the later ones keep what `record` held, and the result is false. Otherwise true.
[[nodiscard]] bool ReadSettings(const std::filesystem::path& path, SettingsRecord& record);

// Rewrites the sections DISTANCE, TV_APARTMENTS, DISTRIBUTION, HEADER and "HEADER LEVEL".
[[nodiscard]] bool WriteSettings(const SettingsRecord& record, const std::filesystem::path& path,
                                 std::string& errorMessage);

// Reads the two outlet level limits of section OUTLET_LEVELS. Returns true when the file holds a complete
// list of two entries; otherwise (no file, a count other than 2, a missing key) the array receives the
// two default entries and the result is false. A limit that is present but not a number reads as 0.
[[nodiscard]] bool ReadLevelLimits(TMatestructuranivel& array, const std::filesystem::path& path);

// Rewrites section OUTLET_LEVELS. An array that does not hold exactly two entries is first replaced by
// the defaults, which are then written.
[[nodiscard]] bool WriteLevelLimits(TMatestructuranivel& array, const std::filesystem::path& path,
                                    std::string& errorMessage);

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
