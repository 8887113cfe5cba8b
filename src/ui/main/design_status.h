#pragma once

// The status bar's account of the open design, from the one verdict every command gives: "Design
// passes" or "Design fails", the count of outlets out of limits, what the project's standard finds
// beside the limits, the powering problems and the overdriven pins, and as the tip the verdict's
// reasons with the outlets failing the standard. While a regulation window moves a control only the
// outlet count follows; the rest stays as the last full judgement made it.
#include "design/overdrive_check.h"
#include "design/power_check.h"

#include <cstddef>
#include <string>
#include <vector>

namespace ixo {

class Tproyecto;

class DesignStatus {
public:
    // No project: an empty status.
    void Clear();
    // The full verdict of the project as it stands (its levels and outlet check made).
    void Judge(Tproyecto& project);
    // Only the outlet count of the last outlet check, in the text of the last judgement.
    void RecountOutlets(const Tproyecto& project);

    const std::string& Text() const { return m_text; }
    const std::string& Tip() const { return m_tip; }
    std::size_t OutletsOutOfLimits() const { return m_outletsOutOfLimits; }
    std::size_t OutletsFailingStandard() const { return m_outletsFailingStandard; }
    const std::vector<PowerProblem>& Powering() const { return m_powering; }
    const std::vector<OverdriveProblem>& Overdrive() const { return m_overdrive; }

private:
    std::string m_text;
    std::string m_tip;
    std::string m_beforeCount; // the text before the outlet count, as the last judgement made it
    std::string m_afterCount;  // and after it
    std::size_t m_outletsOutOfLimits = 0;
    std::size_t m_outletsFailingStandard = 0;
    std::vector<PowerProblem> m_powering;
    std::vector<OverdriveProblem> m_overdrive;
};

} // namespace ixo
