#include "cli/new_request.h"

#include "common/ascii_case.h"

#include "settings/ini_document.h"
#include "settings/ini_values.h"
#include "settings/settings_keys.h"

#include <algorithm>
#include <cctype>
#include <type_traits>

namespace ixo::cli {
namespace {

// A whole number option in [low, high], or the fallback when the option is absent.
int RangedOption(const CommandContext& context, std::string_view name, int low, int high, int fallback,
                 const std::string& rangeMessage = {}) {
    const auto text = context.Option(name);
    if (!text) {
        return fallback;
    }
    const auto value = ParseWizardInteger(*text);
    if (!value) {
        throw UsageError(std::string(name) + ": " + NotAnIntegerMessage(*text));
    }
    if (*value < low || *value > high) {
        throw UsageError(std::string(name) + ":" +
                         (rangeMessage.empty() ? " Value must be between " + std::to_string(low) + " and " +
                                                     std::to_string(high)
                                               : rangeMessage));
    }
    return *value;
}

int ChoiceOption(const CommandContext& context, std::string_view name,
                 const std::vector<std::pair<std::string, int>>& choices, int fallback) {
    const auto text = context.Option(name);
    if (!text) {
        return fallback;
    }
    std::string allowed;
    for (const auto& [word, value] : choices) {
        if (UpperAscii(word) == UpperAscii(*text)) {
            return value;
        }
        allowed += (allowed.empty() ? "" : ", ") + word;
    }
    throw UsageError(std::string(name) + ": '" + *text + "' is not one of " + allowed);
}

std::vector<std::string> Split(std::string_view text, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find(separator, start);
        parts.emplace_back(
            text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        if (end == std::string_view::npos) {
            return parts;
        }
        start = end + 1;
    }
}

std::int32_t FlatsCell(const std::string& text) {
    const auto value = ParseWizardInteger(text);
    if (!value) {
        throw UsageError("--flats-matrix: " + NotAnIntegerMessage(text));
    }
    if (*value < 0) {
        throw UsageError("--flats-matrix: a floor cannot have " + text + " flats");
    }
    if (*value > kMaxFlatsPerFloor) {
        throw UsageError("a floor of a stair holds at most " + std::to_string(kMaxFlatsPerFloor) +
                         " flats, not " + text);
    }
    return *value;
}

// "--flats-matrix 2,2,3;4,4,4": one group per stair (stair 1 first), floors from the top down, as the
// wizard's grid shows them.
std::vector<std::vector<std::int32_t>> MatrixOption(const std::string& text, int stairs, int floors) {
    std::vector<std::vector<std::int32_t>> grid;
    for (const std::string& stair : Split(text, ';')) {
        std::vector<std::int32_t> column;
        for (const std::string& cell : Split(stair, ',')) {
            column.push_back(FlatsCell(cell));
        }
        if (static_cast<int>(column.size()) != floors) {
            throw UsageError("--flats-matrix: stair " + std::to_string(grid.size() + 1) + " lists " +
                             std::to_string(column.size()) + " floors; the building has " +
                             std::to_string(floors));
        }
        grid.push_back(std::move(column));
    }
    if (static_cast<int>(grid.size()) != stairs) {
        throw UsageError("--flats-matrix: " + std::to_string(grid.size()) +
                         " stairs given; the building has " + std::to_string(stairs) +
                         " (separate stairs with ';')");
    }
    return MatrixFromGrid(grid);
}

std::vector<std::vector<std::int32_t>> FlatsMatrix(const CommandContext& context, int stairs, int floors) {
    const auto perFloor = context.Option("--flats-per-floor");
    const auto matrix = context.Option("--flats-matrix");
    if (perFloor && matrix) {
        throw UsageError("give either --flats-per-floor or --flats-matrix, not both");
    }
    if (matrix) {
        return MatrixOption(*matrix, stairs, floors);
    }
    if (!perFloor) {
        throw UsageError("the flats of each floor are needed: --flats-per-floor N or --flats-matrix");
    }
    const std::int32_t flats = FlatsCell(*perFloor);
    return std::vector<std::vector<std::int32_t>>(stairs, std::vector<std::int32_t>(floors, flats));
}

// The total flats as the wizard reads its edit, checked against the grid.
int TotalFlats(const CommandContext& context, long long gridTotal) {
    const auto text = context.Option("--flats");
    if (!text) {
        if (gridTotal < 1) {
            throw UsageError("the building has no flat");
        }
        if (gridTotal > INT32_MAX) {
            throw UsageError("too many flats");
        }
        return static_cast<int>(gridTotal);
    }
    const auto flats = ParseWizardInteger(*text);
    if (!flats) {
        throw UsageError("--flats: " + NotAnIntegerMessage(*text));
    }
    if (*flats < 1) {
        throw UsageError("--flats: the total number of flats must be at least 1");
    }
    if (gridTotal != *flats) {
        throw UsageError(FlatsTotalMessage(gridTotal, *flats));
    }
    return *flats;
}

// Where a limit in force came from: "--set LMIN1", "my.ini:12 LMIN1" or "the default LMIN1".
std::string LimitSource(const CommandContext& context, const std::string& key) {
    for (const std::string& assignment : context.OptionValues("--set")) {
        if (UpperAscii(assignment.substr(0, assignment.find('='))) == key) {
            return "--set " + key;
        }
    }
    IniDocument document;
    static_cast<void>(document.Load(context.Options().settingsFile));
    if (const int line = document.LineOf(kSectionOutletLevels, key); line > 0) {
        return context.Options().settingsFile.string() + ":" + std::to_string(line) + " " + key;
    }
    return "the default " + key;
}

template <typename T> void Assign(SettingsRecord& record, T SettingsRecord::*member, T value) {
    record.*member = value;
}

} // namespace

std::vector<CommandOption> NewProjectOptions() {
    return {
        {"--stairs", "N", "trunk distributions (stairs), 1 to 8; default 1"},
        {"--floors", "N", "floors per stair, 1 to 100; default 1"},
        {"--flats", "N", "total number of flats (checked against the flats per floor)"},
        {"--flats-per-floor", "N", "the same number of flats on every floor, at most 64"},
        {"--flats-matrix", "GRID", "flats per floor: stairs separated by ';', floors top first by ','"},
        {"--outlets", "N", "outlets per flat, 1 to 8; default 1"},
        {"--distribution", "star|cascade", "distribution inside the flats; default star"},
        {"--polarities", "4|8|12|16", "satellite IF polarities; default 4"},
        {"--topology", "standalone|cascadeable", "headend topology; default cascadeable"},
        {"--headend-stair", "N", "stair that carries the headend; default 1"},
        {"--set", "KEY=VALUE",
         "override a key of 'ixo-cli settings' for this project, limits included (repeatable)"},
        {"--levels", "FILE",
         "write the outlet levels as CSV (- for standard output, the summary then on standard error)"},
        {"--json", "", "print the summary as JSON"},
        {"-o", "FILE", "save the project (.XPJ)"},
        {"--auto", "",
         "after building, regulate every control and insert line amplifiers where needed (as 'design')"},
    };
}

void ApplySettingOverride(SettingsRecord& record, std::string_view assignment) {
    const std::size_t equals = assignment.find('=');
    if (equals == std::string_view::npos) {
        throw UsageError("--set: '" + std::string(assignment) + "' is not KEY=VALUE");
    }
    const std::string key = UpperAscii(assignment.substr(0, equals));
    const std::string_view value = assignment.substr(equals + 1);
    const SettingField* field = FindSettingField(key);
    if (field == nullptr) {
        throw UsageError("--set: '" + key + "' is not a settings key (see 'ixo-cli settings')");
    }
    const auto bad = [&]() {
        return UsageError("--set " + key + ": '" + std::string(value) + "' is not a valid value");
    };
    std::visit(
        [&](auto member) {
            using Value = std::remove_reference_t<decltype(record.*member)>;
            const auto refuse = [&](double number) {
                if (const auto problem = SettingValueProblem(*field, number)) {
                    throw UsageError("--set " + key + "=" + std::string(value) + ": the value must be " +
                                     *problem);
                }
            };
            if constexpr (std::is_same_v<Value, double>) {
                const auto number = ParseIniDecimal(value);
                if (!number) {
                    throw bad();
                }
                refuse(*number);
                Assign(record, member, *number);
            } else {
                const auto number = ParseIniInteger(value);
                if (!number) {
                    throw bad();
                }
                refuse(*number);
                if constexpr (std::is_same_v<Value, bool>) {
                    Assign(record, member, *number > 0);
                } else {
                    Assign(record, member, *number);
                }
            }
        },
        field->member);
}

bool ApplyLimitOverride(TMatestructuranivel& limits, std::string_view assignment) {
    const std::size_t equals = assignment.find('=');
    const std::string key = UpperAscii(assignment.substr(0, std::min(equals, assignment.size())));
    const std::string_view value =
        equals == std::string_view::npos ? std::string_view{} : assignment.substr(equals + 1);
    for (std::size_t i = 0; i < limits.size(); ++i) {
        const std::string number = std::to_string(i + 1);
        if (key == "LNAME" + number) {
            limits[i].name = std::string(value);
            return true;
        }
        const bool minimum = key == "LMIN" + number;
        if (minimum || key == "LMAX" + number) {
            const auto level = ParseIniDecimal(value);
            const auto problem = level ? LevelLimitProblem(*level) : LevelLimitProblem(-1);
            if (problem) {
                throw UsageError("--set " + key + "=" + std::string(value) + ": the value must be " +
                                 *problem);
            }
            (minimum ? limits[i].minimum : limits[i].maximum) = *level;
            return true;
        }
    }
    return false;
}

std::vector<std::pair<std::string, std::int32_t>> FamiliesSet(const CommandContext& context,
                                                              const SettingsRecord& settings) {
    std::vector<std::pair<std::string, std::int32_t>> families;
    for (const std::string& assignment : context.OptionValues("--set")) {
        const std::string key = UpperAscii(assignment.substr(0, assignment.find('=')));
        const SettingField* field = FindSettingField(key);
        if (field != nullptr && field->kind == SettingKind::Family) {
            families.emplace_back(key, settings.*std::get<std::int32_t SettingsRecord::*>(field->member));
        }
    }
    return families;
}

NewProjectRequest ParseNewProjectRequest(const CommandContext& context, const SettingsRecord& settings,
                                         const TMatestructuranivel& limits) {
    NewProjectRequest request;
    request.settings = settings;
    request.limits = limits;
    WizardResults& shape = request.shape;
    shape.Nverticales = RangedOption(context, "--stairs", 1, kMaxStairs, 1);
    shape.Nplantas = RangedOption(context, "--floors", kMinFloors, kMaxFloors, 1, FloorsRangeMessage());
    shape.VertHeader = RangedOption(context, "--headend-stair", 1, shape.Nverticales, 1);
    shape.NoutletViv = RangedOption(context, "--outlets", 1, kMaxOutletsPerFlat, 1);
    shape.TipoDistribucionViv = ChoiceOption(context, "--distribution", {{"star", 0}, {"cascade", 1}}, 0);
    shape.Npolaridades =
        ChoiceOption(context, "--polarities", {{"4", 4}, {"8", 8}, {"12", 12}, {"16", 16}}, 4);
    const int topology =
        ChoiceOption(context, "--topology", {{"standalone", 0}, {"stand-alone", 0}, {"cascadeable", 1}}, 1);
    shape.DisViv = FlatsMatrix(context, shape.Nverticales, shape.Nplantas);
    shape.Nviv = TotalFlats(context, MatrixTotal(shape.DisViv));
    const long long outlets = static_cast<long long>(shape.Nviv) * shape.NoutletViv;
    if (outlets > kMaxOutletsPerBuilding) {
        throw UsageError("a building holds at most " + std::to_string(kMaxOutletsPerBuilding) +
                         " outlets, not " + std::to_string(outlets));
    }
    shape.TipoDistribucionCab = TopologyForFlats(topology, shape.Nviv);
    if (shape.TipoDistribucionCab != topology) {
        request.notes.push_back("more than " + std::to_string(kStandAloneLimit) +
                                " flats: the topology is cascadeable");
    }
    for (const std::string& assignment : context.OptionValues("--set")) {
        if (!ApplyLimitOverride(request.limits, assignment)) {
            ApplySettingOverride(request.settings, assignment);
        }
    }
    for (std::size_t i = 0; i < request.limits.size(); ++i) {
        const Testructuranivel& limit = request.limits[i];
        if (limit.minimum > limit.maximum) {
            const std::string number = std::to_string(i + 1);
            throw UsageError("the " + limit.name + " limits are reversed: minimum " +
                             FormatIniDecimal(limit.minimum) + " (" + LimitSource(context, "LMIN" + number) +
                             ") above maximum " + FormatIniDecimal(limit.maximum) + " dBµV (" +
                             LimitSource(context, "LMAX" + number) + ")");
        }
    }
    if (const auto levels = context.Option("--levels")) {
        request.levelsFile = *levels;
    }
    if (const auto output = context.Option("-o")) {
        request.outputFile = *output;
    }
    request.json = context.Option("--json").has_value();
    return request;
}

} // namespace ixo::cli
