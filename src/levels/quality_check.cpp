#include "levels/quality_check.h"

#include "building/escalera.h"
#include "building/planta.h"
#include "building/preferencias_proyecto.h"
#include "building/vivienda.h"
#include "common/decimal_text.h"
#include "model/toma_tv.h"
#include "settings/standard_presets.h"

#include <cmath>
#include <cstdio>

namespace ixo {
namespace {

constexpr std::size_t kFirstCheckedBand = 1;

std::string BandText(int band) {
    char text[32];
    std::snprintf(text, sizeof text, "%.0f MHz", kBandFrequenciesMHz[static_cast<std::size_t>(band)]);
    return text;
}

// The level window of bands first..last: the band furthest beyond it (or nearest to its edge).
CriterionResult LevelCriterion(const char* name, const OutletQuality& q, std::size_t first, std::size_t last,
                               double minimum, double maximum) {
    CriterionResult result{name, true, 0, -1,
                           OneDecimalText(minimum) + "-" + OneDecimalText(maximum) + " dBµV"};
    double worstMargin = std::numeric_limits<double>::infinity();
    for (std::size_t band = first; band <= last; ++band) {
        const double belowMargin = q.lowestLevel[band] - minimum;
        const double aboveMargin = maximum - q.highestLevel[band];
        const double margin = std::min(belowMargin, aboveMargin);
        if (margin < worstMargin) {
            worstMargin = margin;
            result.worst = belowMargin <= aboveMargin ? q.lowestLevel[band] : q.highestLevel[band];
            result.band = static_cast<int>(band);
        }
    }
    result.passes = worstMargin >= 0; // a level equal to a limit is within it
    return result;
}

CriterionResult CnCriterion(const char* name, const OutletQuality& q, std::size_t first, std::size_t last,
                            double minimum) {
    CriterionResult result{name, true, std::numeric_limits<double>::infinity(), -1,
                           ">= " + OneDecimalText(minimum) + " dB"};
    for (std::size_t band = first; band <= last; ++band) {
        if (result.band < 0 || q.worstCn[band] < result.worst) {
            result.worst = q.worstCn[band];
            result.band = static_cast<int>(band);
        }
    }
    result.passes = !(result.worst < minimum);
    return result;
}

} // namespace

QualityLimits LimitsOf(const StandardPreset& preset, const TpreferenciasProyecto& preferences) {
    QualityLimits limits;
    limits.standard = preset.name;
    if (preset.custom) {
        limits.terrestrialMinimum = preferences.Minimo(0);
        limits.terrestrialMaximum = preferences.Maximo(0);
        limits.satelliteMinimum = preferences.Minimo(1);
        limits.satelliteMaximum = preferences.Maximo(1);
    } else {
        limits.terrestrialMinimum = preset.terrestrialMinimum;
        limits.terrestrialMaximum = preset.terrestrialMaximum;
        limits.satelliteMinimum = preset.satelliteMinimum;
        limits.satelliteMaximum = preset.satelliteMaximum;
    }
    limits.terrestrialMinimumCn = preset.terrestrialMinimumCn;
    limits.satelliteMinimumCn = preset.satelliteMinimumCn;
    limits.maximumSatelliteTilt = preset.maximumSatelliteTilt;
    limits.terrestrial = preferences.HD_ICTERR;
    return limits;
}

bool OutletVerdict::Passes() const {
    for (const CriterionResult& criterion : criteria) {
        if (!criterion.passes) {
            return false;
        }
    }
    return true;
}

namespace {

bool IsLevelCriterion(const CriterionResult& criterion) {
    return criterion.criterion.ends_with("level");
}

std::string FailuresOf(const std::vector<CriterionResult>& criteria, bool withLevels) {
    std::string text;
    for (const CriterionResult& criterion : criteria) {
        if (criterion.passes || (!withLevels && IsLevelCriterion(criterion))) {
            continue;
        }
        if (!text.empty()) {
            text += "; ";
        }
        text += criterion.criterion + " " + OneDecimalText(criterion.worst) +
                (IsLevelCriterion(criterion) ? " dBµV" : " dB");
        if (criterion.band >= 0) {
            text += " at " + BandText(criterion.band);
        }
        text += " (" + criterion.limit + ")";
    }
    return text;
}

} // namespace

std::string OutletVerdict::FailureText() const {
    return FailuresOf(criteria, true);
}

std::string OutletVerdict::FailureTextBeyondLevels() const {
    return FailuresOf(criteria, false);
}

std::string OutletPlace(const OutletQuality& quality) {
    std::string place;
    if (quality.Escalera != nullptr) {
        place += "STAIR" + std::to_string(quality.Escalera->Numero_Interno()) + " ";
    }
    if (quality.Planta != nullptr) {
        place += "FLOOR" + std::to_string(quality.Planta->Nivel) + " ";
    }
    if (quality.Vivienda != nullptr) {
        place += "FL" + std::to_string(quality.Vivienda->Numero_Interno()) + " ";
    }
    if (quality.Toma != nullptr) {
        place += std::string(std::string_view(quality.Toma->Name()).substr(0, 1)) +
                 std::to_string(quality.Toma->Numero_Interno());
    }
    while (!place.empty() && place.back() == ' ') {
        place.pop_back();
    }
    return place;
}

OutletVerdict JudgeOutlet(OutletQuality quality, const QualityLimits& limits) {
    OutletVerdict verdict;
    const std::size_t lastTerrestrial = kFirstSatelliteBand - 1;
    if (limits.terrestrial) {
        verdict.criteria.push_back(LevelCriterion("TER level", quality, kFirstCheckedBand, lastTerrestrial,
                                                  limits.terrestrialMinimum, limits.terrestrialMaximum));
    }
    verdict.criteria.push_back(LevelCriterion("SAT level", quality, kFirstSatelliteBand, kBandCount - 1,
                                              limits.satelliteMinimum, limits.satelliteMaximum));
    if (limits.terrestrial) {
        verdict.criteria.push_back(
            CnCriterion("TER C/N", quality, kFirstCheckedBand, lastTerrestrial, limits.terrestrialMinimumCn));
    }
    verdict.criteria.push_back(
        CnCriterion("SAT C/N", quality, kFirstSatelliteBand, kBandCount - 1, limits.satelliteMinimumCn));
    if (limits.maximumSatelliteTilt) {
        const bool passes = !(quality.satelliteTilt > *limits.maximumSatelliteTilt);
        verdict.criteria.push_back({"SAT tilt", passes, quality.satelliteTilt, -1,
                                    "<= " + OneDecimalText(*limits.maximumSatelliteTilt) + " dB"});
    }
    verdict.quality = std::move(quality);
    return verdict;
}

std::vector<OutletVerdict> CheckQuality(Tproyecto& project, const QualityLimits& limits) {
    std::vector<OutletVerdict> verdicts;
    for (OutletQuality& quality : MeasureOutletQuality(project)) {
        verdicts.push_back(JudgeOutlet(std::move(quality), limits));
    }
    return verdicts;
}

} // namespace ixo
