#include "cli/settings_models.h"

#include "catalogue/almacen_elementos.h"
#include "cli/cli_app.h"
#include "cli/command_registry.h"
#include "common/ascii_case.h"
#include "settings/ini_document.h"
#include "settings/settings_keys.h"

#include <algorithm>
#include <ostream>

namespace ixo::cli {
namespace {

std::int32_t& Number(SettingsRecord& record, const SettingField& field) {
    return record.*std::get<std::int32_t SettingsRecord::*>(field.member);
}

std::int32_t Number(const SettingsRecord& record, const SettingField& field) {
    return record.*std::get<std::int32_t SettingsRecord::*>(field.member);
}

bool HasFamily(const TalmacenElementos& store, std::int32_t family) {
    return !store.ElementsOfFamily(family).empty();
}

// The model (catalogue Indice) is one of the family's: the number alone could name a model of another
// family of the same kind.
bool HasModel(const TalmacenElementos& store, std::int32_t model, std::int32_t family) {
    const CatalogueObject element = store.ElementByFamily(model, family);
    return element && element.Familia() == family;
}

// What the catalogue lacks for a model and its family, or nothing.
std::string Lack(const TalmacenElementos& store, std::int32_t model, std::int32_t family) {
    if (!HasFamily(store, family)) {
        return "the catalogue has no family " + std::to_string(family) +
               " (see 'ixo-cli catalogue families')";
    }
    if (!HasModel(store, model, family)) {
        return "family " + std::to_string(family) + " of the catalogue has no model " +
               std::to_string(model) + " (see 'ixo-cli catalogue models " + std::to_string(family) + "')";
    }
    return {};
}

struct Overrides {
    std::vector<std::string> keys; // upper-case keys given with --set

    bool Has(std::string_view key) const { return std::find(keys.begin(), keys.end(), key) != keys.end(); }
};

Overrides KeysSet(const std::vector<std::string>& assignments) {
    Overrides overrides;
    for (const std::string& assignment : assignments) {
        overrides.keys.push_back(UpperAscii(assignment.substr(0, assignment.find('='))));
    }
    return overrides;
}

// A warning for a value of the settings file, in the form PrintSettingsWarnings gives the others.
void Warn(std::ostream& err, const EffectiveSettings& settings, const IniDocument& document,
          const SettingField& field, std::int32_t value, const std::string& why, const std::string& taken) {
    err << kProgramName << ": warning: " << settings.file.string();
    if (const int line = document.LineOf(field.section, field.key); line > 0) {
        err << ":" << line;
    }
    err << ": " << field.key << "=" << value << ": " << why << "; " << taken << "\n";
}

} // namespace

void CheckSettingsModels(SettingsRecord& record, const std::vector<std::string>& assignments,
                         const EffectiveSettings& settings, const TalmacenElementos& store,
                         std::ostream& err) {
    const Overrides overrides = KeysSet(assignments);
    const SettingsRecord defaults = DefaultSettings();
    IniDocument document;
    static_cast<void>(document.Load(settings.file)); // for the line numbers only
    std::vector<std::string_view> pairedFamilies;
    for (const SettingModel& pair : SettingModels()) {
        const SettingField& modelField = *FindSettingField(pair.modelKey);
        const SettingField& familyField = *FindSettingField(pair.familyKey);
        pairedFamilies.push_back(pair.familyKey);
        std::int32_t& model = Number(record, modelField);
        std::int32_t& family = Number(record, familyField);
        const std::string lack = Lack(store, model, family);
        if (lack.empty()) {
            continue;
        }
        const bool modelSet = overrides.Has(pair.modelKey);
        if (modelSet || overrides.Has(pair.familyKey)) {
            const SettingField& named = modelSet ? modelField : familyField;
            throw UsageError("--set " + std::string(named.key) + "=" + std::to_string(Number(record, named)) +
                             ": " + lack);
        }
        const bool modelChanged = model != Number(defaults, modelField);
        if (!modelChanged && family == Number(defaults, familyField)) {
            continue; // the built-in pair: what the builder cannot find it reports as not built
        }
        Warn(err, settings, document, modelChanged ? modelField : familyField, modelChanged ? model : family,
             lack,
             "the defaults " + std::string(pair.modelKey) + "=" +
                 std::to_string(Number(defaults, modelField)) + " and " + std::string(pair.familyKey) + "=" +
                 std::to_string(Number(defaults, familyField)) + " are used");
        model = Number(defaults, modelField);
        family = Number(defaults, familyField);
    }
    for (const SettingField& field : SettingFields()) {
        if (field.kind != SettingKind::Family ||
            std::find(pairedFamilies.begin(), pairedFamilies.end(), field.key) != pairedFamilies.end()) {
            continue;
        }
        std::int32_t& family = Number(record, field);
        if (HasFamily(store, family) || family == Number(defaults, field)) {
            continue;
        }
        const std::string lack =
            "the catalogue has no family " + std::to_string(family) + " (see 'ixo-cli catalogue families')";
        if (overrides.Has(field.key)) {
            throw UsageError("--set " + std::string(field.key) + "=" + std::to_string(family) + ": " + lack);
        }
        Warn(err, settings, document, field, family, lack,
             "the default " + std::to_string(Number(defaults, field)) + " is used");
        family = Number(defaults, field);
    }
}

} // namespace ixo::cli
