#pragma once

#include "settings/settings_fields.h"

namespace ixo {

// The installation defaults kept in the settings file: distances, the catalogue family and model chosen
// for every role, and the headend signal levels (the fields of IXO_SETTINGS_FIELDS, in its order). A new
// project copies the whole record into its preferences, whose settings block is this record.
//
// A default-constructed record is all zero (false for the flag): that is the state of the global record
// at start-up, before the settings file is read. DefaultSettings() gives the built-in defaults that a
// read applies to every key missing from the file.
struct SettingsRecord {
#define IXO_SETTINGS_RECORD_MEMBER(kind, member, section, key, value, stored, readAt, writeAt, description)  \
    SettingValueType<SettingKind::kind>::type member = {};
    IXO_SETTINGS_FIELDS(IXO_SETTINGS_RECORD_MEMBER)
#undef IXO_SETTINGS_RECORD_MEMBER

    bool operator==(const SettingsRecord&) const = default;
};

// The built-in defaults, used for every key the settings file lacks.
SettingsRecord DefaultSettings();

} // namespace ixo
