#include "design/setting_groups.h"

#include "model/level_vector.h"
#include "model/potenciometro.h"

#include <cmath>
#include <map>
#include <string>
#include <string_view>
#include <unordered_map>

namespace ixo::regulation {
namespace {

constexpr double kNoEffect = 1e-7; // dB per unit

} // namespace

std::vector<Direction> SettingGroups(const std::vector<const TPotenciometroBase8*>& controls) {
    std::vector<Direction> directions;
    // Elements by the first of their settings, not by address: the order of the directions, and so the
    // positions chosen among equally good ones, must not depend on where the elements live.
    std::unordered_map<const void*, std::size_t> firstSetting;
    std::map<std::pair<std::size_t, int>, std::vector<std::size_t>> byElement;
    std::map<std::pair<std::string_view, int>, std::vector<std::size_t>> byClass;
    for (std::size_t s = 0; s < controls.size(); ++s) {
        directions.push_back(Direction{{s}});
        const TPotenciometroBase8* control = controls[s];
        if (control == nullptr) {
            continue;
        }
        const int kind = control->Tipo * 2 + (control->Caption.find("TER") != std::string::npos ? 1 : 0);
        const std::size_t first = firstSetting.try_emplace(control->Owner(), s).first->second;
        byElement[{first, kind}].push_back(s);
        byClass[{control->Owner()->ClassName(), kind}].push_back(s);
    }
    const auto addGroups = [&directions](const auto& groups) {
        for (const auto& [key, members] : groups) {
            if (members.size() > 1) {
                directions.push_back(Direction{members});
            }
        }
    };
    addGroups(byElement);
    addGroups(byClass);
    AddTiltDirections(controls, directions);
    return directions;
}

void AddTiltDirections(const std::vector<const TPotenciometroBase8*>& controls,
                       std::vector<Direction>& directions) {
    const auto lineOf = [](const std::string& caption) {
        const std::size_t space = caption.find_last_of(' ');
        return space == std::string::npos ? caption : caption.substr(space + 1);
    };
    std::map<std::pair<const void*, std::string>, std::size_t> gains;
    for (std::size_t s = 0; s < controls.size(); ++s) {
        const TPotenciometroBase8* control = controls[s];
        if (control != nullptr && control->Tipo == TPotenciometroBase8::kGain) {
            gains.try_emplace({control->Owner(), lineOf(control->Caption)}, s);
        }
    }
    for (std::size_t s = 0; s < controls.size(); ++s) {
        const TPotenciometroBase8* slope = controls[s];
        if (slope == nullptr || slope->Tipo != TPotenciometroBase8::kSlope) {
            continue;
        }
        const auto found = gains.find({slope->Owner(), lineOf(slope->Caption)});
        if (found == gains.end()) {
            continue;
        }
        const TPotenciometroBase8& gain = *controls[found->second];
        std::size_t most = 0;
        double tilt = 0.0;
        for (std::size_t band = 0; band < kBandCount; ++band) {
            const double moved = slope->GainsAt100()[band] - slope->GainsAt0()[band];
            if (std::abs(moved) > std::abs(tilt)) {
                tilt = moved;
                most = band;
            }
        }
        const double lift = gain.GainsAt100()[most] - gain.GainsAt0()[most];
        if (std::abs(tilt) > kNoEffect && std::abs(lift) > kNoEffect) {
            directions.push_back(Direction{{s, found->second}, {1.0, -tilt / lift}});
        }
    }
}

} // namespace ixo::regulation
