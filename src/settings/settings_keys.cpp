#include "settings/settings_keys.h"

#include "settings/ini_values.h"

#include <algorithm>
#include <array>
#include <vector>

namespace ixo {
namespace {

using R = SettingsRecord;

const auto kFields = std::to_array<SettingField>({
#define IXO_SETTINGS_KEY(kind, member, section, key, value, stored, readAt, writeAt, description)            \
    {kSection##section, key,    #member, SettingKind::kind, &R::member,                                      \
     stored != 0,       readAt, writeAt, description},
    IXO_SETTINGS_FIELDS(IXO_SETTINGS_KEY)
#undef IXO_SETTINGS_KEY
});

// The order the sections are written in.
constexpr std::array<std::string_view, 5> kSectionOrder = {
    kSectionDistance, kSectionApartments, kSectionDistribution, kSectionHeader, kSectionHeaderLevel};

// The keys ordered by readAt.
std::vector<std::string_view> MakeReadOrder() {
    std::vector<const SettingField*> fields;
    for (const SettingField& field : kFields) {
        fields.push_back(&field);
    }
    std::sort(fields.begin(), fields.end(),
              [](const SettingField* a, const SettingField* b) { return a->readAt < b->readAt; });
    std::vector<std::string_view> keys;
    for (const SettingField* field : fields) {
        keys.push_back(field->key);
    }
    return keys;
}

// Each section's keys ordered by writeAt. The key lists live as long as the program.
struct WriteOrder {
    std::array<std::vector<std::string_view>, kSectionOrder.size()> keys;
    std::array<SettingsSection, kSectionOrder.size()> sections;

    WriteOrder() {
        for (std::size_t s = 0; s < kSectionOrder.size(); ++s) {
            std::vector<const SettingField*> fields;
            for (const SettingField& field : kFields) {
                if (field.section == kSectionOrder[s]) {
                    fields.push_back(&field);
                }
            }
            std::sort(fields.begin(), fields.end(),
                      [](const SettingField* a, const SettingField* b) { return a->writeAt < b->writeAt; });
            for (const SettingField* field : fields) {
                keys[s].push_back(field->key);
            }
            sections[s] = SettingsSection{kSectionOrder[s], keys[s]};
        }
    }
};

struct ValueText {
    std::string operator()(double R::*member) const { return FormatIniDecimal(record.*member); }
    std::string operator()(std::int32_t R::*member) const { return std::to_string(record.*member); }
    std::string operator()(bool R::*member) const { return record.*member ? "1" : "0"; }
    const SettingsRecord& record;
};

} // namespace

std::span<const SettingField> SettingFields() {
    return kFields;
}

const SettingField* FindSettingField(std::string_view key) {
    for (const SettingField& field : kFields) {
        if (field.key == key) {
            return &field;
        }
    }
    return nullptr;
}

std::span<const std::string_view> SettingsReadOrder() {
    static const std::vector<std::string_view> order = MakeReadOrder();
    return order;
}

std::span<const SettingsSection> SettingsWriteOrder() {
    static const WriteOrder order;
    return order.sections;
}

std::optional<std::string> SettingValueProblem(const SettingField& field, double value) {
    switch (field.kind) {
    case SettingKind::Distance:
        if (value < 0 || value > kMaxSettingDistance) {
            return "a distance from 0 to " + FormatIniDecimal(kMaxSettingDistance) + " m";
        }
        break;
    case SettingKind::Level:
        if (value < 0 || value > kMaxHeadendLevel) {
            return "a level from 0 to " + FormatIniDecimal(kMaxHeadendLevel) + " dBµV";
        }
        break;
    case SettingKind::Integer:
    case SettingKind::Family:
        if ((field.key == "INJECTOR" || field.key == "FINALCASCADEEL") && value != 0 && value != 1) {
            return "0 or 1";
        }
        if (value < 0) {
            return field.kind == SettingKind::Family ? "a catalogue family number" : "a number not below 0";
        }
        break;
    case SettingKind::Flag:
        break;
    }
    return std::nullopt;
}

std::optional<std::string> LevelLimitProblem(double level) {
    if (level < 0 || level > kMaxHeadendLevel) {
        return "a level from 0 to " + FormatIniDecimal(kMaxHeadendLevel) + " dBµV";
    }
    return std::nullopt;
}

std::span<const SettingModel> SettingModels() {
    static constexpr auto models = std::to_array<SettingModel>({
        {"CABLE_MODEL", "CABLE_FAM"},
        {"CABLE_MODEL_DISTRIBUTION", "CABLE_FAM_DISTRIBUTION"},
        {"CABLE_MODEL_FLOOR", "CABLE_FAM_FLOOR"},
        {"INJECTOR_MODEL", "INJECTOR_FAM"},
        {"PS_MODEL", "PS_FAM"},
        {"CABLE_MODEL_HD", "CABLE_FAM_HD"},
        {"CABLE_MODEL_HEADER", "CABLE_FAM_HEADER"},
        {"OFFSET_ANTENA_MODEL", "OFFSET_ANTENA_FAM"},
        {"IF_AMPL_MODEL", "IF_AMPL_FAM"},
        {"IND_AMP_HM_16", "FAM_AMP_HD_16"},
        {"IND_AMP_HM_8", "FAM_AMP_HD_8"},
    });
    return models;
}

std::string SettingValueText(const SettingsRecord& record, const SettingField& field) {
    return std::visit(ValueText{record}, field.member);
}

} // namespace ixo
