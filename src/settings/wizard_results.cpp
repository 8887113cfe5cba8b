#include "settings/wizard_results.h"

#include <charconv>

namespace ixo {

std::string FloorsRangeMessage() {
    return " Value must be between " + std::to_string(kMinFloors) + " and " + std::to_string(kMaxFloors);
}

std::string NotAnIntegerMessage(std::string_view text) {
    return std::string(text) + " is not a valid integer value.";
}

std::string FlatsTotalMessage(long long gridTotal, long long flats) {
    return "The number of flats is " + std::to_string(gridTotal) + ". The valid value is " +
           std::to_string(flats);
}

std::optional<std::int32_t> ParseWizardInteger(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
    }
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

int TopologyForFlats(int requestedTopology, long long flats) {
    return flats > kStandAloneLimit ? 1 : requestedTopology;
}

std::vector<std::vector<std::int32_t>> MatrixFromGrid(const std::vector<std::vector<std::int32_t>>& stairs) {
    return {stairs.rbegin(), stairs.rend()};
}

std::vector<std::vector<std::int32_t>> GridFromMatrix(const std::vector<std::vector<std::int32_t>>& matrix) {
    return {matrix.rbegin(), matrix.rend()};
}

long long MatrixTotal(const std::vector<std::vector<std::int32_t>>& matrix) {
    long long total = 0;
    for (const auto& row : matrix) {
        for (std::int32_t flats : row) {
            total += flats;
        }
    }
    return total;
}

void AdjustPreferencesForFamily5005(SettingsRecord& record, int npolaridades) {
    if (record.Dis_FAMMSCAS != 5005) {
        return;
    }
    if (npolaridades == 12) {
        record.Dis_FAMMSCAS = 5001;
        record.DIS_MODELOFUENTE = 2;
        record.DIS_FAMILIAFUENTE = 7000;
        if (record.HD_FamiliaAmpFi == 4930) {
            record.HD_FamiliaAmpFi = 4925;
            record.HD_ModeloAmpFi = 2;
        }
    } else if (record.HD_ICTERR) {
        record.HD_ICTERR = false;
        if (record.HD_FamiliaAmpFi != 4930) {
            record.HD_FamiliaAmpFi = 4930;
            record.HD_ModeloAmpFi = 4000;
        }
    }
}

} // namespace ixo
