#include "ui/project/quality_status.h"

#include "building/preferencias_proyecto.h"
#include "building/proyecto.h"
#include "building/signal_quality.h"
#include "levels/quality_check.h"
#include "settings/standard_presets.h"

namespace ixo {

StandardFailures FindStandardFailures(Tproyecto& project) {
    StandardFailures failures;
    if (project.Quality().standard.empty()) {
        return failures;
    }
    const StandardPreset* preset = FindStandardPreset(project.Quality().standard);
    if (preset == nullptr) {
        return failures;
    }
    DesignVerdict::StandardJudgement judgement;
    judgement.title = preset->title;
    judgement.outlets = CheckQuality(project, LimitsOf(*preset, project.Preferencias()));
    return StandardFailuresOf(judgement);
}

StandardFailures StandardFailuresOf(const DesignVerdict::StandardJudgement& judgement) {
    StandardFailures failures;
    failures.standard = judgement.title;
    failures.outlets = judgement.outlets.size();
    for (const OutletVerdict& verdict : judgement.outlets) {
        const std::string reasons = verdict.FailureTextBeyondLevels();
        if (!reasons.empty()) {
            failures.failing.push_back(OutletPlace(verdict.quality) + ": " + reasons);
        }
    }
    return failures;
}

std::string StandardFailuresText(const StandardFailures& failures) {
    if (failures.standard.empty()) {
        return "";
    }
    const std::size_t count = failures.failing.size();
    if (count == 0) {
        return "C/N meets " + failures.standard;
    }
    return std::to_string(count) + (count == 1 ? " outlet fails" : " outlets fail") + " the C/N of " +
           failures.standard;
}

std::string StandardFailuresList(const StandardFailures& failures, std::size_t shown) {
    if (failures.failing.empty()) {
        return "";
    }
    std::string list = "Outlets failing " + failures.standard + ":";
    for (std::size_t i = 0; i < failures.failing.size() && i < shown; ++i) {
        list += "\n" + failures.failing[i];
    }
    if (failures.failing.size() > shown) {
        list += "\nand " + std::to_string(failures.failing.size() - shown) + " more";
    }
    return list;
}

} // namespace ixo
