#include "ui/configuration/configuration_rules.h"

#include "builder/cascade_end_models.h"
#include "catalogue/almacen_elementos.h"
#include "catalogue/catalogue_lookups.h"
#include "settings/settings_file.h"
#include "settings/settings_keys.h"
#include "ui/dialogs/number_keys.h"

#include <algorithm>

namespace ixo {

namespace {

using Page = ConfigurationRules::Page;

constexpr std::string_view kPages[] = {"Distances", "TV flats", "Distribution",
                                       "Headends",  "Levels",   "Directories"};

// The fields as the dialog shows them, page by page; the catalogue explorer's group filter in the fourth
// column (negative: the cascadable families of that many polarities).
constexpr ConfigurationRules::CatalogueField kCatalogueFields[] = {
    {"BEOutlet", "Star outlets series", Page::Flats, 0, "OUTLETS_FAM", ""},
    {"BECASCOUTLET", "Cascade outlets series", Page::Flats, 1, "OUTLETS_CASCADE_FAM", ""},
    {"BeCable", "Cable", Page::Flats, 0, "CABLE_FAM", "CABLE_MODEL"},
    {"BeSplitter", "Splitter series", Page::Flats, 0, "SPLITTER_FAM", ""},
    {"BEAmpliinterior", "Line amplifier", Page::Flats, 0, "AMP_FAM", ""},
    {"BEDCable", "Distribution cable", Page::Distribution, 0, "CABLE_FAM_DISTRIBUTION",
     "CABLE_MODEL_DISTRIBUTION"},
    {"BeFcable", "Floor cable", Page::Distribution, 0, "CABLE_FAM_FLOOR", "CABLE_MODEL_FLOOR"},
    {"BEMsCas", "Cascadable multiswitch series", Page::Distribution, -4, "FAM_MS_CAS", ""},
    {"BEFAMCAS8", "Cascadable multiswitch 8 pol. series", Page::Distribution, -8, "FAM_DIS_MS_8", ""},
    {"BEFAMCAS16", "Cascadable multiswitch 16 pol. series", Page::Distribution, -16, "FAM_DIS_MS_16", ""},
    {"BEAMPFI8", "Line amplifier model 8 pol.", Page::Distribution, 8, "FAM_AMP_HD_8", "IND_AMP_HM_8"},
    {"BEAMPFI16", "Amplifier 16 pol. series", Page::Distribution, 16, "FAM_AMP_HD_16", "IND_AMP_HM_16"},
    {"BEPI", "Power injector", Page::Distribution, 0, "INJECTOR_FAM", "INJECTOR_MODEL"},
    {"BEPS", "Power supply", Page::Distribution, 0, "PS_FAM", "PS_MODEL"},
    {"BELDHCABLE", "Headend-distribution link cable", Page::Distribution, 0, "CABLE_FAM_HD",
     "CABLE_MODEL_HD"},
    {"BeHcable", "Cable model", Page::Headends, 0, "CABLE_FAM_HEADER", "CABLE_MODEL_HEADER"},
    {"BeMS4pol", "Multiswitch 4 polarity series", Page::Headends, 4, "FAM_MS_4POL", ""},
    {"BeMs8pol", "Multiswitch 8 polarity series", Page::Headends, 8, "FAM_MS_8POL", ""},
    {"BeMs16pol", "Multiswitch 16 pol. series", Page::Headends, 16, "FAM_MS_16_POL", ""},
    {"BEAMPFI", "Satellite amplifier", Page::Headends, 4, "IF_AMPL_FAM", "IF_AMPL_MODEL"},
    {"BEPARABOLA", "Offset parabolic antenna", Page::Headends, 0, "OFFSET_ANTENA_FAM", "OFFSET_ANTENA_MODEL"},
    {"BEHDSPL", "Splitter series", Page::Headends, 0, "SPLITTER_SERIE_HD", ""},
};

constexpr ConfigurationRules::NumberField kNumberFields[] = {
    {"EDBSS", "Distance between stairs (m)", Page::Distances, "D_STAIR"},
    {"EDBFF", "Distance between floors (m)", Page::Distances, "D_FLOOR"},
    {"EDBO", "Distance between outlets (m)", Page::Distances, "D_OUTLET"},
    {"ETERROL", "Terrestrial amplifier output level (dBµV)", Page::Levels, "LV_TERR"},
    {"EFIIL", "Satellite parabolic antenna input level (dBµV)", Page::Levels, "LV_FI"},
};

template <typename T> T& Member(SettingsRecord& record, std::string_view key) {
    return record.*std::get<T SettingsRecord::*>(FindSettingField(key)->member);
}

template <typename T> const T& Member(const SettingsRecord& record, std::string_view key) {
    return record.*std::get<T SettingsRecord::*>(FindSettingField(key)->member);
}

// Families the cascadable family's choice brings along (the catalogue's numbering).
constexpr std::int32_t kCascadeFamilyWithOwnPower = 5005;
constexpr std::int32_t kInjectorFamily = 7500;
constexpr std::int32_t kInjectorOfOwnPower = 201;
constexpr std::int32_t kSupplyFamilyOfOwnPower = 7001;
constexpr std::int32_t kSupplyFamily = 7000;
constexpr std::int32_t kSupplyModel = 2;
constexpr std::int32_t kAmplifierOfOwnPower = 4930;
constexpr std::int32_t kAmplifierFamily = 4925;

} // namespace

std::span<const std::string_view> ConfigurationRules::PageNames() {
    return kPages;
}

std::span<const ConfigurationRules::CatalogueField> ConfigurationRules::CatalogueFields() {
    return kCatalogueFields;
}

std::span<const ConfigurationRules::NumberField> ConfigurationRules::NumberFields() {
    return kNumberFields;
}

int ConfigurationRules::CatalogueFieldIndex(std::string_view name) {
    for (std::size_t i = 0; i < std::size(kCatalogueFields); ++i) {
        if (kCatalogueFields[i].name == name) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

ConfigurationRules::ConfigurationRules(const TalmacenElementos* store, char decimalSeparator)
    : m_store(store), m_separator(decimalSeparator), m_record(DefaultSettings()),
      m_limits(DefaultLevelLimits()), m_directory(DefaultProjectDirectory()) {
    RefillCascadeEnd();
}

void ConfigurationRules::Load(const SettingsRecord& record, const TMatestructuranivel& limits,
                              std::string directory) {
    m_record = record;
    m_limits = limits.size() == kLevelLimitCount ? limits : DefaultLevelLimits();
    SetDirectory(directory);
    m_wantedCascadeEnd = record.DIS_Final_CAscada;
    RefillCascadeEnd();
}

std::int32_t& ConfigurationRules::FamilyOf(int field) {
    return Member<std::int32_t>(m_record, kCatalogueFields[field].familyKey);
}

std::int32_t* ConfigurationRules::ModelOf(int field) {
    const std::string_view key = kCatalogueFields[field].modelKey;
    return key.empty() ? nullptr : &Member<std::int32_t>(m_record, key);
}

std::int32_t ConfigurationRules::Family(int field) const {
    return Member<std::int32_t>(m_record, kCatalogueFields[field].familyKey);
}

std::int32_t ConfigurationRules::Model(int field) const {
    const std::string_view key = kCatalogueFields[field].modelKey;
    return key.empty() ? -1 : Member<std::int32_t>(m_record, key);
}

std::string ConfigurationRules::FieldText(int field) const {
    const std::int32_t family = Family(field);
    const std::int32_t model = Model(field);
    const TCatalogo* catalogue = m_store != nullptr ? m_store->Catalogue() : nullptr;
    std::string name;
    if (catalogue != nullptr) {
        name = model < 0 ? FamilyName(*catalogue, family) : ModelName(*catalogue, model, family);
    }
    if (!name.empty()) {
        return name;
    }
    // Not in the catalogue: the numbers, so that the user sees what the settings hold.
    return model < 0 ? "family " + std::to_string(family)
                     : "family " + std::to_string(family) + ", model " + std::to_string(model);
}

std::int32_t ConfigurationRules::FirstModel(std::int32_t family) const {
    const TCatalogo* catalogue = m_store != nullptr ? m_store->Catalogue() : nullptr;
    return catalogue != nullptr ? FirstIndiceOfFamily(*catalogue, family) : -1;
}

void ConfigurationRules::SetFamilyModel(std::string_view field, std::int32_t family, std::int32_t model) {
    const int index = CatalogueFieldIndex(field);
    FamilyOf(index) = family;
    if (std::int32_t* target = ModelOf(index); target != nullptr && model >= 0) {
        *target = model;
    }
}

void ConfigurationRules::Choose(int field, std::int32_t family, std::int32_t model) {
    if (field < 0 || field >= static_cast<int>(std::size(kCatalogueFields))) {
        return;
    }
    FamilyOf(field) = family;
    if (std::int32_t* target = ModelOf(field); target != nullptr && model >= 0) {
        *target = model;
    }
    const std::string_view name = kCatalogueFields[field].name;
    if (name == "BEMsCas") {
        RefillCascadeEnd();
        // A family that powers itself takes its own injector, supply and satellite amplifier.
        const bool ownPower = family == kCascadeFamilyWithOwnPower;
        if (ownPower) {
            SetFamilyModel("BEPI", kInjectorFamily, kInjectorOfOwnPower);
            if (const std::int32_t first = FirstModel(kSupplyFamilyOfOwnPower); first >= 0) {
                SetFamilyModel("BEPS", kSupplyFamilyOfOwnPower, first);
            }
        } else {
            if (const std::int32_t first = FirstModel(kInjectorFamily); first >= 0) {
                SetFamilyModel("BEPI", kInjectorFamily, first);
            }
            SetFamilyModel("BEPS", kSupplyFamily, kSupplyModel);
        }
        const std::int32_t amplifier = ownPower ? kAmplifierOfOwnPower : kAmplifierFamily;
        if (const std::int32_t first = FirstModel(amplifier); first >= 0) {
            SetFamilyModel("BEAMPFI", amplifier, first);
        }
    } else if (name == "BEFAMCAS8") {
        // The 8-polarity family and its line amplifiers go together.
        const std::int32_t amplifier = family == 5200 ? 41000 : family == 5210 ? 41100 : -1;
        if (amplifier >= 0) {
            const std::int32_t first = FirstModel(amplifier);
            FamilyOf(CatalogueFieldIndex("BEAMPFI8")) = amplifier;
            if (first >= 0) {
                SetFamilyModel("BEAMPFI8", amplifier, first);
            }
        }
    } else if (name == "BEAMPFI8") {
        const std::int32_t series = family == 41000 ? 5200 : family == 41100 ? 5210 : -1;
        if (series >= 0) {
            FamilyOf(CatalogueFieldIndex("BEFAMCAS8")) = series;
        }
    }
}

void ConfigurationRules::RefillCascadeEnd() {
    m_cascadeEnd = m_store != nullptr ? CascadeEndModelNames(*m_store, m_record.Dis_FAMMSCAS)
                                      : std::vector<std::string>{};
    // The wanted item when the family has it, else the last one.
    const int count = static_cast<int>(m_cascadeEnd.size());
    if (count > 0) {
        m_record.DIS_Final_CAscada = m_wantedCascadeEnd < count ? m_wantedCascadeEnd : count - 1;
    }
}

void ConfigurationRules::SetCascadeEnd(int index) {
    if (index >= 0 && index < static_cast<int>(std::max<std::size_t>(m_cascadeEnd.size(), 1))) {
        m_record.DIS_Final_CAscada = index;
    }
}

std::string ConfigurationRules::NumberText(int field) const {
    return FormatOneDecimal(Member<double>(m_record, kNumberFields[field].key), m_separator);
}

std::optional<std::string> ConfigurationRules::NumberProblem(int field, std::string_view text) const {
    const std::optional<double> value = ParseDecimal(text, m_separator);
    if (!value) {
        return std::string("not a number");
    }
    if (auto problem = SettingValueProblem(*FindSettingField(kNumberFields[field].key), *value)) {
        return "must be " + *problem;
    }
    return std::nullopt;
}

bool ConfigurationRules::SetNumberText(int field, std::string_view text) {
    if (NumberProblem(field, text)) {
        return false;
    }
    Member<double>(m_record, kNumberFields[field].key) = *ParseDecimal(text, m_separator);
    return true;
}

std::string ConfigurationRules::LimitText(std::size_t row, int column) const {
    if (row >= m_limits.size()) {
        return {};
    }
    const Testructuranivel& limit = m_limits[row];
    return column == 0 ? limit.name
                       : FormatOneDecimal(column == 1 ? limit.minimum : limit.maximum, m_separator);
}

ConfigurationRules::CellCheck ConfigurationRules::CheckLimitCell(std::size_t row, int column,
                                                                 std::string_view text) const {
    if (row >= m_limits.size() || (column != 1 && column != 2)) {
        return {};
    }
    const std::optional<double> value = ParseDecimal(text, m_separator);
    if (!value) {
        return {};
    }
    if (*value < kMinLimit || *value > kMaxLimit) {
        return {false, " Value must be between " + std::to_string(static_cast<int>(kMinLimit)) + " and " +
                           std::to_string(static_cast<int>(kMaxLimit))};
    }
    const double minimum = column == 1 ? *value : m_limits[row].minimum;
    const double maximum = column == 2 ? *value : m_limits[row].maximum;
    if (minimum > maximum) {
        return {false, "Min is greater than Max."};
    }
    return {true, {}};
}

bool ConfigurationRules::SetLimitCell(std::size_t row, int column, std::string_view text) {
    if (!CheckLimitCell(row, column, text).valid) {
        return false;
    }
    const double value = *ParseDecimal(text, m_separator);
    (column == 1 ? m_limits[row].minimum : m_limits[row].maximum) = value;
    return true;
}

void ConfigurationRules::SetDirectory(std::string_view directory) {
    while (!directory.empty() && (directory.back() == '/' || directory.back() == '\\')) {
        directory.remove_suffix(1);
    }
    m_directory = std::string(directory) + "/";
}

std::optional<ConfigurationRules::Refusal>
ConfigurationRules::Write(const std::filesystem::path& settingsFile,
                          const std::vector<std::string>& numberTexts) {
    for (std::size_t i = 0; i < numberTexts.size() && i < std::size(kNumberFields); ++i) {
        const int field = static_cast<int>(i);
        if (const auto problem = NumberProblem(field, numberTexts[i])) {
            return Refusal{field, std::string(kNumberFields[i].caption) + ": " + *problem};
        }
    }
    for (std::size_t i = 0; i < numberTexts.size() && i < std::size(kNumberFields); ++i) {
        static_cast<void>(SetNumberText(static_cast<int>(i), numberTexts[i])); // accepted above
    }
    std::string error;
    if (!WriteSettings(m_record, settingsFile, error) || !WriteLevelLimits(m_limits, settingsFile, error) ||
        !WriteProjectDirectory(settingsFile, m_directory, error)) {
        return Refusal{-1, error.empty() ? UnableToWriteMessage(settingsFile) : error};
    }
    return std::nullopt;
}

} // namespace ixo
