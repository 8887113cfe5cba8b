#include "design/design_verdict.h"

#include "building/proyecto.h"
#include "building/vivienda.h"
#include "levels/lista_errores.h"
#include "model/toma_tv.h"
#include "settings/standard_presets.h"

namespace ixo {
namespace {

std::size_t CountOutlets(const Tproyecto& project) {
    std::size_t outlets = 0;
    for (const auto& flat : project.ListaViviendas()) {
        if (flat.Object == nullptr) {
            continue;
        }
        for (const auto& entry : flat.Object->ETV()) {
            outlets += TPrimerComponente::AsOrNull<TTomaTV>(entry.Object) != nullptr ? 1 : 0;
        }
    }
    return outlets;
}

std::string Counted(std::size_t count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

} // namespace

bool DesignVerdict::Passes() const {
    return Reasons().empty();
}

std::vector<std::string> DesignVerdict::Reasons() const {
    std::vector<std::string> reasons;
    if (!built) {
        reasons.emplace_back("the installation is not built");
        return reasons;
    }
    if (outlets == 0) {
        reasons.emplace_back("the installation has no outlet");
    }
    if (omissions > 0) {
        reasons.push_back(Counted(omissions, "part not built", "parts not built"));
    }
    if (!outletsOutOfLimits.empty()) {
        reasons.push_back(
            Counted(outletsOutOfLimits.size(), "outlet out of limits", "outlets out of limits"));
    }
    if (!powering.empty()) {
        reasons.push_back(Counted(powering.size(), "powering problem", "powering problems"));
    }
    if (!overdrive.empty()) {
        reasons.push_back(
            Counted(overdrive.size(), "element pin past its maximum", "element pins past their maximum"));
    }
    if (standard && standard->failing > 0) {
        reasons.push_back(Counted(standard->failing, "outlet fails ", "outlets fail ") + standard->title);
    }
    return reasons;
}

DesignVerdict JudgeDesign(Tproyecto& project) {
    DesignVerdict verdict;
    verdict.built = project.finalizadocalculoTV;
    verdict.omissions = project.Omissions().size();
    if (!verdict.built) {
        return verdict;
    }
    verdict.outlets = CountOutlets(project);
    verdict.outletsOutOfLimits = RegistrosDeErrores(project);
    verdict.powering = CheckPowering(project);
    verdict.overdrive = CheckOverdrive(project);
    const std::string& name = project.Quality().standard;
    if (!name.empty()) {
        DesignVerdict::StandardJudgement judgement;
        const StandardPreset* preset = FindStandardPreset(name);
        if (preset == nullptr) {
            // Never a silent pass: every outlet counts as failing a standard nobody can check.
            judgement.name = judgement.title = name;
            judgement.failing = std::max<std::size_t>(verdict.outlets, 1);
        } else {
            judgement.name = preset->name;
            judgement.title = preset->title;
            judgement.limits = LimitsOf(*preset, project.Preferencias());
            judgement.outlets = CheckQuality(project, judgement.limits);
            for (const OutletVerdict& outlet : judgement.outlets) {
                judgement.failing += outlet.Passes() ? 0 : 1;
            }
        }
        verdict.standard = std::move(judgement);
    }
    return verdict;
}

} // namespace ixo
