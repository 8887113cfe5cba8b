#include "ui/main/design_status.h"

#include "design/design_verdict.h"
#include "ui/main/window_rules.h"
#include "ui/project/quality_status.h"

namespace ixo {

void DesignStatus::Clear() {
    *this = DesignStatus();
}

void DesignStatus::Judge(Tproyecto& project) {
    const DesignVerdict verdict = JudgeDesign(project);
    m_outletsOutOfLimits = verdict.outletsOutOfLimits.size();
    const StandardFailures standard =
        verdict.standard ? StandardFailuresOf(*verdict.standard) : StandardFailures{};
    m_outletsFailingStandard = standard.failing.size();
    m_powering = verdict.powering;
    m_overdrive = verdict.overdrive;

    m_beforeCount = VerdictStatusText(verdict) + ": ";
    m_afterCount.clear();
    // The standard's C/N (and tilt) beside the level limits, with the failing outlets as the tip.
    if (const std::string quality = StandardFailuresText(standard); !quality.empty()) {
        m_afterCount += "; " + quality;
    }
    if (const std::string design = DesignProblemsText(m_powering.size(), m_overdrive.size());
        !design.empty()) {
        m_afterCount += "; " + design;
    }
    m_text = m_beforeCount + OutletsOutOfLimitsText(m_outletsOutOfLimits) + m_afterCount;
    m_tip = VerdictReasonsText(verdict);
    if (const std::string list = StandardFailuresList(standard); !list.empty()) {
        m_tip += (m_tip.empty() ? "" : "\n") + list;
    }
}

void DesignStatus::RecountOutlets(const Tproyecto& project) {
    m_outletsOutOfLimits = CountOutletsOutOfLimits(project);
    m_text = m_beforeCount + OutletsOutOfLimitsText(m_outletsOutOfLimits) + m_afterCount;
}

} // namespace ixo
