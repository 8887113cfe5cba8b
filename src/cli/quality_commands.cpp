#include "cli/quality_commands.h"

#include "building/signal_quality.h"
#include "cli/cli_arguments.h"
#include "common/decimal_text.h"
#include "settings/ini_values.h"
#include "settings/standard_presets.h"

#include <ostream>
#include <utility>

namespace ixo::cli {
namespace {

constexpr double kLowestValue = SignalQuality::kLowestFigure;
constexpr double kHighestValue = SignalQuality::kHighestFigure;

double NumberOption(std::string_view option, std::string_view text) {
    const std::optional<double> value = ParseIniDecimal(text);
    if (!value || *value < kLowestValue || *value > kHighestValue) {
        throw UsageError(std::string(option) + " " + std::string(text) + ": not a number from " +
                         OneDecimalText(kLowestValue) + " to " + OneDecimalText(kHighestValue));
    }
    return *value;
}

const StandardPreset& PresetNamed(const std::string& name) {
    const StandardPreset* preset = FindStandardPreset(name);
    if (preset == nullptr) {
        throw UsageError("--standard " + name + ": unknown standard (known: " + StandardPresetNames() + ")");
    }
    return *preset;
}

int Standards(const CommandContext& context) {
    context.out << "Standard presets (levels at the outlet in dBµV, C/N in dB; docs/standards.md gives the "
                   "sources):\n";
    for (const StandardPreset& preset : StandardPresets()) {
        context.out << preset.name << "  " << preset.title << "\n";
        if (preset.custom) {
            context.out << "  TER and SAT level: the project's two limits\n";
        } else {
            context.out << "  TER level " << OneDecimalText(preset.terrestrialMinimum) << "-"
                        << OneDecimalText(preset.terrestrialMaximum) << ", SAT level "
                        << OneDecimalText(preset.satelliteMinimum) << "-"
                        << OneDecimalText(preset.satelliteMaximum) << "\n";
        }
        context.out << "  C/N TER >= " << OneDecimalText(preset.terrestrialMinimumCn)
                    << ", SAT >= " << OneDecimalText(preset.satelliteMinimumCn) << "; SAT tilt "
                    << (preset.maximumSatelliteTilt ? "<= " + OneDecimalText(*preset.maximumSatelliteTilt)
                                                    : std::string("not limited"))
                    << "\n  " << preset.note << "\n";
    }
    return 0;
}

} // namespace

std::vector<CommandOption> QualityOptions() {
    return {{"--standard", "NAME", "check against a standard preset (see 'ixo-cli standards')"},
            {"--antenna-level", "DBUV", "terrestrial level at the headend input (default 60)"},
            {"--antenna-cn", "DB", "C/N of the antenna signal itself (default: not known)"},
            {"--lnb-cn", "DB[;DB;DB;DB]",
             "C/N at the LNB output at 950, 1350, 1750, 2150 MHz (one value for all; default 16)"}};
}

void ApplyQualityOptions(const CommandContext& context, SignalQuality& quality) {
    if (const auto standard = context.Option("--standard")) {
        quality.standard = PresetNamed(*standard).name;
    }
    if (const auto level = context.Option("--antenna-level")) {
        quality.terrestrialAntennaLevel = NumberOption("--antenna-level", *level);
    }
    if (const auto cn = context.Option("--antenna-cn")) {
        quality.terrestrialAntennaCn = NumberOption("--antenna-cn", *cn);
    }
    if (const auto lnb = context.Option("--lnb-cn")) {
        std::vector<std::string> parts;
        std::string rest = *lnb;
        for (std::size_t cut; (cut = rest.find(';')) != std::string::npos; rest.erase(0, cut + 1)) {
            parts.push_back(rest.substr(0, cut));
        }
        parts.push_back(rest);
        if (parts.size() != 1 && parts.size() != quality.satelliteLnbCn.size()) {
            throw UsageError("--lnb-cn " + *lnb + ": give one value or four separated by ';'");
        }
        for (std::size_t i = 0; i < quality.satelliteLnbCn.size(); ++i) {
            quality.satelliteLnbCn[i] = NumberOption("--lnb-cn", parts[parts.size() == 1 ? 0 : i]);
        }
    }
}

void ApplyStandardLimits(const CommandContext& context, TMatestructuranivel& limits) {
    const auto standard = context.Option("--standard");
    if (!standard) {
        return;
    }
    limits = WithPresetLimits(PresetNamed(*standard), std::move(limits));
}

void AddQualityCommands(CommandRegistry& registry) {
    Command standards = MakeCommand({"standards"}, "list the standard presets and their figures", Standards);
    registry.Add(std::move(standards));
}

} // namespace ixo::cli
