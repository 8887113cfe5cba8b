#pragma once

// The rules of the configuration dialog: the installation defaults of the settings file on six pages
// (distances, flats, distribution, headends, outlet level limits, project folder), the catalogue fields
// and how a choice in one adjusts others, the checks of the number fields and of the level grid, and
// what OK writes. The fields are those of the settings' one declaration (settings_keys.h): their keys
// name them here, and the number ranges are the settings' own (SettingValueProblem).
#include "settings/level_limits.h"
#include "settings/settings_record.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace ixo {

class TalmacenElementos;

class ConfigurationRules {
public:
    static constexpr std::string_view kCaption = "Configuration";
    static constexpr double kMinLimit = 0.0;
    static constexpr double kMaxLimit = 125.0;

    enum class Page { Distances, Flats, Distribution, Headends, Levels, Directories };
    static std::span<const std::string_view> PageNames();

    // A catalogue field: a family (and a model when modelKey is not empty) chosen through the catalogue
    // explorer, which offers the families of group `group` (0: any).
    struct CatalogueField {
        std::string_view name;
        std::string_view caption;
        Page page;
        std::int32_t group;
        std::string_view familyKey;
        std::string_view modelKey; // empty: the field chooses a family only
    };
    static std::span<const CatalogueField> CatalogueFields();
    // A number field (distances in m, headend levels in dBµV).
    struct NumberField {
        std::string_view name;
        std::string_view caption;
        Page page;
        std::string_view key;
    };
    static std::span<const NumberField> NumberFields();
    // The index of the field called name, or -1.
    static int CatalogueFieldIndex(std::string_view name);

    // store: where names come from and where the cascade's end models are found (may be null: the
    // fields then show numbers).
    ConfigurationRules(const TalmacenElementos* store, char decimalSeparator);

    // The values on entry: the settings record, the limits (the open project's when there is one) and
    // the project folder.
    void Load(const SettingsRecord& record, const TMatestructuranivel& limits, std::string directory);

    // Catalogue fields.
    std::int32_t Family(int field) const;
    std::int32_t Model(int field) const; // -1 for a family-only field
    std::string FieldText(int field) const;
    // The explorer's choice for a field: the family, and the model when the field has one (a model of -1
    // keeps the field's model). Then the fields that follow it are adjusted (cascade family: power
    // units, satellite amplifier and the cascade's end models; 8-polarity family and its amplifier).
    void Choose(int field, std::int32_t family, std::int32_t model);

    // Radio groups and the check box.
    int PowerAtCascadeEnd() const { return m_record.ConInyector & 1; } // 0 power supply, 1 injector
    void SetPowerAtCascadeEnd(int index) { m_record.ConInyector = index == 0 ? 0 : 1; }
    std::vector<std::string> CascadeEndItems() const { return m_cascadeEnd; }
    int CascadeEnd() const { return m_record.DIS_Final_CAscada; }
    void SetCascadeEnd(int index);
    bool TerrestrialAmplifier() const { return m_record.HD_ICTERR; }
    void SetTerrestrialAmplifier(bool on) { m_record.HD_ICTERR = on; }

    // Number fields: the text shown (one decimal), and why a typed text is refused (nothing when it is
    // accepted): not a number, or outside the setting's range.
    std::string NumberText(int field) const;
    std::optional<std::string> NumberProblem(int field, std::string_view text) const;
    // Takes an accepted text; false (nothing changed) for a refused one.
    bool SetNumberText(int field, std::string_view text);

    // The level grid: row per limit, columns 0 TYPE, 1 MIN (dBuV), 2 MAX (dBuV).
    const TMatestructuranivel& Limits() const { return m_limits; }
    std::string LimitText(std::size_t row, int column) const;
    // The check of a minimum or maximum cell holding text. Valid: a number from 0 to 125 that keeps the
    // row's minimum at most its maximum. Invalid with a message for a number out of range or a minimum
    // above the maximum; invalid without a message for a text that is not a number.
    struct CellCheck {
        bool valid = false;
        std::string message;
    };
    CellCheck CheckLimitCell(std::size_t row, int column, std::string_view text) const;
    // Takes a valid cell (false otherwise, nothing changed).
    bool SetLimitCell(std::size_t row, int column, std::string_view text);

    const std::string& Directory() const { return m_directory; }
    // The folder typed or browsed: kept without trailing separators, with one "/" added.
    void SetDirectory(std::string_view directory);

    const SettingsRecord& Record() const { return m_record; }

    // OK: every number field accepted (else the first refused one, with its reason, and nothing written);
    // then the settings, the limits and the project folder written to file. False with the message to
    // show when a field is refused (field: its index among NumberFields()) or the file cannot be written.
    struct Refusal {
        int field = -1; // the number field refused, -1 when the write failed
        std::string message;
    };
    std::optional<Refusal> Write(const std::filesystem::path& settingsFile,
                                 const std::vector<std::string>& numberTexts);

private:
    std::int32_t& FamilyOf(int field);
    std::int32_t* ModelOf(int field);
    void SetFamilyModel(std::string_view field, std::int32_t family, std::int32_t model);
    std::int32_t FirstModel(std::int32_t family) const;
    void RefillCascadeEnd();

    const TalmacenElementos* m_store;
    char m_separator;
    SettingsRecord m_record;
    TMatestructuranivel m_limits;
    std::string m_directory;
    std::vector<std::string> m_cascadeEnd;
    std::int32_t m_wantedCascadeEnd = 0;
};

} // namespace ixo
