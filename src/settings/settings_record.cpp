#include "settings/settings_record.h"

namespace ixo {

SettingsRecord DefaultSettings() {
    SettingsRecord r;
#define IXO_SETTINGS_DEFAULT(kind, member, section, key, value, stored, readAt, writeAt, description)        \
    r.member = static_cast<SettingValueType<SettingKind::kind>::type>(value);
    IXO_SETTINGS_FIELDS(IXO_SETTINGS_DEFAULT)
#undef IXO_SETTINGS_DEFAULT
    return r;
}

} // namespace ixo
