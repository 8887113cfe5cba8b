#include "settings/settings_keys.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

namespace ixo {
namespace {

const void* AddressOf(const SettingsRecord& record, const SettingField& field) {
    return std::visit([&record](auto member) -> const void* { return &(record.*member); }, field.member);
}

// The key table is what a new project's preferences copy field by field: its order must be the record's.
TEST(SettingsKeys, TableFollowsTheDeclaredOrderOfTheRecord) {
    const SettingsRecord record;
    const auto fields = SettingFields();
    ASSERT_EQ(fields.size(), 41u);
    for (std::size_t i = 1; i < fields.size(); ++i) {
        EXPECT_LT(AddressOf(record, fields[i - 1]), AddressOf(record, fields[i])) << fields[i].key;
    }
}

TEST(SettingsKeys, EveryKeyIsReadOnceAndWrittenOnceInItsSection) {
    std::map<std::string, int> reads;
    for (std::string_view key : SettingsReadOrder()) {
        ASSERT_NE(FindSettingField(key), nullptr) << key;
        ++reads[std::string(key)];
    }
    std::map<std::string, int> writes;
    for (const SettingsSection& section : SettingsWriteOrder()) {
        for (std::string_view key : section.keys) {
            const SettingField* field = FindSettingField(key);
            ASSERT_NE(field, nullptr) << key;
            EXPECT_EQ(field->section, section.name) << key;
            ++writes[std::string(key)];
        }
    }
    for (const SettingField& field : SettingFields()) {
        EXPECT_EQ(reads[std::string(field.key)], 1) << field.key;
        EXPECT_EQ(writes[std::string(field.key)], 1) << field.key;
    }
    EXPECT_EQ(reads.size(), SettingFields().size());
    EXPECT_EQ(writes.size(), SettingFields().size());
}

TEST(SettingsKeys, DistancesAreReadFirst) {
    // A distance that cannot be read stops the read, so nothing but distances may come before them.
    const auto order = SettingsReadOrder();
    for (std::size_t i = 0; i < order.size(); ++i) {
        EXPECT_EQ(FindSettingField(order[i])->kind == SettingKind::Distance, i < 3) << order[i];
    }
}

TEST(SettingsKeys, ValueTexts) {
    SettingsRecord record = DefaultSettings();
    record.DistanciaEscaleras = 12.5;
    record.HD_ICTERR = false;
    record.Viv_FamiliaAmplificador = -4;
    EXPECT_EQ(SettingValueText(record, *FindSettingField("D_STAIR")), "12.5");
    EXPECT_EQ(SettingValueText(record, *FindSettingField("LV_TERR")), "100");
    EXPECT_EQ(SettingValueText(record, *FindSettingField("TERRESTRIAL_AMP")), "0");
    EXPECT_EQ(SettingValueText(record, *FindSettingField("AMP_FAM")), "-4");
    EXPECT_EQ(FindSettingField("NO_SUCH_KEY"), nullptr);
}

} // namespace
} // namespace ixo
