#pragma once

#include "settings/settings_record.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

namespace ixo {

// Sections of the settings file. The blank in "HEADER LEVEL" is part of the name.
inline constexpr std::string_view kSectionDistance = "DISTANCE";
inline constexpr std::string_view kSectionApartments = "TV_APARTMENTS";
inline constexpr std::string_view kSectionDistribution = "DISTRIBUTION";
inline constexpr std::string_view kSectionHeader = "HEADER";
inline constexpr std::string_view kSectionHeaderLevel = "HEADER LEVEL";
inline constexpr std::string_view kSectionOutletLevels = "OUTLET_LEVELS";
inline constexpr std::string_view kSectionDirectories = "DIRECTORIES";

using SettingMember =
    std::variant<double SettingsRecord::*, std::int32_t SettingsRecord::*, bool SettingsRecord::*>;

// One key of the settings file and the record field it fills.
struct SettingField {
    std::string_view section;
    std::string_view key;
    std::string_view property; // name of the field in the record and in the project preferences
    SettingKind kind;
    SettingMember member;
    bool storedWithProject;       // a project stores it as a published property of its preferences
    int readAt;                   // place in SettingsReadOrder()
    int writeAt;                  // place among its section's keys in SettingsWriteOrder()
    std::string_view description; // what the value is, for the user
};

// Every field of the settings record, in the record's declared order (IXO_SETTINGS_FIELDS).
std::span<const SettingField> SettingFields();

// The field stored under a key (keys are unique across sections), or nullptr.
const SettingField* FindSettingField(std::string_view key);

// The order in which the keys are read.
std::span<const std::string_view> SettingsReadOrder();

// The sections of the settings record in the order they are written, each with its keys in order.
struct SettingsSection {
    std::string_view name;
    std::span<const std::string_view> keys;
};
std::span<const SettingsSection> SettingsWriteOrder();

// Values that make physical sense: distances from 0 to kMaxSettingDistance m, headend levels from 0 to
// kMaxHeadendLevel dBµV (more than any dish or terrestrial amplifier delivers), integers and families
// not negative. The message says what is allowed, or nothing when `value` is allowed. (Whether a family
// exists is a question for the catalogue.)
inline constexpr double kMaxSettingDistance = 1000.0;
inline constexpr double kMaxHeadendLevel = 140.0;
// The switches INJECTOR and FINALCASCADEEL are 0 or 1.
std::optional<std::string> SettingValueProblem(const SettingField& field, double value);

// An outlet level limit (LMIN1, LMAX2, ...) is a level from 0 to kMaxHeadendLevel dBµV: what is allowed,
// or nothing when `level` is allowed.
std::optional<std::string> LevelLimitProblem(double level);

// A settings key that names a catalogue model (an `Indice`) and the key of the family it belongs to.
struct SettingModel {
    std::string_view modelKey;
    std::string_view familyKey;
};
std::span<const SettingModel> SettingModels();

// The text a field's value is written as: a flag as 0 or 1, an integer in decimal, a real as the
// shortest decimal text (point separator) that reads back to the same value.
std::string SettingValueText(const SettingsRecord& record, const SettingField& field);

} // namespace ixo
